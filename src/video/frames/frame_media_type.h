#pragma once
// What the project's transform filters accept and how large their output buffers are.
// The COM adapters translate GUIDs and bitmap headers into these plain values.
#include <cstdint>

#include "common/foundation/status.h"

namespace zuna {

// The framework's own results for a refused media type and for the end of a type list.
inline constexpr Status kTypeNotAccepted = static_cast<Status>(0x8004022Au);
inline constexpr Status kNoMoreItems = static_cast<Status>(0x00040103u);

enum class FrameSubtype { kOther, kYuy2, kRgb32 };

struct FrameMediaType {
  bool majorTypeVideo = false;
  bool formatVideoInfo = false;  // first-generation video-info format block
  FrameSubtype subtype = FrameSubtype::kOther;
};

// CheckInputType: uncompressed YUY2 or RGB32 video with a video-info format block, nothing else.
Status CheckFrameInputType(const FrameMediaType& type);

// GetMediaType: only position 0 (the input connection's type) exists.
Status CheckMediaTypePosition(int position);

// DecideBufferSize: one buffer of 4-byte-aligned rows, alignment 1.
struct FrameBufferRequest {
  int count = 1;
  int alignment = 1;
  std::int32_t size = 0;
};

// ((bitCount * width + 31) / 32) * 4 * |height|. Fails (kFail) for a non-positive bit count or width,
// a zero height, or a size beyond a 32-bit signed value, since the header comes from another filter.
Status ComputeFrameBufferRequest(int bitCount, int width, int height, FrameBufferRequest* request);

// The allocator's answer: a grant of fewer bytes or no buffer at all fails the connection.
Status CheckGrantedFrameBuffer(const FrameBufferRequest& requested, int grantedCount, std::int32_t grantedSize);

}  // namespace zuna

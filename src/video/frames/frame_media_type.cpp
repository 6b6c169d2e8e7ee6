#include "video/frames/frame_media_type.h"

#include <cstdint>
#include <limits>

namespace zuna {

Status CheckFrameInputType(const FrameMediaType& type) {
  if (!type.majorTypeVideo || !type.formatVideoInfo) return kTypeNotAccepted;
  if (type.subtype != FrameSubtype::kYuy2 && type.subtype != FrameSubtype::kRgb32) return kTypeNotAccepted;
  return kOk;
}

Status CheckMediaTypePosition(int position) {
  if (position < 0) return kInvalidArg;
  if (position > 0) return kNoMoreItems;
  return kOk;
}

Status ComputeFrameBufferRequest(int bitCount, int width, int height, FrameBufferRequest* request) {
  if (request == nullptr) return kPointer;
  if (bitCount <= 0 || width <= 0 || height == 0) return kFail;
  // 64-bit arithmetic: every factor fits, and the product is checked before it becomes a size.
  const std::int64_t rowBytes = (static_cast<std::int64_t>(bitCount) * width + 31) / 32 * 4;
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::int64_t size = rowBytes * rows;
  if (size > std::numeric_limits<std::int32_t>::max()) return kFail;
  *request = FrameBufferRequest{1, 1, static_cast<std::int32_t>(size)};
  return kOk;
}

Status CheckGrantedFrameBuffer(const FrameBufferRequest& requested, int grantedCount, std::int32_t grantedSize) {
  if (grantedCount < 1 || grantedSize < requested.size) return kFail;
  return kOk;
}

}  // namespace zuna

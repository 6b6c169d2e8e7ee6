#pragma once
// What the pixel saturation, crosshairs and time lapse filters share on top of the transform base:
// uncompressed YUY2 or RGB32 video in, the same format out, one buffer of the picture's size, and the
// geometry latched from the first sample after the filter starts streaming.
#include <dshow.h>

#include <atomic>
#include <cstdint>
#include <span>

#include "common/foundation/common_state.h"
#include "video/frames/frame_geometry.h"
#include "video/frames/frame_media_type.h"
#include "video/frames/win/transform_filter_base.h"

namespace zuna::dshow {

// The portable description of a DirectShow media type.
FrameMediaType ToFrameMediaType(const AM_MEDIA_TYPE& type);
FrameSubtype ToFrameSubtype(const GUID& subtype);
// Bytes of one picture of the type (4-byte aligned rows), 0 when it has no usable video header.
std::int32_t PictureBytes(const AM_MEDIA_TYPE& type);

class FrameFilter : public TransformFilterBase {
 public:
  FrameFilter(const CLSID& classId, const wchar_t* name, CommonState& state);

  // Main thread, before the filter is inserted into a graph. The subtype is confirmed by the type
  // the input connects with.
  void SetSubtype(const GUID& subtype) { subtype_ = ToFrameSubtype(subtype); }
  void SetInvertRows(bool invert) { invertRows_ = invert; }
  // The geometry is latched again from the next sample; starting to stream does this as well.
  void RecomputeGeometry() { latchArmed_ = true; }

  HRESULT Transform(IMediaSample* input, IMediaSample* output) final;
  HRESULT CheckInputType(const AM_MEDIA_TYPE& type) override;
  HRESULT CheckTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
  HRESULT GetMediaType(int position, AM_MEDIA_TYPE* type) override;
  HRESULT SetMediaType(PIN_DIRECTION direction, const AM_MEDIA_TYPE& type) override;
  HRESULT StartStreaming() override;

  const FrameGeometry& Geometry() const { return latch_.Geometry(); }

 protected:
  struct Frame {
    std::span<const std::uint8_t> input;  // the sample's data
    std::span<std::uint8_t> output;       // the part of the output buffer that holds a picture
    const FrameGeometry& geometry;
    FrameSubtype subtype;
  };
  // The filter's own work: S_OK delivers the output, S_FALSE drops it.
  virtual HRESULT TransformFrame(IMediaSample* input, IMediaSample* output, const Frame& frame) = 0;
  // Streaming thread: the first sample of a new stream was measured.
  virtual void OnGeometryLatched() {}

  CommonState& state_;
  std::atomic<FrameSubtype> subtype_{FrameSubtype::kOther};
  std::atomic<bool> invertRows_{false};

 private:
  std::atomic<bool> latchArmed_{true};
  FrameGeometryLatch latch_;  // streaming thread only
};

}  // namespace zuna::dshow

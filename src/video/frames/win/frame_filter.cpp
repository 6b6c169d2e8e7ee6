#include "video/frames/win/frame_filter.h"

#include <algorithm>
#include <cstdlib>

#include "video/dshow/media_type.h"

namespace zuna::dshow {

FrameSubtype ToFrameSubtype(const GUID& subtype) {
  if (subtype == MEDIASUBTYPE_YUY2) return FrameSubtype::kYuy2;
  if (subtype == MEDIASUBTYPE_RGB32) return FrameSubtype::kRgb32;
  return FrameSubtype::kOther;
}

FrameMediaType ToFrameMediaType(const AM_MEDIA_TYPE& type) {
  FrameMediaType frame;
  frame.majorTypeVideo = type.majortype == MEDIATYPE_Video;
  frame.formatVideoInfo = VideoInfoOf(type) != nullptr;
  frame.subtype = ToFrameSubtype(type.subtype);
  return frame;
}

std::int32_t PictureBytes(const AM_MEDIA_TYPE& type) {
  const VIDEOINFOHEADER* info = VideoInfoOf(type);
  if (info == nullptr) return 0;
  FrameBufferRequest request;
  if (Failed(ComputeFrameBufferRequest(info->bmiHeader.biBitCount, info->bmiHeader.biWidth, info->bmiHeader.biHeight,
                                       &request))) {
    return 0;
  }
  return request.size;
}

FrameFilter::FrameFilter(const CLSID& classId, const wchar_t* name, CommonState& state)
    : TransformFilterBase(classId, name, Ownership::kHeldByValue), state_(state) {}

HRESULT FrameFilter::CheckInputType(const AM_MEDIA_TYPE& type) {
  const Status status = CheckFrameInputType(ToFrameMediaType(type));
  if (Failed(status)) return status;
  // A header whose depth does not match its subtype would make the buffer too small for the picture.
  const BITMAPINFOHEADER& header = VideoInfoOf(type)->bmiHeader;
  const int depth = type.subtype == MEDIASUBTYPE_YUY2 ? 16 : 32;
  if (header.biBitCount != depth || header.biWidth <= 0 || header.biHeight == 0) return VFW_E_TYPE_NOT_ACCEPTED;
  if (PictureBytes(type) == 0) return VFW_E_TYPE_NOT_ACCEPTED;
  return S_OK;
}

HRESULT FrameFilter::CheckTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output) {
  // The rows are copied as they come: the output must describe the same picture as the input.
  const VIDEOINFOHEADER* in = VideoInfoOf(input);
  const VIDEOINFOHEADER* out = VideoInfoOf(output);
  if (in == nullptr || out == nullptr) return VFW_E_TYPE_NOT_ACCEPTED;
  if (input.majortype != output.majortype || input.subtype != output.subtype) return VFW_E_TYPE_NOT_ACCEPTED;
  if (in->bmiHeader.biWidth != out->bmiHeader.biWidth || in->bmiHeader.biHeight != out->bmiHeader.biHeight ||
      in->bmiHeader.biBitCount != out->bmiHeader.biBitCount) {
    return VFW_E_TYPE_NOT_ACCEPTED;
  }
  return S_OK;
}

HRESULT FrameFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
  if (allocator == nullptr || request == nullptr) return E_POINTER;
  const VIDEOINFOHEADER* info = VideoInfoOf(Output().ConnectionType());
  if (info == nullptr) return VFW_E_TYPE_NOT_ACCEPTED;
  FrameBufferRequest wanted;
  if (const Status status = ComputeFrameBufferRequest(info->bmiHeader.biBitCount, info->bmiHeader.biWidth,
                                                      info->bmiHeader.biHeight, &wanted);
      Failed(status)) {
    return status;
  }
  request->cBuffers = wanted.count;
  request->cbBuffer = wanted.size;
  request->cbAlign = wanted.alignment;
  ALLOCATOR_PROPERTIES granted{};
  if (const HRESULT hr = allocator->SetProperties(request, &granted); FAILED(hr)) return hr;
  return CheckGrantedFrameBuffer(wanted, granted.cBuffers, granted.cbBuffer);
}

HRESULT FrameFilter::GetMediaType(int position, AM_MEDIA_TYPE* type) {
  if (type == nullptr) return E_POINTER;
  if (const Status status = CheckMediaTypePosition(position); status != kOk) return status;
  if (!Input().IsConnected()) return VFW_S_NO_MORE_ITEMS;
  return CopyMediaType(type, Input().ConnectionType());
}

HRESULT FrameFilter::SetMediaType(PIN_DIRECTION direction, const AM_MEDIA_TYPE& type) {
  if (direction == PINDIR_INPUT) subtype_ = ToFrameSubtype(type.subtype);
  return S_OK;
}

HRESULT FrameFilter::StartStreaming() {
  latchArmed_ = true;
  return S_OK;
}

HRESULT FrameFilter::Transform(IMediaSample* input, IMediaSample* output) {
  if (input == nullptr || output == nullptr) return E_POINTER;
  BYTE* in = nullptr;
  BYTE* out = nullptr;
  if (FAILED(input->GetPointer(&in)) || FAILED(output->GetPointer(&out)) || in == nullptr || out == nullptr) {
    return E_POINTER;
  }
  // A buffer larger than one picture (an allocator may round up) must not stretch the rows: only
  // the picture's bytes count, as the connection types describe them.
  const AM_MEDIA_TYPE& inputType = Input().ConnectionType();
  const std::int32_t inputPicture = PictureBytes(inputType);
  const std::int32_t outputPicture = PictureBytes(Output().ConnectionType());
  const VIDEOINFOHEADER* info = VideoInfoOf(inputType);
  if (info == nullptr || inputPicture == 0 || outputPicture == 0) return VFW_E_NOT_CONNECTED;

  const int inputLength = std::min<int>(std::max<long>(input->GetActualDataLength(), 0), inputPicture);
  const int outputSize = std::min<int>(std::max<long>(output->GetSize(), 0), outputPicture);
  if (latchArmed_.exchange(false)) latch_.Arm();
  const bool latching = latch_.Armed();
  FrameSizes sizes;
  sizes.inputLength = inputLength;
  sizes.outputLength = std::min<int>(std::max<long>(output->GetActualDataLength(), 0), outputSize);
  sizes.inputSize = std::max<long>(input->GetSize(), 0);
  sizes.outputSize = outputSize;
  sizes.rows = std::abs(info->bmiHeader.biHeight);
  if (const Status status = latch_.OnSample(sizes); Failed(status)) return status;
  if (latching) OnGeometryLatched();

  const FrameGeometry& geometry = latch_.Geometry();
  const Frame frame{std::span<const std::uint8_t>(in, static_cast<std::size_t>(inputLength)),
                    std::span<std::uint8_t>(out, static_cast<std::size_t>(outputSize)), geometry, subtype_.load()};
  const HRESULT hr = TransformFrame(input, output, frame);
  if (hr == S_OK) output->SetActualDataLength(geometry.rows * geometry.outputStride);
  return hr;
}

}  // namespace zuna::dshow

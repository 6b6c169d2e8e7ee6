#include "video/convert/win/display_media_type.h"

#include <cstring>

namespace zuna::dshow {

HRESULT DisplayMediaType(const SourcePicture& picture, REFERENCE_TIME averageTimePerFrame, AM_MEDIA_TYPE* type) {
  if (type == nullptr) return E_POINTER;
  *type = AM_MEDIA_TYPE{};
  const std::size_t bytes = DisplayBytes(picture);
  if (bytes == 0 || bytes > 0x7FFFFFFF) return VFW_E_INVALID_MEDIA_TYPE;
  auto* info = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
  if (info == nullptr) return E_OUTOFMEMORY;
  std::memset(info, 0, sizeof(VIDEOINFOHEADER));
  const bool yuy2 = DisplayLayoutOf(picture) == DisplayLayout::kYuy2;
  BITMAPINFOHEADER& header = info->bmiHeader;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = picture.width;
  header.biHeight = picture.rows;  // RGB32 bottom-up; YUY2 rows are top-down whatever the sign
  header.biPlanes = 1;
  header.biBitCount = yuy2 ? 16 : 32;
  header.biCompression = yuy2 ? MAKEFOURCC('Y', 'U', 'Y', '2') : BI_RGB;
  header.biSizeImage = static_cast<DWORD>(bytes);
  info->AvgTimePerFrame = averageTimePerFrame;

  type->majortype = MEDIATYPE_Video;
  type->subtype = yuy2 ? MEDIASUBTYPE_YUY2 : MEDIASUBTYPE_RGB32;
  type->formattype = FORMAT_VideoInfo;
  type->bFixedSizeSamples = TRUE;
  type->bTemporalCompression = FALSE;
  type->lSampleSize = header.biSizeImage;
  type->cbFormat = sizeof(VIDEOINFOHEADER);
  type->pbFormat = reinterpret_cast<BYTE*>(info);
  return S_OK;
}

HRESULT ConvertIntoSample(const SourcePicture& picture, std::span<const std::uint8_t> frame, IMediaSample* sample) {
  if (sample == nullptr) return E_POINTER;
  BYTE* data = nullptr;
  const HRESULT hr = sample->GetPointer(&data);
  if (FAILED(hr)) return hr;
  const long size = sample->GetSize();
  const std::size_t bytes = DisplayBytes(picture);
  if (data == nullptr || size < 0 || static_cast<std::size_t>(size) < bytes) return VFW_E_BUFFER_OVERFLOW;
  if (Failed(ConvertToDisplay(picture, frame, {data, bytes}))) return E_INVALIDARG;
  return sample->SetActualDataLength(static_cast<long>(bytes));
}

}  // namespace zuna::dshow

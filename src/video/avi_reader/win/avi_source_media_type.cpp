#include "video/avi_reader/win/avi_source_media_type.h"

#include <algorithm>
#include <cstring>

#include "video/avi_reader/avi_frame_clock.h"

namespace zuna::dshow {
namespace {

GUID SubtypeOf(const AviStreamFormat& format) {
  if (format.compression == BI_RGB || format.compression == BI_BITFIELDS) {
    switch (format.bitCount) {
      case 32:
        return MEDIASUBTYPE_RGB32;
      case 24:
        return MEDIASUBTYPE_RGB24;
      case 16:
        return format.compression == BI_BITFIELDS ? MEDIASUBTYPE_RGB565 : MEDIASUBTYPE_RGB555;
      case 8:
        return MEDIASUBTYPE_RGB8;
      case 4:
        return MEDIASUBTYPE_RGB4;
      case 1:
        return MEDIASUBTYPE_RGB1;
      default:
        return GUID_NULL;
    }
  }
  // The video subtypes built from a four-character code: {XXXXXXXX-0000-0010-8000-00AA00389B71}.
  GUID subtype = MEDIASUBTYPE_YUY2;
  subtype.Data1 = format.compression;
  return subtype;
}

}  // namespace

DWORD AviSourceSampleBytes(const AviStreamFormat& format, std::uint32_t largestFrame) {
  return std::max<DWORD>({largestFrame, format.Uncompressed() ? format.UncompressedFrameBytes() : 0, 1});
}

HRESULT AviSourceMediaType(const AviStreamFormat& format, AM_MEDIA_TYPE* type) {
  if (type == nullptr) return E_POINTER;
  *type = AM_MEDIA_TYPE{};
  const GUID subtype = SubtypeOf(format);
  if (subtype == GUID_NULL || format.bitmapInfo.size() < sizeof(BITMAPINFOHEADER)) return VFW_E_INVALID_MEDIA_TYPE;
  const std::size_t bytes = offsetof(VIDEOINFOHEADER, bmiHeader) + format.bitmapInfo.size();
  auto* info = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(bytes));
  if (info == nullptr) return E_OUTOFMEMORY;
  std::memset(info, 0, bytes);
  std::memcpy(&info->bmiHeader, format.bitmapInfo.data(), format.bitmapInfo.size());
  info->bmiHeader.biSize = std::min<DWORD>(info->bmiHeader.biSize, static_cast<DWORD>(format.bitmapInfo.size()));
  info->AvgTimePerFrame = AviFrameClock(format.rate, format.scale).FrameDuration();
  const bool uncompressed = format.Uncompressed();
  if (uncompressed && info->bmiHeader.biSizeImage == 0) info->bmiHeader.biSizeImage = format.UncompressedFrameBytes();

  type->majortype = MEDIATYPE_Video;
  type->subtype = subtype;
  type->formattype = FORMAT_VideoInfo;
  type->bFixedSizeSamples = uncompressed ? TRUE : FALSE;
  type->bTemporalCompression = uncompressed ? FALSE : TRUE;
  type->lSampleSize = uncompressed ? info->bmiHeader.biSizeImage : 0;
  type->cbFormat = static_cast<ULONG>(bytes);
  type->pbFormat = reinterpret_cast<BYTE*>(info);
  return S_OK;
}

}  // namespace zuna::dshow

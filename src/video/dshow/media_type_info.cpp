#include "video/dshow/media_type_info.h"

#include <dvdmedia.h>

#include <cstring>
#include <memory>

#include "video/dshow/media_type.h"

namespace zuna::dshow {
namespace {

static_assert(sizeof(GUID) == sizeof(MediaGuid), "MediaGuid mirrors the platform GUID");

class NativeDirectShowType final : public NativeMediaType {
 public:
  HRESULT Set(const AM_MEDIA_TYPE& type) { return type_.Set(type); }
  const AM_MEDIA_TYPE& Get() const { return type_.Get(); }

 private:
  MediaType type_;
};

}  // namespace

MediaGuid ToMediaGuid(const GUID& guid) {
  MediaGuid result;
  result.data1 = guid.Data1;
  result.data2 = guid.Data2;
  result.data3 = guid.Data3;
  std::memcpy(result.data4.data(), guid.Data4, sizeof(guid.Data4));
  return result;
}

GUID ToGuid(const MediaGuid& guid) {
  GUID result{};
  result.Data1 = guid.data1;
  result.Data2 = guid.data2;
  result.Data3 = guid.data3;
  std::memcpy(result.Data4, guid.data4.data(), sizeof(result.Data4));
  return result;
}

HRESULT DescribeMediaType(const AM_MEDIA_TYPE& type, bool keepNative, MediaTypeInfo* info) {
  if (info == nullptr) return E_POINTER;
  *info = MediaTypeInfo{};
  info->majorType = ToMediaGuid(type.majortype);
  info->subtype = ToMediaGuid(type.subtype);
  const BITMAPINFOHEADER* header = nullptr;
  if (const VIDEOINFOHEADER* video = VideoInfoOf(type)) {
    info->format = FormatKind::kVideoInfo;
    info->averageTimePerFrame = video->AvgTimePerFrame;
    header = &video->bmiHeader;
  } else if (type.formattype == FORMAT_VideoInfo2 && type.pbFormat != nullptr &&
             type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
    const auto* video2 = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
    info->format = FormatKind::kVideoInfo2;
    info->averageTimePerFrame = video2->AvgTimePerFrame;
    header = &video2->bmiHeader;
  } else if (type.formattype == GUID_NULL || type.formattype == FORMAT_None || type.pbFormat == nullptr) {
    info->format = FormatKind::kNone;
  } else {
    info->format = FormatKind::kOther;
  }
  if (header != nullptr) {
    info->width = header->biWidth;
    info->height = header->biHeight;
    info->bitCount = header->biBitCount;
  }
  if (!keepNative) return S_OK;
  auto native = std::make_shared<NativeDirectShowType>();
  const HRESULT hr = native->Set(type);
  if (FAILED(hr)) return hr;
  info->native = std::move(native);
  return S_OK;
}

const AM_MEDIA_TYPE* NativeTypeOf(const MediaTypeInfo& info) {
  const auto* native = dynamic_cast<const NativeDirectShowType*>(info.native.get());
  return native != nullptr ? &native->Get() : nullptr;
}

}  // namespace zuna::dshow

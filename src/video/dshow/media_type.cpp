#include "video/dshow/media_type.h"

#include <cstring>

namespace zuna::dshow {

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE& source) {
  if (target == nullptr) return E_POINTER;
  *target = source;
  target->pbFormat = nullptr;
  target->cbFormat = 0;
  if (source.cbFormat != 0 && source.pbFormat != nullptr) {
    target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
    if (target->pbFormat == nullptr) {
      *target = AM_MEDIA_TYPE{};
      return E_OUTOFMEMORY;
    }
    std::memcpy(target->pbFormat, source.pbFormat, source.cbFormat);
    target->cbFormat = source.cbFormat;
  }
  if (target->pUnk != nullptr) target->pUnk->AddRef();
  return S_OK;
}

void FreeMediaType(AM_MEDIA_TYPE& type) {
  if (type.pbFormat != nullptr) CoTaskMemFree(type.pbFormat);
  if (type.pUnk != nullptr) type.pUnk->Release();
  type = AM_MEDIA_TYPE{};
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& source) {
  auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (type == nullptr) return nullptr;
  if (FAILED(CopyMediaType(type, source))) {
    CoTaskMemFree(type);
    return nullptr;
  }
  return type;
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
  if (type == nullptr) return;
  FreeMediaType(*type);
  CoTaskMemFree(type);
}

bool MatchesPartialType(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE* pattern) {
  if (pattern == nullptr) return true;
  if (pattern->majortype != GUID_NULL && pattern->majortype != type.majortype) return false;
  if (pattern->subtype != GUID_NULL && pattern->subtype != type.subtype) return false;
  if (pattern->formattype != GUID_NULL) {
    if (pattern->formattype != type.formattype) return false;
    // A pattern with a format block asks for exactly that block.
    if (pattern->cbFormat != 0) {
      if (pattern->cbFormat != type.cbFormat || pattern->pbFormat == nullptr || type.pbFormat == nullptr) return false;
      if (std::memcmp(pattern->pbFormat, type.pbFormat, type.cbFormat) != 0) return false;
    }
  }
  return true;
}

const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type) {
  if (type.formattype != FORMAT_VideoInfo || type.pbFormat == nullptr) return nullptr;
  if (type.cbFormat < sizeof(VIDEOINFOHEADER)) return nullptr;
  return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

}  // namespace zuna::dshow

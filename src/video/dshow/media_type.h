#pragma once
// AM_MEDIA_TYPE helpers: the format block and the COM reference inside a media type belong to it, so
// every copy takes its own and every free releases both.
#include <dshow.h>

namespace zuna::dshow {

// Deep copy into `target`, which must not hold a format block. E_OUTOFMEMORY leaves `target` empty.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE& source);
// Frees the format block and the unknown of a media type held by value, and empties it.
void FreeMediaType(AM_MEDIA_TYPE& type);
// A media type allocated with CoTaskMemAlloc (as IEnumMediaTypes and IMediaSample hand them out).
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& source);
void DeleteMediaType(AM_MEDIA_TYPE* type);

// True when `type` fits the partly specified `pattern`: GUID_NULL fields of the pattern match anything.
bool MatchesPartialType(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE* pattern);

// The first-generation video header of a type, or null when the type has none or a short block.
const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type);

// A media type held by value that frees itself.
class MediaType {
 public:
  MediaType() = default;
  MediaType(const MediaType&) = delete;
  MediaType& operator=(const MediaType&) = delete;
  ~MediaType() { FreeMediaType(type_); }

  HRESULT Set(const AM_MEDIA_TYPE& source) {
    FreeMediaType(type_);
    return CopyMediaType(&type_, source);
  }
  void Clear() { FreeMediaType(type_); }
  bool Empty() const { return type_.majortype == GUID_NULL && type_.cbFormat == 0; }
  const AM_MEDIA_TYPE& Get() const { return type_; }

 private:
  AM_MEDIA_TYPE type_{};
};

}  // namespace zuna::dshow

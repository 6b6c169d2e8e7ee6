// The AVI source's output pin.
#include <algorithm>
#include <limits>

#include "video/avi_reader/win/avi_source_filter.h"
#include "video/avi_reader/win/avi_source_media_type.h"
#include "video/convert/win/display_media_type.h"
#include "video/dshow/media_type.h"

namespace zuna::dshow {
namespace {

constexpr long kBuffers = 3;  // one on show, one on its way, one being filled

}  // namespace

AviSourceOutputPin::AviSourceOutputPin(AviSourceFilter& filter)
    : OutputPinBase(filter, L"Output"), owner_(filter), seeking_(*static_cast<IPin*>(this), filter) {}

HRESULT AviSourceOutputPin::QueryExtraInterface(REFIID riid, void** object) {
  if (riid == IID_IMediaSeeking) return GetInterface(static_cast<IMediaSeeking*>(&seeking_), object);
  return OutputPinBase::QueryExtraInterface(riid, object);
}

HRESULT AviSourceOutputPin::GetMediaType(int position, AM_MEDIA_TYPE* type) {
  if (type == nullptr) return E_POINTER;
  if (position < 0) return E_INVALIDARG;
  if (position > 0) return VFW_S_NO_MORE_ITEMS;
  return owner_.OfferedMediaType(type);
}

HRESULT AviSourceFilter::OfferedMediaType(AM_MEDIA_TYPE* type) const {
  if (conversion_) return DisplayMediaType(*conversion_, clock_.FrameDuration(), type);
  return AviSourceMediaType(reader_.Format(), type);
}

DWORD AviSourceFilter::SampleBytes() const {
  if (conversion_) return static_cast<DWORD>(DisplayBytes(*conversion_));
  return AviSourceSampleBytes(reader_.Format(), reader_.LargestFrameBytes());
}

HRESULT AviSourceOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  AM_MEDIA_TYPE ours{};
  if (FAILED(owner_.OfferedMediaType(&ours))) return VFW_E_TYPE_NOT_ACCEPTED;
  const VIDEOINFOHEADER* theirs = VideoInfoOf(type);
  const VIDEOINFOHEADER* mine = VideoInfoOf(ours);
  // The file's frames are what they are: only the same picture layout can be offered.
  const bool same = theirs != nullptr && mine != nullptr && type.majortype == ours.majortype &&
                    type.subtype == ours.subtype && theirs->bmiHeader.biWidth == mine->bmiHeader.biWidth &&
                    theirs->bmiHeader.biHeight == mine->bmiHeader.biHeight &&
                    theirs->bmiHeader.biBitCount == mine->bmiHeader.biBitCount &&
                    theirs->bmiHeader.biCompression == mine->bmiHeader.biCompression;
  FreeMediaType(ours);
  return same ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT AviSourceOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
  if (allocator == nullptr || request == nullptr) return E_POINTER;
  // The reader caps frames far below this; a sample size that does not fit the allocator's signed
  // size is refused rather than turned negative.
  const DWORD sample = owner_.SampleBytes();
  if (sample > static_cast<DWORD>(std::numeric_limits<long>::max())) return E_OUTOFMEMORY;
  const long bytes = static_cast<long>(sample);
  request->cBuffers = std::max(request->cBuffers, kBuffers);
  request->cbBuffer = std::max(request->cbBuffer, bytes);
  if (request->cbAlign <= 0) request->cbAlign = 1;
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT hr = allocator->SetProperties(request, &actual);
  if (FAILED(hr)) return hr;
  return actual.cbBuffer >= bytes && actual.cBuffers >= 1 ? S_OK : E_FAIL;
}

}  // namespace zuna::dshow

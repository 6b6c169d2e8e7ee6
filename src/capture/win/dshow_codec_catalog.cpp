#include "capture/win/dshow_codec_catalog.h"

#include <algorithm>

#include "video/win/com_ptr.h"
#include "video/win/dshow_media_graph.h"

namespace zuna {

DirectShowCodecCatalog::~DirectShowCodecCatalog() {
  for (IBaseFilter* filter : filters_) filter->Release();
}

CodecListing DirectShowCodecCatalog::ListVideoCompressors(std::vector<CodecCatalogEntry>* entries) {
  entries->clear();
  dshow::ComPtr<ICreateDevEnum> probe;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                              probe.PutVoid()))) {
    monikers_.Clear();
    return CodecListing::kNoSystemEnumerator;
  }
  const HRESULT hr = monikers_.List(CLSID_VideoCompressorCategory);
  if (hr != S_OK) return CodecListing::kNoCategory;
  for (IMoniker* moniker : monikers_.Monikers()) {
    CodecCatalogEntry entry;
    entry.moniker = DeviceMoniker{reinterpret_cast<std::uintptr_t>(moniker)};
    bool bagOpened = false;
    if (moniker != nullptr) entry.nameRead = ReadFriendlyName(moniker, &bagOpened, &entry.friendlyName);
    entries->push_back(std::move(entry));
  }
  return CodecListing::kListed;
}

Status DirectShowCodecCatalog::BindCodecFilter(DeviceMoniker moniker, FilterRef* filter) {
  if (filter == nullptr) return E_POINTER;
  *filter = {};
  if (!monikers_.Holds(moniker)) return E_INVALIDARG;
  IBaseFilter* bound = nullptr;
  const HRESULT hr = BindMonikerFilter(reinterpret_cast<IMoniker*>(moniker.id), &bound);
  if (FAILED(hr)) return hr;
  filters_.push_back(bound);
  *filter = dshow::ToFilterRef(bound);
  return S_OK;
}

void DirectShowCodecCatalog::ReleaseCodecFilter(FilterRef filter) {
  const auto found = std::find(filters_.begin(), filters_.end(), dshow::ToFilter(filter));
  if (found == filters_.end()) return;
  IBaseFilter* released = *found;
  filters_.erase(found);
  released->Release();
}

}  // namespace zuna

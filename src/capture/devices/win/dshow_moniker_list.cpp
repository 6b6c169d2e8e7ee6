#include "capture/devices/win/dshow_moniker_list.h"

#include <algorithm>

#include "video/dshow/com_ptr.h"
#include "video/player/win/dshow_media_graph.h"

namespace zuna {

using dshow::ComPtr;
using dshow::ToFilter;
using dshow::ToFilterRef;

bool ReadFriendlyName(IMoniker* moniker, bool* bagOpened, std::wstring* name) {
  *bagOpened = false;
  name->clear();
  ComPtr<IPropertyBag> bag;
  if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid())) || !bag) return false;
  *bagOpened = true;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  const HRESULT hr = bag->Read(L"FriendlyName", &value, nullptr);
  const bool read = SUCCEEDED(hr) && value.vt == VT_BSTR;
  if (read && value.bstrVal != nullptr) name->assign(value.bstrVal, SysStringLen(value.bstrVal));
  VariantClear(&value);
  return read;
}

MonikerList::~MonikerList() {
  Clear();
  for (IBaseFilter* filter : filters_) filter->Release();
}

MonikerListing MonikerList::ListCategory(const CLSID& category) {
  Clear();
  ComPtr<ICreateDevEnum> devices;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                              devices.PutVoid())) ||
      !devices) {
    return MonikerListing::kNoSystemEnumerator;
  }
  ComPtr<IEnumMoniker> enumerator;
  const HRESULT hr = devices->CreateClassEnumerator(category, enumerator.Put(), 0);
  if (hr == S_FALSE) return MonikerListing::kEmpty;
  if (FAILED(hr) || !enumerator) return MonikerListing::kFailed;
  for (;;) {
    IMoniker* moniker = nullptr;
    ULONG fetched = 0;
    if (enumerator->Next(1, &moniker, &fetched) != S_OK || fetched != 1) {
      if (moniker != nullptr) moniker->Release();
      break;
    }
    monikers_.push_back(moniker);
  }
  return MonikerListing::kListed;
}

void MonikerList::Clear() {
  for (IMoniker* moniker : monikers_) {
    if (moniker != nullptr) moniker->Release();
  }
  monikers_.clear();
}

bool MonikerList::Holds(DeviceMoniker moniker) const {
  const auto* wanted = reinterpret_cast<IMoniker*>(moniker.id);
  return wanted != nullptr && std::find(monikers_.begin(), monikers_.end(), wanted) != monikers_.end();
}

Status MonikerList::BindFilter(DeviceMoniker moniker, FilterRef* filter) {
  if (filter == nullptr) return E_POINTER;
  *filter = {};
  if (!Holds(moniker)) return E_INVALIDARG;
  IBaseFilter* bound = nullptr;
  const HRESULT hr = reinterpret_cast<IMoniker*>(moniker.id)
                         ->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&bound));
  if (FAILED(hr)) return hr;
  if (bound == nullptr) return E_POINTER;
  filters_.push_back(bound);
  *filter = ToFilterRef(bound);
  return S_OK;
}

void MonikerList::ReleaseFilter(FilterRef filter) {
  const auto found = std::find(filters_.begin(), filters_.end(), ToFilter(filter));
  if (found == filters_.end()) return;
  IBaseFilter* released = *found;
  filters_.erase(found);
  released->Release();
}

}  // namespace zuna

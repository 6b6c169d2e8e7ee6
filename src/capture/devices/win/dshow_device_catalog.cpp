#include "capture/devices/win/dshow_device_catalog.h"

#include <algorithm>

#include "video/dshow/media_type.h"
#include "video/dshow/media_type_info.h"
#include "video/player/win/dshow_media_graph.h"

namespace zuna {

using dshow::ComPtr;
using dshow::ToFilter;
using dshow::ToFilterRef;
using dshow::ToPin;

DeviceListing DirectShowDeviceCatalog::ListVideoInputDevices(std::vector<DeviceCatalogEntry>* entries) {
  entries->clear();
  switch (monikers_.ListCategory(CLSID_VideoInputDeviceCategory)) {
    case MonikerListing::kNoSystemEnumerator:
      return DeviceListing::kNoSystemEnumerator;
    case MonikerListing::kEmpty:
      return DeviceListing::kEmpty;
    case MonikerListing::kFailed:
      return DeviceListing::kNoCategoryEnumerator;
    case MonikerListing::kListed:
      break;
  }
  for (IMoniker* moniker : monikers_.Monikers()) {
    DeviceCatalogEntry entry;
    entry.moniker = DeviceMoniker{reinterpret_cast<std::uintptr_t>(moniker)};
    if (moniker != nullptr) entry.nameRead = ReadFriendlyName(moniker, &entry.propertyBag, &entry.friendlyName);
    entries->push_back(std::move(entry));
  }
  return DeviceListing::kListed;
}

Status DirectShowDeviceCatalog::BindSourceFilter(DeviceMoniker moniker, FilterRef* filter) {
  return monikers_.BindFilter(moniker, filter);
}

void DirectShowDeviceCatalog::ReleaseSourceFilter(FilterRef filter) {
  monikers_.ReleaseFilter(filter);
}

// The decoder of the video stream: through the capture graph builder with no pin category (a
// category-qualified search does not find it everywhere), else on the filter itself.
HRESULT DirectShowDeviceCatalog::Decoder(FilterRef filter, IAMAnalogVideoDecoder** decoder) {
  *decoder = nullptr;
  if (!filter) return E_POINTER;
  if (!builder_) {
    CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                     builder_.PutVoid());
  }
  HRESULT hr = E_NOINTERFACE;
  if (builder_) {
    hr = builder_->FindInterface(nullptr, &MEDIATYPE_Video, ToFilter(filter), IID_IAMAnalogVideoDecoder,
                                 reinterpret_cast<void**>(decoder));
  }
  if (FAILED(hr) || *decoder == nullptr) {
    if (*decoder != nullptr) (*decoder)->Release();
    *decoder = nullptr;
    hr = ToFilter(filter)->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(decoder));
  }
  if (SUCCEEDED(hr) && *decoder == nullptr) return E_NOINTERFACE;
  return hr;
}

bool DirectShowDeviceCatalog::HasAnalogDecoder(FilterRef filter) {
  ComPtr<IAMAnalogVideoDecoder> decoder;
  return SUCCEEDED(Decoder(filter, decoder.Put()));
}

Status DirectShowDeviceCatalog::GetAnalogVideoStandard(FilterRef filter, std::int32_t* standard) {
  if (standard == nullptr) return E_POINTER;
  ComPtr<IAMAnalogVideoDecoder> decoder;
  HRESULT hr = Decoder(filter, decoder.Put());
  if (FAILED(hr)) return hr;
  long value = 0;
  hr = decoder->get_TVFormat(&value);
  if (SUCCEEDED(hr)) *standard = static_cast<std::int32_t>(value);
  return hr;
}

Status DirectShowDeviceCatalog::SetAnalogVideoStandard(FilterRef filter, std::int32_t standard) {
  ComPtr<IAMAnalogVideoDecoder> decoder;
  const HRESULT hr = Decoder(filter, decoder.Put());
  return FAILED(hr) ? hr : decoder->put_TVFormat(standard);
}

HRESULT DirectShowDeviceCatalog::ProcAmp(FilterRef filter, IAMVideoProcAmp** amp) {
  *amp = nullptr;
  if (!filter) return E_POINTER;
  const HRESULT hr = ToFilter(filter)->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(amp));
  if (SUCCEEDED(hr) && *amp == nullptr) return E_NOINTERFACE;
  return hr;
}

bool DirectShowDeviceCatalog::HasProcAmp(FilterRef filter) {
  ComPtr<IAMVideoProcAmp> amp;
  return SUCCEEDED(ProcAmp(filter, amp.Put()));
}

Status DirectShowDeviceCatalog::GetProcAmpValue(FilterRef filter, int property, std::int32_t* value,
                                                std::int32_t* flags) {
  if (value == nullptr || flags == nullptr) return E_POINTER;
  ComPtr<IAMVideoProcAmp> amp;
  HRESULT hr = ProcAmp(filter, amp.Put());
  if (FAILED(hr)) return hr;
  long current = 0, currentFlags = 0;
  hr = amp->Get(property, &current, &currentFlags);
  if (SUCCEEDED(hr)) {
    *value = static_cast<std::int32_t>(current);
    *flags = static_cast<std::int32_t>(currentFlags);
  }
  return hr;
}

Status DirectShowDeviceCatalog::GetProcAmpRange(FilterRef filter, int property, ProcAmpLimits* limits) {
  if (limits == nullptr) return E_POINTER;
  ComPtr<IAMVideoProcAmp> amp;
  HRESULT hr = ProcAmp(filter, amp.Put());
  if (FAILED(hr)) return hr;
  long minimum = 0, maximum = 0, stepping = 0, defaultValue = 0, caps = 0;
  hr = amp->GetRange(property, &minimum, &maximum, &stepping, &defaultValue, &caps);
  if (SUCCEEDED(hr)) {
    *limits = {static_cast<std::int32_t>(minimum), static_cast<std::int32_t>(maximum),
               static_cast<std::int32_t>(stepping), static_cast<std::int32_t>(defaultValue),
               static_cast<std::int32_t>(caps)};
  }
  return hr;
}

Status DirectShowDeviceCatalog::SetProcAmpValue(FilterRef filter, int property, std::int32_t value,
                                                std::int32_t flags) {
  ComPtr<IAMVideoProcAmp> amp;
  const HRESULT hr = ProcAmp(filter, amp.Put());
  return FAILED(hr) ? hr : amp->Set(property, value, flags);
}

Status DirectShowDeviceCatalog::EnumerateSourcePins(FilterRef filter, std::vector<PinInfo>* pins) {
  if (!filter) return E_POINTER;
  const HRESULT hr = dshow::ListPins(ToFilter(filter), pins);
  return hr == E_POINTER ? kPointer : hr;
}

Status DirectShowDeviceCatalog::EnumeratePinMediaTypes(PinRef pin, std::vector<MediaTypeInfo>* types) {
  if (!pin || types == nullptr) return E_POINTER;
  types->clear();
  ComPtr<IEnumMediaTypes> enumerator;
  HRESULT hr = ToPin(pin)->EnumMediaTypes(enumerator.Put());
  if (FAILED(hr)) return hr;
  if (!enumerator) return E_POINTER;
  for (;;) {
    AM_MEDIA_TYPE* type = nullptr;
    ULONG fetched = 0;
    hr = enumerator->Next(1, &type, &fetched);
    if (hr != S_OK || fetched != 1) {
      dshow::DeleteMediaType(type);
      break;
    }
    if (type == nullptr) continue;
    MediaTypeInfo info;
    const HRESULT described = dshow::DescribeMediaType(*type, true, &info);
    dshow::DeleteMediaType(type);
    if (FAILED(described)) return described;
    types->push_back(std::move(info));
  }
  return FAILED(hr) ? hr : S_OK;
}

}  // namespace zuna

// The two renderers and the colour-control effect of the DirectShow media graph.
#include <dmo.h>
#include <dmodshow.h>
#include <dmoreg.h>

#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type_info.h"
#include "video/player/win/dshow_media_graph.h"

namespace zuna::dshow {
namespace {

// The "Color Control" effect's property set: brightness is property 1, contrast property 2.
// {174FB0EC-2695-476C-88AA-D2B41CE75E67}
constexpr GUID kColorControlProperties = {0x174FB0EC, 0x2695, 0x476C, {0x88, 0xAA, 0xD2, 0xB4, 0x1C, 0xE7, 0x5E, 0x67}};

}  // namespace

// --- Enhanced Video Renderer, or the window renderer where the EVR cannot show the stream

Status DirectShowMediaGraph::CreateEvr(FilterRef* evr) {
  if (evr == nullptr) return E_POINTER;
  *evr = {};
  HRESULT hr = E_FAIL;
  windowRenderer_ = nullptr;
  if (!UseWindowRenderer()) {
    hr = CoCreateInstance(CLSID_EnhancedVideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, evr_.PutVoid());
  }
  if (FAILED(hr)) {
    windowRenderer_ = WindowRenderer::Create();
    if (windowRenderer_ == nullptr) return E_OUTOFMEMORY;
    evr_.Reset();
    *evr_.Put() = windowRenderer_;  // the one reference made by Create
  }
  *evr = ToFilterRef(evr_.Get());
  return S_OK;
}

Status DirectShowMediaGraph::GetEvrService() {
  if (!evr_) return E_POINTER;
  if (windowRenderer_ != nullptr) return S_OK;  // its display control is the renderer itself
  return evr_->QueryInterface(IID_IMFGetService, evrService_.PutVoid());
}

Status DirectShowMediaGraph::GetEvrDisplayControl() {
  if (windowRenderer_ != nullptr) return S_OK;
  if (!evrService_) return E_POINTER;
  const HRESULT hr = evrService_->GetService(MR_VIDEO_RENDER_SERVICE, IID_IMFVideoDisplayControl, display_.PutVoid());
  if (SUCCEEDED(hr) && !display_) return E_POINTER;
  return hr;
}

Status DirectShowMediaGraph::SetEvrAspectRatio(bool preservePicture) {
  // The window renderer draws the whole picture into the whole output: there is nothing to correct.
  if (windowRenderer_ != nullptr) return S_OK;
  if (!display_) return E_POINTER;
  return display_->SetAspectRatioMode(preservePicture ? MFVideoARMode_PreservePicture : MFVideoARMode_None);
}

Status DirectShowMediaGraph::SetEvrVideoWindow(std::uintptr_t window) {
  if (windowRenderer_ != nullptr) {
    windowRenderer_->SetWindow(reinterpret_cast<HWND>(window));
    return S_OK;
  }
  if (!display_) return E_POINTER;
  return display_->SetVideoWindow(reinterpret_cast<HWND>(window));
}

Status DirectShowMediaGraph::SetEvrVideoPosition(int width, int height) {
  if (windowRenderer_ != nullptr) return windowRenderer_->SetOutputSize(width, height);
  if (!display_) return E_POINTER;
  MFVideoNormalizedRect source{0.0f, 0.0f, 1.0f, 1.0f};
  RECT destination{0, 0, width, height};
  return display_->SetVideoPosition(&source, &destination);
}

Status DirectShowMediaGraph::RepaintEvr() {
  if (windowRenderer_ != nullptr) return windowRenderer_->Repaint();
  if (!display_) return E_POINTER;
  return display_->RepaintVideo();
}

Status DirectShowMediaGraph::CreateNullRenderer(FilterRef* nullRenderer) {
  if (nullRenderer == nullptr) return E_POINTER;
  *nullRenderer = {};
  const HRESULT hr =
      CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, nullRenderer_.PutVoid());
  if (FAILED(hr)) return hr;
  *nullRenderer = ToFilterRef(nullRenderer_.Get());
  return S_OK;
}

// --- Colour-control effect

Status DirectShowMediaGraph::EnumerateVideoEffects(std::vector<VideoEffectInfo>* effects) {
  if (effects == nullptr) return E_POINTER;
  effects->clear();
  ComPtr<IEnumDMO> enumerator;
  HRESULT hr = DMOEnum(DMOCATEGORY_VIDEO_EFFECT, DMO_ENUMF_INCLUDE_KEYED, 0, nullptr, 0, nullptr, enumerator.Put());
  if (FAILED(hr)) return hr;
  if (!enumerator) return E_POINTER;
  for (;;) {
    CLSID classId{};
    WCHAR* name = nullptr;
    DWORD fetched = 0;
    hr = enumerator->Next(1, &classId, &name, &fetched);
    if (hr != S_OK || fetched != 1) {
      CoTaskMemFree(name);
      break;
    }
    VideoEffectInfo effect;
    if (name != nullptr) effect.name.assign(name, wcsnlen(name, 256));
    CoTaskMemFree(name);
    effect.classId = ToMediaGuid(classId);
    effects->push_back(std::move(effect));
  }
  return FAILED(hr) ? hr : S_OK;
}

Status DirectShowMediaGraph::CreateDmoWrapper(FilterRef* wrapper) {
  if (wrapper == nullptr) return E_POINTER;
  *wrapper = {};
  const HRESULT hr =
      CoCreateInstance(CLSID_DMOWrapperFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, dmoWrapper_.PutVoid());
  if (FAILED(hr)) return hr;
  *wrapper = ToFilterRef(dmoWrapper_.Get());
  return S_OK;
}

Status DirectShowMediaGraph::InitializeDmoWrapper(FilterRef wrapper, const MediaGuid& dmoClassId) {
  if (!wrapper) return E_POINTER;
  ComPtr<IDMOWrapperFilter> init;
  if (FAILED(ToFilter(wrapper)->QueryInterface(IID_IDMOWrapperFilter, init.PutVoid())) || !init) return kNoInterface;
  return init->Init(ToGuid(dmoClassId), DMOCATEGORY_VIDEO_EFFECT);
}

Status DirectShowMediaGraph::OpenColorControlStore(FilterRef wrapper) {
  if (!wrapper) return E_POINTER;
  // The wrapper hands out the interfaces of the effect inside it.
  const HRESULT hr = ToFilter(wrapper)->QueryInterface(IID_IPropertyStore, colorStore_.PutVoid());
  if (SUCCEEDED(hr) && !colorStore_) return E_POINTER;
  return hr;
}

Status DirectShowMediaGraph::SetColorControlValue(int propertyId, std::int32_t value) {
  if (!colorStore_) return E_POINTER;
  PROPERTYKEY key{kColorControlProperties, static_cast<DWORD>(propertyId)};
  PROPVARIANT current;
  PropVariantInit(&current);
  HRESULT hr = colorStore_->GetValue(key, &current);
  if (SUCCEEDED(hr)) {
    PropVariantClear(&current);  // whatever it held, the new value is an integer
    current.vt = VT_I4;
    current.lVal = value;
    hr = colorStore_->SetValue(key, current);
  }
  PropVariantClear(&current);
  return hr;
}

}  // namespace zuna::dshow

// The two renderers and the colour-control effect of the DirectShow media graph.
#include <dmo.h>
#include <dmodshow.h>
#include <dmoreg.h>

#include <string>

#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type_info.h"
#include "video/player/win/dshow_media_graph.h"
#include "video/player/win/overlay_drawing.h"

namespace zuna::dshow {
namespace {

// The "Color Control" effect's property set: brightness is property 1, contrast property 2.
// {174FB0EC-2695-476C-88AA-D2B41CE75E67}
constexpr GUID kColorControlProperties = {0x174FB0EC, 0x2695, 0x476C, {0x88, 0xAA, 0xD2, 0xB4, 0x1C, 0xE7, 0x5E, 0x67}};

}  // namespace

// --- Enhanced Video Renderer, or the window renderer where the EVR cannot show the stream

Status DirectShowMediaGraph::CreateVideoRenderer(PictureRenderer choice, bool preservePicture,
                                                 VideoRendererStep* failed) {
  if (failed == nullptr) return E_POINTER;
  *failed = VideoRendererStep::kCreate;
  HRESULT hr = CreatePictureRenderer(choice);
  if (FAILED(hr)) return hr;
  hr = ReachDisplayControl(failed);
  if (FAILED(hr)) return hr;
  *failed = VideoRendererStep::kAspectRatio;
  return SetAspectRatio(preservePicture);
}

PictureRenderer DirectShowMediaGraph::PictureRendererMade() const {
  return windowRenderer_ != nullptr ? PictureRenderer::kWindow : PictureRenderer::kEnhanced;
}

// A window renderer that cannot be made leaves the renderer made before.
HRESULT DirectShowMediaGraph::CreatePictureRenderer(PictureRenderer choice) {
  if (choice == PictureRenderer::kEnhanced && !UseWindowRenderer()) {
    display_.Reset();
    windowRenderer_ = nullptr;
    const HRESULT hr =
        CoCreateInstance(CLSID_EnhancedVideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, evr_.PutVoid());
    if (SUCCEEDED(hr) && !evr_) return E_POINTER;
    return hr;
  }
  WindowRenderer* made = WindowRenderer::Create();
  if (made == nullptr) return E_OUTOFMEMORY;
  display_.Reset();
  evr_.Reset();
  windowRenderer_ = made;
  *evr_.Put() = made;  // the one reference made by Create
  made->SetOverlay(overlay_);
  return S_OK;
}

void DirectShowMediaGraph::SetOverlay(const VideoOverlay* overlay) {
  overlay_ = overlay;
  if (windowRenderer_ != nullptr) windowRenderer_->SetOverlay(overlay);
}

// The EVR's display control is reached through its service accessor; the window renderer is its
// own display control.
HRESULT DirectShowMediaGraph::ReachDisplayControl(VideoRendererStep* failed) {
  if (windowRenderer_ != nullptr) return S_OK;
  *failed = VideoRendererStep::kService;
  ComPtr<IMFGetService> service;
  HRESULT hr = evr_->QueryInterface(IID_IMFGetService, service.PutVoid());
  if (FAILED(hr)) return hr;
  *failed = VideoRendererStep::kDisplayControl;
  if (!service) return E_POINTER;
  hr = service->GetService(MR_VIDEO_RENDER_SERVICE, IID_IMFVideoDisplayControl, display_.PutVoid());
  if (SUCCEEDED(hr) && !display_) return E_POINTER;
  return hr;
}

HRESULT DirectShowMediaGraph::SetAspectRatio(bool preservePicture) {
  // The window renderer draws the whole picture into the whole output: there is nothing to correct.
  if (windowRenderer_ != nullptr) return S_OK;
  if (!display_) return E_POINTER;
  return display_->SetAspectRatioMode(preservePicture ? MFVideoARMode_PreservePicture : MFVideoARMode_None);
}

Status DirectShowMediaGraph::ShowIn(std::uintptr_t window) {
  videoWindow_ = reinterpret_cast<HWND>(window);
  if (windowRenderer_ != nullptr) {
    windowRenderer_->SetWindow(reinterpret_cast<HWND>(window));
    return S_OK;
  }
  if (!display_) return E_POINTER;
  return display_->SetVideoWindow(reinterpret_cast<HWND>(window));
}

Status DirectShowMediaGraph::SetVideoSize(int width, int height) {
  if (windowRenderer_ != nullptr) return windowRenderer_->SetOutputSize(width, height);
  if (!display_) return E_POINTER;
  MFVideoNormalizedRect source{0.0f, 0.0f, 1.0f, 1.0f};
  RECT destination{0, 0, width, height};
  return display_->SetVideoPosition(&source, &destination);
}

Status DirectShowMediaGraph::Repaint() {
  if (windowRenderer_ != nullptr) return windowRenderer_->Repaint();
  if (!display_) return E_POINTER;
  const HRESULT hr = display_->RepaintVideo();
  // The EVR draws no marks of ours: they go over the repainted picture, which stands while paused.
  SIZE native{}, shown{};
  RECT destination{};
  MFVideoNormalizedRect source{};
  if (SUCCEEDED(hr) && overlay_ != nullptr && videoWindow_ != nullptr &&
      SUCCEEDED(display_->GetNativeVideoSize(&native, nullptr)) &&
      SUCCEEDED(display_->GetVideoPosition(&source, &destination)) && native.cx > 0 && native.cy > 0) {
    shown = {destination.right - destination.left, destination.bottom - destination.top};
    if (HDC dc = GetDC(videoWindow_); dc != nullptr) {
      DrawOverlay(dc, *overlay_, static_cast<double>(shown.cx) / native.cx, static_cast<double>(shown.cy) / native.cy);
      ReleaseDC(videoWindow_, dc);
    }
  }
  return hr;
}

Status DirectShowMediaGraph::CreateNullRenderer() {
  return CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, nullRenderer_.PutVoid());
}

FilterRef DirectShowMediaGraph::Renderer(RendererKind kind) const {
  if (kind == RendererKind::kEvr) return ToFilterRef(evr_.Get());
  if (kind == RendererKind::kNull) return ToFilterRef(nullRenderer_.Get());
  return {};
}

// --- Colour-control effect

Status DirectShowMediaGraph::EnableColorControl(FilterRef* filter, ColorControlStep* failed) {
  if (filter == nullptr || failed == nullptr) return E_POINTER;
  *filter = {};
  *failed = ColorControlStep::kNotInstalled;
  GUID classId{};
  HRESULT hr = FindColorControl(&classId);
  if (FAILED(hr)) return hr;
  hr = WrapColorControl(classId, failed);
  if (FAILED(hr)) {
    colorStore_.Reset();
    dmoWrapper_.Reset();
    return hr;
  }
  *filter = ToFilterRef(dmoWrapper_.Get());
  return S_OK;
}

// The installed video effects, looked up by the name the platform gives its own.
HRESULT DirectShowMediaGraph::FindColorControl(GUID* classId) {
  ComPtr<IEnumDMO> enumerator;
  HRESULT hr = DMOEnum(DMOCATEGORY_VIDEO_EFFECT, DMO_ENUMF_INCLUDE_KEYED, 0, nullptr, 0, nullptr, enumerator.Put());
  if (FAILED(hr)) return hr;
  if (!enumerator) return E_POINTER;
  for (;;) {
    CLSID found{};
    WCHAR* name = nullptr;
    DWORD fetched = 0;
    hr = enumerator->Next(1, &found, &name, &fetched);
    if (hr != S_OK || fetched != 1) {
      CoTaskMemFree(name);
      return E_FAIL;
    }
    const bool colorControl = name != nullptr && std::wstring(name, wcsnlen(name, 256)) == L"Color Control";
    CoTaskMemFree(name);
    if (colorControl) {
      *classId = found;
      return S_OK;
    }
  }
}

// The effect inside the DMO wrapper filter, whose property store is the effect's.
HRESULT DirectShowMediaGraph::WrapColorControl(const GUID& classId, ColorControlStep* failed) {
  *failed = ColorControlStep::kCreate;
  HRESULT hr =
      CoCreateInstance(CLSID_DMOWrapperFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, dmoWrapper_.PutVoid());
  if (FAILED(hr)) return hr;
  if (!dmoWrapper_) return E_POINTER;
  *failed = ColorControlStep::kMissingInterface;
  ComPtr<IDMOWrapperFilter> init;
  if (FAILED(dmoWrapper_->QueryInterface(IID_IDMOWrapperFilter, init.PutVoid())) || !init) return kNoInterface;
  *failed = ColorControlStep::kInitialize;
  hr = init->Init(classId, DMOCATEGORY_VIDEO_EFFECT);
  if (FAILED(hr)) return hr;
  *failed = ColorControlStep::kPropertyStore;
  hr = dmoWrapper_->QueryInterface(IID_IPropertyStore, colorStore_.PutVoid());
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

// Runs the registered "Color Control" video effect the way the display chain uses it: found by name
// among the video-effect DMOs, wrapped in the DMO wrapper filter, set through the property store the
// wrapper hands out, and fed pictures from the synthetic camera in a running graph. Probes before and
// after the wrapper compare the bytes.
//
//   dshow_color_control_test [path\to\zuna_synthetic_camera.dll]
// Needs the effect registered (color_control_setup register). The last line reads "N passed, M failed".
#include <windows.h>

#include <dmo.h>
#include <dmodshow.h>
#include <dmoreg.h>
#include <dshow.h>
#include <propsys.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "dshow_test_support.h"
#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type.h"

namespace {

using namespace zuna;
using namespace zuna::dshow_test;

// The effect's property set: brightness is property 1, contrast property 2.
constexpr GUID kColorProperties = {0x174FB0EC, 0x2695, 0x476C, {0x88, 0xAA, 0xD2, 0xB4, 0x1C, 0xE7, 0x5E, 0x67}};
constexpr PROPERTYKEY kBrightness{kColorProperties, 1};
constexpr PROPERTYKEY kContrast{kColorProperties, 2};
constexpr REFERENCE_TIME kNtscFrame = 333667;
// MinGW-w64 declares the DMO results as unsigned constants.
constexpr HRESULT kNotAccepted = static_cast<HRESULT>(DMO_E_TYPE_NOT_ACCEPTED);
constexpr HRESULT kNotSet = static_cast<HRESULT>(DMO_E_TYPE_NOT_SET);
constexpr HRESULT kBadStream = static_cast<HRESULT>(DMO_E_INVALIDSTREAMINDEX);
constexpr HRESULT kNoMoreTypes = static_cast<HRESULT>(DMO_E_NO_MORE_ITEMS);

std::wstring g_cameraDll;

// ---- finding and wrapping the effect

bool FindColorControl(CLSID* classId) {
  IEnumDMO* effects = nullptr;
  if (FAILED(DMOEnum(DMOCATEGORY_VIDEO_EFFECT, DMO_ENUMF_INCLUDE_KEYED, 0, nullptr, 0, nullptr, &effects)) ||
      effects == nullptr) {
    return false;
  }
  bool found = false;
  CLSID id{};
  WCHAR* name = nullptr;
  DWORD fetched = 0;
  while (!found && effects->Next(1, &id, &name, &fetched) == S_OK && fetched == 1) {
    found = name != nullptr && std::wstring(name) == L"Color Control";
    if (found) *classId = id;
    CoTaskMemFree(name);
    name = nullptr;
  }
  effects->Release();
  return found;
}

// The wrapper filter initialised with the effect, or null.
IBaseFilter* MakeWrapper(const CLSID& effect) {
  IBaseFilter* wrapper = nullptr;
  if (FAILED(CoCreateInstance(CLSID_DMOWrapperFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              reinterpret_cast<void**>(&wrapper)))) {
    return nullptr;
  }
  IDMOWrapperFilter* init = nullptr;
  HRESULT hr = wrapper->QueryInterface(IID_IDMOWrapperFilter, reinterpret_cast<void**>(&init));
  if (SUCCEEDED(hr)) {
    hr = init->Init(effect, DMOCATEGORY_VIDEO_EFFECT);
    init->Release();
  }
  if (FAILED(hr)) {
    std::printf("  cannot initialise the DMO wrapper: 0x%08lX\n", static_cast<unsigned long>(hr));
    wrapper->Release();
    return nullptr;
  }
  return wrapper;
}

IPropertyStore* StoreOf(IBaseFilter* wrapper) {
  IPropertyStore* store = nullptr;
  if (wrapper != nullptr) wrapper->QueryInterface(IID_IPropertyStore, reinterpret_cast<void**>(&store));
  return store;
}

bool ReadInt(IPropertyStore* store, const PROPERTYKEY& key, long* value) {
  PROPVARIANT current;
  PropVariantInit(&current);
  const bool ok = SUCCEEDED(store->GetValue(key, &current)) && current.vt == VT_I4;
  if (ok) *value = current.lVal;
  PropVariantClear(&current);
  return ok;
}

// As the program does it: read the current value, replace its integer, write it back.
HRESULT WriteInt(IPropertyStore* store, const PROPERTYKEY& key, long value) {
  PROPVARIANT current;
  PropVariantInit(&current);
  HRESULT hr = store->GetValue(key, &current);
  if (SUCCEEDED(hr)) {
    PropVariantClear(&current);
    current.vt = VT_I4;
    current.lVal = value;
    hr = store->SetValue(key, current);
  }
  PropVariantClear(&current);
  return hr;
}

IBaseFilter* MakeCamera() {
  SetEnvironmentVariableW(L"ZUNA_CAMERA1_STANDARD", L"NTSC_M");
  SetEnvironmentVariableW(L"ZUNA_CAMERA1_DROPFRAMES", L"");
  SetEnvironmentVariableW(L"ZUNA_CAMERA1_DROPEVERY", L"0");
  IBaseFilter* filter = nullptr;
  const HRESULT hr = CreateSyntheticCamera(g_cameraDll, 1, &filter);
  if (FAILED(hr)) std::printf("  cannot create synthetic camera: 0x%08lX\n", static_cast<unsigned long>(hr));
  return filter;
}

// ---- the tests

void TestPropertyStore(const CLSID& effect) {
  Section("property store through the wrapper: two VT_I4 values, clamped, 0 at start");
  IBaseFilter* wrapper = MakeWrapper(effect);
  if (!CHECK(wrapper != nullptr)) return;
  IPropertyStore* store = StoreOf(wrapper);
  if (CHECK(store != nullptr)) {
    DWORD count = 0;
    CHECK(store->GetCount(&count) == S_OK && count == 2);
    long value = -1;
    CHECK(ReadInt(store, kBrightness, &value) && value == 0);
    CHECK(ReadInt(store, kContrast, &value) && value == 0);
    CHECK(WriteInt(store, kBrightness, 64) == S_OK && ReadInt(store, kBrightness, &value) && value == 64);
    CHECK(WriteInt(store, kBrightness, 500) == S_OK && ReadInt(store, kBrightness, &value) && value == 127);
    CHECK(WriteInt(store, kContrast, -500) == S_OK && ReadInt(store, kContrast, &value) && value == -127);
    CHECK(ReadInt(store, kBrightness, &value) && value == 127);
    // Another key of the set, or another set, reads as empty.
    PROPVARIANT other;
    PropVariantInit(&other);
    CHECK(store->GetValue(PROPERTYKEY{kColorProperties, 3}, &other) == S_OK && other.vt == VT_EMPTY);
    CHECK(store->GetValue(PROPERTYKEY{CLSID_DMOWrapperFilter, 1}, &other) == S_OK && other.vt == VT_EMPTY);
    other.vt = VT_BSTR;
    other.bstrVal = nullptr;
    CHECK(FAILED(store->SetValue(kBrightness, other)));
    // The store belongs to the wrapper: asked for IUnknown it answers the wrapper's identity.
    IUnknown* fromStore = nullptr;
    IUnknown* fromWrapper = nullptr;
    store->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromStore));
    wrapper->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromWrapper));
    CHECK(fromStore != nullptr && fromStore == fromWrapper);
    if (fromStore != nullptr) fromStore->Release();
    if (fromWrapper != nullptr) fromWrapper->Release();
    store->Release();
  }
  // A fresh effect starts at 0 again.
  IBaseFilter* second = MakeWrapper(effect);
  IPropertyStore* fresh = StoreOf(second);
  long value = -1;
  CHECK(fresh != nullptr && ReadInt(fresh, kBrightness, &value) && value == 0);
  if (fresh != nullptr) fresh->Release();
  if (second != nullptr) second->Release();
  wrapper->Release();
}

void TestMediaTypes(const CLSID& effect) {
  Section("media types: YUY2 and RGB32 of a consistent size, same type on both sides");
  IBaseFilter* wrapper = MakeWrapper(effect);
  if (!CHECK(wrapper != nullptr)) return;
  IMediaObject* dmo = nullptr;
  if (CHECK(SUCCEEDED(wrapper->QueryInterface(IID_IMediaObject, reinterpret_cast<void**>(&dmo))))) {
    AM_MEDIA_TYPE yuy2 = VideoType(MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame);
    AM_MEDIA_TYPE rgb32 = VideoType(MEDIASUBTYPE_RGB32, 640, 480, 32, 333333);
    AM_MEDIA_TYPE rgb24 = VideoType(MEDIASUBTYPE_RGB24, 640, 480, 24, 333333);
    AM_MEDIA_TYPE odd = VideoType(MEDIASUBTYPE_YUY2, 721, 480, 16, kNtscFrame);
    AM_MEDIA_TYPE small = VideoType(MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame);
    reinterpret_cast<VIDEOINFOHEADER*>(small.pbFormat)->bmiHeader.biSizeImage = 720 * 2 * 479;
    auto dmoType = [](const AM_MEDIA_TYPE& type) { return reinterpret_cast<const DMO_MEDIA_TYPE*>(&type); };
    constexpr DWORD kTest = DMO_SET_TYPEF_TEST_ONLY;
    CHECK(dmo->SetInputType(0, dmoType(yuy2), kTest) == S_OK);
    CHECK(dmo->SetInputType(0, dmoType(rgb32), kTest) == S_OK);
    CHECK(dmo->SetInputType(0, dmoType(rgb24), kTest) == kNotAccepted);
    CHECK(dmo->SetInputType(0, dmoType(odd), kTest) == kNotAccepted);
    CHECK(dmo->SetInputType(0, dmoType(small), kTest) == kNotAccepted);
    CHECK(dmo->SetInputType(1, dmoType(yuy2), kTest) == kBadStream);
    DMO_MEDIA_TYPE offered{};
    CHECK(dmo->GetOutputType(0, 0, &offered) == kNotSet);
    CHECK(dmo->SetOutputType(0, dmoType(yuy2), 0) == kNotSet);
    CHECK(dmo->SetInputType(0, dmoType(yuy2), 0) == S_OK);
    CHECK(dmo->SetOutputType(0, dmoType(rgb32), kTest) == kNotAccepted);
    CHECK(dmo->SetOutputType(0, dmoType(yuy2), 0) == S_OK);
    DWORD size = 0, alignment = 0;
    CHECK(dmo->GetOutputSizeInfo(0, &size, &alignment) == S_OK && size == 691200);
    DMO_MEDIA_TYPE* asOffered = &offered;
    if (CHECK(dmo->GetOutputType(0, 0, asOffered) == S_OK)) {
      CHECK(offered.subtype == MEDIASUBTYPE_YUY2 && offered.cbFormat == yuy2.cbFormat);
      dshow::FreeMediaType(*reinterpret_cast<AM_MEDIA_TYPE*>(asOffered));
    }
    CHECK(dmo->GetOutputType(0, 1, nullptr) == kNoMoreTypes);
    CHECK(dmo->SetInputType(0, nullptr, DMO_SET_TYPEF_CLEAR) == S_OK);
    CHECK(dmo->GetOutputSizeInfo(0, &size, &alignment) == kNotSet);
    // Reconnecting only the input (a filter spliced in upstream) keeps the output connection valid.
    CHECK(dmo->SetInputType(0, dmoType(yuy2), 0) == S_OK);
    CHECK(dmo->GetOutputSizeInfo(0, &size, &alignment) == S_OK && size == 691200);
    CHECK(dmo->SetInputType(0, dmoType(rgb32), 0) == S_OK);
    CHECK(dmo->GetOutputSizeInfo(0, &size, &alignment) == kNotSet);
    for (AM_MEDIA_TYPE* type : {&yuy2, &rgb32, &rgb24, &odd, &small}) dshow::FreeMediaType(*type);
    dmo->Release();
  }
  wrapper->Release();
}

// What the effect should make of one input byte: `luma` says whether this byte is adjusted.
using Expectation = std::function<std::uint8_t(std::uint8_t value, bool adjusted)>;

struct RunResult {
  std::size_t compared = 0;
  bool exact = true;
  bool timesKept = true;
  std::size_t clampedHigh = 0;
  std::size_t clampedLow = 0;
};

// camera -> probe -> wrapper(effect) -> probe -> Null Renderer, for `ms` of wall time.
RunResult RunThroughEffect(const CLSID& effect, const AM_MEDIA_TYPE& format, long brightness, long contrast,
                           const Expectation& expected) {
  RunResult result;
  ProbeFilter before, after;
  {
    Graph graph;
    IBaseFilter* camera = MakeCamera();
    IBaseFilter* wrapper = MakeWrapper(effect);
    IPropertyStore* store = StoreOf(wrapper);
    IBaseFilter* renderer = nullptr;
    CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&renderer));
    if (CHECK(graph.Ok() && camera != nullptr && store != nullptr && renderer != nullptr)) {
      CHECK(WriteInt(store, kBrightness, brightness) == S_OK);
      CHECK(WriteInt(store, kContrast, contrast) == S_OK);
      CHECK(SUCCEEDED(ChooseFormat(camera, format)));
      graph.Add(camera, L"Camera");
      graph.Add(&before, L"Before");
      graph.Add(wrapper, L"Color Control");
      graph.Add(&after, L"After");
      graph.Add(renderer, L"Null Renderer");
      CHECK(SUCCEEDED(graph.Connect(camera, &before)));
      CHECK(SUCCEEDED(graph.Connect(&before, wrapper)));
      CHECK(SUCCEEDED(graph.Connect(wrapper, &after)));
      CHECK(SUCCEEDED(graph.Connect(&after, renderer)));
      CHECK(SUCCEEDED(graph.RunFor(800)));
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{camera, wrapper, store, renderer}) {
      if (object != nullptr) object->Release();
    }
  }
  const std::vector<SampleRecord> in = before.Records();
  const std::vector<SampleRecord> out = after.Records();
  const bool yuy2 = format.subtype == MEDIASUBTYPE_YUY2;
  for (const SampleRecord& picture : out) {
    const SampleRecord* source = nullptr;
    for (const SampleRecord& candidate : in) {
      if (candidate.timed && picture.timed && candidate.start == picture.start) source = &candidate;
    }
    if (source == nullptr || source->data.size() != picture.data.size() || picture.data.empty()) {
      result.exact = false;
      continue;
    }
    result.timesKept = result.timesKept && picture.stop == source->stop;
    for (std::size_t i = 0; i < picture.data.size(); ++i) {
      const bool adjusted = yuy2 ? i % 2 == 0 : i % 4 != 3;
      const std::uint8_t want = expected(source->data[i], adjusted);
      result.exact = result.exact && picture.data[i] == want;
      if (adjusted && want == 255 && source->data[i] != 255) ++result.clampedHigh;
      if (adjusted && want == 0 && source->data[i] != 0) ++result.clampedLow;
    }
    ++result.compared;
  }
  std::printf("  brightness %ld, contrast %ld: %zu samples in, %zu out, %zu compared\n", brightness, contrast,
              in.size(), out.size(), result.compared);
  return result;
}

std::uint8_t Clamp(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void TestYuy2Pictures(const CLSID& effect) {
  Section("YUY2 720x480 through camera -> wrapper(Color Control) -> Null Renderer");
  AM_MEDIA_TYPE yuy2 = VideoType(MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame);
  RunResult same = RunThroughEffect(effect, yuy2, 0, 0, [](std::uint8_t v, bool) { return v; });
  CHECK(same.compared >= 10 && same.exact && same.timesKept);

  const auto brighter = [](std::uint8_t v, bool luma) { return luma ? Clamp(v + 64) : v; };
  RunResult bright = RunThroughEffect(effect, yuy2, 64, 0, brighter);
  CHECK(bright.compared >= 10 && bright.exact && bright.timesKept);
  CHECK(bright.clampedHigh > 0);  // the stars run into 255

  const auto darker = [](std::uint8_t v, bool luma) { return luma ? Clamp(v - 127) : v; };
  RunResult dark = RunThroughEffect(effect, yuy2, -127, 0, darker);
  CHECK(dark.compared >= 10 && dark.exact);
  CHECK(dark.clampedLow > 0);  // the sky runs into 0

  // Full contrast stretches the levels about the middle: (v - 128) * 255 / 128 + 128.
  const auto steeper = [](std::uint8_t v, bool luma) { return luma ? Clamp((v - 128) * 255 / 128 + 128) : v; };
  RunResult contrast = RunThroughEffect(effect, yuy2, 0, 127, steeper);
  CHECK(contrast.compared >= 10 && contrast.exact);
  dshow::FreeMediaType(yuy2);
}

void TestRgb32Pictures(const CLSID& effect) {
  Section("RGB32 640x480: the three colour bytes change, the fourth does not");
  AM_MEDIA_TYPE rgb32 = VideoType(MEDIASUBTYPE_RGB32, 640, 480, 32, 333333);
  const auto brighter = [](std::uint8_t v, bool colour) { return colour ? Clamp(v + 64) : v; };
  RunResult bright = RunThroughEffect(effect, rgb32, 64, 0, brighter);
  CHECK(bright.compared >= 10 && bright.exact && bright.timesKept);
  CHECK(bright.clampedHigh > 0);
  dshow::FreeMediaType(rgb32);
}

void TestRefusedConnection(const CLSID& effect) {
  Section("connection: an RGB24 camera cannot feed the effect");
  Graph graph;
  IBaseFilter* camera = MakeCamera();
  IBaseFilter* wrapper = MakeWrapper(effect);
  if (CHECK(graph.Ok() && camera != nullptr && wrapper != nullptr)) {
    AM_MEDIA_TYPE rgb24 = VideoType(MEDIASUBTYPE_RGB24, 640, 480, 24, 333333);
    CHECK(SUCCEEDED(ChooseFormat(camera, rgb24)));
    graph.Add(camera, L"Camera");
    graph.Add(wrapper, L"Color Control");
    CHECK(FAILED(graph.Connect(camera, wrapper)));
    dshow::FreeMediaType(rgb24);
  }
  if (camera != nullptr) camera->Release();
  if (wrapper != nullptr) wrapper->Release();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  g_cameraDll = argc > 1 ? argv[1] : DefaultCameraDllPath();
  if (!InitializeTestCom()) return 1;
  Section("DMOEnum: the video effect named exactly \"Color Control\"");
  CLSID effect{};
  if (CHECK(FindColorControl(&effect))) {
    TestPropertyStore(effect);
    TestMediaTypes(effect);
    TestYuy2Pictures(effect);
    TestRgb32Pictures(effect);
    TestRefusedConnection(effect);
  }
  CoUninitialize();
  return ReportTotals();
}

// Runs the project's DirectShow filters inside real filter graphs: the synthetic camera feeds the
// pixel saturation, crosshairs and time lapse filters, probes copy what goes in and comes out, and
// the Null Renderer ends each chain. Also checks connection-time refusals, the allocator rule, the
// AVI writer sink with dropped frames, and the camera's own interfaces.
//
//   dshow_filters_test [path\to\zuna_synthetic_camera.dll]
// The last line reads "N passed, M failed"; the exit status is 1 when anything failed.
#include <windows.h>

#include <dshow.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/foundation/common_state.h"
#include "dshow_test_support.h"
#include "video/avi_writer/win/avi_writer_filter.h"
#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type.h"
#include "video/frames/win/crosshairs_filter.h"
#include "video/frames/win/pixel_saturation_filter.h"
#include "video/frames/win/time_lapse_filter.h"

namespace {

using namespace zuna;
using namespace zuna::dshow_test;

std::wstring g_cameraDll;

constexpr REFERENCE_TIME kNtscFrame = 333667;

IBaseFilter* MakeNullRenderer() {
  IBaseFilter* renderer = nullptr;
  CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                   reinterpret_cast<void**>(&renderer));
  return renderer;
}

IBaseFilter* MakeCamera(int camera = 1) {
  IBaseFilter* filter = nullptr;
  const HRESULT hr = CreateSyntheticCamera(g_cameraDll, camera, &filter);
  if (FAILED(hr)) std::printf("  cannot create synthetic camera %d: 0x%08lX\n", camera, static_cast<unsigned long>(hr));
  return filter;
}

void SetCameraEnvironment(const wchar_t* name, const wchar_t* value) {
  SetEnvironmentVariableW(name, value);
}

void ClearCameraEnvironment() {
  for (const wchar_t* name :
       {L"ZUNA_CAMERA1_STANDARD", L"ZUNA_CAMERA1_DECODER", L"ZUNA_CAMERA1_DROPFRAMES", L"ZUNA_CAMERA1_DROPEVERY",
        L"ZUNA_CAMERA1_EVENTSECONDS", L"ZUNA_CAMERA1_EVENTLENGTH", L"ZUNA_CAMERA2_STANDARD"}) {
    SetEnvironmentVariableW(name, nullptr);
  }
  // A prefix where the cameras were registered with settings must not change what is tested here.
  SetEnvironmentVariableW(L"ZUNA_CAMERA1_STANDARD", L"NTSC_M");
  SetEnvironmentVariableW(L"ZUNA_CAMERA1_DECODER", L"1");
  SetEnvironmentVariableW(L"ZUNA_CAMERA1_DROPFRAMES", L"");
  SetEnvironmentVariableW(L"ZUNA_CAMERA1_DROPEVERY", L"0");
}

// The input and output of one filter, matched by sample times.
const SampleRecord* FindByStart(const std::vector<SampleRecord>& records, REFERENCE_TIME start) {
  for (const SampleRecord& record : records) {
    if (record.timed && record.start == start) return &record;
  }
  return nullptr;
}

std::vector<std::uint8_t> ReverseRows(const std::vector<std::uint8_t>& picture, std::size_t rowBytes) {
  std::vector<std::uint8_t> reversed(picture.size());
  const std::size_t rows = picture.size() / rowBytes;
  for (std::size_t r = 0; r < rows; ++r) {
    std::memcpy(&reversed[r * rowBytes], &picture[(rows - 1 - r) * rowBytes], rowBytes);
  }
  return reversed;
}

// ---- the camera's own interfaces

void TestCameraInterfaces() {
  Section("synthetic camera: decoder, picture properties, formats, pin category");
  ClearCameraEnvironment();
  IBaseFilter* camera = MakeCamera();
  if (!CHECK(camera != nullptr)) return;
  IAMAnalogVideoDecoder* decoder = nullptr;
  if (CHECK(SUCCEEDED(camera->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&decoder))))) {
    long standard = 0, lines = 0, available = 0;
    CHECK(decoder->get_TVFormat(&standard) == S_OK && standard == AnalogVideo_NTSC_M);
    CHECK(decoder->get_NumberOfLines(&lines) == S_OK && lines == 525);
    CHECK(decoder->get_AvailableTVFormats(&available) == S_OK && (available & AnalogVideo_PAL_B) != 0 &&
          (available & AnalogVideo_SECAM_B) != 0);
    CHECK(decoder->put_TVFormat(AnalogVideo_PAL_B) == S_OK);
    CHECK(decoder->get_TVFormat(&standard) == S_OK && standard == AnalogVideo_PAL_B);
    CHECK(decoder->put_TVFormat(AnalogVideo_NTSC_M | AnalogVideo_PAL_B) == E_INVALIDARG);
    decoder->put_TVFormat(AnalogVideo_NTSC_M);
    decoder->Release();
  }
  IAMVideoProcAmp* amp = nullptr;
  if (CHECK(SUCCEEDED(camera->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&amp))))) {
    long minimum = 0, maximum = 0, step = 0, fallback = 0, caps = 0, value = 0, flags = 0;
    CHECK(amp->GetRange(VideoProcAmp_Brightness, &minimum, &maximum, &step, &fallback, &caps) == S_OK && minimum == 0 &&
          maximum == 255 && step == 1 && fallback == 128 && caps == VideoProcAmp_Flags_Manual);
    CHECK(amp->GetRange(VideoProcAmp_Gain, &minimum, &maximum, &step, &fallback, &caps) == S_OK && maximum == 100);
    CHECK(amp->GetRange(VideoProcAmp_Gamma, &minimum, &maximum, &step, &fallback, &caps) == E_PROP_ID_UNSUPPORTED);
    CHECK(amp->Set(VideoProcAmp_Contrast, 200, VideoProcAmp_Flags_Manual) == S_OK);
    CHECK(amp->Get(VideoProcAmp_Contrast, &value, &flags) == S_OK && value == 200 &&
          flags == VideoProcAmp_Flags_Manual);
    CHECK(amp->Set(VideoProcAmp_Contrast, 300, VideoProcAmp_Flags_Manual) == E_INVALIDARG);
    amp->Release();
  }
  IPin* pin = FirstPin(camera, PINDIR_OUTPUT);
  if (CHECK(pin != nullptr)) {
    IAMStreamConfig* config = nullptr;
    if (CHECK(SUCCEEDED(pin->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&config))))) {
      int count = 0, size = 0;
      CHECK(config->GetNumberOfCapabilities(&count, &size) == S_OK && count == 5 &&
            size == sizeof(VIDEO_STREAM_CONFIG_CAPS));
      struct Expected {
        GUID subtype;
        int width, height;
        REFERENCE_TIME frameTime;
      };
      const Expected expected[] = {{MEDIASUBTYPE_YUY2, 720, 480, 333667},
                                   {MEDIASUBTYPE_RGB32, 640, 480, 333333},
                                   {MEDIASUBTYPE_YUY2, 320, 240, 333667},
                                   {MEDIASUBTYPE_RGB24, 640, 480, 333333},
                                   {MEDIASUBTYPE_YUY2, 640, 480, 400000}};
      for (int i = 0; i < count && i < 5; ++i) {
        AM_MEDIA_TYPE* type = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps{};
        if (!CHECK(config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps)) == S_OK)) continue;
        const VIDEOINFOHEADER* info = dshow::VideoInfoOf(*type);
        CHECK(info != nullptr && type->subtype == expected[i].subtype && info->bmiHeader.biWidth == expected[i].width &&
              info->bmiHeader.biHeight == expected[i].height && info->AvgTimePerFrame == expected[i].frameTime);
        dshow::DeleteMediaType(type);
      }
      config->Release();
    }
    IKsPropertySet* properties = nullptr;
    if (CHECK(SUCCEEDED(pin->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&properties))))) {
      GUID category{};
      DWORD returned = 0;
      CHECK(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category,
                            &returned) == S_OK &&
            category == PIN_CATEGORY_CAPTURE);
      properties->Release();
    }
    pin->Release();
  }
  camera->Release();

  // SECAM chosen for a test through the environment; a camera without a decoder.
  SetCameraEnvironment(L"ZUNA_CAMERA1_STANDARD", L"SECAM_B");
  camera = MakeCamera();
  if (CHECK(camera != nullptr)) {
    IAMAnalogVideoDecoder* secam = nullptr;
    long standard = 0;
    CHECK(SUCCEEDED(camera->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&secam))) &&
          secam->get_TVFormat(&standard) == S_OK && standard == AnalogVideo_SECAM_B);
    if (secam != nullptr) secam->Release();
    camera->Release();
  }
  ClearCameraEnvironment();
  SetCameraEnvironment(L"ZUNA_CAMERA1_DECODER", L"0");
  camera = MakeCamera();
  if (CHECK(camera != nullptr)) {
    IAMAnalogVideoDecoder* none = nullptr;
    CHECK(camera->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&none)) == E_NOINTERFACE);
    camera->Release();
  }
  ClearCameraEnvironment();
}

// ---- connection-time rules

void TestConnectionRules() {
  Section("connection: RGB24 refused, output equals input, allocator rule");
  ClearCameraEnvironment();
  CommonState state;
  dshow::PixelSaturationFilter saturation(state);
  dshow::CrosshairsFilter crosshairs(state);
  dshow::TimeLapseFilter timeLapse(state);
  dshow::FrameFilter* filters[] = {&saturation, &crosshairs, &timeLapse};

  AM_MEDIA_TYPE rgb24 = VideoType(MEDIASUBTYPE_RGB24, 640, 480, 24, 333333);
  AM_MEDIA_TYPE yuy2 = VideoType(MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame);
  AM_MEDIA_TYPE rgb32 = VideoType(MEDIASUBTYPE_RGB32, 640, 480, 32, 333333);
  AM_MEDIA_TYPE mjpg = VideoType(MEDIASUBTYPE_MJPG, 640, 480, 24, 333333);
  for (dshow::FrameFilter* filter : filters) {
    CHECK(filter->Input().QueryAccept(&rgb24) == S_FALSE);
    CHECK(filter->Input().QueryAccept(&mjpg) == S_FALSE);
    CHECK(filter->Input().QueryAccept(&yuy2) == S_OK);
    CHECK(filter->Input().QueryAccept(&rgb32) == S_OK);
  }

  {
    Graph graph;
    IBaseFilter* camera = MakeCamera();
    IBaseFilter* renderer = MakeNullRenderer();
    if (CHECK(graph.Ok() && camera != nullptr && renderer != nullptr)) {
      CHECK(SUCCEEDED(graph.Add(camera, L"Camera")));
      CHECK(SUCCEEDED(graph.Add(&saturation, L"PixelSaturation")));
      CHECK(SUCCEEDED(graph.Add(renderer, L"Null Renderer")));
      IPin* cameraOut = FirstPin(camera, PINDIR_OUTPUT);
      // RGB24 offered directly by the camera is refused by the filter at connection time.
      const HRESULT refused = graph.Get()->ConnectDirect(cameraOut, &saturation.Input(), &rgb24);
      CHECK(FAILED(refused));
      CHECK(!saturation.Input().IsConnected());
      // The output cannot connect before the input.
      IPin* rendererIn = FirstPin(renderer, PINDIR_INPUT);
      CHECK(rendererIn != nullptr && FAILED(graph.Connect(&saturation.Output(), rendererIn)));
      if (rendererIn != nullptr) rendererIn->Release();
      CHECK(SUCCEEDED(graph.Get()->ConnectDirect(cameraOut, &saturation.Input(), &yuy2)));
      CHECK(SUCCEEDED(graph.Connect(&saturation, renderer)));
      // The output offers exactly the input's type, at position 0 only.
      AM_MEDIA_TYPE offered{};
      CHECK(saturation.GetMediaType(0, &offered) == S_OK && offered.subtype == MEDIASUBTYPE_YUY2);
      dshow::FreeMediaType(offered);
      CHECK(saturation.GetMediaType(1, &offered) == VFW_S_NO_MORE_ITEMS);
      CHECK(saturation.GetMediaType(-1, &offered) == E_INVALIDARG);
      // One buffer of at least 720 x 480 x 2 bytes.
      ALLOCATOR_PROPERTIES properties{};
      IMemAllocator* allocator = saturation.Output().Allocator();
      CHECK(allocator != nullptr && allocator->GetProperties(&properties) == S_OK && properties.cbBuffer >= 691200 &&
            properties.cBuffers >= 1);
      // An allocator granting less than asked fails the negotiation.
      IMemAllocator* stingy = nullptr;
      if (CHECK(SUCCEEDED(StingyAllocator::Create(&stingy)))) {
        ALLOCATOR_PROPERTIES request{};
        CHECK(FAILED(saturation.DecideBufferSize(stingy, &request)));
        CHECK(request.cbBuffer == 691200 && request.cBuffers == 1 && request.cbAlign == 1);
        stingy->Release();
      }
      cameraOut->Release();
    }
    if (camera != nullptr) camera->Release();
    if (renderer != nullptr) renderer->Release();
  }

  {
    // RGB32: 640 x 480 x 4 bytes; and a sink that insists on a stingy allocator cannot connect.
    StingySink stingy;  // outlives the graph
    Graph graph;
    IBaseFilter* camera = MakeCamera();
    IBaseFilter* renderer = MakeNullRenderer();
    if (CHECK(graph.Ok() && camera != nullptr && renderer != nullptr)) {
      CHECK(SUCCEEDED(ChooseFormat(camera, MEDIASUBTYPE_RGB32, 640, 480, 32, 333333)));
      graph.Add(camera, L"Camera");
      graph.Add(&crosshairs, L"Crosshairs");
      graph.Add(&stingy, L"Stingy");
      graph.Add(renderer, L"Null Renderer");
      CHECK(SUCCEEDED(graph.Connect(camera, &crosshairs)));
      CHECK(FAILED(graph.Connect(&crosshairs.Output(), &stingy.Input())));
      CHECK(!crosshairs.Output().IsConnected());
      CHECK(SUCCEEDED(graph.Connect(&crosshairs, renderer)));
      ALLOCATOR_PROPERTIES properties{};
      IMemAllocator* allocator = crosshairs.Output().Allocator();
      CHECK(allocator != nullptr && allocator->GetProperties(&properties) == S_OK && properties.cbBuffer >= 1228800);
    }
    if (camera != nullptr) camera->Release();
    if (renderer != nullptr) renderer->Release();
  }
  // Held by value: the graphs are gone, the filters are unreferenced and still usable.
  for (dshow::FrameFilter* filter : filters) {
    CHECK(filter->ReferenceCount() == 0);
    filter->AddRef();
    CHECK(filter->Release() == 0);
  }
  for (AM_MEDIA_TYPE* type : {&rgb24, &yuy2, &rgb32, &mjpg}) dshow::FreeMediaType(*type);
}

// ---- pixel saturation in a running graph, with the star fading out and in

void TestPixelSaturation() {
  Section("pixel saturation: YUY2 720x480 through a running graph");
  ClearCameraEnvironment();
  SetCameraEnvironment(L"ZUNA_CAMERA1_EVENTSECONDS", L"0.3");
  SetCameraEnvironment(L"ZUNA_CAMERA1_EVENTLENGTH", L"0.6");
  CommonState state;
  state.saturationLevel = 200;
  dshow::PixelSaturationFilter saturation(state);
  ProbeFilter before, after;
  std::vector<SampleRecord> in, out;
  {
    Graph graph;
    IBaseFilter* camera = MakeCamera();
    IBaseFilter* renderer = MakeNullRenderer();
    if (!CHECK(graph.Ok() && camera != nullptr && renderer != nullptr)) return;
    CHECK(SUCCEEDED(ChooseFormat(camera, MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame)));
    graph.Add(camera, L"Camera");
    graph.Add(&before, L"Before");
    graph.Add(&saturation, L"PixelSaturation");
    graph.Add(&after, L"After");
    graph.Add(renderer, L"Null Renderer");
    CHECK(SUCCEEDED(graph.Connect(camera, &before)));
    CHECK(SUCCEEDED(graph.Connect(&before, &saturation)));
    CHECK(SUCCEEDED(graph.Connect(&saturation, &after)));
    CHECK(SUCCEEDED(graph.Connect(&after, renderer)));
    CHECK(SUCCEEDED(graph.RunFor(1600)));
    camera->Release();
    renderer->Release();
  }
  in = before.Records();
  out = after.Records();
  std::printf("  %zu samples in, %zu out\n", in.size(), out.size());
  CHECK(in.size() >= 20);
  CHECK(out.size() >= in.size() - 2 && out.size() <= in.size());
  // Camera time stamps: frame n from n x 333,667.
  bool stamped = !in.empty();
  for (std::size_t i = 0; i < in.size(); ++i) {
    stamped = stamped && in[i].timed && in[i].start == static_cast<REFERENCE_TIME>(i) * kNtscFrame &&
              in[i].stop == in[i].start + kNtscFrame && in[i].mediaTimed &&
              in[i].mediaStart == static_cast<LONGLONG>(i);
  }
  CHECK(stamped);

  const std::size_t rowBytes = 1440;
  std::size_t compared = 0, marked = 0;
  bool exact = true, inputUntouched = true;
  for (const SampleRecord& result : out) {
    const SampleRecord* source = FindByStart(in, result.start);
    if (source == nullptr || source->data.size() != 691200 || result.data.size() != 691200) {
      exact = false;
      continue;
    }
    // Expected: groups with a luma byte at 200 or above become (225, 128, 225, 128); rows reversed.
    std::vector<std::uint8_t> expected = source->data;
    for (std::size_t g = 0; g + 4 <= expected.size(); g += 4) {
      if (expected[g] >= 200 || expected[g + 2] >= 200) {
        expected[g] = 225, expected[g + 1] = 128, expected[g + 2] = 225, expected[g + 3] = 128;
        ++marked;
      }
    }
    exact = exact && ReverseRows(expected, rowBytes) == result.data;
    ++compared;
  }
  // The probe before the filter kept the camera's own picture: nothing marked travels back upstream.
  for (const SampleRecord& source : in) {
    for (std::size_t g = 0; g + 4 <= source.data.size(); g += 4) {
      inputUntouched = inputUntouched && !(source.data[g] == 225 && source.data[g + 1] == 128 &&
                                           source.data[g + 2] == 225 && source.data[g + 3] == 128);
    }
  }
  CHECK(compared >= 20 && exact);
  CHECK(marked > 0);
  CHECK(inputUntouched);
  std::printf("  %zu pictures compared, %zu groups marked\n", compared, marked);

  // The target star (at 42 % across, 55 % down) fades out from 0.3 s and is back by 0.9 s.
  const int tx = 720 * 42 / 100, ty = 480 * 55 / 100;
  auto lumaAt = [&](std::size_t frame) -> int {
    if (frame >= in.size()) return -1;
    return in[frame].data[static_cast<std::size_t>(ty) * rowBytes + static_cast<std::size_t>(tx) * 2];
  };
  std::printf("  target luma: frame 0 %d, frame 18 %d, frame 40 %d\n", lumaAt(0), lumaAt(18), lumaAt(40));
  CHECK(lumaAt(0) >= 200);
  CHECK(lumaAt(18) >= 0 && lumaAt(18) <= 40);
  CHECK(in.size() <= 40 || lumaAt(40) >= 200);
}

// ---- crosshairs in a running graph

void TestCrosshairs() {
  Section("crosshairs: RGB32 640x480 through a running graph");
  ClearCameraEnvironment();
  CommonState state;
  state.crosshairRow = 240;
  state.crosshairColumn = 100;
  state.crosshairIntensity = 200;
  dshow::CrosshairsFilter crosshairs(state);
  ProbeFilter before, after;
  {
    Graph graph;
    IBaseFilter* camera = MakeCamera();
    IBaseFilter* renderer = MakeNullRenderer();
    if (!CHECK(graph.Ok() && camera != nullptr && renderer != nullptr)) return;
    CHECK(SUCCEEDED(ChooseFormat(camera, MEDIASUBTYPE_RGB32, 640, 480, 32, 333333)));
    graph.Add(camera, L"Camera");
    graph.Add(&before, L"Before");
    graph.Add(&crosshairs, L"Crosshairs");
    graph.Add(&after, L"After");
    graph.Add(renderer, L"Null Renderer");
    CHECK(SUCCEEDED(graph.Connect(camera, &before)));
    CHECK(SUCCEEDED(graph.Connect(&before, &crosshairs)));
    CHECK(SUCCEEDED(graph.Connect(&crosshairs, &after)));
    CHECK(SUCCEEDED(graph.Connect(&after, renderer)));
    CHECK(SUCCEEDED(graph.RunFor(1000)));
    camera->Release();
    renderer->Release();
  }
  const std::vector<SampleRecord> in = before.Records();
  const std::vector<SampleRecord> out = after.Records();
  std::printf("  %zu samples in, %zu out\n", in.size(), out.size());
  CHECK(out.size() >= 10);
  const std::size_t rowBytes = 640 * 4;
  const int rows = 480, column = 100;
  const int h = rows - 240;  // the input buffer row carrying the horizontal line
  std::size_t compared = 0;
  bool drawn = true, open = true, elsewhere = true;
  for (const SampleRecord& result : out) {
    const SampleRecord* source = FindByStart(in, result.start);
    if (source == nullptr || result.data.size() != rows * rowBytes) continue;
    ++compared;
    auto outPixel = [&](int inputRow, int x) { return &result.data[(rows - 1 - inputRow) * rowBytes + x * 4]; };
    auto inPixel = [&](int inputRow, int x) { return &source->data[inputRow * rowBytes + x * 4]; };
    auto isCross = [](const std::uint8_t* p) { return p[0] == 200 && p[1] == 200 && p[2] == 200 && p[3] == 128; };
    auto same = [](const std::uint8_t* a, const std::uint8_t* b) { return std::memcmp(a, b, 4) == 0; };
    for (int x = 105; x <= 113; ++x) drawn = drawn && isCross(outPixel(h, x));
    for (int x = 87; x <= 95; ++x) drawn = drawn && isCross(outPixel(h, x));
    for (int x = 96; x <= 104; ++x) open = open && same(outPixel(h, x), inPixel(h, x));
    for (int x = 114; x <= 122; ++x) open = open && same(outPixel(h, x), inPixel(h, x));
    for (int t = h + 5; t <= h + 13; ++t) drawn = drawn && isCross(outPixel(t, column));
    for (int t = h - 4; t <= h + 4; ++t) open = open && same(outPixel(t, column), inPixel(t, column));
    // Away from the cross the picture is the camera's, rows reversed.
    for (int t = 0; t < rows; t += 37) elsewhere = elsewhere && same(outPixel(t, 300), inPixel(t, 300));
  }
  CHECK(compared >= 10);
  CHECK(drawn);
  CHECK(open);
  CHECK(elsewhere);
}

// ---- time lapse in a running graph

void TestTimeLapse() {
  Section("time lapse: count 5, skipped frames, through a running graph");
  ClearCameraEnvironment();
  CommonState state;
  state.timeLapseCount = 5;
  dshow::TimeLapseFilter timeLapse(state);
  timeLapse.SetIntervalMode(false);
  ProbeFilter before, after;
  {
    Graph graph;
    IBaseFilter* camera = MakeCamera();
    IBaseFilter* renderer = MakeNullRenderer();
    if (!CHECK(graph.Ok() && camera != nullptr && renderer != nullptr)) return;
    CHECK(SUCCEEDED(ChooseFormat(camera, MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame)));
    graph.Add(camera, L"Camera");
    graph.Add(&before, L"Before");
    graph.Add(&timeLapse, L"CaptureTimeLapse");
    graph.Add(&after, L"After");
    graph.Add(renderer, L"Null Renderer");
    CHECK(SUCCEEDED(graph.Connect(camera, &before)));
    CHECK(SUCCEEDED(graph.Connect(&before, &timeLapse)));
    CHECK(SUCCEEDED(graph.Connect(&timeLapse, &after)));
    CHECK(SUCCEEDED(graph.Connect(&after, renderer)));
    CHECK(timeLapse.LatchedSettings().count == 5 && timeLapse.LatchedSettings().frameDuration == kNtscFrame);
    CHECK(SUCCEEDED(graph.RunFor(1600)));
    camera->Release();
    renderer->Release();
  }
  const std::vector<SampleRecord> in = before.Records();
  const std::vector<SampleRecord> out = after.Records();
  std::printf("  %zu samples in, %zu kept\n", in.size(), out.size());
  CHECK(in.size() >= 20);
  const std::size_t expectedKept = (in.size() + 4) / 5;
  CHECK(out.size() + 1 >= expectedKept && out.size() <= expectedKept);
  bool spaced = true, content = true;
  for (std::size_t k = 0; k < out.size(); ++k) {
    // Kept samples follow each other one frame apart, from the first one's time.
    spaced = spaced && out[k].timed && out[k].start == static_cast<REFERENCE_TIME>(k) * kNtscFrame &&
             out[k].stop == out[k].start + kNtscFrame && out[k].mediaTimed &&
             out[k].mediaStart == static_cast<LONGLONG>(k);
    // Kept sample k is input sample 5k, rows reversed.
    if (5 * k < in.size()) content = content && ReverseRows(in[5 * k].data, 1440) == out[k].data;
  }
  CHECK(spaced);
  CHECK(content);
}

// ---- the AVI writer sink

void TestAviWriter() {
  Section("AVI writer sink: a recording with dropped frames");
  ClearCameraEnvironment();
  SetCameraEnvironment(L"ZUNA_CAMERA1_DROPFRAMES", L"10,11,20");
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::filesystem::path path = std::filesystem::path(folder) / L"zuna_dshow_test.avi";
  dshow::AviWriterFilterTotals totals;
  FILETIME before{}, after{};
  {
    IBaseFilter* writer = nullptr;
    CHECK(SUCCEEDED(dshow::CreateAviWriterFilter(path, &writer)));
    IBaseFilter* refusing = nullptr;
    CHECK(
        FAILED(dshow::CreateAviWriterFilter(std::filesystem::path(folder) / L"no such folder" / L"x.avi", &refusing)) &&
        refusing == nullptr);
    if (!CHECK(writer != nullptr)) return;
    IPin* input = FirstPin(writer, PINDIR_INPUT);
    AM_MEDIA_TYPE rgb24 = VideoType(MEDIASUBTYPE_RGB24, 640, 480, 24, 333333);
    AM_MEDIA_TYPE yuy2 = VideoType(MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame);
    CHECK(input != nullptr && input->QueryAccept(&rgb24) == S_FALSE && input->QueryAccept(&yuy2) == S_OK);
    // A codec's frames are taken by their compression code, whatever the subtype: Wine's AVI
    // Compressor labels its output PCM.
    AM_MEDIA_TYPE coded = VideoType(MEDIASUBTYPE_PCM, 720, 480, 16, kNtscFrame);
    reinterpret_cast<VIDEOINFOHEADER*>(coded.pbFormat)->bmiHeader.biCompression = MAKEFOURCC('Z', 'T', 'S', 'T');
    CHECK(input != nullptr && input->QueryAccept(&coded) == S_OK);
    dshow::FreeMediaType(coded);
    dshow::FreeMediaType(rgb24);
    dshow::FreeMediaType(yuy2);
    if (input != nullptr) input->Release();
    IFileSinkFilter* sink = nullptr;
    if (CHECK(SUCCEEDED(writer->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&sink))))) {
      LPOLESTR name = nullptr;
      CHECK(sink->GetCurFile(&name, nullptr) == S_OK && name != nullptr && path == std::filesystem::path(name));
      CoTaskMemFree(name);
      sink->Release();
    }
    {
      Graph graph;
      IBaseFilter* camera = MakeCamera();
      if (CHECK(graph.Ok() && camera != nullptr)) {
        CHECK(SUCCEEDED(ChooseFormat(camera, MEDIASUBTYPE_YUY2, 720, 480, 16, kNtscFrame)));
        graph.Add(camera, L"Camera");
        graph.Add(writer, L"AVI Writer");
        CHECK(SUCCEEDED(graph.Connect(camera, writer)));
        auto* avi = static_cast<dshow::AviWriterFilter*>(writer);
        CHECK(!avi->Totals(&totals));  // nothing recorded yet
        GetSystemTimePreciseAsFileTime(&before);
        CHECK(SUCCEEDED(graph.RunFor(1500)));
        GetSystemTimePreciseAsFileTime(&after);
        CHECK(avi->Totals(&totals));
        camera->Release();
      }
    }
    writer->Release();
  }
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  std::printf("  %llu frames recorded, %llu of them dropped (%llu by the write queue)\n",
              static_cast<unsigned long long>(totals.frames.framesWritten),
              static_cast<unsigned long long>(totals.frames.framesDropped),
              static_cast<unsigned long long>(totals.frames.framesDroppedByQueue));
  CHECK(totals.frames.framesWritten >= 25);
  CHECK(totals.frames.framesDropped == 3);
  CHECK(totals.frames.framesDroppedByQueue == 0);
  // The first frame was taken while the graph ran.
  CHECK(totals.firstFrameKnown && totals.firstFrameUtc + 10'000'000 >= ticks(before) &&
        totals.firstFrameUtc <= ticks(after));
  std::ifstream file(path, std::ios::binary);
  char head[12] = {};
  file.read(head, sizeof head);
  CHECK(file.gcount() == 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "AVI ", 4) == 0);
  file.close();
  std::error_code ignored;
  CHECK(std::filesystem::file_size(path, ignored) > 25ull * 691200);
  std::filesystem::remove(path, ignored);
}

// ---- the camera as the capture program uses it: through the capture graph builder

void TestCaptureGraphBuilder() {
  Section("capture graph builder: stream configuration, decoder, preview through the Smart Tee");
  ClearCameraEnvironment();
  ICaptureGraphBuilder2* builder = nullptr;
  if (!CHECK(SUCCEEDED(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&builder))))) {
    return;
  }
  {
    Graph graph;
    IBaseFilter* camera = MakeCamera();
    IBaseFilter* renderer = MakeNullRenderer();
    if (CHECK(graph.Ok() && camera != nullptr && renderer != nullptr)) {
      CHECK(SUCCEEDED(builder->SetFiltergraph(graph.Get())));
      graph.Add(camera, L"Video Source");
      graph.Add(renderer, L"Null Renderer");
      IAMStreamConfig* config = nullptr;
      CHECK(SUCCEEDED(builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, camera, IID_IAMStreamConfig,
                                             reinterpret_cast<void**>(&config))));
      if (config != nullptr) {
        AM_MEDIA_TYPE rgb32 = VideoType(MEDIASUBTYPE_RGB32, 640, 480, 32, 333333);
        CHECK(config->SetFormat(&rgb32) == S_OK);
        dshow::FreeMediaType(rgb32);
        config->Release();
      }
      // The decoder is on the filter itself, as on a frame grabber: found without a pin category.
      IAMAnalogVideoDecoder* decoder = nullptr;
      CHECK(SUCCEEDED(builder->FindInterface(nullptr, &MEDIATYPE_Video, camera, IID_IAMAnalogVideoDecoder,
                                             reinterpret_cast<void**>(&decoder))));
      if (decoder != nullptr) decoder->Release();
      decoder = nullptr;
      const HRESULT upstream = builder->FindInterface(&LOOK_UPSTREAM_ONLY, &MEDIATYPE_Video, camera,
                                                      IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&decoder));
      std::printf("  FindInterface(LOOK_UPSTREAM_ONLY, decoder) answered 0x%08lX\n",
                  static_cast<unsigned long>(upstream));
      if (decoder != nullptr) decoder->Release();
      const HRESULT rendered =
          builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, camera, nullptr, renderer);
      std::printf("  RenderStream(preview) answered 0x%08lX\n", static_cast<unsigned long>(rendered));
      CHECK(SUCCEEDED(rendered));
      IPin* rendererIn = FirstPin(renderer, PINDIR_INPUT);
      AM_MEDIA_TYPE connected{};
      CHECK(rendererIn != nullptr && rendererIn->ConnectionMediaType(&connected) == S_OK &&
            connected.subtype == MEDIASUBTYPE_RGB32);
      dshow::FreeMediaType(connected);
      if (rendererIn != nullptr) rendererIn->Release();
      CHECK(SUCCEEDED(graph.RunFor(500)));
    }
    if (camera != nullptr) camera->Release();
    if (renderer != nullptr) renderer->Release();
  }
  builder->Release();
}

// ---- the registered cameras, when this prefix has them

void TestDeviceEnumeration() {
  Section("system device enumerator: registered synthetic cameras");
  ICreateDevEnum* devices = nullptr;
  if (!CHECK(SUCCEEDED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                        reinterpret_cast<void**>(&devices))))) {
    return;
  }
  IEnumMoniker* monikers = nullptr;
  int found = 0;
  if (devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0) == S_OK && monikers != nullptr) {
    IMoniker* moniker = nullptr;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
      IPropertyBag* bag = nullptr;
      if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag)))) {
        VARIANT name;
        VariantInit(&name);
        if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR &&
            std::wstring(name.bstrVal) == L"ZUNA Synthetic Camera") {
          ++found;
          IBaseFilter* filter = nullptr;
          CHECK(SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&filter))));
          if (filter != nullptr) filter->Release();
        }
        VariantClear(&name);
        bag->Release();
      }
      moniker->Release();
    }
    monikers->Release();
  }
  devices->Release();
  if (found == 0) std::printf("  not registered in this prefix: skipped\n");
  CHECK(found <= 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  g_cameraDll = argc > 1 ? argv[1] : DefaultCameraDllPath();
  if (!InitializeTestCom()) return 1;
  TestCameraInterfaces();
  TestConnectionRules();
  TestPixelSaturation();
  TestCrosshairs();
  TestTimeLapse();
  TestAviWriter();
  TestCaptureGraphBuilder();
  TestDeviceEnumeration();
  CoUninitialize();
  return ReportTotals();
}

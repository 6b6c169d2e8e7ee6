// The DirectShow media graph, the device catalog and the codec catalog in real graphs under Wine: the
// registered synthetic cameras are listed and validated, the player builds the preview chain with
// the display filters between the camera and the Enhanced Video Renderer, the Null Renderer chain
// without them, the recording chain through the time lapse filter into the AVI writer, and teardown
// leaves only the renderer. Expects camera 1 (NTSC_M) and camera 2 (SECAM_B) registered in the prefix.
//
//   dshow_media_graph_test
// The last line reads "N passed, M failed"; the exit status is 1 when anything failed.
#include <windows.h>

#include <dshow.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture/devices/camera_control.h"
#include "capture/devices/codec_list.h"
#include "capture/devices/video_device_list.h"
#include "capture/devices/win/dshow_codec_catalog.h"
#include "capture/devices/win/dshow_device_catalog.h"
#include "common/log/user_messages_log.h"
#include "common/options/option_tables.h"
#include "common/time/win/win_clock.h"
#include "dshow_test_support.h"
#include "video/player/video_player.h"
#include "video/player/win/dshow_media_graph.h"

namespace {

using namespace zuna;
using namespace zuna::dshow_test;

// The graph's name of a filter; the Smart Tee by its class, as builders add it under names of their own.
std::wstring FilterName(IBaseFilter* filter) {
  CLSID classId{};
  if (filter != nullptr && SUCCEEDED(filter->GetClassID(&classId)) && classId == CLSID_SmartTee) return L"Smart Tee";
  FILTER_INFO info{};
  if (filter == nullptr || FAILED(filter->QueryFilterInfo(&info))) return L"?";
  if (info.pGraph != nullptr) info.pGraph->Release();
  return info.achName;
}

// The names of the filters from the source to `sink`, following each filter's first connected input.
std::vector<std::wstring> ChainTo(IBaseFilter* sink) {
  std::vector<std::wstring> names;
  IBaseFilter* filter = sink;
  if (filter != nullptr) filter->AddRef();
  while (filter != nullptr && names.size() < 16) {
    names.insert(names.begin(), FilterName(filter));
    std::vector<PinInfo> pins;
    IBaseFilter* upstream = nullptr;
    if (SUCCEEDED(dshow::ListPins(filter, &pins))) {
      for (const PinInfo& pin : pins) {
        if (!pin.pin || pin.direction != PinDirection::kInput) continue;
        IPin* peer = nullptr;
        if (SUCCEEDED(dshow::ToPin(pin.pin)->ConnectedTo(&peer)) && peer != nullptr) {
          PIN_INFO info{};
          if (SUCCEEDED(peer->QueryPinInfo(&info))) upstream = info.pFilter;  // keeps its reference
          peer->Release();
          break;
        }
      }
    }
    filter->Release();
    filter = upstream;
  }
  if (filter != nullptr) filter->Release();
  return names;
}

std::string Joined(const std::vector<std::wstring>& names) {
  std::string text;
  for (const std::wstring& name : names) {
    if (!text.empty()) text += " -> ";
    for (wchar_t c : name) text += c < 128 ? static_cast<char>(c) : '?';
  }
  return text;
}

bool ChainIs(IBaseFilter* sink, const std::vector<std::wstring>& expected) {
  const std::vector<std::wstring> chain = ChainTo(sink);
  std::printf("  chain: %s\n", Joined(chain).c_str());
  return chain == expected;
}

int FilterCount(IGraphBuilder* graph) {
  IEnumFilters* filters = nullptr;
  if (FAILED(graph->EnumFilters(&filters)) || filters == nullptr) return -1;
  int count = 0;
  IBaseFilter* filter = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    filter->Release();
    ++count;
  }
  filters->Release();
  return count;
}

FILTER_STATE GraphState(IGraphBuilder* graph) {
  IMediaControl* control = nullptr;
  OAFilterState state = State_Stopped;
  if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
    control->GetState(2000, &state);
    control->Release();
  }
  return static_cast<FILTER_STATE>(state);
}

const VideoFormat* FindFormat(const VideoSourceInfo& device, const MediaGuid& subtype, int width) {
  for (const VideoFormat& format : device.ntscGroup.formats) {
    if (format.subtype == subtype && format.width == width) return &format;
  }
  return nullptr;
}

HWND MakeVideoWindow() {
  HWND window = CreateWindowExW(0, L"STATIC", L"media graph test", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  return window;
}

// ---- the device and codec catalogs

void TestCatalogs(VideoDeviceList& devices) {
  Section("device catalog: the synthetic cameras through the system device enumerator");
  CHECK(Succeeded(devices.GetAttachedVideoDeviceList()));
  if (!CHECK(devices.Devices().size() == 1)) {
    PrintLog();
    return;
  }
  const VideoSourceInfo& camera = devices.Devices()[0];
  CHECK(camera.friendlyName == L"ZUNA Synthetic Camera");
  CHECK(camera.deviceKeyName == L"ZUNASyntheticCamera");
  CHECK(camera.isAnalog && camera.category == kCategoryNtsc && camera.ntscStandard == 0);
  CHECK(static_cast<bool>(camera.sourceFilter));
  CHECK(camera.propertiesRead && camera.properties[0].supported == 1 && camera.properties[0].minimum == 0 &&
        camera.properties[0].maximum == 255 && camera.properties[0].defaultValue == 128);
  // 720x480 YUY2 and 640x480 RGB32 at 30 frames per second stay; 320x240, RGB24 and 25 fps go.
  CHECK(FindFormat(camera, kSubtypeYuy2, 720) != nullptr);
  CHECK(FindFormat(camera, kSubtypeRgb32, 640) != nullptr);
  bool refusedSeen = false;
  for (const VideoFormat& format : camera.ntscGroup.formats) {
    if (format.width < 640 || format.subtype == kSubtypeRgb24 || format.frameRate != 30) refusedSeen = true;
  }
  CHECK(!refusedSeen);
  CHECK(devices.IgnoredDeviceNames().size() == 1 && devices.IgnoredDeviceNames()[0] == L"ZUNA Synthetic Camera 2");
  CHECK(LogContains(L"Unsupported analog format, possibly SECAM"));
  CHECK(LogContains(L"Device \"ZUNA Synthetic Camera 2\" cannot be used for video capture\r\n"));
  CHECK(devices.CurrentDeviceIndex() == 0);
  // The picture properties go to the device and come back.
  CHECK(Succeeded(devices.SetPropertyValue(0, 100)));
  std::int32_t value = 0, flags = 0;
  CHECK(Succeeded(devices.Catalog().GetProcAmpValue(camera.sourceFilter, 0, &value, &flags)) && value == 100);
  CHECK(Succeeded(devices.SetAllPropertiesToDefault()));
  CHECK(Succeeded(devices.Catalog().GetProcAmpValue(camera.sourceFilter, 0, &value, &flags)) && value == 128);
  PrintLog();

  Section("codec catalog: the video compressors");
  DirectShowCodecCatalog codecCatalog;
  CodecList codecs(codecCatalog);
  codecs.FindCodecs();
  std::vector<CodecCatalogEntry> entries;
  const CodecListing listing = codecCatalog.ListVideoCompressors(&entries);
  std::printf("  %zu compressors listed\n", entries.size());
  CHECK(listing == CodecListing::kListed || listing == CodecListing::kNoCategory);
  for (const CodecCatalogEntry& entry : entries) CHECK(entry.moniker && entry.nameRead && !entry.friendlyName.empty());
  CHECK(!codecs.Entries().empty() && codecs.Entries()[0].name == L"NONE");
  PrintLog();
}

// ---- the player's chains

// Wine 8's EVR crashes when its input connection is broken (its mixer clears its input type with a
// null type), so the chains that are spliced, run and torn down end in the Null Renderer, and the EVR
// preview comes last and is never taken apart.

void TestDisplayFilterChain(VideoDeviceList& devices, CommonState& state, dshow::DirectShowMediaGraph& graph,
                            VideoPlayer& player) {
  Section("Null Renderer: no display filter, whatever the switches say");
  if (!CHECK(devices.CurrentDevice() != nullptr)) return;
  VideoSourceInfo& camera = *devices.CurrentDevice();
  const VideoFormat* yuy2 = FindFormat(camera, kSubtypeYuy2, 720);
  if (!CHECK(yuy2 != nullptr)) return;
  CHECK(Succeeded(player.RemoveRendererFromGraph()));
  player.SetRendererKind(RendererKind::kNull);
  CHECK(Succeeded(player.AddRendererToGraph()));
  auto* nullRenderer = dshow::ToFilter(player.CurrentRenderer());
  state.displayToolOn = {false, true, true, true};
  CHECK(Succeeded(player.AddVideoCaptureSourceBaseFilter(camera.sourceFilter)));
  CHECK(Succeeded(player.SetStreamFormat(&yuy2->mediaType)));
  CHECK(Succeeded(player.RenderVideoPreviewStream()));
  CHECK(ChainIs(nullRenderer, {L"CaptureSourceFilter", L"Smart Tee", L"Null Renderer"}));

  Section("display filters spliced in front of the renderer: pixel saturation -> crosshairs");
  // What the preview does for the EVR, here in front of the Null Renderer: crosshairs first, then
  // pixel saturation in front of it.
  FilterRef crosshairs, saturation;
  CHECK(Succeeded(graph.GetTransformFilter(TransformFilterKind::kCrosshairs, &crosshairs)));
  CHECK(Succeeded(graph.GetTransformFilter(TransformFilterKind::kPixelSaturation, &saturation)));
  graph.PrepareTransformFilter(TransformFilterKind::kCrosshairs, {kSubtypeYuy2, false, false, true});
  CHECK(Succeeded(graph.AddFilter(crosshairs, L"Crosshairs")));
  CHECK(Succeeded(player.ConnectWithNextFilter(crosshairs, player.CurrentRenderer())));
  graph.PrepareTransformFilter(TransformFilterKind::kPixelSaturation, {kSubtypeYuy2, false, true, true});
  CHECK(Succeeded(graph.AddFilter(saturation, L"PixelSaturation")));
  CHECK(Succeeded(player.ConnectWithNextFilter(saturation, crosshairs)));
  CHECK(ChainIs(nullRenderer,
                {L"CaptureSourceFilter", L"Smart Tee", L"PixelSaturation", L"Crosshairs", L"Null Renderer"}));
  CHECK(Succeeded(RunFilterGraph(player)));
  Sleep(1000);
  CHECK(GraphState(graph.Graph()) == State_Running);
  CHECK(Succeeded(StopCamera(player)));
  CHECK(FilterCount(graph.Graph()) == 1);  // only the renderer stays

  Section("a filter that cannot be spliced in comes out again and the stream is closed");
  CHECK(Succeeded(player.AddVideoCaptureSourceBaseFilter(camera.sourceFilter)));
  CHECK(Succeeded(player.RenderVideoPreviewStream()));
  graph.PrepareTransformFilter(TransformFilterKind::kCrosshairs, {kSubtypeYuy2, false, false, true});
  CHECK(Succeeded(graph.AddFilter(crosshairs, L"Crosshairs")));
  CHECK(Failed(player.ConnectWithNextFilter(crosshairs, crosshairs)));
  CHECK(ChainIs(nullRenderer, {L"CaptureSourceFilter", L"Smart Tee", L"Null Renderer"}));
  CHECK(Succeeded(player.RemoveFilters()));
  PrintLog();
}

void TestRecording(VideoDeviceList& devices, CommonState& state, dshow::DirectShowMediaGraph& graph,
                   VideoPlayer& player, OptionTables& options) {
  Section("recording: camera -> tee -> time lapse -> AVI writer");
  if (!CHECK(devices.CurrentDevice() != nullptr)) return;
  VideoSourceInfo& camera = *devices.CurrentDevice();
  const VideoFormat* yuy2 = FindFormat(camera, kSubtypeYuy2, 720);
  if (!CHECK(yuy2 != nullptr)) return;
  auto* nullRenderer = dshow::ToFilter(player.CurrentRenderer());
  CHECK(Succeeded(player.AddVideoCaptureSourceBaseFilter(camera.sourceFilter)));
  CHECK(Succeeded(player.SetStreamFormat(&yuy2->mediaType)));
  CHECK(Succeeded(player.RenderVideoPreviewStream()));
  options.SetBoolean(kTimeLapseEnableOption, true);
  state.timeLapseCount = 2;
  const std::filesystem::path file = std::filesystem::temp_directory_path() / L"zuna_media_graph_test.avi";
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  RecordingTotals totals;
  CHECK(Failed(player.GetRecordingTotals(totals)));  // no recording yet
  CHECK(Succeeded(player.RenderVideoCaptureStream(file.wstring(), {}, L"")));
  CHECK(player.CaptureSubtype() == kSubtypeYuy2);
  CHECK(ChainIs(dshow::ToFilter(player.RecordingSink()),
                {L"CaptureSourceFilter", L"Smart Tee", L"CaptureTimeLapse", L"AVI Writer"}));
  CHECK(ChainIs(nullRenderer, {L"CaptureSourceFilter", L"Smart Tee", L"Null Renderer"}));
  FILETIME started{}, stopped{};
  GetSystemTimePreciseAsFileTime(&started);
  CHECK(Succeeded(RunFilterGraph(player)));
  Sleep(2000);
  CHECK(GraphState(graph.Graph()) == State_Running);
  CHECK(Succeeded(StopCamera(player)));
  GetSystemTimePreciseAsFileTime(&stopped);
  state.timeLapseCount = 0;
  CHECK(FilterCount(graph.Graph()) == 1);
  // The totals outlive the writer, which went with the graph's filters.
  CHECK(Succeeded(player.GetRecordingTotals(totals)));
  std::printf("  totals: %llu frames, %llu dropped, %llu by the write queue, first frame known: %d\n",
              static_cast<unsigned long long>(totals.framesWritten),
              static_cast<unsigned long long>(totals.framesDropped),
              static_cast<unsigned long long>(totals.framesDroppedByQueue), totals.firstFrameKnown ? 1 : 0);
  CHECK(totals.framesWritten >= 10 && totals.framesDroppedByQueue == 0 && totals.firstFrameKnown);
  const auto ticks = [](const FILETIME& t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  CHECK(totals.firstFrameUtc >= ticks(started) && totals.firstFrameUtc <= ticks(stopped));
  std::ifstream in(file, std::ios::binary);
  char head[12] = {};
  in.read(head, sizeof(head));
  const auto size = std::filesystem::file_size(file, ignored);
  std::printf("  recording: %llu bytes\n", static_cast<unsigned long long>(size));
  CHECK(in.gcount() == 12 && std::string(head, 4) == "RIFF" && std::string(head + 8, 4) == "AVI ");
  CHECK(size > 720u * 480u * 2u * 5u);  // two seconds at one frame in two
  in.close();
  std::filesystem::remove(file, ignored);

  Section("a recording path that cannot be written");
  CHECK(Succeeded(player.AddVideoCaptureSourceBaseFilter(camera.sourceFilter)));
  CHECK(Succeeded(player.RenderVideoPreviewStream()));
  CHECK(Failed(player.RenderVideoCaptureStream(L"Z:\\no\\such\\folder\\x.avi", {}, L"")));
  CHECK(LogContains(L"SEVERE: SetOutputFileName method has failed, no recording is possible\r\n"));
  CHECK(Succeeded(player.RemoveFilters()));
  CHECK(FilterCount(graph.Graph()) == 1);
  PrintLog();
}

// Under Wine the renderer is the project's window renderer (Wine's EVR refuses YUY2 and faults on
// RGB32), so the picture must really reach the window in both formats.
bool PictureShown(dshow::DirectShowMediaGraph& graph) {
  for (int waited = 0; waited < 5000; waited += 100) {
    if (graph.Report().find(L"Picture shown: yes") != std::wstring::npos) return true;
    Sleep(100);
  }
  return false;
}

void TestPreviewInWindow(VideoDeviceList& devices, CommonState& state, dshow::DirectShowMediaGraph& graph,
                         VideoPlayer& player, HWND window) {
  if (!CHECK(devices.CurrentDevice() != nullptr)) return;
  VideoSourceInfo& camera = *devices.CurrentDevice();
  CHECK(Succeeded(player.RemoveRendererFromGraph()));
  player.SetRendererKind(RendererKind::kEvr);
  CHECK(Succeeded(player.AddRendererToGraph()));
  CHECK(Succeeded(player.SetClippingWindow(reinterpret_cast<std::uintptr_t>(window))));
  state.displayToolOn = {false, false, false, false};
  for (const MediaGuid& subtype : {kSubtypeRgb32, kSubtypeYuy2}) {
    const bool rgb = subtype == kSubtypeRgb32;
    Section(rgb ? "preview: camera -> renderer in a window, RGB32" : "preview: camera -> renderer in a window, YUY2");
    const VideoFormat* format = FindFormat(camera, subtype, rgb ? 640 : 720);
    if (!CHECK(format != nullptr)) return;
    CHECK(Succeeded(player.AddVideoCaptureSourceBaseFilter(camera.sourceFilter)));
    CHECK(Succeeded(player.SetStreamFormat(&format->mediaType)));
    CHECK(Succeeded(player.RenderVideoPreviewStream()));
    CHECK(player.ConnectedSubtype() == subtype);
    CHECK(
        ChainIs(dshow::ToFilter(player.CurrentRenderer()), {L"CaptureSourceFilter", L"Smart Tee", L"Window Renderer"}));
    state.geometry.NewVideo({rgb ? 640 : 720, 480});
    CHECK(Succeeded(player.UpdateDisplaySize()));
    CHECK(player.HasMediaControl());
    CHECK(Succeeded(RunFilterGraph(player)));
    CHECK(PictureShown(graph));
    CHECK(Succeeded(StopCamera(player)));
    CHECK(FilterCount(graph.Graph()) == 1);
  }
  PrintLog();
}

}  // namespace

int wmain() {
  if (!InitializeTestCom()) return 1;
  InstallTestMessages();
  // Made once and never destroyed, as in the programs: the EVR's connection is never broken.
  auto* state = new CommonState;
  state->programKind = ProgramKind::kCapture;
  auto* options = new OptionTables;
  options->RegisterBoolean(kTimeLapseEnableOption, false);
  auto* catalog = new DirectShowDeviceCatalog;
  auto* devices = new VideoDeviceList(*catalog, *state);
  auto* graph = new dshow::DirectShowMediaGraph(*state);
  Section("construction: graph, capture graph builder, EVR, Null Renderer, filters");
  auto* player = new VideoPlayer(*graph, *state, options);
  CHECK(!player->ConstructionFailed());
  CHECK(static_cast<bool>(player->CurrentRenderer()));
  CHECK(!state->featureUnavailable[kToolPixelSaturation] && !state->featureUnavailable[kToolCrosshairs]);
  CHECK(!player->TimeLapseUnavailable());
  if (state->featureUnavailable[kToolBrightnessContrast]) {
    CHECK(LogContains(L"The DMO color control filter is not installed - no brightness/contrast\r\n"));
  }
  PrintLog();
  HWND window = MakeVideoWindow();
  TestCatalogs(*devices);
  TestDisplayFilterChain(*devices, *state, *graph, *player);
  TestRecording(*devices, *state, *graph, *player, *options);
  TestPreviewInWindow(*devices, *state, *graph, *player, window);
  // The process ends with the graph in place (see above).
  ExitProcess(static_cast<UINT>(ReportTotals()));
}

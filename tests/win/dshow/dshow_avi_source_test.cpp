// Runs the "AVI Source Filter" in real filter graphs under Wine: a file written by the project's
// AviWriter, with its frame number painted into every frame and some frames dropped, is played into
// a recording sink of the test's own and into the Null Renderer. Checks the frame time format, the
// duration in frames, that a seek while paused delivers exactly the frame asked for (a dropped frame
// shows the frame before it; a compressed stream is decoded forward from its key frame), and that
// running to the end delivers end of stream.
//
//   dshow_avi_source_test
// The last line reads "N passed, M failed"; the exit status is 1 when anything failed.
#include <windows.h>

#include <dshow.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "dshow_avi_source_sink.h"
#include "dshow_test_support.h"
#include "video/avi_reader/win/avi_source_filter.h"
#include "video/avi_writer/avi_writer.h"
#include "video/dshow/dshow_guids.h"

namespace {

using namespace zuna;
using namespace zuna::dshow_test;
using zuna::dshow_test::FrameSink;
using zuna::dshow_test::ReceivedFrame;

constexpr int kFrames = 30;
constexpr int kKeyEvery = 5;

// Frame i carries i in its first four bytes; frames in `lost` never reach the writer (dropped).
bool WriteTestFile(const std::filesystem::path& path, const AviVideoFormat& format, const std::vector<int>& lost) {
  AviWriter writer;
  if (writer.Open(path, format) != kOk) return false;
  for (int i = 0; i < kFrames; ++i) {
    bool skip = false;
    for (int l : lost) skip = skip || l == i;
    if (skip) continue;
    std::vector<std::uint8_t> frame(format.compressed ? 64 + i : format.sizeImage, static_cast<std::uint8_t>(i));
    for (int b = 0; b < 4; ++b) frame[b] = static_cast<std::uint8_t>(static_cast<unsigned>(i) >> (8 * b));
    const std::int64_t start = std::int64_t{i} * 10'000'000 * format.scale / format.rate;
    if (writer.WriteFrame(frame, start, i % kKeyEvery == 0) != kOk) return false;
  }
  return writer.Close() == kOk;
}

template <typename T>
void SafeRelease(T*& p) {
  if (p != nullptr) p->Release();
  p = nullptr;
}

// A graph of the source and one renderer, taken apart in the destructor.
class Graph {
 public:
  Graph(IBaseFilter* source, IBaseFilter* renderer) : source_(source), renderer_(renderer) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&graph_)))) {
      return;
    }
    graph_->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control_));
    graph_->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events_));
    added_ = SUCCEEDED(graph_->AddFilter(source_, L"AVI Source Filter")) &&
             SUCCEEDED(graph_->AddFilter(renderer_, L"Renderer"));
    IPin* out = FirstPin(source_, PINDIR_OUTPUT);
    IPin* in = FirstPin(renderer_, PINDIR_INPUT);
    connected_ = added_ && out != nullptr && in != nullptr && SUCCEEDED(graph_->ConnectDirect(out, in, nullptr));
    SafeRelease(out);
    SafeRelease(in);
  }
  ~Graph() {
    if (control_ != nullptr) control_->Stop();
    SafeRelease(control_);
    SafeRelease(events_);
    if (graph_ != nullptr) {
      graph_->RemoveFilter(renderer_);
      graph_->RemoveFilter(source_);
    }
    SafeRelease(graph_);
  }
  bool Connected() const { return connected_; }
  IGraphBuilder* Get() { return graph_; }
  IMediaControl* Control() { return control_; }
  IMediaEvent* Events() { return events_; }

 private:
  IBaseFilter* source_;
  IBaseFilter* renderer_;
  IGraphBuilder* graph_ = nullptr;
  IMediaControl* control_ = nullptr;
  IMediaEvent* events_ = nullptr;
  bool added_ = false;
  bool connected_ = false;
};

std::vector<ReceivedFrame> Shown(FrameSink& sink, std::size_t from) {
  std::vector<ReceivedFrame> shown;
  const std::vector<ReceivedFrame> all = sink.Frames();
  for (std::size_t i = from; i < all.size(); ++i) {
    if (!all[i].preroll) shown.push_back(all[i]);
  }
  return shown;
}

// Waits until the sink has been shown `count` frames since record `from`.
bool WaitForShown(FrameSink& sink, std::size_t from, std::size_t count, DWORD milliseconds = 5000) {
  const DWORD begin = GetTickCount();
  while (Shown(sink, from).size() < count) {
    if (GetTickCount() - begin > milliseconds) return false;
    Sleep(5);
  }
  return true;
}

HRESULT SeekToFrame(IMediaSeeking* seeking, LONGLONG frame) {
  return seeking->SetPositions(&frame, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

// Seeks while paused and checks the one frame shown: its painted number and the frame it stands for.
void CheckPausedSeek(FrameSink& sink, IMediaSeeking* seeking, LONGLONG frame, std::uint32_t painted,
                     std::vector<std::uint32_t> preroll = {}) {
  std::printf("  seek to frame %lld\n", static_cast<long long>(frame));
  const std::size_t before = sink.Frames().size();
  const int flushes = sink.FlushCount();
  CHECK(SUCCEEDED(SeekToFrame(seeking, frame)));
  CHECK(WaitForShown(sink, before, 1));
  Sleep(200);  // nothing else may follow while paused
  const std::vector<ReceivedFrame> shown = Shown(sink, before);
  CHECK(shown.size() == 1);
  if (!shown.empty()) {
    if (!CHECK(shown[0].painted == painted)) std::printf("    painted %u\n", shown[0].painted);
    CHECK(shown[0].mediaStart == frame);
  }
  CHECK(sink.FlushCount() == flushes + 1);
  std::vector<std::uint32_t> prerolled;
  const std::vector<ReceivedFrame> all = sink.Frames();
  for (std::size_t i = before; i < all.size(); ++i) {
    if (all[i].preroll) prerolled.push_back(all[i].painted);
  }
  CHECK(prerolled == preroll);
  LONGLONG current = -1;
  CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == frame);
}

IMediaSeeking* SeekingOf(IUnknown* object) {
  IMediaSeeking* seeking = nullptr;
  object->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking));
  return seeking;
}

void TestUncompressed(const std::filesystem::path& file) {
  Section("uncompressed YUY2 file, frames 10 and 11 dropped");
  IBaseFilter* source = nullptr;
  if (!CHECK(SUCCEEDED(dshow::CreateAviSourceFilter(file, &source)))) return;
  FrameSink sink;
  {
    Graph graph(source, &sink);
    CHECK(graph.Connected());
    IMediaSeeking* seeking = SeekingOf(source);
    IPin* out = FirstPin(source, PINDIR_OUTPUT);
    IMediaSeeking* pinSeeking = out != nullptr ? SeekingOf(out) : nullptr;
    if (CHECK(seeking != nullptr && pinSeeking != nullptr) && graph.Connected()) {
      // Each face keeps the identity of its owner.
      IPin* pinAgain = nullptr;
      CHECK(SUCCEEDED(pinSeeking->QueryInterface(IID_IPin, reinterpret_cast<void**>(&pinAgain))) && pinAgain == out);
      SafeRelease(pinAgain);

      CHECK(seeking->IsFormatSupported(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(seeking->IsFormatSupported(&TIME_FORMAT_MEDIA_TIME) == S_OK);
      CHECK(seeking->IsFormatSupported(&TIME_FORMAT_BYTE) == S_FALSE);
      LONGLONG duration = 0;
      CHECK(SUCCEEDED(seeking->GetDuration(&duration)) && duration == 30 * 400000);
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(seeking->IsUsingTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_BYTE) == E_INVALIDARG);
      CHECK(SUCCEEDED(seeking->GetDuration(&duration)) && duration == kFrames);
      // The pin's face keeps its own format: the graph speaks stream time to it through the renderer.
      CHECK(pinSeeking->IsUsingTimeFormat(&TIME_FORMAT_MEDIA_TIME) == S_OK);
      CHECK(SUCCEEDED(pinSeeking->GetDuration(&duration)) && duration == 30 * 400000);
      LONGLONG converted = 0;
      CHECK(SUCCEEDED(seeking->ConvertTimeFormat(&converted, &TIME_FORMAT_FRAME, 2'800'000, &TIME_FORMAT_MEDIA_TIME)) &&
            converted == 7);
      CHECK(SUCCEEDED(seeking->ConvertTimeFormat(&converted, &TIME_FORMAT_MEDIA_TIME, 7, &TIME_FORMAT_FRAME)) &&
            converted == 2'800'000);
      DWORD caps = 0;
      CHECK(SUCCEEDED(seeking->GetCapabilities(&caps)) && (caps & AM_SEEKING_CanSeekAbsolute) != 0);
      CHECK(seeking->SetRate(1.0) == S_OK);
      CHECK(FAILED(seeking->SetRate(2.0)));

      Section("  pause: the first frame");
      CHECK(SUCCEEDED(graph.Control()->Pause()));
      CHECK(WaitForShown(sink, 0, 1));
      Sleep(200);
      std::vector<ReceivedFrame> shown = Shown(sink, 0);
      CHECK(shown.size() == 1 && shown[0].painted == 0 && shown[0].mediaStart == 0);

      Section("  seeks while paused");
      CheckPausedSeek(sink, seeking, 0, 0);
      CheckPausedSeek(sink, seeking, 7, 7);
      CheckPausedSeek(sink, seeking, 5, 5);
      CheckPausedSeek(sink, seeking, kFrames - 1, kFrames - 1);
      CheckPausedSeek(sink, seeking, 10, 9);  // dropped: the frame before it
      CheckPausedSeek(sink, seeking, 11, 9);
      CHECK(pinSeeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CheckPausedSeek(sink, pinSeeking, 12, 12);
      CHECK(pinSeeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME) == S_OK);
      CHECK(seeking->IsUsingTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME) == S_OK);
      {
        // A time inside a frame names that frame.
        const std::size_t before = sink.Frames().size();
        CHECK(SUCCEEDED(SeekToFrame(seeking, 6 * 400000 + 399999)));
        CHECK(WaitForShown(sink, before, 1));
        shown = Shown(sink, before);
        CHECK(!shown.empty() && shown[0].painted == 6 && shown[0].mediaStart == 6);
      }
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);

      Section("  run to the end");
      const std::size_t before = sink.Frames().size();
      CHECK(SUCCEEDED(SeekToFrame(seeking, 24)));
      CHECK(WaitForShown(sink, before, 1));
      CHECK(SUCCEEDED(graph.Control()->Run()));
      const DWORD begin = GetTickCount();
      while (sink.EndOfStreamCount() == 0 && GetTickCount() - begin < 5000) Sleep(5);
      CHECK(sink.EndOfStreamCount() == 1);
      shown = Shown(sink, before);
      std::vector<std::uint32_t> painted;
      for (const ReceivedFrame& f : shown) painted.push_back(f.painted);
      CHECK((painted == std::vector<std::uint32_t>{24, 25, 26, 27, 28, 29}));
      // While running the position follows the clock: once the last frame's time has come, it is on show.
      Sleep(500);
      LONGLONG current = -1;
      CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == kFrames - 1);
      CHECK(SUCCEEDED(graph.Control()->Stop()));

      Section("  stopped: a seek moves the position, the next pause shows it");
      CHECK(SUCCEEDED(SeekToFrame(seeking, 3)));
      CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == 3);
      const std::size_t beforePause = sink.Frames().size();
      CHECK(SUCCEEDED(graph.Control()->Pause()));
      CHECK(WaitForShown(sink, beforePause, 1));
      shown = Shown(sink, beforePause);
      CHECK(!shown.empty() && shown[0].painted == 3);
      CHECK(SUCCEEDED(graph.Control()->Stop()));
    }
    SafeRelease(pinSeeking);
    SafeRelease(out);
    SafeRelease(seeking);
  }
  CHECK(source->Release() == 0);
}

void TestCompressed(const std::filesystem::path& file) {
  Section("compressed file, a key frame every 5, frame 12 dropped");
  IBaseFilter* source = nullptr;
  if (!CHECK(SUCCEEDED(dshow::CreateAviSourceFilter(file, &source)))) return;
  FrameSink sink;
  {
    Graph graph(source, &sink);
    CHECK(graph.Connected());
    IMediaSeeking* seeking = SeekingOf(source);
    if (CHECK(seeking != nullptr) && graph.Connected()) {
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(SUCCEEDED(graph.Control()->Pause()));
      CHECK(WaitForShown(sink, 0, 1));
      CheckPausedSeek(sink, seeking, 7, 7, {5, 6});
      CheckPausedSeek(sink, seeking, 5, 5);
      CheckPausedSeek(sink, seeking, 12, 11, {10});  // dropped: decoded up to the frame before it
      CheckPausedSeek(sink, seeking, kFrames - 1, kFrames - 1, {25, 26, 27, 28});
      CHECK(SUCCEEDED(graph.Control()->Stop()));
    }
    SafeRelease(seeking);
  }
  CHECK(source->Release() == 0);
}

// A grey (Y800) file of another writer's kind: frame i is all i, frame 3 is a zero-length chunk.
bool WriteGreyFile(const std::filesystem::path& path) {
  AviWriter writer;
  if (writer.Open(path, AviVideoFormat::Compressed(FourCc("Y800"), 8, 64, 48, 25, 1)) != kOk) return false;
  for (int i = 0; i < 10; ++i) {
    if (i == 3) continue;
    const std::vector<std::uint8_t> frame(64 * 48, static_cast<std::uint8_t>(i));
    if (writer.WriteFrame(frame, std::int64_t{i} * 400000, true) != kOk) return false;
  }
  return writer.Close() == kOk;
}

void TestConverted(const std::filesystem::path& file) {
  Section("grey file: offered and delivered as RGB32, frame 3 dropped");
  IBaseFilter* source = nullptr;
  if (!CHECK(SUCCEEDED(dshow::CreateAviSourceFilter(file, &source)))) return;
  FrameSink sink;
  {
    Graph graph(source, &sink);
    CHECK(graph.Connected());
    IPin* out = FirstPin(source, PINDIR_OUTPUT);
    AM_MEDIA_TYPE type{};
    if (CHECK(out != nullptr && SUCCEEDED(out->ConnectionMediaType(&type)))) {
      const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
      CHECK(type.subtype == MEDIASUBTYPE_RGB32 && type.formattype == FORMAT_VideoInfo && info != nullptr &&
            info->bmiHeader.biWidth == 64 && info->bmiHeader.biHeight == 48 && info->bmiHeader.biBitCount == 32 &&
            type.lSampleSize == 64 * 48 * 4);
      CoTaskMemFree(type.pbFormat);
    }
    SafeRelease(out);
    IMediaSeeking* seeking = SeekingOf(source);
    if (CHECK(seeking != nullptr) && graph.Connected()) {
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(SUCCEEDED(graph.Control()->Pause()));
      CHECK(WaitForShown(sink, 0, 1));
      // Every pixel of grey level g arrives as blue, green, red = g.
      CheckPausedSeek(sink, seeking, 7, 7 * 0x010101u);
      CheckPausedSeek(sink, seeking, 3, 2 * 0x010101u);  // dropped: the frame before it
      CHECK(SUCCEEDED(graph.Control()->Stop()));
    }
    SafeRelease(seeking);
  }
  CHECK(source->Release() == 0);
}

void TestNullRenderer(const std::filesystem::path& file) {
  Section("the Null Renderer");
  IBaseFilter* source = nullptr;
  IBaseFilter* renderer = nullptr;
  if (!CHECK(SUCCEEDED(dshow::CreateAviSourceFilter(file, &source)))) return;
  if (!CHECK(SUCCEEDED(CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                        reinterpret_cast<void**>(&renderer))))) {
    source->Release();
    return;
  }
  {
    Graph graph(source, renderer);
    CHECK(graph.Connected());
    IMediaSeeking* seeking = SeekingOf(source);
    IMediaSeeking* graphSeeking = SeekingOf(graph.Get());
    if (CHECK(seeking != nullptr) && graph.Connected()) {
      if (graphSeeking != nullptr) {
        std::printf("  (the graph's own seeking answers IsFormatSupported(TIME_FORMAT_FRAME) with 0x%08lX)\n",
                    static_cast<unsigned long>(graphSeeking->IsFormatSupported(&TIME_FORMAT_FRAME)));
      }
      CHECK(seeking->IsFormatSupported(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      LONGLONG duration = 0;
      CHECK(SUCCEEDED(seeking->GetDuration(&duration)) && duration == kFrames);
      CHECK(SUCCEEDED(graph.Control()->Pause()));
      OAFilterState state = State_Stopped;
      CHECK(SUCCEEDED(graph.Control()->GetState(2000, &state)) && state == State_Paused);
      CHECK(SUCCEEDED(SeekToFrame(seeking, 7)));
      LONGLONG current = -1;
      CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == 7);
      if (CHECK(graphSeeking != nullptr)) {
        // The graph passes stream times to every filter with IMediaSeeking, the source's own face
        // included, without setting its format: graph-level seeking needs the source in stream time.
        CHECK(seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME) == S_OK);
        LONGLONG graphDuration = 0;
        CHECK(SUCCEEDED(graphSeeking->GetDuration(&graphDuration)) && graphDuration == kFrames * 400000);
        LONGLONG time = 9 * 400000;  // the start of frame 9 is frame 9
        CHECK(SUCCEEDED(
            graphSeeking->SetPositions(&time, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)));
        CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == 9 * 400000);
        CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
        CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == 9);
      }
      CHECK(SUCCEEDED(SeekToFrame(seeking, 25)));
      CHECK(SUCCEEDED(graph.Control()->Run()));
      long code = 0;
      CHECK(SUCCEEDED(graph.Events()->WaitForCompletion(5000, &code)) && code == EC_COMPLETE);
      CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == kFrames - 1);
      CHECK(SUCCEEDED(graph.Control()->Stop()));
    }
    SafeRelease(graphSeeking);
    SafeRelease(seeking);
  }
  renderer->Release();
  CHECK(source->Release() == 0);
}

// Seeks in quick succession, paused and running, from a second thread too: nothing may hang, and
// the last seek while paused still shows exactly its frame.
DWORD WINAPI SeekAlong(void* argument) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  auto* seeking = static_cast<IMediaSeeking*>(argument);
  for (int i = 0; i < 100; ++i) SeekToFrame(seeking, (i * 7) % kFrames);
  CoUninitialize();
  return 0;
}

void TestSeekStorm(const std::filesystem::path& file) {
  Section("seeks in quick succession");
  IBaseFilter* source = nullptr;
  if (!CHECK(SUCCEEDED(dshow::CreateAviSourceFilter(file, &source)))) return;
  FrameSink sink;
  {
    Graph graph(source, &sink);
    IMediaSeeking* seeking = SeekingOf(source);
    if (CHECK(graph.Connected() && seeking != nullptr)) {
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(SUCCEEDED(graph.Control()->Pause()));
      HANDLE helper = CreateThread(nullptr, 0, SeekAlong, seeking, 0, nullptr);
      for (int i = 0; i < 100; ++i) SeekToFrame(seeking, (i * 11) % kFrames);
      CHECK(SUCCEEDED(graph.Control()->Run()));
      for (int i = 0; i < 100; ++i) SeekToFrame(seeking, (i * 13) % kFrames);
      CHECK(helper != nullptr && WaitForSingleObject(helper, 20000) == WAIT_OBJECT_0);
      if (helper != nullptr) CloseHandle(helper);
      CHECK(SUCCEEDED(graph.Control()->Pause()));
      Sleep(100);
      CheckPausedSeek(sink, seeking, 13, 13);
      CHECK(SUCCEEDED(graph.Control()->Stop()));
    }
    SafeRelease(seeking);
  }
  CHECK(source->Release() == 0);
}

void TestRender(const std::filesystem::path& file) {
  Section("rendered by the graph");
  IBaseFilter* source = nullptr;
  IGraphBuilder* graph = nullptr;
  if (!CHECK(SUCCEEDED(dshow::CreateAviSourceFilter(file, &source)))) return;
  if (CHECK(SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                       reinterpret_cast<void**>(&graph))))) {
    CHECK(SUCCEEDED(graph->AddFilter(source, L"AVI Source Filter")));
    IPin* out = FirstPin(source, PINDIR_OUTPUT);
    const HRESULT hr = out != nullptr ? graph->Render(out) : E_FAIL;
    std::printf("  Render: 0x%08lX\n", static_cast<unsigned long>(hr));
    CHECK(SUCCEEDED(hr));
    IMediaControl* control = nullptr;
    IMediaSeeking* seeking = SeekingOf(source);
    if (SUCCEEDED(hr) && seeking != nullptr &&
        SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
      CHECK(seeking->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK);
      CHECK(SUCCEEDED(control->Pause()));
      OAFilterState state = State_Stopped;
      CHECK(SUCCEEDED(control->GetState(3000, &state)) && state == State_Paused);
      CHECK(SUCCEEDED(SeekToFrame(seeking, 7)));
      LONGLONG current = -1;
      CHECK(SUCCEEDED(seeking->GetCurrentPosition(&current)) && current == 7);
      CHECK(SUCCEEDED(control->Stop()));
    }
    SafeRelease(control);
    SafeRelease(seeking);
    // Take the graph apart: every filter out, so that nothing holds the source.
    IEnumFilters* filters = nullptr;
    if (SUCCEEDED(graph->EnumFilters(&filters))) {
      std::vector<IBaseFilter*> all;
      IBaseFilter* f = nullptr;
      while (filters->Next(1, &f, nullptr) == S_OK) all.push_back(f);
      filters->Release();
      for (IBaseFilter* each : all) {
        graph->RemoveFilter(each);
        each->Release();
      }
    }
    SafeRelease(out);
    SafeRelease(graph);
  }
  CHECK(source->Release() == 0);
}

void TestRefusals(const std::filesystem::path& folder) {
  Section("files that are not AVI video");
  IBaseFilter* source = reinterpret_cast<IBaseFilter*>(1);
  CHECK(FAILED(dshow::CreateAviSourceFilter(folder / "missing.avi", &source)) && source == nullptr);
  const std::filesystem::path text = folder / "zuna_avi_source_text.avi";
  if (FILE* f = _wfopen(text.c_str(), L"wb")) {
    std::fputs("RIFF this is not video", f);
    std::fclose(f);
  }
  CHECK(dshow::CreateAviSourceFilter(text, &source) == VFW_E_INVALID_FILE_FORMAT && source == nullptr);
  DeleteFileW(text.c_str());
  CHECK(dshow::CreateAviSourceFilter(text, nullptr) == E_POINTER);
}

}  // namespace

int wmain() {
  if (!InitializeTestCom()) return 1;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder(temp);
  const std::filesystem::path yuy2 = folder / "zuna_avi_source_yuy2.avi";
  const std::filesystem::path coded = folder / "zuna_avi_source_coded.avi";
  if (CHECK(WriteTestFile(yuy2, AviVideoFormat::Yuy2(64, 48, 25, 1), {10, 11}))) {
    TestUncompressed(yuy2);
    TestNullRenderer(yuy2);
    TestRender(yuy2);
    TestSeekStorm(yuy2);
  }
  if (CHECK(WriteTestFile(coded, AviVideoFormat::Compressed(FourCc("ZTST"), 24, 64, 48, 25, 1), {12}))) {
    TestCompressed(coded);
  }
  const std::filesystem::path grey = folder / "zuna_avi_source_grey.avi";
  if (CHECK(WriteGreyFile(grey))) TestConverted(grey);
  TestRefusals(folder);
  DeleteFileW(grey.c_str());
  DeleteFileW(yuy2.c_str());
  DeleteFileW(coded.c_str());
  CoUninitialize();
  return ReportTotals();
}

// Runs the project's window renderer in real filter graphs under Wine. The synthetic camera shows
// which types connect (YUY2 and RGB32, not RGB24). An AVI file written by AviWriter, with its frame
// number painted into every frame as black and white stripes, is played by the AVI source filter
// into the renderer, which draws into a window of the test's own; the number is read back from the
// window's pixels. Checks the pause (one frame drawn and held, GetState), seeks while paused,
// Repaint, end of stream while paused, running to the end with EC_COMPLETE, and that a stop while the
// stream is held returns at once and ends the source's streaming thread.
//
//   dshow_window_renderer_test [path\to\zuna_synthetic_camera.dll]
// The last line reads "N passed, M failed"; the exit status is 1 when anything failed.
#include <windows.h>

#include <dshow.h>
#include <tlhelp32.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dshow_test_support.h"
#include "video/avi_reader/win/avi_source_filter.h"
#include "video/avi_writer/avi_writer.h"
#include "video/dshow/media_type.h"
#include "video/frames/display_frame.h"
#include "video/player/win/window_renderer.h"

namespace {

using namespace zuna;
using namespace zuna::dshow_test;

std::wstring g_cameraDll;

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kFrames = 30;
constexpr int kBits = 8;  // stripes across the frame, most significant bit on the left
// The window and the picture in it: twice the frame's size, so SetOutputSize stretches.
constexpr int kOutWidth = 2 * kWidth;
constexpr int kOutHeight = 2 * kHeight;
constexpr DWORD kPromptly = 2000;  // milliseconds a stop may take

template <typename T>
void SafeRelease(T*& p) {
  if (p != nullptr) p->Release();
  p = nullptr;
}

// ---- the test file: frame n shows n in the top half and its complement in the bottom half, so
// that a picture upside down or half drawn reads as no number at all

std::vector<std::uint8_t> PaintedFrame(int number) {
  std::vector<std::uint8_t> frame(kWidth * kHeight * 2);
  for (int y = 0; y < kHeight; ++y) {
    const int value = y < kHeight / 2 ? number : ~number;
    for (int x = 0; x < kWidth; ++x) {
      const bool set = ((value >> (kBits - 1 - x * kBits / kWidth)) & 1) != 0;
      std::uint8_t* pair = &frame[(y * kWidth + x / 2 * 2) * 2];  // Y0 U Y1 V
      pair[x % 2 * 2] = set ? 235 : 16;
      pair[1] = pair[3] = 128;
    }
  }
  return frame;
}

bool WriteTestFile(const std::filesystem::path& path) {
  AviWriter writer;
  const AviVideoFormat format = AviVideoFormat::Yuy2(kWidth, kHeight, 25, 1);
  if (writer.Open(path, format) != kOk) return false;
  for (int i = 0; i < kFrames; ++i) {
    if (writer.WriteFrame(PaintedFrame(i), std::int64_t{i} * 400000, true) != kOk) return false;
  }
  return writer.Close() == kOk;
}

// ---- the window the renderer draws into

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;  // the renderer's picture stays as drawn
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A visible pop-up window of the picture's size in the top left corner: pixels of a hidden window
// cannot be read back.
class TestWindow {
 public:
  TestWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZunaWindowRendererTest";
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName,
                              L"Window renderer test", WS_POPUP | WS_VISIBLE, 0, 0, kOutWidth, kOutHeight, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
    PumpMessages();
  }
  ~TestWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    PumpMessages();
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

bool Bright(COLORREF color) {
  return color != CLR_INVALID && GetGValue(color) >= 128;
}

// The frame number on show in the window, or -1 when the window shows none.
int ReadPainted(HWND window) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return -1;
  int top = 0, bottom = 0;
  for (int bit = 0; bit < kBits; ++bit) {
    const int x = (2 * bit + 1) * kOutWidth / (2 * kBits);  // the middle of the stripe
    top = top << 1 | (Bright(GetPixel(dc, x, kOutHeight / 4)) ? 1 : 0);
    bottom = bottom << 1 | (Bright(GetPixel(dc, x, kOutHeight * 3 / 4)) ? 1 : 0);
  }
  ReleaseDC(window, dc);
  return (top ^ bottom) == (1 << kBits) - 1 ? top : -1;
}

void Blank(HWND window) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return;
  const RECT all{0, 0, kOutWidth, kOutHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(window, dc);
}

// ---- waiting

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 5000) {
  const DWORD begin = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - begin > milliseconds) return false;
    PumpMessages();
    Sleep(5);
  }
  return true;
}

// Lets `milliseconds` pass with the window served: time for anything that should not happen.
void Settle(DWORD milliseconds) {
  WaitUntil([] { return false; }, milliseconds);
}

struct GuardedCall {
  std::function<HRESULT()> call;
  HRESULT result = E_FAIL;
};

DWORD WINAPI RunGuarded(void* argument) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  auto* guarded = static_cast<GuardedCall*>(argument);
  guarded->result = guarded->call();
  CoUninitialize();
  return 0;
}

// Makes `call` on a thread of its own and returns its result with the time it took. A call still
// busy after ten seconds is a hang: the program ends there, as its clean-up would hang as well.
HRESULT CallWithoutHang(const char* what, const std::function<HRESULT()>& call, DWORD* elapsed) {
  auto* guarded = new GuardedCall{call};
  const DWORD begin = GetTickCount();
  HANDLE thread = CreateThread(nullptr, 0, RunGuarded, guarded, 0, nullptr);
  if (thread == nullptr) return E_FAIL;
  const bool finished = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
  *elapsed = GetTickCount() - begin;
  CloseHandle(thread);
  if (!finished) {
    Check(false, what, __LINE__);
    std::printf("  %s hangs\n%d passed, %d failed\n", what, g_tally.passed, g_tally.failed);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 1);
  }
  const HRESULT result = guarded->result;
  delete guarded;
  return result;
}

// The threads of this process, to tell whether the source's streaming thread has ended.
std::vector<DWORD> ThreadIds() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.push_back(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return ids;
}

// Handles of the threads in `now` that are not in `before`.
std::vector<HANDLE> NewThreads(const std::vector<DWORD>& before, const std::vector<DWORD>& now) {
  std::vector<HANDLE> handles;
  for (DWORD id : now) {
    bool old = false;
    for (DWORD b : before) old = old || b == id;
    if (old) continue;
    if (HANDLE h = OpenThread(SYNCHRONIZE, FALSE, id)) handles.push_back(h);
  }
  return handles;
}

int EndedCount(const std::vector<HANDLE>& threads) {
  int ended = 0;
  for (HANDLE h : threads) ended += WaitForSingleObject(h, 0) == WAIT_OBJECT_0 ? 1 : 0;
  return ended;
}

// ---- the AVI source and the window renderer in one graph

HRESULT SeekToFrame(IMediaSeeking* seeking, LONGLONG frame) {
  return seeking->SetPositions(&frame, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

// The two filters, released last: once the graph has let go of them, nothing else may hold them.
struct PlaybackFilters {
  IBaseFilter* source = nullptr;
  dshow::WindowRenderer* renderer = nullptr;
  PlaybackFilters() = default;
  PlaybackFilters(const PlaybackFilters&) = delete;
  PlaybackFilters& operator=(const PlaybackFilters&) = delete;
  ~PlaybackFilters() {
    if (source != nullptr) CHECK(source->Release() == 0);
    if (renderer != nullptr) CHECK(renderer->Release() == 0);
  }
};

class PlaybackGraph {
 public:
  PlaybackGraph(const std::filesystem::path& file, HWND window) {
    filters_.renderer = dshow::WindowRenderer::Create();
    if (filters_.renderer == nullptr || FAILED(dshow::CreateAviSourceFilter(file, &filters_.source))) return;
    IBaseFilter* source = filters_.source;
    dshow::WindowRenderer* renderer = filters_.renderer;
    renderer->SetWindow(window);
    renderer->SetOutputSize(kOutWidth, kOutHeight);
    source->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking_));
    if (!graph_.Ok() || FAILED(graph_.Add(source, L"AVI Source Filter")) ||
        FAILED(graph_.Add(renderer, L"Window Renderer")) || FAILED(graph_.Connect(source, renderer))) {
      return;
    }
    graph_.Get()->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control_));
    graph_.Get()->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events_));
    ready_ = control_ != nullptr && events_ != nullptr && seeking_ != nullptr &&
             seeking_->SetTimeFormat(&TIME_FORMAT_FRAME) == S_OK;
  }
  ~PlaybackGraph() {
    if (control_ != nullptr) control_->Stop();
    SafeRelease(control_);
    SafeRelease(events_);
    SafeRelease(seeking_);
  }
  PlaybackGraph(const PlaybackGraph&) = delete;
  PlaybackGraph& operator=(const PlaybackGraph&) = delete;

  bool Ready() const { return ready_; }
  IBaseFilter* Source() { return filters_.source; }
  dshow::WindowRenderer& Renderer() { return *filters_.renderer; }
  IMediaSeeking* Seeking() { return seeking_; }
  IMediaControl* Control() { return control_; }
  IMediaEvent* Events() { return events_; }

 private:
  PlaybackFilters filters_;  // declared first: released after everything below
  IMediaSeeking* seeking_ = nullptr;
  IMediaControl* control_ = nullptr;
  IMediaEvent* events_ = nullptr;
  bool ready_ = false;
  Graph graph_;  // declared last: taken apart first
};

// Waits for EC_COMPLETE; other events are passed over.
bool WaitForComplete(IMediaEvent* events, DWORD milliseconds) {
  const DWORD begin = GetTickCount();
  for (;;) {
    const DWORD spent = GetTickCount() - begin;
    if (spent > milliseconds) return false;
    long code = 0;
    LONG_PTR first = 0, second = 0;
    if (events->GetEvent(&code, &first, &second, 50) == S_OK) {
      events->FreeEventParams(code, first, second);
      if (code == EC_COMPLETE) return true;
    }
    PumpMessages();
  }
}

bool PausedAndReady(PlaybackGraph& graph) {
  FILTER_STATE state = State_Stopped;
  OAFilterState graphState = State_Stopped;
  return graph.Renderer().GetState(5000, &state) == S_OK && state == State_Paused &&
         graph.Control()->GetState(5000, &graphState) == S_OK && graphState == State_Paused;
}

// A seek while paused: exactly one more frame is drawn, and it is the one asked for.
void CheckPausedSeek(PlaybackGraph& graph, HWND window, LONGLONG frame) {
  std::printf("  seek to frame %lld\n", static_cast<long long>(frame));
  const std::uint64_t before = graph.Renderer().FramesDrawn();
  CHECK(SUCCEEDED(SeekToFrame(graph.Seeking(), frame)));
  CHECK(WaitUntil([&] { return graph.Renderer().FramesDrawn() > before; }));
  CHECK(PausedAndReady(graph));
  Settle(200);  // nothing else may follow while paused
  CHECK(graph.Renderer().FramesDrawn() == before + 1);
  const int painted = ReadPainted(window);
  if (!CHECK(painted == frame)) std::printf("    the window shows %d\n", painted);
}

// ---- type acceptance, with the synthetic camera

IBaseFilter* MakeCamera() {
  IBaseFilter* filter = nullptr;
  const HRESULT hr = CreateSyntheticCamera(g_cameraDll, 1, &filter);
  if (FAILED(hr)) std::printf("  cannot create the synthetic camera: 0x%08lX\n", static_cast<unsigned long>(hr));
  return filter;
}

void CheckQueryAccept(IPin* input) {
  struct Case {
    const char* name;
    AM_MEDIA_TYPE type;
    HRESULT expected;
  };
  Case cases[] = {
      {"YUY2 720x480", VideoType(MEDIASUBTYPE_YUY2, 720, 480, 16, 333667), S_OK},
      {"RGB32 640x480", VideoType(MEDIASUBTYPE_RGB32, 640, 480, 32, 333333), S_OK},
      {"RGB32 top row first", VideoType(MEDIASUBTYPE_RGB32, 640, -480, 32, 333333), S_OK},
      {"RGB24", VideoType(MEDIASUBTYPE_RGB24, 640, 480, 24, 333333), S_FALSE},
      {"MJPG", VideoType(MEDIASUBTYPE_MJPG, 640, 480, 24, 333333), S_FALSE},
      {"YUY2 no width", VideoType(MEDIASUBTYPE_YUY2, 0, 480, 16, 333667), S_FALSE},
      {"YUY2 no height", VideoType(MEDIASUBTYPE_YUY2, 720, 0, 16, 333667), S_FALSE},
      {"RGB32 too wide", VideoType(MEDIASUBTYPE_RGB32, kMaxDisplaySide + 1, 2, 32, 333333), S_FALSE},
  };
  for (Case& c : cases) {
    const HRESULT hr = input->QueryAccept(&c.type);
    if (!CHECK(hr == c.expected)) std::printf("    %s: 0x%08lX\n", c.name, static_cast<unsigned long>(hr));
    dshow::FreeMediaType(c.type);
  }
}

void TestRendererSettings() {
  Section("settings: output size, repaint without a window");
  dshow::WindowRenderer* renderer = dshow::WindowRenderer::Create();
  if (!CHECK(renderer != nullptr)) return;
  CHECK(renderer->FramesDrawn() == 0 && renderer->FramesDrawnSinceStart() == 0);
  CHECK(renderer->Repaint() == E_POINTER);
  CHECK(renderer->SetOutputSize(0, 10) == E_INVALIDARG);
  CHECK(renderer->SetOutputSize(10, 0) == E_INVALIDARG);
  CHECK(renderer->SetOutputSize(-10, 10) == E_INVALIDARG);
  CHECK(renderer->SetOutputSize(kMaxDisplaySide + 1, 10) == E_INVALIDARG);
  CHECK(renderer->SetOutputSize(10, kMaxDisplaySide + 1) == E_INVALIDARG);
  CHECK(renderer->SetOutputSize(kMaxDisplaySide, 1) == S_OK);
  IPin* input = FirstPin(renderer, PINDIR_INPUT);
  if (CHECK(input != nullptr)) {
    CheckQueryAccept(input);
    input->Release();
  }
  CHECK(renderer->Release() == 0);
}

// The camera set to one format feeds the renderer for a moment; false when they do not connect.
bool CameraConnects(HWND window, const GUID& subtype, int width, int height, int bits, REFERENCE_TIME frameTime) {
  IBaseFilter* camera = MakeCamera();
  dshow::WindowRenderer* renderer = dshow::WindowRenderer::Create();
  bool connected = false;
  if (CHECK(camera != nullptr && renderer != nullptr)) {
    renderer->SetWindow(window);
    Graph graph;
    CHECK(SUCCEEDED(ChooseFormat(camera, subtype, width, height, bits, frameTime)));
    CHECK(SUCCEEDED(graph.Add(camera, L"Camera")) && SUCCEEDED(graph.Add(renderer, L"Window Renderer")));
    connected = SUCCEEDED(graph.Connect(camera, renderer));
    IPin* input = FirstPin(renderer, PINDIR_INPUT);
    AM_MEDIA_TYPE type{};
    if (connected && CHECK(input != nullptr && input->ConnectionMediaType(&type) == S_OK)) {
      CHECK(type.subtype == subtype);
      dshow::FreeMediaType(type);
      CHECK(SUCCEEDED(graph.RunFor(600)));
      CHECK(renderer->FramesDrawnSinceStart() > 0);
    }
    SafeRelease(input);
  }
  SafeRelease(camera);
  if (renderer != nullptr) CHECK(renderer->Release() == 0);
  return connected;
}

void TestCameraTypes(HWND window) {
  Section("types: the camera's YUY2 and RGB32 connect and are drawn, RGB24 is refused");
  CHECK(CameraConnects(window, MEDIASUBTYPE_YUY2, 720, 480, 16, 333667));
  CHECK(CameraConnects(window, MEDIASUBTYPE_RGB32, 640, 480, 32, 333333));
  CHECK(!CameraConnects(window, MEDIASUBTYPE_RGB24, 640, 480, 24, 333333));

  // Offered explicitly, RGB24 is refused at connection time as well.
  IBaseFilter* camera = MakeCamera();
  dshow::WindowRenderer* renderer = dshow::WindowRenderer::Create();
  if (CHECK(camera != nullptr && renderer != nullptr)) {
    Graph graph;
    graph.Add(camera, L"Camera");
    graph.Add(renderer, L"Window Renderer");
    IPin* out = FirstPin(camera, PINDIR_OUTPUT);
    IPin* in = FirstPin(renderer, PINDIR_INPUT);
    AM_MEDIA_TYPE rgb24 = VideoType(MEDIASUBTYPE_RGB24, 640, 480, 24, 333333);
    CHECK(out != nullptr && in != nullptr && FAILED(graph.Get()->ConnectDirect(out, in, &rgb24)));
    IPin* peer = nullptr;
    CHECK(in != nullptr && in->ConnectedTo(&peer) == VFW_E_NOT_CONNECTED);
    SafeRelease(peer);
    dshow::FreeMediaType(rgb24);
    SafeRelease(out);
    SafeRelease(in);
  }
  SafeRelease(camera);
  if (renderer != nullptr) CHECK(renderer->Release() == 0);
}

// ---- the AVI source into the renderer

// Pause by hand, the renderer first: its pause stays incomplete until the source delivers.
void TestIntermediatePause(const std::filesystem::path& file, HWND window) {
  Section("pause: incomplete until the first frame arrives");
  PlaybackGraph graph(file, window);
  if (!CHECK(graph.Ready())) return;
  dshow::WindowRenderer& renderer = graph.Renderer();
  FILTER_STATE state = State_Stopped;
  CHECK(SUCCEEDED(renderer.Pause()));
  CHECK(renderer.GetState(300, &state) == VFW_S_STATE_INTERMEDIATE && state == State_Paused);
  CHECK(renderer.FramesDrawnSinceStart() == 0);
  CHECK(SUCCEEDED(graph.Source()->Pause()));
  CHECK(renderer.GetState(5000, &state) == S_OK && state == State_Paused);
  Settle(200);
  CHECK(renderer.FramesDrawnSinceStart() == 1);
  CHECK(ReadPainted(window) == 0);
  // The source's thread is held in the renderer: stopping the renderer lets it go, then the source
  // stops (and joins its thread).
  DWORD elapsed = 0;
  CHECK(SUCCEEDED(CallWithoutHang(
      "renderer stop", [&] { return renderer.Stop(); }, &elapsed)));
  CHECK(elapsed < kPromptly);
  CHECK(SUCCEEDED(CallWithoutHang(
      "source stop", [&] { return graph.Source()->Stop(); }, &elapsed)));
  CHECK(elapsed < kPromptly);
  CHECK(renderer.GetState(0, &state) == S_OK && state == State_Stopped);
}

void TestPausedSeeks(PlaybackGraph& graph, HWND window) {
  Section("pause: the first frame, drawn and held");
  CHECK(SUCCEEDED(graph.Control()->Pause()));
  CHECK(PausedAndReady(graph));
  Settle(200);
  CHECK(graph.Renderer().FramesDrawnSinceStart() == 1);
  CHECK(ReadPainted(window) == 0);

  Section("seeks while paused");
  CheckPausedSeek(graph, window, 7);
  CheckPausedSeek(graph, window, 5);
  CheckPausedSeek(graph, window, kFrames - 1);

  Section("repaint: the last frame again");
  const std::uint64_t drawn = graph.Renderer().FramesDrawn();
  Blank(window);
  CHECK(ReadPainted(window) == -1);
  CHECK(graph.Renderer().Repaint() == S_OK);
  CHECK(ReadPainted(window) == kFrames - 1);
  CHECK(graph.Renderer().FramesDrawn() == drawn);
}

// Runs from frame `from` (already on show, paused) to the end: every later frame is drawn at its
// time, and EC_COMPLETE follows once.
void CheckRunToEnd(PlaybackGraph& graph, HWND window, int from) {
  const std::uint64_t before = graph.Renderer().FramesDrawn();
  const DWORD begin = GetTickCount();
  CHECK(SUCCEEDED(graph.Control()->Run()));
  Settle(200);
  CHECK(graph.Renderer().FramesDrawn() - before < static_cast<std::uint64_t>(kFrames - 1 - from));  // paced
  CHECK(WaitForComplete(graph.Events(), 10000));
  const DWORD took = GetTickCount() - begin;
  const DWORD nominal = static_cast<DWORD>(kFrames - 1 - from) * 40;
  if (!CHECK(took + 150 >= nominal)) std::printf("    %lu ms for %lu ms of frames\n", took, nominal);
  CHECK(graph.Renderer().FramesDrawn() - before == static_cast<std::uint64_t>(kFrames - 1 - from));
  CHECK(ReadPainted(window) == kFrames - 1);
  CHECK(!WaitForComplete(graph.Events(), 300));  // once only
  DWORD elapsed = 0;
  CHECK(SUCCEEDED(CallWithoutHang(
      "graph stop", [&] { return graph.Control()->Stop(); }, &elapsed)));
  CHECK(elapsed < kPromptly);
}

void TestRunToEnd(PlaybackGraph& graph, HWND window) {
  Section("run from frame 0 to the end");
  CheckPausedSeek(graph, window, 0);
  CheckRunToEnd(graph, window, 0);

  Section("run again from frame 20, from stopped");
  CHECK(SUCCEEDED(SeekToFrame(graph.Seeking(), 20)));
  CHECK(SUCCEEDED(graph.Control()->Pause()));
  CHECK(PausedAndReady(graph));
  Settle(200);
  CHECK(graph.Renderer().FramesDrawnSinceStart() == 1);
  CHECK(ReadPainted(window) == 20);
  CheckRunToEnd(graph, window, 20);
  CHECK(graph.Renderer().FramesDrawnSinceStart() == static_cast<std::uint64_t>(kFrames - 20));
}

void TestPauseWhileRunning(PlaybackGraph& graph, HWND window) {
  Section("pause while running: the next frame is drawn and held, the run goes on from it");
  CHECK(SUCCEEDED(SeekToFrame(graph.Seeking(), 0)));
  CHECK(SUCCEEDED(graph.Control()->Pause()));
  CHECK(PausedAndReady(graph));
  CHECK(SUCCEEDED(graph.Control()->Run()));
  Settle(300);
  CHECK(SUCCEEDED(graph.Control()->Pause()));
  CHECK(PausedAndReady(graph));
  const std::uint64_t drawn = graph.Renderer().FramesDrawn();
  const int held = ReadPainted(window);
  std::printf("  held at frame %d\n", held);
  CHECK(held > 0 && held < kFrames - 1);
  Settle(300);
  CHECK(graph.Renderer().FramesDrawn() == drawn);
  CHECK(ReadPainted(window) == held);
  CHECK(SUCCEEDED(graph.Control()->Run()));
  CHECK(WaitForComplete(graph.Events(), 10000));
  CHECK(graph.Renderer().FramesDrawn() - drawn == static_cast<std::uint64_t>(kFrames - 1 - held));
  CHECK(ReadPainted(window) == kFrames - 1);
  CHECK(SUCCEEDED(graph.Control()->Stop()));
}

void TestEndWhilePaused(PlaybackGraph& graph) {
  Section("end of stream while paused: the pause completes, EC_COMPLETE comes with the run");
  CHECK(SUCCEEDED(graph.Control()->Pause()));
  CHECK(PausedAndReady(graph));
  const std::uint64_t before = graph.Renderer().FramesDrawn();
  CHECK(SUCCEEDED(SeekToFrame(graph.Seeking(), kFrames)));  // past the end: end of stream at once
  CHECK(PausedAndReady(graph));
  CHECK(!WaitForComplete(graph.Events(), 300));
  CHECK(graph.Renderer().FramesDrawn() == before);
  CHECK(SUCCEEDED(graph.Control()->Run()));
  CHECK(WaitForComplete(graph.Events(), 5000));
  CHECK(SUCCEEDED(graph.Control()->Stop()));
}

void TestStopWhileHeld(PlaybackGraph& graph, HWND window) {
  Section("stop while the stream is held in the pause");
  const std::vector<DWORD> stopped = ThreadIds();
  CHECK(SUCCEEDED(SeekToFrame(graph.Seeking(), 12)));
  CHECK(SUCCEEDED(graph.Control()->Pause()));
  CHECK(PausedAndReady(graph));
  Settle(200);
  CHECK(ReadPainted(window) == 12);
  // The threads that came with the pause, the source's streaming thread among them.
  const std::vector<HANDLE> started = NewThreads(stopped, ThreadIds());
  CHECK(!started.empty() && EndedCount(started) == 0);
  const std::uint64_t drawn = graph.Renderer().FramesDrawn();
  DWORD elapsed = 0;
  CHECK(SUCCEEDED(CallWithoutHang(
      "graph stop", [&] { return graph.Control()->Stop(); }, &elapsed)));
  CHECK(elapsed < kPromptly);
  CHECK(EndedCount(started) >= 1);
  std::printf("  %zu threads came with the pause, %d ended with the stop\n", started.size(), EndedCount(started));
  for (HANDLE h : started) CloseHandle(h);
  Settle(200);
  CHECK(graph.Renderer().FramesDrawn() == drawn);
  FILTER_STATE state = State_Paused;
  CHECK(graph.Renderer().GetState(0, &state) == S_OK && state == State_Stopped);

  // Paused again (the graph's stop rewinds the source, hence the seek), the renderer starts over.
  CHECK(SUCCEEDED(SeekToFrame(graph.Seeking(), 12)));
  CHECK(SUCCEEDED(graph.Control()->Pause()));
  CHECK(PausedAndReady(graph));
  Settle(200);
  CHECK(graph.Renderer().FramesDrawnSinceStart() == 1);
  CHECK(ReadPainted(window) == 12);
  CHECK(SUCCEEDED(CallWithoutHang(
      "graph stop", [&] { return graph.Control()->Stop(); }, &elapsed)));
}

void TestPlayback(const std::filesystem::path& file, HWND window) {
  PlaybackGraph graph(file, window);
  if (!CHECK(graph.Ready())) return;
  TestPausedSeeks(graph, window);
  TestRunToEnd(graph, window);
  TestPauseWhileRunning(graph, window);
  TestEndWhilePaused(graph);
  TestStopWhileHeld(graph, window);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  g_cameraDll = argc > 1 ? argv[1] : DefaultCameraDllPath();
  if (!InitializeTestCom()) return 1;
  {
    TestWindow window;
    if (CHECK(window.Get() != nullptr)) {
      TestRendererSettings();
      TestCameraTypes(window.Get());
      wchar_t temp[MAX_PATH + 1] = {};
      GetTempPathW(MAX_PATH, temp);
      const std::filesystem::path file = std::filesystem::path(temp) / "zuna_window_renderer.avi";
      if (CHECK(WriteTestFile(file))) {
        TestIntermediatePause(file, window.Get());
        TestPlayback(file, window.Get());
      }
      DeleteFileW(file.c_str());
    }
  }
  CoUninitialize();
  return ReportTotals();
}

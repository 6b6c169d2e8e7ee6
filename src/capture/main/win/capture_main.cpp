// Entry point of ZUNA_Capture: one instance at a time, high priority, the splash, the common
// foundation, the main object, the message loop.
#include <objbase.h>
#include <windows.h>

#include <memory>

#include "capture/main/win/capture_main_window.h"
#include "common/foundation/win/program_run.h"
#include "common/log/user_messages_log.h"
#include "common/windows/win/win_util.h"
#include "video/player/video_player.h"
#include "video/player/win/dshow_media_graph.h"
#ifdef ZUNA_AUTOMATION
#include "common/foundation/win/automation_agent.h"
#endif

namespace {

// The filter-graph object: the DirectShow graph and the player over it, never destroyed.
struct CaptureVideo {
  CaptureVideo(zuna::CommonState& state, const zuna::OptionTables& options)
      : graph(state), player(graph, state, &options) {}
  zuna::dshow::DirectShowMediaGraph graph;
  zuna::VideoPlayer player;
};

HWND ShowSplash(HINSTANCE instance, const zuna::Rect& workArea) {
  const int width = workArea.Width();
  const int height = workArea.Height();
  HWND splash = CreateWindowExW(0, L"STATIC", L"ZUNA Video Capture Initialization...",
                                WS_POPUP | WS_CAPTION | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, width / 2 - 150,
                                height / 2 - 50, 300, 100, nullptr, nullptr, instance, nullptr);
  if (splash != nullptr) UpdateWindow(splash);
  return splash;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (FindWindowW(L"ZUNA Capture Window Class", nullptr) != nullptr) return static_cast<int>(E_ABORT);
  if (GetPriorityClass(GetCurrentProcess()) != HIGH_PRIORITY_CLASS) {
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
  }
  HWND splash = ShowSplash(instance, zuna::PrimaryWorkArea());
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(com)) return static_cast<int>(com);

  // The common foundation and the main object live until the process ends.
  auto* common = new (std::nothrow) zuna::CommonWindows(zuna::ProgramKind::kCapture, instance);
  if (common == nullptr) return static_cast<int>(E_OUTOFMEMORY);
  zuna::CommonState& state = common->State();
  CaptureVideo* video = nullptr;
  if (instance == nullptr) {
    zuna::PostStampedMessage(L"FATAL: g_hAppInstance is 0, thus cannot create common class instances");
  } else if (!common->Common().FatalStartupError()) {
    video = new (std::nothrow) CaptureVideo(state, common->Common().Options());
    if (video == nullptr) return static_cast<int>(E_OUTOFMEMORY);
  }
  auto* main = common->Common().FatalStartupError()
                   ? nullptr
                   : new (std::nothrow) zuna::CaptureMainWindow(*common, instance, video ? &video->player : nullptr);
  if (main == nullptr && !common->Common().FatalStartupError()) return static_cast<int>(E_OUTOFMEMORY);
  if (common->Common().FatalStartupError()) return zuna::EndFailedStartup(*common);
  common->EndStartup();
  if (splash != nullptr) DestroyWindow(splash);
#ifdef ZUNA_AUTOMATION
  zuna::StartAutomationAgent(instance, main->Window(), [main] { return main->Menu(); });
  zuna::SetAutomationHooks({[video] { return video != nullptr ? video->graph.Report() : std::wstring(); }});
#endif
  const int code = zuna::RunMessageLoop(state, main->NavigationWindow());
  CoUninitialize();
  Sleep(4);
  return code;
}

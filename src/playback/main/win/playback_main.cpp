// Entry point of ZUNA_Playback: the common foundation, the video player, the main window, the
// message loop.
#include <objbase.h>
#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "common/foundation/win/program_run.h"
#include "common/log/user_messages_log.h"
#include "playback/main/win/playback_main_window.h"
#include "video/player/video_player.h"
#include "video/player/win/dshow_media_graph.h"
#ifdef ZUNA_AUTOMATION
#include "common/foundation/win/automation_agent.h"
#endif

namespace {

// The filter-graph object: the DirectShow graph and the player over it, never destroyed.
struct PlaybackVideo {
  explicit PlaybackVideo(zuna::CommonState& state) : graph(state), player(graph, state, nullptr) {
    graph.SetOverlay(&overlay);
  }
  zuna::VideoOverlay overlay;  // before the graph, whose renderer reads it
  zuna::dshow::DirectShowMediaGraph graph;
  zuna::VideoPlayer player;
};

// The file the program was started with ("ZUNA_Playback.exe FILE", or a file opened with it), as a
// full path; empty when there is none.
std::wstring FileNamedOnCommandLine() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::wstring named = count > 1 && arguments[1] != nullptr ? arguments[1] : L"";
  LocalFree(arguments);
  if (named.empty()) return {};
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(named, error);
  return error ? named : full.wstring();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(com)) return static_cast<int>(com);
  auto* common = new (std::nothrow) zuna::CommonWindows(zuna::ProgramKind::kPlayback, instance);
  if (common == nullptr) return static_cast<int>(E_OUTOFMEMORY);
  zuna::CommonState& state = common->State();
  PlaybackVideo* video = nullptr;
  if (instance == nullptr) {
    zuna::PostStampedMessage(L"FATAL: g_hAppInstance is 0, thus cannot create common class instances");
    common->Common().ReportFatalStartupError();
  } else if (!common->Common().FatalStartupError()) {
    video = new (std::nothrow) PlaybackVideo(state);
    if (video == nullptr) return static_cast<int>(E_OUTOFMEMORY);
    // Playback seeks from its first command on: without media seeking there is nothing to play.
    if (zuna::Failed(video->player.SetMediaSeekingInterface())) {
      zuna::PostUnstampedMessage(L"FATAL: cannot set media seeking interface");
      return zuna::EndFailedStartup(*common);
    }
  }
  auto* main = common->Common().FatalStartupError() ? nullptr
                                                    : new (std::nothrow)
                                                          zuna::PlaybackMainWindow(*common, instance, video->player, video->overlay);
  if (main == nullptr && !common->Common().FatalStartupError()) return static_cast<int>(E_OUTOFMEMORY);
  if (common->Common().FatalStartupError()) return zuna::EndFailedStartup(*common);
  common->EndStartup();
#ifdef ZUNA_AUTOMATION
  zuna::StartAutomationAgent(instance, main->Window(), [main] { return main->Menu(); });
  zuna::SetAutomationHooks({[video] { return video->graph.Report(); }});
#endif
  if (const std::wstring named = FileNamedOnCommandLine(); !named.empty()) main->OpenFileNamed(named);
  return zuna::RunMessageLoop(state);
}

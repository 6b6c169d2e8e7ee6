// Entry point of ZUNA_Playback: the common foundation, the main window, the message loop.
#include <windows.h>
#include <objbase.h>

#include <memory>

#include "common/win/program_run.h"
#include "playback/win/playback_main_window.h"
#ifdef ZUNA_AUTOMATION
#include "common/win/automation_agent.h"
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(com)) return static_cast<int>(com);
  auto* common = new (std::nothrow) zuna::CommonWindows(zuna::ProgramKind::kPlayback, instance);
  if (common == nullptr) return static_cast<int>(E_OUTOFMEMORY);
  zuna::CommonState& state = common->State();
  state.startupInProgress = true;
  auto* main = state.fatalStartupError ? nullptr : new (std::nothrow) zuna::PlaybackMainWindow(*common, instance);
  if (main == nullptr && !state.fatalStartupError) return static_cast<int>(E_OUTOFMEMORY);
  if (state.fatalStartupError) return zuna::EndFailedStartup(*common);
  state.startupInProgress = false;
#ifdef ZUNA_AUTOMATION
  zuna::StartAutomationAgent(instance, main->Window(), [main] { return main->Menu(); });
#endif
  return zuna::RunMessageLoop(state);
}

#include "common/foundation/win/program_run.h"

namespace zuna {

int EndFailedStartup(CommonWindows& common) {
  common.Common().Log().FlushPending();
  if (common.State().userMessagesReady) Sleep(30000);
  return static_cast<int>(E_ABORT);
}

int RunMessageLoop(const CommonState& state, HWND navigationWindow) {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (state.exit.Requested()) break;
    if (navigationWindow != nullptr && IsDialogMessageW(navigationWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace zuna

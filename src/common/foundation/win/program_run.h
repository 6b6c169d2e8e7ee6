#pragma once
// What both programs' entry points share once the main object exists or failed to.
#include <windows.h>

#include "common/foundation/win/common_windows.h"

namespace zuna {

// A start-up that cannot go on: the held messages are shown and, when the log window exists, left
// readable for 30 seconds. Returns the abort code for the entry point to return.
int EndFailedStartup(CommonWindows& common);

// The message loop: ends on the quit message, or when an exit was requested after a message was
// fetched (that message is not dispatched). Messages for `navigationWindow` (when there is one)
// first pass its dialog navigation, so that Tab and Enter work there. Returns the last message's
// parameter.
int RunMessageLoop(const CommonState& state, HWND navigationWindow = nullptr);

}  // namespace zuna

#pragma once
#include <windows.h>

#include "common/foundation/zuna_common.h"

namespace zuna {

// Moves the window (its size kept, not topmost) to where it belongs: where the user or the options
// file put it, else by the preference next to `reference` (the work area when null), clear of
// `mainWindow` when asked; the place is recorded.
void PlaceWindow(ZunaCommon& common, HWND window, int preference, HWND reference, bool avoidMainWindow,
                 HWND mainWindow);

}  // namespace zuna

#pragma once
#include <windows.h>

#include "common/foundation/zuna_common.h"

namespace zuna {

// Moves the window (its size kept, not topmost) to where it belongs: where the user or the options
// file put it, else by the preference next to `reference` (the work area when null), clear of
// `mainWindow` when asked; the place is recorded.
void PlaceWindow(ZunaCommon& common, HWND window, int preference, HWND reference, bool avoidMainWindow,
                 HWND mainWindow);

// Moves the window (its size kept, not topmost) to where it was last moved in this run, else to where
// the options file put it; leaves it where it is when neither is known.
void MoveToSavedPlace(ZunaCommon& common, HWND window);

}  // namespace zuna

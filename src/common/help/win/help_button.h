#pragma once
#include <windows.h>

namespace zuna {

// The small flat button with the help icon, 28 x 28 at the parent's top right (client width - 36, 8).
// Its text "Help" shows when there is no icon. Null when it could not be created.
HWND CreateHelpButton(HWND parent, int commandId, HICON helpIcon);

}  // namespace zuna

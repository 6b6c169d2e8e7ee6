#pragma once
// The look of the capture program's small windows: black text on silver (red, green and blue 192).
#include <windows.h>

namespace zuna {

// One brush for every such window's background; never deleted.
HBRUSH SilverBrush();
// The answer to WM_CTLCOLORSTATIC: black text on silver.
LRESULT BlackOnSilver(WPARAM deviceContext);

}  // namespace zuna

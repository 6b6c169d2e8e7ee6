#pragma once
// What the three scheduling windows share: their controls, their grey look and their placing.
#include <windows.h>

#include "common/foundation/zuna_common.h"

namespace zuna {

// A child control with the control id `id` (0 for labels), in `font` when there is one.
HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
                int width, int height, HFONT font);
HWND AddLabel(HWND parent, const wchar_t* text, int x, int y, int width, HFONT font, int id = 0);

// Static texts black on light grey (red, green and blue 192), as the window itself.
HBRUSH SchedulingBackground();
LRESULT ColorStatic(WPARAM dc);

// Where the window was last moved to in this run, else where the options file put it.
void PlaceAtSavedPosition(ZunaCommon& common, HWND window);

}  // namespace zuna

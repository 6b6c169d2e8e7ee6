#pragma once
// Child controls of the small windows, made in one call each.
#include <windows.h>

namespace zuna {

// A child control with the control id `id` (0 for labels), in `font` when there is one.
HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
                int width, int height, HFONT font);
HWND AddLabel(HWND parent, const wchar_t* text, int x, int y, int width, HFONT font, int id = 0);

}  // namespace zuna

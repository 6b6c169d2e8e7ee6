#pragma once
// Small Win32 helpers shared by the windows of both programs.
#include <windows.h>

#include <string>

#include "common/geometry.h"

namespace zuna {

std::wstring WindowText(HWND window);
Rect WindowRect(HWND window);
Rect ToRect(const RECT& r);
// Outer size minus client size.
SIZE FrameExtra(HWND window);
HICON LoadIconFile(const std::wstring& path, int size);
HFONT MakeFont(const wchar_t* face, int height, int weight = FW_NORMAL);
std::wstring ModulePath();
std::wstring CurrentDirectory();
bool DirectoryExists(const std::wstring& path);
Rect PrimaryWorkArea();

}  // namespace zuna

#pragma once
// Small Win32 helpers shared by the windows of both programs.
#include <windows.h>

#include <string>

#include "common/windows/geometry.h"

namespace zuna {

std::wstring WindowText(HWND window);
Rect WindowRect(HWND window);
Rect ToRect(const RECT& r);
// Outer size minus client size.
SIZE FrameExtra(HWND window);
HICON LoadIconFile(const std::wstring& path, int size);
HFONT MakeFont(const wchar_t* face, int height, int weight = FW_NORMAL);
// A font, or null after posting the warning (controls then use the system font).
HFONT FontOrWarning(const wchar_t* face, int height, const wchar_t* warning);
void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, HBRUSH background);

// The object a window was created for (its creation parameter), kept in the window's user data.
template <typename T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
std::wstring ModulePath();
std::wstring CurrentDirectory();
bool DirectoryExists(const std::wstring& path);
Rect PrimaryWorkArea();

}  // namespace zuna

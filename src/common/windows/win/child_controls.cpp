#include "common/windows/win/child_controls.h"

namespace zuna {

HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
                int width, int height, HFONT font) {
  HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (control != nullptr && font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return control;
}

HWND AddLabel(HWND parent, const wchar_t* text, int x, int y, int width, HFONT font, int id) {
  return AddControl(parent, L"STATIC", text, 0, id, x, y, width, 20, font);
}

}  // namespace zuna

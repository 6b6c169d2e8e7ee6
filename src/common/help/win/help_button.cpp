#include "common/help/win/help_button.h"

namespace zuna {

HWND CreateHelpButton(HWND parent, int commandId, HICON helpIcon) {
  RECT client{};
  GetClientRect(parent, &client);
  const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_FLAT | (helpIcon ? BS_ICON : 0);
  HWND button = CreateWindowExW(0, L"BUTTON", L"Help", style, client.right - 36, 8, 28, 28, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (button != nullptr && helpIcon != nullptr) {
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(helpIcon));
  }
  return button;
}

}  // namespace zuna

#include "common/windows/win/menu_bar.h"

namespace zuna {
namespace {

HMENU BuildPopup(const std::vector<MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  for (const auto& item : items) {
    UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : MF_UNCHECKED);
    if (item.IsPopup()) {
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(BuildPopup(item.children)), item.text.c_str());
    } else {
      AppendMenuW(menu, flags, item.id, item.text.c_str());
    }
  }
  return menu;
}

}  // namespace

void ApplyMenuModel(HWND window, const MenuModel& model) {
  HMENU bar = CreateMenu();
  for (const auto& popup : model.Bar()) {
    const UINT flags = MF_POPUP | MF_STRING | (popup.enabled ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(bar, flags, reinterpret_cast<UINT_PTR>(BuildPopup(popup.children)), popup.text.c_str());
  }
  HMENU old = GetMenu(window);
  SetMenu(window, bar);
  if (old != nullptr) DestroyMenu(old);
  DrawMenuBar(window);
}

}  // namespace zuna

#include "common/foundation/win/common_windows.h"

#include "common/windows/win/win_util.h"

// The shared icons and fonts of CommonWindows.
namespace zuna {

std::wstring CommonWindows::IconPath(const wchar_t* fileName) const {
  return common_->Folders().iconsFolder + fileName;
}

void CommonWindows::LoadIcons() {
  largeIcon_ = LoadIconFile(IconPath(L"ZUNA_logo_large.ico"), 32);
  smallIcon_ = LoadIconFile(IconPath(L"ZUNA_logo_small.ico"), 16);
  helpIcon_ = LoadIconFile(IconPath(L"help24x.ico"), 24);
}

void CommonWindows::ApplyIcons(HWND window) const {
  if (largeIcon_) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  if (smallIcon_) SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void CommonWindows::CreateFonts() {
  fonts_.consolas18 = FontOrWarning(L"Consolas", 18, L"WARNING: cannot create font for codec or camera lists\r\n");
  fonts_.tahoma16 = FontOrWarning(L"Tahoma", 16, L"WARNING: cannot create font for dialog static text\r\n");
  fonts_.tahoma18 = FontOrWarning(L"Tahoma", 18, L"WARNING: cannot create font for dialog static text\r\n");
  fonts_.tahoma20 = FontOrWarning(L"Tahoma", 20, L"WARNING: cannot create Tahoma 20 font\r\n");
  fonts_.tahoma22 = FontOrWarning(L"Tahoma", 22, L"WARNING: cannot create Tahoma 22 font\r\n");
}

}  // namespace zuna

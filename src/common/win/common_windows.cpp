#include "common/win/common_windows.h"

#include "common/win/win_util.h"

namespace zuna {
CommonWindows::CommonWindows(ProgramKind kind, HINSTANCE instance) : instance_(instance) {
  SetProcessCodePage(std::make_unique<WinAnsiCodePage>());
  common_ = std::make_unique<ZunaCommon>(kind, clock_, FindStartFolders(CurrentDirectory(), DirectoryExists));
  CommonState& state = common_->State();
  state.workArea = PrimaryWorkArea();
  HDC screen = GetDC(nullptr);
  state.monitorDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  background_ = GetSysColorBrush(COLOR_BTNFACE);
  LoadIcons();
  CreateFonts();
  log_ = std::make_unique<UserMessagesWindow>(*common_);
  if (Failed(log_->Create(instance, largeIcon_, smallIcon_, background_))) return;
  common_->Placements().Register(log_->Window(), L"MessageWindowPosition", 600, 467);
  help_ = std::make_unique<HelpWindows>(*common_, instance, largeIcon_, smallIcon_);
  CreateCommonHelpWindows();
}

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

void CommonWindows::PlaceMainWindow(HWND mainWindow) {
  PlacementTable& table = common_->Placements();
  const PlacementEntry* entry = table.Find(mainWindow);
  const Rect outer = WindowRect(mainWindow);
  Point at{State().workArea.Width() - outer.Width(), 0};
  if (entry != nullptr && entry->loadedFromFile) at = {entry->fileRect.left, entry->fileRect.top};
  SetWindowPos(mainWindow, HWND_NOTOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE);
  table.RecordMove(mainWindow, WindowRect(mainWindow), false);
}

void CommonWindows::PlaceLogWindow(HWND mainWindow) {
  HWND log = log_->Window();
  const PlacementEntry* entry = common_->Placements().Find(log);
  if (entry != nullptr && entry->loadedFromFile && !entry->movedByUser) {
    const Rect& r = entry->fileRect;
    MoveWindow(log, r.left, r.top, r.Width(), r.Height(), TRUE);
  } else {
    const Rect outer = WindowRect(log);
    const auto at = DeterminePositionSettings(outer.Width(), outer.Height(), 0, WindowRect(mainWindow), State().workArea);
    if (at) SetWindowPos(log, HWND_NOTOPMOST, at->x, at->y, 0, 0, SWP_NOSIZE);
  }
  common_->Placements().RecordMove(log, WindowRect(log), false);
  ShowWindow(log, SW_SHOWNOACTIVATE);
}

void CommonWindows::CreateFonts() {
  fonts_.consolas18 = FontOrWarning(L"Consolas", 18, L"WARNING: cannot create font for codec or camera lists\r\n");
  fonts_.tahoma16 = FontOrWarning(L"Tahoma", 16, L"WARNING: cannot create font for dialog static text\r\n");
  fonts_.tahoma18 = FontOrWarning(L"Tahoma", 18, L"WARNING: cannot create font for dialog static text\r\n");
  fonts_.tahoma20 = FontOrWarning(L"Tahoma", 20, L"WARNING: cannot create Tahoma 20 font\r\n");
  fonts_.tahoma22 = FontOrWarning(L"Tahoma", 22, L"WARNING: cannot create Tahoma 22 font\r\n");
}

void CommonWindows::CreateCommonHelpWindows() {
  static const wchar_t* const kWarnings[] = {
      L"WARNING: cannot create brightness/contrast help window - feature not enabled\r\n",
      L"WARNING: cannot create pixel saturation help window - feature not enabled\r\n",
      L"WARNING: cannot create magnify help window - feature not enabled\r\n",
      L"WARNING: cannot create crosshairs help window - feature not enabled\r\n",
  };
  for (int id = 1; id <= 4; ++id) {
    if (!help_->Create(id)) PostUserMessage(kWarnings[id - 1], true);
  }
}

}  // namespace zuna

#include "common/foundation/win/common_windows.h"

#include <commctrl.h>

#include "common/windows/win/win_util.h"
#include "common/windows/window_position_keys.h"

namespace zuna {

CommonWindows::CommonWindows(ProgramKind kind, HINSTANCE instance) : instance_(instance) {
  SetProcessCodePage(std::make_unique<WinAnsiCodePage>());
  common_ = std::make_unique<ZunaCommon>(kind, clock_, FindStartFolders(CurrentDirectory(), DirectoryExists));
  CommonState& state = common_->State();
  state.startupInProgress = true;
  state.workArea = PrimaryWorkArea();
  HDC screen = GetDC(nullptr);
  state.monitorDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  background_ = GetSysColorBrush(COLOR_BTNFACE);
  // The manifest asks for the version 6 common controls; the tool windows' sliders are among them.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  LoadIcons();
  CreateFonts();
  log_ = std::make_unique<UserMessagesWindow>(*common_);
  if (Failed(log_->Create(instance, largeIcon_, smallIcon_, background_))) return;
  common_->Placements().Register(log_->Window(), L"MessageWindowPosition", 600, 467);
  // The display tool windows' entries follow the log's, so that their saved positions are read and
  // written again even before their windows exist.
  for (std::size_t i = 1; i < kCommonWindowPositions.size(); ++i) {
    const WindowPositionKey& tool = kCommonWindowPositions[i];
    RegisterWindowPosition(common_->Placements(), tool.key, {nullptr, tool.defaultWidth, tool.defaultHeight});
  }
  help_ = std::make_unique<HelpWindows>(*common_, instance, largeIcon_, smallIcon_);
  CreateCommonHelpWindows();
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
    const auto at =
        DeterminePositionSettings(outer.Width(), outer.Height(), 0, WindowRect(mainWindow), State().workArea);
    if (at) SetWindowPos(log, HWND_NOTOPMOST, at->x, at->y, 0, 0, SWP_NOSIZE);
  }
  common_->Placements().RecordMove(log, WindowRect(log), false);
  ShowWindow(log, SW_SHOWNOACTIVATE);
}

void CommonWindows::CreateCommonHelpWindows() {
  static const wchar_t* const kWarnings[] = {
      L"WARNING: cannot create brightness/contrast help window - feature not enabled\r\n",
      L"WARNING: cannot create pixel saturation help window - feature not enabled\r\n",
      L"WARNING: cannot create magnify help window - feature not enabled\r\n",
      L"WARNING: cannot create crosshairs help window - feature not enabled\r\n",
  };
  for (int id = 1; id <= 4; ++id) {
    if (!help_->Create(id)) PostStampedMessage(kWarnings[id - 1]);
  }
}

}  // namespace zuna

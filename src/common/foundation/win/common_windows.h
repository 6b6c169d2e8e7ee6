#pragma once
// The windows and shared resources of the common foundation: the log window, the help windows,
// the logo and help icons, the common fonts, the background brush and the monitor resolution.
#include <windows.h>

#include <memory>

#include "common/foundation/zuna_common.h"
#include "common/help/win/help_windows.h"
#include "common/log/win/user_messages_window.h"
#include "common/time/win/win_clock.h"

namespace zuna {

struct CommonFonts {
  HFONT consolas18 = nullptr;
  HFONT tahoma16 = nullptr;
  HFONT tahoma18 = nullptr;
  HFONT tahoma20 = nullptr;
  HFONT tahoma22 = nullptr;
};

class CommonWindows {
 public:
  // Builds ZunaCommon for the program from the process's current directory and creates the log
  // window, fonts, icons and help windows 1 to 4. Failures are reported as a fatal start-up error.
  // Start-up is in progress from here until EndStartup.
  CommonWindows(ProgramKind kind, HINSTANCE instance);

  // The main object exists: window moves from now on are the user's.
  void EndStartup() { State().startupInProgress = false; }

  ZunaCommon& Common() { return *common_; }
  CommonState& State() { return common_->State(); }
  UserMessagesWindow& Log() { return *log_; }
  HelpWindows& Help() { return *help_; }
  const CommonFonts& Fonts() const { return fonts_; }
  HINSTANCE Instance() const { return instance_; }
  HICON LargeIcon() const { return largeIcon_; }
  HICON SmallIcon() const { return smallIcon_; }
  HICON HelpIcon() const { return helpIcon_; }
  HBRUSH Background() const { return background_; }
  // The icons folder's path for a file, or the bare name when there is no icons folder.
  std::wstring IconPath(const wchar_t* fileName) const;
  void ApplyIcons(HWND window) const;

  // Start-up placement of a program's main window: where the options file put it, else the top right
  // corner of the work area. Its size is kept.
  void PlaceMainWindow(HWND mainWindow);
  // The log window: its saved place and size, else left of the main window by the placement rule.
  void PlaceLogWindow(HWND mainWindow);

 private:
  void LoadIcons();
  void CreateFonts();
  void CreateCommonHelpWindows();

  HINSTANCE instance_;
  WinClock clock_;
  std::unique_ptr<ZunaCommon> common_;
  std::unique_ptr<UserMessagesWindow> log_;
  std::unique_ptr<HelpWindows> help_;
  CommonFonts fonts_;
  HICON largeIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HICON helpIcon_ = nullptr;
  HBRUSH background_ = nullptr;
};

}  // namespace zuna

#pragma once
// The base of the programs' small top-level windows: a window made for an object, whose procedure
// finds the object, records the window's moves, shows the help document of its help button,
// answers the close box and draws static texts black on silver; all else goes to the window.
#include <windows.h>

#include <functional>
#include <optional>

#include "common/foundation/win/common_windows.h"
#include "common/help/help_page.h"

namespace zuna {

struct SmallWindowFrame {
  const wchar_t* className;
  const wchar_t* title;
  int width;
  int height;
  DWORD style = WS_CAPTION | WS_SYSMENU;
  DWORD exStyle = 0;
  UINT classStyle = 0;          // CS_NOCLOSE greys the close box
  HBRUSH background = nullptr;  // silver when null
  bool silverStatics = true;    // static texts, check boxes and radio buttons black on silver
};

class SmallWindow {
 public:
  SmallWindow() = default;
  virtual ~SmallWindow() = default;
  SmallWindow(const SmallWindow&) = delete;
  SmallWindow& operator=(const SmallWindow&) = delete;

  HWND Window() const { return window_; }

 protected:
  // The command of a help button made by the window.
  static constexpr int kHelpCommand = 499;

  // Creates the hidden window at 0,0 with the programs' icons; false when it could not be made.
  bool CreateFrame(CommonWindows& common, const SmallWindowFrame& frame);
  // The help button's command shows (or hides again) `page`.
  void SetHelpPage(HelpPage page) { helpPage_ = page; }
  // The close box, and Alt+F4.
  virtual void OnClose() = 0;
  // Any other message; nothing for the default handling.
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  CommonWindows* common_ = nullptr;
  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  std::optional<HelpPage> helpPage_;
  bool silverStatics_ = true;
};

}  // namespace zuna

#pragma once
// What the four display tool windows share in Win32: a hidden top-level window created once, its
// controls entered in the view by the controller's ids, the close box closing the tool, moves
// tracked in the placement table, the window placed clear of the main window when it shows, and
// the help button.
#include <windows.h>

#include <string_view>

#include "common/display_tools/display_tool_controller.h"
#include "common/help/help_page.h"
#include "common/windows/win/win_window_view.h"

namespace zuna {

class CommonWindows;

class ToolWindow {
 public:
  ToolWindow(CommonWindows& common, HWND mainWindow) : common_(common), mainWindow_(mainWindow) {}
  virtual ~ToolWindow() = default;
  ToolWindow(const ToolWindow&) = delete;
  ToolWindow& operator=(const ToolWindow&) = delete;

  // Creates the hidden window and its controls; false when the window could not be created.
  bool Create();
  HWND Window() const { return view_.Window(); }
  virtual DisplayToolController& Controller() = 0;

 protected:
  struct Frame {
    const wchar_t* className;
    const wchar_t* title;
    int width;
    int height;
    std::wstring_view positionKey;
    HelpPage help;
    int helpControl;  // the controller's id of the help button
  };
  virtual Frame Describe() const = 0;
  virtual void CreateControls() = 0;
  // A button or check box of the window; `notification` as WM_COMMAND gives it.
  virtual void OnCommand(int control, int notification) = 0;
  virtual void OnSlider(int /*control*/) {}
  // Messages a window wants beyond these; true when handled.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

  // A child control entered under the controller's id (its child id is the same).
  HWND Add(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width, int height);
  HWND AddSlider(int id, int x, int y, int width, int height);
  void SetFont(HWND control);

  CommonWindows& common_;
  HWND mainWindow_;
  WinWindowView view_;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace zuna

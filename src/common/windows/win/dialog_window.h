#pragma once
// The programs' one dialog window: a small window whose controls are added by its layout and
// entered in its view, and whose clicks, edits, list and picker changes, slider moves, timer and
// close box are handed on.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "common/windows/win/hover_path.h"
#include "common/windows/win/small_window.h"
#include "common/windows/win/win_window_view.h"

namespace zuna {

class DialogWindow final : public SmallWindow {
 public:
  // The notification handed on when a report list's selection changed.
  static constexpr int kSelectionChanged = 0x7001;
  // The notification handed on when a slider's thumb moved.
  static constexpr int kSliderMoved = 0x7002;
  // The notification handed on when a report list was clicked.
  static constexpr int kListClicked = 0x7003;
  // The notification handed on when a date-time picker's value changed.
  static constexpr int kDateTimeChanged = 0x7004;

  struct Handlers {
    std::function<void(int id, int notification)> command;
    std::function<void()> close;                     // the close box and Escape (IDCANCEL)
    std::function<void(UINT_PTR timer)> timer = {};  // the window's own timers
  };

  // A grey tool window (no task bar button), as the options windows are.
  bool Create(CommonWindows& common, HFONT font, const wchar_t* title, int width, int height);
  // Any frame; `place` moves the window to its place before the view shows it (its saved place
  // when empty).
  bool Create(CommonWindows& common, HFONT font, const SmallWindowFrame& frame,
              std::function<void(HWND)> place = nullptr);
  void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
  // The font of the controls added from now on (null: the system font).
  void SetFont(HFONT font) { font_ = font; }
  // Enter in the window presses `id`.
  void SetDefaultButton(int id) { defaultButton_ = id; }

  // A child control, entered in the view under `id` unless it is 0.
  HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y, int width, int height);
  // A child control with the control id `id`, not entered in the view.
  HWND AddChild(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y, int width,
                int height);
  HWND AddLabel(const wchar_t* text, int x, int y, int width, int id = 0);
  HWND AddButton(const wchar_t* text, int id, int x, int y, int width = 90, int height = 28);
  HWND AddCheckBox(const wchar_t* text, int id, int x, int y, int width);
  HWND AddRadio(const wchar_t* text, int id, int x, int y, int width);
  // A push button showing `icon` when there is one, else its text.
  HWND AddIconButton(const wchar_t* text, HICON icon, int id, int x, int y, int width, int height);
  // The "?" button at x, y that shows help `page`; posts `failure` when it cannot be made.
  void AddHelpButton(HelpPage page, int x, int y, const wchar_t* failure);
  // The small flat help button at the top right corner that shows help `page`.
  void AddCornerHelpButton(HelpPage page);
  // A path display whose whole text shows in a box beside the resting mouse when it is too wide.
  void AddHoverPath(int id, int x, int y, int width);

  WinWindowView& View() { return *view_; }

 private:
  void OnClose() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnNotify(const NMHDR& header);

  HFONT font_ = nullptr;
  int defaultButton_ = 0;
  std::vector<std::unique_ptr<HoverPath>> paths_;
  std::unique_ptr<WinWindowView> view_;
  Handlers handlers_;
};

}  // namespace zuna

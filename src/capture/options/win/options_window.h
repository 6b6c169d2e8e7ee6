#pragma once
// One options window: a grey top-level tool window whose controls are added by its layout and
// whose clicks, edits and close box are handed on.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "common/foundation/win/common_windows.h"
#include "common/windows/win/hover_path.h"
#include "common/windows/win/win_window_view.h"

namespace zuna {

class OptionsWindow {
 public:
  // The notification handed on when a report list's selection changed.
  static constexpr int kSelectionChanged = 0x7001;
  // The notification handed on when a slider's thumb moved.
  static constexpr int kSliderMoved = 0x7002;

  struct Handlers {
    std::function<void(int id, int notification)> command;
    std::function<void()> close;
  };

  bool Create(CommonWindows& common, HFONT font, const wchar_t* title, int width, int height);
  void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

  // A child control, entered in the view under `id` unless it is 0.
  HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y, int width, int height);
  HWND AddLabel(const wchar_t* text, int x, int y, int width, int id = 0);
  HWND AddButton(const wchar_t* text, int id, int x, int y, int width = 90, int height = 28);
  HWND AddCheckBox(const wchar_t* text, int id, int x, int y, int width);
  HWND AddRadio(const wchar_t* text, int id, int x, int y, int width);
  // The small help button that shows help document `helpId`; posts `failure` when it cannot be made.
  void AddHelpButton(int helpId, int x, int y, const wchar_t* failure);
  // A path display whose whole text shows in a box beside the resting mouse when it is too wide.
  void AddHoverPath(int id, int x, int y, int width);

  WinWindowView& View() { return *view_; }
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  CommonWindows* common_ = nullptr;
  HFONT font_ = nullptr;
  HWND window_ = nullptr;
  int helpId_ = -1;
  std::vector<std::unique_ptr<HoverPath>> paths_;
  std::unique_ptr<WinWindowView> view_;
  Handlers handlers_;
};

}  // namespace zuna

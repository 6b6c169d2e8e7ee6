#pragma once
// A window opened and closed from a menu item that carries a check mark while the window is open:
// the open flag, the check mark and showing and hiding the window, in one place.
#include <functional>

#include "common/windows/window_view.h"

namespace zuna {

class ToggledWindow {
 public:
  explicit ToggledWindow(WindowView& view) : view_(view) {}
  virtual ~ToggledWindow() = default;
  ToggledWindow(const ToggledWindow&) = delete;
  ToggledWindow& operator=(const ToggledWindow&) = delete;

  void SetMenuCheck(std::function<void(bool)> check) { menuCheck_ = std::move(check); }
  // The menu command: opens a closed window, dismisses an open one.
  void Toggle();
  bool IsOpen() const { return open_; }
  // Fills the window, then calls ShowOpened.
  virtual void Open() = 0;

 protected:
  // What the menu command does to an open window: a plain close unless the window says otherwise
  // (a Cancel that puts the edited values back).
  virtual void Dismiss() { HideClosed(); }
  // Marks the window open, checks the menu item and shows the window.
  void ShowOpened();
  // Marks the window closed, clears the check mark and hides the window.
  void HideClosed();

 private:
  WindowView& view_;
  std::function<void(bool)> menuCheck_;
  bool open_ = false;
};

}  // namespace zuna

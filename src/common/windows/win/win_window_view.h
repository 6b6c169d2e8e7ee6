#pragma once
// WindowView over a top-level window and its child controls, registered by the controller's ids.
#include <windows.h>

#include <functional>
#include <map>

#include "common/windows/window_view.h"

namespace zuna {

class WinWindowView final : public WindowView {
 public:
  // `place` runs before the window is shown (it moves the window to its place).
  void Attach(HWND window, std::function<void(HWND)> place);
  void Add(int id, HWND control) { controls_[id] = control; }
  HWND Window() const { return window_; }
  HWND Control(int id) const;
  // The controller's id of a child window, or -1.
  int IdOf(HWND control) const;

  void SetText(int id, std::wstring_view text) override;
  std::wstring Text(int id) const override;
  void Enable(int id, bool on) override;
  void Check(int id, bool on) override;
  bool IsChecked(int id) const override;
  void Show() override;
  void Hide() override;
  void SetTitle(std::wstring_view text) override;
  void SetSliderRange(int id, int minimum, int maximum, int tickFrequency, int pageSize) override;
  void SetSliderPosition(int id, int position) override;
  int SliderPosition(int id) const override;

 private:
  HWND window_ = nullptr;
  std::function<void(HWND)> place_;
  std::map<int, HWND> controls_;
};

}  // namespace zuna

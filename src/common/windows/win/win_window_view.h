#pragma once
// The one Win32 WindowView: maps a controller's ids to the child windows of one top-level window
// and speaks to each by its class (buttons, edits and statics, date-time pickers, list views).
#include <windows.h>

#include <functional>
#include <map>

#include "common/windows/window_view.h"

namespace zuna {

class WinWindowView final : public WindowView {
 public:
  // `place` moves the window to its remembered position before it is shown.
  WinWindowView(HWND window, std::function<void(HWND)> place) : window_(window), place_(std::move(place)) {}
  // For a controller made before its window: the window is attached once it exists.
  WinWindowView() = default;
  void Attach(HWND window, std::function<void(HWND)> place) {
    window_ = window;
    place_ = std::move(place);
  }
  // The controller's id of a child window, or -1.
  int IdOf(HWND control) const;

  void Add(int id, HWND control) { controls_[id] = control; }
  HWND Control(int id) const;
  HWND Window() const { return window_; }

  void SetTitle(std::wstring_view title) override;
  std::wstring Title() const override;
  void SetText(int id, std::wstring_view text) override;
  std::wstring Text(int id) const override;
  void Enable(int id, bool on) override;
  bool IsEnabled(int id) const override;
  void Check(int id, bool on) override;
  bool IsChecked(int id) const override;
  void ShowControl(int id, bool shown) override;
  void Show() override;
  void Hide() override;
  void SetDateTime(int id, const CalendarTime& time) override;
  std::optional<CalendarTime> DateTime(int id) const override;
  void ClearRows(int id) override;
  void AddRow(int id, const std::vector<std::wstring>& cells) override;
  std::vector<int> SelectedRows(int id) const override;
  std::wstring CellText(int id, int row, int column) const override;
  void SetSliderRange(int id, int minimum, int maximum, int tickFrequency, int pageSize) override;
  void SetSliderPosition(int id, int position) override;
  int SliderPosition(int id) const override;
  void SelectRow(int id, int row) override;

 private:
  HWND window_ = nullptr;
  std::function<void(HWND)> place_;
  std::map<int, HWND> controls_;
};

}  // namespace zuna

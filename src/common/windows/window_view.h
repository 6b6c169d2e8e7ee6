#pragma once
// The controls of one window as its controller sees them. Controls are named by the controller's
// own ids; the Win32 view maps them to child windows, tests record what the user would see.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/time/file_time.h"

namespace zuna {

class WindowView {
 public:
  virtual ~WindowView() = default;

  virtual void SetTitle(std::wstring_view title) = 0;
  virtual std::wstring Title() const = 0;
  virtual void SetText(int id, std::wstring_view text) = 0;
  virtual std::wstring Text(int id) const = 0;
  virtual void Enable(int id, bool on) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void Check(int id, bool on) = 0;
  virtual bool IsChecked(int id) const = 0;
  // Shows or hides one control (a control that does not apply to what the window shows).
  virtual void ShowControl(int id, bool shown) = 0;
  // Places the window at its remembered position, shows it and brings it to the top.
  virtual void Show() = 0;
  virtual void Hide() = 0;

  // Date and time pickers. Nothing when the picker cannot report a value.
  virtual void SetDateTime(int id, const CalendarTime& time) = 0;
  virtual std::optional<CalendarTime> DateTime(int id) const = 0;

  // Report lists: rows of cell texts, several rows selectable.
  virtual void ClearRows(int id) = 0;
  virtual void AddRow(int id, const std::vector<std::wstring>& cells) = 0;
  virtual std::vector<int> SelectedRows(int id) const = 0;
  virtual std::wstring CellText(int id, int row, int column) const = 0;

  // Sliders: range, tick frequency and page size, and the thumb's position (kept in the range).
  virtual void SetSliderRange(int id, int minimum, int maximum, int tickFrequency, int pageSize) = 0;
  virtual void SetSliderPosition(int id, int position) = 0;
  virtual int SliderPosition(int id) const = 0;
  // Selects one row alone, as a click would; nothing for a row the list lacks.
  virtual void SelectRow(int /*id*/, int /*row*/) {}
};

}  // namespace zuna

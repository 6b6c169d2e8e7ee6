#pragma once
// A window as the user would see it: titles, texts, states, picker values and list rows, kept in
// maps by the controller's control ids.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/windows/window_view.h"

namespace zuna::test {

class FakeWindowView final : public WindowView {
 public:
  void SetTitle(std::wstring_view title) override { title_ = title; }
  std::wstring Title() const override { return title_; }
  void SetText(int id, std::wstring_view text) override { texts[id] = text; }
  std::wstring Text(int id) const override { return Find(texts, id, std::wstring()); }
  void Enable(int id, bool on) override { enabled[id] = on; }
  bool IsEnabled(int id) const override { return Find(enabled, id, true); }
  void Check(int id, bool on) override { checked[id] = on; }
  bool IsChecked(int id) const override { return Find(checked, id, false); }
  void ShowControl(int id, bool on) override { visible[id] = on; }
  bool IsVisible(int id) const { return Find(visible, id, true); }
  void Show() override {
    shown = true;
    ++showCount;
  }
  void Hide() override { shown = false; }
  void SetDateTime(int id, const CalendarTime& time) override { times[id] = time; }
  std::optional<CalendarTime> DateTime(int id) const override {
    if (pickerBroken) return std::nullopt;
    const auto it = times.find(id);
    if (it == times.end()) return std::nullopt;
    return it->second;
  }
  // `rows` and `selection` hold every list's rows together; `rowsOf` each list's own, and a test that
  // selects in one of several lists sets `selectionOf`.
  void ClearRows(int id) override {
    rows.clear();
    selection.clear();
    rowsOf[id].clear();
    selectionOf.erase(id);
    shownSelectionOf.erase(id);
  }
  void AddRow(int id, const std::vector<std::wstring>& cells) override {
    rows.push_back(cells);
    rowsOf[id].push_back(cells);
  }
  std::vector<int> SelectedRows(int id) const override {
    const auto own = selectionOf.find(id);
    return own != selectionOf.end() ? own->second : selection;
  }
  std::wstring CellText(int, int row, int column) const override {
    if (row < 0 || row >= static_cast<int>(rows.size())) return {};
    const auto& cells = rows[static_cast<std::size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : std::wstring();
  }

  void SetSliderRange(int id, int minimum, int maximum, int tickFrequency, int pageSize) override {
    Slider& s = sliders[id];
    s = {minimum, maximum, tickFrequency, pageSize, s.position};
  }
  // A slider keeps its thumb within its range, as a trackbar does.
  void SetSliderPosition(int id, int position) override {
    Slider& s = sliders[id];
    s.position = position < s.minimum ? s.minimum : (position > s.maximum ? s.maximum : position);
  }
  int SliderPosition(int id) const override {
    const auto it = sliders.find(id);
    return it == sliders.end() ? 0 : it->second.position;
  }
  // The user clicks a check box: it toggles itself.
  void Click(int id) { checked[id] = !IsChecked(id); }

  struct Slider {
    int minimum = 0;
    int maximum = 100;
    int tickFrequency = 0;
    int pageSize = 0;
    int position = 0;
  };
  std::map<int, Slider> sliders;
  void SelectRow(int id, int row) override {
    if (row >= 0 && row < static_cast<int>(rows.size())) selection = {row};
    if (row >= 0 && row < static_cast<int>(rowsOf[id].size())) shownSelectionOf[id] = row;
  }
  std::map<int, std::vector<std::vector<std::wstring>>> rowsOf;
  std::map<int, std::vector<int>> selectionOf;  // what the user selects, when the test says so
  std::map<int, int> shownSelectionOf;          // what the controller selected

  // The user types into an edit: the text, then the change notice is the test's to send.
  std::map<int, std::wstring> texts;
  std::map<int, bool> enabled;
  std::map<int, bool> checked;
  std::map<int, bool> visible;
  std::map<int, CalendarTime> times;
  std::vector<std::vector<std::wstring>> rows;
  std::vector<int> selection;
  bool shown = false;
  int showCount = 0;
  bool pickerBroken = false;

 private:
  template <typename T>
  static T Find(const std::map<int, T>& map, int id, T fallback) {
    const auto it = map.find(id);
    return it == map.end() ? fallback : it->second;
  }
  std::wstring title_;
};

}  // namespace zuna::test

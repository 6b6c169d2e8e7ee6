#pragma once
// A window as the user would see it: texts, check marks, enabled states and slider thumbs by
// control id, and whether the window is on show.
#include <map>
#include <string>

#include "common/windows/window_view.h"

namespace zuna::test {

struct FakeSlider {
  int minimum = 0;
  int maximum = 100;
  int tickFrequency = 0;
  int pageSize = 0;
  int position = 0;
};

class FakeWindowView final : public WindowView {
 public:
  void SetText(int id, std::wstring_view text) override { texts[id] = std::wstring(text); }
  std::wstring Text(int id) const override { return texts.count(id) ? texts.at(id) : std::wstring(); }
  void Enable(int id, bool on) override { enabled[id] = on; }
  void Check(int id, bool on) override { checked[id] = on; }
  bool IsChecked(int id) const override { return checked.count(id) && checked.at(id); }
  void Show() override { shown = true; }
  void Hide() override { shown = false; }
  void SetTitle(std::wstring_view text) override { title = std::wstring(text); }
  void SetSliderRange(int id, int minimum, int maximum, int tickFrequency, int pageSize) override {
    FakeSlider& s = sliders[id];
    s = {minimum, maximum, tickFrequency, pageSize, s.position};
  }
  // A slider keeps its thumb within its range, as a trackbar does.
  void SetSliderPosition(int id, int position) override {
    FakeSlider& s = sliders[id];
    s.position = position < s.minimum ? s.minimum : (position > s.maximum ? s.maximum : position);
  }
  int SliderPosition(int id) const override { return sliders.count(id) ? sliders.at(id).position : 0; }

  bool IsEnabled(int id) const { return !enabled.count(id) || enabled.at(id); }
  // The user clicks a check box: it toggles itself.
  void Click(int id) { checked[id] = !IsChecked(id); }

  std::map<int, std::wstring> texts;
  std::map<int, bool> enabled;
  std::map<int, bool> checked;
  std::map<int, FakeSlider> sliders;
  bool shown = false;
  std::wstring title;
};

}  // namespace zuna::test

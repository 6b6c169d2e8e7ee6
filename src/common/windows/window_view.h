#pragma once
// The controls of one window as its controller sees them. Controls are named by the controller's
// own ids; the Win32 view maps them to child windows and tests use a recording fake.
#include <string>
#include <string_view>

namespace zuna {

class WindowView {
 public:
  virtual ~WindowView() = default;

  virtual void SetText(int id, std::wstring_view text) = 0;
  virtual std::wstring Text(int id) const = 0;
  virtual void Enable(int id, bool on) = 0;
  virtual void Check(int id, bool on) = 0;
  virtual bool IsChecked(int id) const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void SetTitle(std::wstring_view text) = 0;

  // Sliders: range, tick frequency and page size, thumb position.
  virtual void SetSliderRange(int id, int minimum, int maximum, int tickFrequency, int pageSize) = 0;
  virtual void SetSliderPosition(int id, int position) = 0;
  virtual int SliderPosition(int id) const = 0;
};

}  // namespace zuna

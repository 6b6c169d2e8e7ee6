#include "common/windows/win/win_window_view.h"

#include <commctrl.h>

#include <string>

#include "common/windows/win/win_util.h"

namespace zuna {

void WinWindowView::Attach(HWND window, std::function<void(HWND)> place) {
  window_ = window;
  place_ = std::move(place);
}

HWND WinWindowView::Control(int id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

int WinWindowView::IdOf(HWND control) const {
  for (const auto& [id, window] : controls_) {
    if (window == control) return id;
  }
  return -1;
}

void WinWindowView::SetText(int id, std::wstring_view text) {
  if (HWND control = Control(id)) SetWindowTextW(control, std::wstring(text).c_str());
}

std::wstring WinWindowView::Text(int id) const {
  HWND control = Control(id);
  return control ? WindowText(control) : std::wstring();
}

void WinWindowView::Enable(int id, bool on) {
  if (HWND control = Control(id)) EnableWindow(control, on ? TRUE : FALSE);
}

void WinWindowView::Check(int id, bool on) {
  if (HWND control = Control(id)) SendMessageW(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool WinWindowView::IsChecked(int id) const {
  HWND control = Control(id);
  return control && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WinWindowView::Show() {
  if (window_ == nullptr) return;
  if (place_) place_(window_);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
}

void WinWindowView::Hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void WinWindowView::SetTitle(std::wstring_view text) {
  if (window_ != nullptr) SetWindowTextW(window_, std::wstring(text).c_str());
}

void WinWindowView::SetSliderRange(int id, int minimum, int maximum, int tickFrequency, int pageSize) {
  HWND slider = Control(id);
  if (slider == nullptr) return;
  SendMessageW(slider, TBM_SETRANGEMIN, FALSE, minimum);
  SendMessageW(slider, TBM_SETRANGEMAX, TRUE, maximum);
  SendMessageW(slider, TBM_SETTICFREQ, static_cast<WPARAM>(tickFrequency), 0);
  SendMessageW(slider, TBM_SETPAGESIZE, 0, pageSize);
}

void WinWindowView::SetSliderPosition(int id, int position) {
  if (HWND slider = Control(id)) SendMessageW(slider, TBM_SETPOS, TRUE, position);
}

int WinWindowView::SliderPosition(int id) const {
  HWND slider = Control(id);
  return slider ? static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)) : 0;
}

}  // namespace zuna

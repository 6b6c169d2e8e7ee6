#include "common/windows/win/win_window_view.h"

#include <commctrl.h>

#include <string>

#include "common/windows/win/win_util.h"

namespace zuna {

HWND WinWindowView::Control(int id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void WinWindowView::SetTitle(std::wstring_view title) {
  SetWindowTextW(window_, std::wstring(title).c_str());
}

std::wstring WinWindowView::Title() const {
  return WindowText(window_);
}

void WinWindowView::SetText(int id, std::wstring_view text) {
  if (HWND control = Control(id)) SetWindowTextW(control, std::wstring(text).c_str());
}

std::wstring WinWindowView::Text(int id) const {
  HWND control = Control(id);
  return control == nullptr ? std::wstring() : WindowText(control);
}

void WinWindowView::Enable(int id, bool on) {
  if (HWND control = Control(id)) EnableWindow(control, on ? TRUE : FALSE);
}

void WinWindowView::ShowControl(int id, bool shown) {
  if (HWND control = Control(id)) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

bool WinWindowView::IsEnabled(int id) const {
  HWND control = Control(id);
  return control != nullptr && IsWindowEnabled(control);
}

void WinWindowView::Check(int id, bool on) {
  if (HWND control = Control(id)) SendMessageW(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool WinWindowView::IsChecked(int id) const {
  HWND control = Control(id);
  return control != nullptr && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WinWindowView::Show() {
  if (place_) place_(window_);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window_);
}

void WinWindowView::Hide() {
  ShowWindow(window_, SW_HIDE);
}

void WinWindowView::SetDateTime(int id, const CalendarTime& t) {
  HWND control = Control(id);
  if (control == nullptr) return;
  SYSTEMTIME s{};
  s.wYear = static_cast<WORD>(t.year);
  s.wMonth = static_cast<WORD>(t.month);
  s.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
  s.wDay = static_cast<WORD>(t.day);
  s.wHour = static_cast<WORD>(t.hour);
  s.wMinute = static_cast<WORD>(t.minute);
  s.wSecond = static_cast<WORD>(t.second);
  s.wMilliseconds = static_cast<WORD>(t.millisecond);
  SendMessageW(control, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&s));
}

std::optional<CalendarTime> WinWindowView::DateTime(int id) const {
  HWND control = Control(id);
  SYSTEMTIME s{};
  if (control == nullptr || SendMessageW(control, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&s)) != GDT_VALID) {
    return std::nullopt;
  }
  return CalendarTime{s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond, s.wMilliseconds, s.wDayOfWeek};
}

void WinWindowView::ClearRows(int id) {
  if (HWND control = Control(id)) SendMessageW(control, LVM_DELETEALLITEMS, 0, 0);
}

void WinWindowView::AddRow(int id, const std::vector<std::wstring>& cells) {
  HWND control = Control(id);
  if (control == nullptr || cells.empty()) return;
  const int row = static_cast<int>(SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(cells[0].c_str());
  const int at = static_cast<int>(SendMessageW(control, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return;
  for (std::size_t column = 1; column < cells.size(); ++column) {
    LVITEMW cell{};
    cell.iSubItem = static_cast<int>(column);
    cell.pszText = const_cast<wchar_t*>(cells[column].c_str());
    SendMessageW(control, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&cell));
  }
}

std::vector<int> WinWindowView::SelectedRows(int id) const {
  std::vector<int> rows;
  HWND control = Control(id);
  if (control == nullptr) return rows;
  int row = -1;
  while ((row = static_cast<int>(SendMessageW(control, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
    rows.push_back(row);
  }
  return rows;
}

std::wstring WinWindowView::CellText(int id, int row, int column) const {
  HWND control = Control(id);
  if (control == nullptr) return {};
  wchar_t text[512] = {};
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = text;
  cell.cchTextMax = 512;
  SendMessageW(control, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
  return text;
}

int WinWindowView::IdOf(HWND control) const {
  for (const auto& [id, window] : controls_) {
    if (window == control) return id;
  }
  return -1;
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

void WinWindowView::SelectRow(int id, int row) {
  HWND control = Control(id);
  if (control == nullptr) return;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(control, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(control, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

}  // namespace zuna

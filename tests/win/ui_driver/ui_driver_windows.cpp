#include "ui_driver_windows.h"

#include <algorithm>

#include "ui_driver_text.h"

namespace ui_driver {
namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

LONG ButtonType(HWND window) {
  return GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
}

}  // namespace

std::optional<MatchBy> ParseMatchBy(std::wstring_view word) {
  if (EqualsNoCase(word, L"class")) return MatchBy::kClass;
  if (EqualsNoCase(word, L"title")) return MatchBy::kTitle;
  return std::nullopt;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

bool HasClass(HWND window, std::wstring_view class_name) {
  return EqualsNoCase(ClassOf(window), class_name);
}

std::wstring TitleOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT milliseconds) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, milliseconds, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

std::wstring ControlText(HWND window) {
  const auto length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return TitleOf(window);
  // The length may count line ends differently from WM_GETTEXT; the copied count is what counts.
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  const auto copied = SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return TitleOf(window);
  text.resize(std::min(static_cast<size_t>(*copied), text.size() - 1));
  return text;
}

std::vector<HWND> TopLevelWindows(DWORD process_id) {
  std::vector<HWND> all;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> own;
  for (HWND window : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process_id) own.push_back(window);
  }
  std::stable_partition(own.begin(), own.end(), [](HWND window) { return IsWindowVisible(window) != FALSE; });
  return own;
}

std::vector<HWND> FindTopLevel(DWORD process_id, MatchBy by, std::wstring_view text) {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows(process_id)) {
    const bool match = by == MatchBy::kClass ? HasClass(window, text) : LabelMatches(TitleOf(window), text);
    if (match) found.push_back(window);
  }
  return found;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindDescendant(HWND parent, const ControlFilter& filter) {
  for (HWND window : Descendants(parent)) {
    if (filter(window)) return window;
  }
  return nullptr;
}

bool IsButtonOfType(HWND window, std::initializer_list<LONG> types) {
  if (!HasClass(window, L"Button")) return false;
  return std::find(types.begin(), types.end(), ButtonType(window)) != types.end();
}

bool IsCheckBox(HWND window) {
  return IsButtonOfType(window, {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE});
}

bool IsRadioButton(HWND window) {
  return IsButtonOfType(window, {BS_RADIOBUTTON, BS_AUTORADIOBUTTON});
}

bool IsEdit(HWND window) {
  const std::wstring name = ClassOf(window);
  return EqualsNoCase(name, L"Edit") || EqualsNoCase(name, L"RICHEDIT50W") || EqualsNoCase(name, L"RichEdit20W");
}

bool IsListBox(HWND window) {
  return HasClass(window, L"ListBox");
}

bool IsComboBox(HWND window) {
  return HasClass(window, L"ComboBox");
}

bool IsLabel(HWND window) {
  return HasClass(window, L"Static") || IsButtonOfType(window, {BS_GROUPBOX});
}

HWND ControlAfterLabel(HWND label, const ControlFilter& wanted) {
  for (HWND next = GetWindow(label, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT)) {
    if (wanted(next)) return next;
    if (!IsLabel(next)) return nullptr;
  }
  return nullptr;
}

HWND FindLabelledControl(HWND parent, std::wstring_view text, const ControlFilter& wanted) {
  for (HWND window : Descendants(parent)) {
    if (!IsLabel(window) || !LabelMatches(ControlText(window), text)) continue;
    if (HWND control = ControlAfterLabel(window, wanted)) return control;
  }
  return FindDescendant(parent, [&](HWND window) { return wanted(window) && LabelMatches(ControlText(window), text); });
}

}  // namespace ui_driver

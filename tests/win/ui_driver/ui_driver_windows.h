#pragma once
// Finding and reading windows of another process. Texts go through messages sent with a timeout so
// that a busy program cannot hang the driver.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui_driver {

inline constexpr UINT kSendTimeoutMilliseconds = 5000;

enum class MatchBy { kClass, kTitle };
std::optional<MatchBy> ParseMatchBy(std::wstring_view word);

std::wstring ClassOf(HWND window);
bool HasClass(HWND window, std::wstring_view class_name);
std::wstring TitleOf(HWND window);
// The text through WM_GETTEXT, which also reaches edit and rich edit controls of another process.
std::wstring ControlText(HWND window);

// Sends with a timeout; nothing when the target did not answer in time.
std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT milliseconds = kSendTimeoutMilliseconds);

// Top-level windows of a process, hidden ones included, visible ones first.
std::vector<HWND> TopLevelWindows(DWORD process_id);
std::vector<HWND> FindTopLevel(DWORD process_id, MatchBy by, std::wstring_view text);
// Every descendant of parent, in z-order, depth first.
std::vector<HWND> Descendants(HWND parent);

using ControlFilter = std::function<bool(HWND)>;
HWND FindDescendant(HWND parent, const ControlFilter& filter);

bool IsButtonOfType(HWND window, std::initializer_list<LONG> types);
bool IsCheckBox(HWND window);
bool IsRadioButton(HWND window);
bool IsEdit(HWND window);
bool IsListBox(HWND window);
bool IsComboBox(HWND window);
// A static text or a group box: what names the control that follows it.
bool IsLabel(HWND window);

// The first control of the wanted kind among the siblings that follow label in z-order; labels in
// between are skipped, any other control ends the search.
HWND ControlAfterLabel(HWND label, const ControlFilter& wanted);
// A control named by its label (see ControlAfterLabel) or, failing that, by its own text.
HWND FindLabelledControl(HWND parent, std::wstring_view text, const ControlFilter& wanted);

}  // namespace ui_driver

#pragma once
// What several steps share: the optional timeout word, the current process, and waiting for a
// window or a control inside it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "../ui_driver_wait.h"
#include "ui_driver_steps.h"

namespace ui_driver {

// A control the user can click or type into: enabled, in a window that is enabled too.
inline bool UserCanUse(HWND control) {
  return IsWindowEnabled(control) != FALSE && IsWindowEnabled(GetAncestor(control, GA_ROOT)) != FALSE;
}

inline constexpr wchar_t kNoProcess[] = L"no program has been started";

// Seconds from args[index] when the step got that many words, fallback otherwise; nothing when the
// word is not a number.
std::optional<double> SecondsArg(const Args& args, size_t index, double fallback = kDefaultTimeoutSeconds);
std::wstring NotSeconds(const Args& args, size_t index);
std::wstring DescribeSeconds(double seconds);

// The current process id, or 0 before the first start.
DWORD CurrentProcessId(const Session& session);

// The first top-level window of the process titled title, waiting up to seconds for it.
HWND WaitForTitledWindow(DWORD process_id, std::wstring_view title, double seconds);

// Finds a control inside a top-level window, nullptr when there is none.
using ControlFinder = std::function<HWND(HWND window)>;

struct Target {
  HWND window = nullptr;
  HWND control = nullptr;
};

// Waits until a top-level window of the current process titled title holds a control that find
// returns. On failure, why tells which of the two was missing (what names the control).
std::optional<Target> WaitForControl(const Session& session, std::wstring_view title, std::wstring_view what,
                                     const ControlFinder& find, double seconds, std::wstring& why);

// An argument with a wildcard in its last part names the newest file that matches (a whole path);
// any other argument stays as it is.
std::wstring NewestFileOr(const Session& session, const std::wstring& argument);

// Class, text and id of a control, for the step's report line.
std::wstring Describe(HWND control);

}  // namespace ui_driver

// Steps about the top-level windows of the current program: waiting for them, their visibility,
// closing them, and answering message boxes.
#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

constexpr double kDefaultAbsenceSeconds = 3;
constexpr int kMessageTextId = 0xFFFF;

std::wstring DescribeWindow(HWND window) {
  return Hex(reinterpret_cast<std::uintptr_t>(window)) + L" class " + Quoted(ClassOf(window)) + L" title " +
         Quoted(TitleOf(window)) + (IsWindowVisible(window) ? L", visible" : L", hidden");
}

std::wstring DescribeMatch(MatchBy by, std::wstring_view text) {
  return std::wstring(by == MatchBy::kClass ? L"class " : L"title ") + Quoted(text);
}

std::optional<int> ButtonIdFor(std::wstring_view word) {
  for (const auto& [name, id] : {std::pair{L"yes", IDYES}, {L"no", IDNO}, {L"ok", IDOK}, {L"cancel", IDCANCEL}}) {
    if (EqualsNoCase(word, name)) return id;
  }
  return std::nullopt;
}

// A visible dialog of the process that has a button with that id.
HWND FindMessageBox(DWORD process_id, int button_id) {
  for (HWND window : FindTopLevel(process_id, MatchBy::kClass, L"#32770")) {
    if (IsWindowVisible(window) && GetDlgItem(window, button_id)) return window;
  }
  return nullptr;
}

}  // namespace

StepResult RunWaitWindow(Session& session, const Args& args) {
  const auto by = ParseMatchBy(args[0]);
  if (!by) return Failed(L"expected class or title, not " + Quoted(args[0]));
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND found = nullptr;
  PollUntil(*seconds, [&] {
    const auto windows = FindTopLevel(process_id, *by, args[1]);
    found = windows.empty() ? nullptr : windows.front();
    return found != nullptr;
  });
  if (!found) return Failed(L"no window with " + DescribeMatch(*by, args[1]) + L" after " + DescribeSeconds(*seconds));
  return Passed(L"window " + DescribeWindow(found));
}

StepResult RunNoWindow(Session& session, const Args& args) {
  const auto by = ParseMatchBy(args[0]);
  if (!by) return Failed(L"expected class or title, not " + Quoted(args[0]));
  const auto seconds = SecondsArg(args, 2, kDefaultAbsenceSeconds);
  if (!seconds) return Failed(NotSeconds(args, 2));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND seen = nullptr;
  PollUntil(*seconds, [&] {
    const auto windows = FindTopLevel(process_id, *by, args[1]);
    seen = windows.empty() ? nullptr : windows.front();
    return seen != nullptr;
  });
  if (seen) return Failed(L"a window appeared: " + DescribeWindow(seen));
  return Passed(L"no window with " + DescribeMatch(*by, args[1]) + L" during " + DescribeSeconds(*seconds));
}

StepResult RunExpectVisible(Session& session, const Args& args) {
  const auto visible = ParseYesNo(args[1]);
  if (!visible) return Failed(L"expected yes or no, not " + Quoted(args[1]));
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND last = nullptr;
  const bool matched = PollUntil(*seconds, [&] {
    for (HWND window : FindTopLevel(process_id, MatchBy::kTitle, args[0])) {
      last = window;
      if ((IsWindowVisible(window) != FALSE) == *visible) return true;
    }
    return false;
  });
  if (!last) return Failed(L"no window titled " + Quoted(args[0]));
  if (!matched) return Failed(L"window " + DescribeWindow(last) + L", expected " + (*visible ? L"visible" : L"hidden"));
  return Passed(L"window " + DescribeWindow(last));
}

StepResult RunClose(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 1);
  if (!seconds) return Failed(NotSeconds(args, 1));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND window = WaitForTitledWindow(process_id, args[0], *seconds);
  if (!window) return Failed(L"no window titled " + Quoted(args[0]));
  PostMessageW(window, WM_CLOSE, 0, 0);
  return Passed(L"posted WM_CLOSE to window " + DescribeWindow(window));
}

StepResult RunAnswer(Session& session, const Args& args) {
  const auto button_id = ButtonIdFor(args[0]);
  if (!button_id) return Failed(L"expected yes, no, ok or cancel, not " + Quoted(args[0]));
  const auto seconds = SecondsArg(args, 1);
  if (!seconds) return Failed(NotSeconds(args, 1));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND box = nullptr;
  if (!PollUntil(*seconds, [&] { return (box = FindMessageBox(process_id, *button_id)) != nullptr; })) {
    return Failed(L"no message box with a " + args[0] + L" button after " + DescribeSeconds(*seconds));
  }
  HWND text = GetDlgItem(box, kMessageTextId);
  const std::wstring seen =
      L"message box " + Quoted(TitleOf(box)) + L": " + Quoted(text ? ControlText(text) : L"") + L", pressed " + args[0];
  // Posted, because the box's modal loop is what answers it.
  PostMessageW(GetDlgItem(box, *button_id), BM_CLICK, 0, 0);
  if (!PollUntil(*seconds, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) {
    return Failed(seen + L", but it stayed open");
  }
  return Passed(seen);
}

// "x y" of the window's top-left corner on the screen.
std::wstring Corner(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top);
}

StepResult RunWindowMove(Session& session, const Args& args) {
  const auto x = ParseInteger(args[1]);
  const auto y = ParseInteger(args[2]);
  if (!x || !y) return Failed(L"expected a position in pixels, not " + Quoted(args[1] + L" " + args[2]));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND window = WaitForTitledWindow(process_id, args[0], kDefaultTimeoutSeconds);
  if (!window) return Failed(L"no window titled " + Quoted(args[0]));
  // As a user's drag does: WM_MOVING while the window is dragged, then the move itself.
  RECT rect{};
  GetWindowRect(window, &rect);
  OffsetRect(&rect, static_cast<int>(*x) - rect.left, static_cast<int>(*y) - rect.top);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_MOVING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&rect), SMTO_ABORTIFHUNG, 5000,
                      &ignored);
  SetWindowPos(window, nullptr, static_cast<int>(*x), static_cast<int>(*y), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return Passed(L"moved window " + DescribeWindow(window) + L" to " + Corner(window));
}

StepResult RunWindowAt(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  const auto x = ParseInteger(args[1]);
  const auto y = ParseInteger(args[2]);
  if (!x || !y) return Failed(L"expected a position in pixels, not " + Quoted(args[1] + L" " + args[2]));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND window = WaitForTitledWindow(process_id, args[0], *seconds);
  if (!window) return Failed(L"no window titled " + Quoted(args[0]));
  const std::wstring wanted = args[1] + L" " + args[2];
  if (!PollUntil(*seconds, [&] { return Corner(window) == wanted; })) {
    return Failed(L"window " + DescribeWindow(window) + L" is at " + Corner(window) + L", not " + wanted);
  }
  return Passed(L"window " + DescribeWindow(window) + L" at " + wanted);
}

}  // namespace ui_driver

// Steps about the top-level windows of the current program: waiting for them, their visibility,
// closing them, and answering message boxes.
#include <cwchar>

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

// A window dragged by its caption to (x, y): the messages of a user's drag around the move itself,
// so that the program records the place as the user's; then waits until the window stands there.
StepResult RunDrag(Session& session, const Args& args) {
  wchar_t* end = nullptr;
  const long x = std::wcstol(args[1].c_str(), &end, 10);
  if (args[1].empty() || *end != L'\0') return Failed(L"expected a left edge, not " + Quoted(args[1]));
  const long y = std::wcstol(args[2].c_str(), &end, 10);
  if (args[2].empty() || *end != L'\0') return Failed(L"expected a top edge, not " + Quoted(args[2]));
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND window = WaitForTitledWindow(process_id, args[0], *seconds);
  if (!window) return Failed(L"no window titled " + Quoted(args[0]));
  RECT r{};
  GetWindowRect(window, &r);
  RECT moved{x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
  SendWithTimeout(window, WM_ENTERSIZEMOVE, 0, 0);
  SendWithTimeout(window, WM_MOVING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&moved));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendWithTimeout(window, WM_EXITSIZEMOVE, 0, 0);
  const bool there = PollUntil(*seconds, [&] {
    GetWindowRect(window, &r);
    return r.left == x && r.top == y;
  });
  const std::wstring seen = DescribeWindow(window) + L" at " + std::to_wstring(r.left) + L", " + std::to_wstring(r.top);
  return there ? Passed(L"dragged " + seen) : Failed(seen);
}

// The window's outer place, for a window that should come back where it was left.
StepResult RunWindowAt(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND window = WaitForTitledWindow(process_id, args[0], *seconds);
  if (!window) return Failed(L"no window titled " + Quoted(args[0]));
  const long x = std::wcstol(args[1].c_str(), nullptr, 10);
  const long y = std::wcstol(args[2].c_str(), nullptr, 10);
  RECT r{};
  const bool there = PollUntil(*seconds, [&] {
    GetWindowRect(window, &r);
    return r.left == x && r.top == y;
  });
  const std::wstring seen = DescribeWindow(window) + L" at " + std::to_wstring(r.left) + L", " + std::to_wstring(r.top);
  return there ? Passed(seen) : Failed(seen + L", expected " + args[1] + L", " + args[2]);
}

// A window placed as a user can use it: inside the screen's work area, and with a second title, not
// covering any part of that window either.
StepResult RunWindowClear(Session& session, const Args& args) {
  const bool other = args.size() > 1 && !SecondsArg(args, 1).has_value();
  const auto seconds = SecondsArg(args, other ? 2 : 1);
  if (!seconds) return Failed(NotSeconds(args, other ? 2 : 1));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND window = WaitForTitledWindow(process_id, args[0], *seconds);
  HWND clear = other ? WaitForTitledWindow(process_id, args[1], *seconds) : nullptr;
  if (!window || (other && !clear)) return Failed(L"no window titled " + Quoted(args[other && window ? 1 : 0]));
  RECT work{}, r{}, c{}, overlap{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const auto Describe = [](const RECT& x) {
    return std::to_wstring(x.left) + L", " + std::to_wstring(x.top) + L" - " + std::to_wstring(x.right) + L", " +
           std::to_wstring(x.bottom);
  };
  const bool placed = PollUntil(*seconds, [&] {
    GetWindowRect(window, &r);
    if (clear) GetWindowRect(clear, &c);
    const bool inside = r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom;
    return inside && !(clear && IntersectRect(&overlap, &r, &c));
  });
  std::wstring seen = DescribeWindow(window) + L" at " + Describe(r) + L" in the work area " + Describe(work);
  if (clear) seen += L", " + Quoted(args[1]) + L" at " + Describe(c);
  return placed ? Passed(seen) : Failed(seen);
}

// A window opened beside another: its outer top-left corner at the other's top-right corner. Of
// several windows with the first title (the help windows share theirs), the visible one counts.
StepResult RunWindowBeside(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND other = WaitForTitledWindow(process_id, args[1], *seconds);
  if (!other) return Failed(L"no window titled " + Quoted(args[1]));
  HWND window = nullptr;
  RECT r{}, o{};
  const bool beside = PollUntil(*seconds, [&] {
    window = nullptr;
    for (HWND candidate : FindTopLevel(process_id, MatchBy::kTitle, args[0])) {
      if (IsWindowVisible(candidate)) window = candidate;
    }
    if (window == nullptr) return false;
    GetWindowRect(window, &r);
    GetWindowRect(other, &o);
    return r.left == o.right && r.top == o.top;
  });
  if (window == nullptr) return Failed(L"no visible window titled " + Quoted(args[0]));
  const std::wstring seen = DescribeWindow(window) + L" at " + std::to_wstring(r.left) + L", " +
                            std::to_wstring(r.top) + L"; " + Quoted(args[1]) + L" ends at " + std::to_wstring(o.right) +
                            L", " + std::to_wstring(o.top);
  return beside ? Passed(seen) : Failed(seen);
}

// A document on show: a visible window of that title holding a control whose text, past its
// leading blanks, begins with the text; "none" waits until no window of that title is visible.
StepResult RunShownDocument(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  const bool none = args[1] == L"none";
  std::wstring first;
  const bool matched = PollUntil(*seconds, [&] {
    bool anyVisible = false;
    for (HWND window : FindTopLevel(process_id, MatchBy::kTitle, args[0])) {
      if (!IsWindowVisible(window)) continue;
      anyVisible = true;
      if (none) continue;
      for (HWND control : Descendants(window)) {
        const std::wstring text = ControlText(control);
        const size_t start = text.find_first_not_of(L' ');
        if (start == std::wstring::npos) continue;
        first = text.substr(start, text.find_first_of(L"\r\n", start) - start);
        if (text.compare(start, args[1].size(), args[1]) == 0) return true;
      }
    }
    return none && !anyVisible;
  });
  if (none) return matched ? Passed(L"no window titled " + Quoted(args[0]) + L" on show") : Failed(L"still on show");
  if (!matched)
    return Failed(L"no visible " + Quoted(args[0]) + L" begins with " + Quoted(args[1]) + L"; last seen " +
                  Quoted(first));
  return Passed(L"shows " + Quoted(first));
}

// An arrow key pressed in a window: the user clicks into an empty part of its client area, which
// gives the window the focus, then presses the key; both through the program's message loop.
StepResult RunArrowKey(Session& session, const Args& args) {
  UINT key = 0;
  for (const auto& [name, code] :
       {std::pair{L"up", VK_UP}, {L"down", VK_DOWN}, {L"left", VK_LEFT}, {L"right", VK_RIGHT}}) {
    if (EqualsNoCase(args[1], name)) key = static_cast<UINT>(code);
  }
  if (key == 0) return Failed(L"expected up, down, left or right, not " + Quoted(args[1]));
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND window = WaitForTitledWindow(process_id, args[0], *seconds);
  if (!window) return Failed(L"no window titled " + Quoted(args[0]));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, 1 | (scan << 16) | (1u << 24));
  PostMessageW(window, WM_KEYUP, key, 1 | (scan << 16) | (1u << 24) | (3u << 30));
  return Passed(L"pressed " + args[1] + L" in " + DescribeWindow(window));
}

}  // namespace ui_driver

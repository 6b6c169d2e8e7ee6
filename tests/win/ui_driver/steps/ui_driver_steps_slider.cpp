// The slider (trackbar) of a window: its position and range read, or the thumb moved as a user
// would drop it.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

bool IsSlider(HWND window) {
  return HasClass(window, TRACKBAR_CLASSW) && IsWindowVisible(window);
}

// The first slider as the user reads the window: the highest, then the leftmost (the order the
// system lists child windows in may change as they are shown and moved).
HWND FirstSlider(HWND window) {
  HWND first = nullptr;
  RECT firstRect{};
  for (HWND child : Descendants(window)) {
    RECT rect{};
    if (!IsSlider(child) || !GetWindowRect(child, &rect)) continue;
    if (first == nullptr || rect.top < firstRect.top || (rect.top == firstRect.top && rect.left < firstRect.left)) {
      first = child;
      firstRect = rect;
    }
  }
  return first;
}

std::optional<long> ParseNumber(const std::wstring& word) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(word.c_str(), &end, 10);
  if (word.empty() || end == nullptr || *end != L'\0') return std::nullopt;
  return value;
}

}  // namespace

StepResult RunSlider(Session& session, const Args& args) {
  const std::wstring& what = args[1];
  const bool move = EqualsNoCase(what, L"move");
  const bool maximum = EqualsNoCase(what, L"maximum");
  if (!move && !maximum && !EqualsNoCase(what, L"position")) {
    return Failed(L"expected position, maximum or move, not " + Quoted(what));
  }
  const auto value = ParseNumber(args[2]);
  if (!value) return Failed(L"expected a number, not " + Quoted(args[2]));
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  std::wstring why;
  const auto target = WaitForControl(
      session, args[0], L"slider", [](HWND window) { return FirstSlider(window); }, *seconds, why);
  if (!target) return Failed(why);
  const HWND slider = target->control;
  if (move) {
    if (!UserCanUse(slider)) return Failed(Describe(slider) + L" is disabled");
    // The thumb dropped at the position: the slider moves, then tells its parent.
    SendWithTimeout(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(*value));
    PostMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, *value & 0xFFFF),
                 reinterpret_cast<LPARAM>(slider));
    return Passed(L"moved " + Describe(slider) + L" to " + args[2]);
  }
  const UINT message = maximum ? TBM_GETRANGEMAX : TBM_GETPOS;
  LRESULT actual = -1;
  const bool matched = PollUntil(*seconds, [&] {
    actual = SendWithTimeout(slider, message, 0, 0).value_or(-1);
    return actual == *value;
  });
  const std::wstring seen = Describe(slider) + L" " + what + L" " + std::to_wstring(actual);
  if (!matched) return Failed(seen + L", expected " + args[2]);
  return Passed(seen);
}

}  // namespace ui_driver

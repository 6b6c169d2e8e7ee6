// Steps on the controls inside a window named by its title: buttons, check boxes, radio buttons,
// edits, lists, and reading a control's state.
#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

constexpr int kMaxToggleClicks = 3;  // a three-state box may need two clicks to reach a state

ControlFilter WithText(ControlFilter kind, std::wstring_view text) {
  return [kind = std::move(kind), text = std::wstring(text)](HWND window) {
    return kind(window) && LabelMatches(ControlText(window), text);
  };
}

ControlFinder Descendant(ControlFilter filter) {
  return [filter = std::move(filter)](HWND window) { return FindDescendant(window, filter); };
}

bool IsClickable(HWND window) {
  return HasClass(window, L"Button") && !IsButtonOfType(window, {BS_GROUPBOX});
}

LRESULT CheckState(HWND button) {
  return SendWithTimeout(button, BM_GETCHECK, 0, 0).value_or(-1);
}

std::wstring DescribeCheck(LRESULT state) {
  switch (state) {
    case BST_CHECKED:
      return L"on";
    case BST_UNCHECKED:
      return L"off";
    case BST_INDETERMINATE:
      return L"indeterminate";
    default:
      return L"unknown";
  }
}

// Clicks a check box or radio button until its state is wanted; posted so that a dialog the
// program opens in answer cannot hang the driver.
bool ClickUntil(HWND button, LRESULT wanted, double seconds) {
  for (int clicks = 0; clicks < kMaxToggleClicks; ++clicks) {
    const LRESULT before = CheckState(button);
    if (before == wanted) return true;
    PostMessageW(button, BM_CLICK, 0, 0);
    if (!PollUntil(seconds, [&] { return CheckState(button) != before; })) return false;
  }
  return CheckState(button) == wanted;
}

// A control named by its own text, or the control that follows a label with that text (the label
// itself when nothing follows it).
HWND FindNamedControl(HWND window, std::wstring_view text) {
  HWND label = nullptr;
  for (HWND control : Descendants(window)) {
    if (!LabelMatches(ControlText(control), text)) continue;
    if (!IsLabel(control)) return control;
    if (!label) label = control;
  }
  if (!label) return nullptr;
  HWND next = ControlAfterLabel(label, [](HWND control) { return !IsLabel(control); });
  return next ? next : label;
}

std::wstring ListSelectionText(HWND list) {
  const LRESULT index = SendWithTimeout(list, LB_GETCURSEL, 0, 0).value_or(LB_ERR);
  if (index == LB_ERR) return {};
  const LRESULT length = SendWithTimeout(list, LB_GETTEXTLEN, index, 0).value_or(LB_ERR);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = SendWithTimeout(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())).value_or(0);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

bool IsProperty(std::wstring_view word) {
  for (const auto* name : {L"text", L"enabled", L"visible", L"checked"}) {
    if (EqualsNoCase(word, name)) return true;
  }
  return false;
}

// The state of a control as the control step words it: text, or yes/no for the others.
std::optional<std::wstring> ReadProperty(HWND control, std::wstring_view property) {
  const auto yes_no = [](bool value) { return std::wstring(value ? L"yes" : L"no"); };
  if (EqualsNoCase(property, L"text")) return IsListBox(control) ? ListSelectionText(control) : ControlText(control);
  if (EqualsNoCase(property, L"enabled")) return yes_no(UserCanUse(control));
  if (EqualsNoCase(property, L"visible")) return yes_no(IsWindowVisible(control));
  if (EqualsNoCase(property, L"checked")) return yes_no(CheckState(control) == BST_CHECKED);
  return std::nullopt;
}

bool PropertyMatches(std::wstring_view property, std::wstring_view actual, std::wstring_view expected) {
  if (EqualsNoCase(property, L"text")) return LabelMatches(actual, expected);
  return ParseYesNo(actual) == ParseYesNo(expected);
}

// Selects item in a list box or combo box and tells the parent, as a user's choice would.
std::optional<std::wstring> SelectItem(HWND control, std::wstring_view item) {
  const bool list = IsListBox(control);
  const std::wstring text(item);
  const auto text_param = reinterpret_cast<LPARAM>(text.c_str());
  const LRESULT index =
      SendWithTimeout(control, list ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text_param)
          .value_or(LB_ERR);
  if (index < 0) return L"no item " + Quoted(item) + L" in " + Describe(control);
  const bool multiple = list && (GetWindowLongW(control, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
  if (multiple) {
    SendWithTimeout(control, LB_SETSEL, TRUE, index);
  } else {
    SendWithTimeout(control, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  const WORD code = list ? LBN_SELCHANGE : CBN_SELCHANGE;
  PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
  return std::nullopt;
}

}  // namespace

StepResult RunClick(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  std::wstring why;
  const auto target = WaitForControl(session, args[0], L"button " + Quoted(args[1]),
                                     Descendant(WithText(IsClickable, args[1])), *seconds, why);
  if (!target) return Failed(why);
  if (!UserCanUse(target->control)) return Failed(Describe(target->control) + L" is disabled");
  // Posted, because a click often opens a modal dialog that would keep a sent message waiting.
  PostMessageW(target->control, BM_CLICK, 0, 0);
  return Passed(L"clicked " + Describe(target->control));
}

StepResult RunCheck(Session& session, const Args& args) {
  const auto on = ParseSwitch(args[2], L"on", L"off");
  if (!on) return Failed(L"expected on or off, not " + Quoted(args[2]));
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  std::wstring why;
  const auto target = WaitForControl(session, args[0], L"check box " + Quoted(args[1]),
                                     Descendant(WithText(IsCheckBox, args[1])), *seconds, why);
  if (!target) return Failed(why);
  const HWND box = target->control;
  const LRESULT before = CheckState(box);
  const LRESULT wanted = *on ? BST_CHECKED : BST_UNCHECKED;
  if (before != wanted && !UserCanUse(box)) return Failed(Describe(box) + L" is disabled");
  if (!ClickUntil(box, wanted, *seconds)) {
    return Failed(Describe(box) + L" stayed " + DescribeCheck(CheckState(box)) + L", expected " + args[2]);
  }
  return Passed(Describe(box) + L" was " + DescribeCheck(before) + L", now " + args[2]);
}

StepResult RunRadio(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  std::wstring why;
  const auto target = WaitForControl(session, args[0], L"radio button " + Quoted(args[1]),
                                     Descendant(WithText(IsRadioButton, args[1])), *seconds, why);
  if (!target) return Failed(why);
  const HWND button = target->control;
  if (CheckState(button) != BST_CHECKED && !UserCanUse(button)) return Failed(Describe(button) + L" is disabled");
  if (!ClickUntil(button, BST_CHECKED, *seconds)) return Failed(Describe(button) + L" did not become selected");
  return Passed(L"selected " + Describe(button));
}

namespace {

// Sets the edit's text as typing does (the program gets EN_CHANGE); what it holds afterwards.
StepResult SetEditText(Session& session, const Args& args, bool must_keep) {
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  std::wstring why;
  const std::wstring label = args[1];
  const auto target = WaitForControl(
      session, args[0], L"edit labelled " + Quoted(label),
      [&](HWND window) { return FindLabelledControl(window, label, IsEdit); }, *seconds, why);
  if (!target) return Failed(why);
  const HWND edit = target->control;
  if (!UserCanUse(edit)) return Failed(Describe(edit) + L" is disabled");
  if (!SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2].c_str()))) {
    return Failed(Describe(edit) + L" did not answer WM_SETTEXT");
  }
  const std::wstring now = ControlText(edit);
  if (!must_keep) return Passed(L"typed " + Quoted(args[2]) + L" into " + Describe(edit));
  if (now != args[2]) return Failed(Describe(edit) + L" holds " + Quoted(now) + L" after setting " + Quoted(args[2]));
  return Passed(L"filled " + Describe(edit));
}

}  // namespace

StepResult RunFill(Session& session, const Args& args) {
  return SetEditText(session, args, true);
}

StepResult RunType(Session& session, const Args& args) {
  return SetEditText(session, args, false);
}

StepResult RunPick(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  std::wstring why;
  const std::wstring label = args[1];
  const auto is_list = [](HWND window) { return IsListBox(window) || IsComboBox(window); };
  const auto target = WaitForControl(
      session, args[0], L"list labelled " + Quoted(label),
      [&](HWND window) { return FindLabelledControl(window, label, is_list); }, *seconds, why);
  if (!target) return Failed(why);
  if (!UserCanUse(target->control)) return Failed(Describe(target->control) + L" is disabled");
  if (auto error = SelectItem(target->control, args[2])) return Failed(*error);
  return Passed(L"picked " + Quoted(args[2]) + L" in " + Describe(target->control));
}

StepResult RunControl(Session& session, const Args& args) {
  const std::wstring& property = args[2];
  const std::wstring& expected = args[3];
  if (!IsProperty(property)) {
    return Failed(L"expected text, enabled, checked or visible, not " + Quoted(property));
  }
  if (!EqualsNoCase(property, L"text") && !ParseYesNo(expected)) return Failed(L"expected yes or no");
  const auto seconds = SecondsArg(args, 4);
  if (!seconds) return Failed(NotSeconds(args, 4));
  std::wstring why;
  const std::wstring name = args[1];
  const auto target = WaitForControl(
      session, args[0], L"control " + Quoted(name), [&](HWND window) { return FindNamedControl(window, name); },
      *seconds, why);
  if (!target) return Failed(why);
  std::wstring actual;
  const bool matched = PollUntil(*seconds, [&] {
    actual = *ReadProperty(target->control, property);
    return PropertyMatches(property, actual, expected);
  });
  const std::wstring seen = Describe(target->control) + L" " + property + L" " + Quoted(actual);
  if (!matched) return Failed(seen + L", expected " + Quoted(expected));
  return Passed(seen);
}

namespace {

std::optional<UINT> KeyCode(std::wstring_view word) {
  if (EqualsNoCase(word, L"tab")) return VK_TAB;
  if (EqualsNoCase(word, L"enter")) return VK_RETURN;
  if (EqualsNoCase(word, L"escape")) return VK_ESCAPE;
  return std::nullopt;
}

// The control that has the keyboard focus in the thread owning `window`.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace

StepResult RunKey(Session& session, const Args& args) {
  const auto key = KeyCode(args[2]);
  if (!key) return Failed(L"expected tab, enter or escape, not " + Quoted(args[2]));
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  std::wstring why;
  const std::wstring name = args[1];
  const auto target = WaitForControl(
      session, args[0], L"control " + Quoted(name), [&](HWND window) { return FindNamedControl(window, name); },
      *seconds, why);
  if (!target) return Failed(why);
  // The user clicks into the control, then presses the key: both arrive through the program's
  // message loop, as keyboard and mouse input do.
  const HWND control = target->control;
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  const UINT scan = MapVirtualKeyW(*key, MAPVK_VK_TO_VSC);
  PostMessageW(control, WM_KEYDOWN, *key, 1 | (scan << 16));
  PostMessageW(control, WM_KEYUP, *key, 1 | (scan << 16) | (3u << 30));
  return Passed(L"pressed " + args[2] + L" in " + Describe(control));
}

StepResult RunFocus(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  std::wstring why;
  const std::wstring name = args[1];
  const auto target = WaitForControl(
      session, args[0], L"control " + Quoted(name), [&](HWND window) { return FindNamedControl(window, name); },
      *seconds, why);
  if (!target) return Failed(why);
  HWND focus = nullptr;
  if (!PollUntil(*seconds, [&] { return (focus = FocusOf(target->window)) == target->control; })) {
    return Failed(L"the focus is on " + (focus != nullptr ? Describe(focus) : std::wstring(L"no control")) +
                  L", not on " + Describe(target->control));
  }
  return Passed(Describe(target->control) + L" has the focus");
}

}  // namespace ui_driver

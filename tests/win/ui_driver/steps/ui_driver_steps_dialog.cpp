// The system's file-open dialog, shown by a program: a path typed into its file name field and
// confirmed, or the dialog cancelled.
#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

HWND FindVisibleDialog(DWORD process_id, std::wstring_view title) {
  for (HWND window : FindTopLevel(process_id, MatchBy::kTitle, title)) {
    if (HasClass(window, L"#32770") && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// The folder dialog has a title of the system's choosing: any visible dialog with an OK button.
HWND FindVisibleFolderDialog(DWORD process_id) {
  for (HWND window : TopLevelWindows(process_id)) {
    if (HasClass(window, L"#32770") && IsWindowVisible(window) && GetDlgItem(window, IDOK) != nullptr) return window;
  }
  return nullptr;
}

bool IsVisibleEdit(HWND window) {
  return IsEdit(window) && IsWindowVisible(window);
}

// The file name field: the edit after the "File name:" label, else the first visible edit (the
// edit inside a combo box counts).
HWND FileNameField(HWND dialog) {
  if (HWND labelled = FindLabelledControl(dialog, L"File name:", IsVisibleEdit)) return labelled;
  return FindDescendant(dialog, IsVisibleEdit);
}

HWND ButtonWithId(HWND dialog, int id) {
  return FindDescendant(dialog, [id](HWND window) {
    return HasClass(window, L"Button") && GetDlgCtrlID(window) == id && IsWindowVisible(window);
  });
}

std::wstring DescribeControls(HWND dialog) {
  std::wstring text;
  for (HWND control : Descendants(dialog)) text += L"\n    " + Describe(control);
  return text;
}

}  // namespace

namespace {

// Types the path into the dialog's name field and confirms, or cancels; waits for it to close.
StepResult AnswerDialog(Session& session, HWND dialog, const std::wstring& answer, double seconds);

}  // namespace

StepResult RunFileDialog(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND dialog = nullptr;
  if (!PollUntil(*seconds, [&] { return (dialog = FindVisibleDialog(process_id, args[0])) != nullptr; })) {
    return Failed(L"no dialog titled " + Quoted(args[0]) + L" after " + DescribeSeconds(*seconds));
  }
  return AnswerDialog(session, dialog, args[1], *seconds);
}

StepResult RunFolderDialog(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 1);
  if (!seconds) return Failed(NotSeconds(args, 1));
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  HWND dialog = nullptr;
  if (!PollUntil(*seconds, [&] { return (dialog = FindVisibleFolderDialog(process_id)) != nullptr; })) {
    return Failed(L"no folder dialog after " + DescribeSeconds(*seconds));
  }
  return AnswerDialog(session, dialog, args[0], *seconds);
}

namespace {

StepResult AnswerDialog(Session& session, HWND dialog, const std::wstring& answer, double seconds) {
  const bool cancel = EqualsNoCase(answer, L"cancel");
  std::wstring seen;
  if (cancel) {
    HWND button = ButtonWithId(dialog, IDCANCEL);
    if (button == nullptr) return Failed(L"the dialog has no Cancel button:" + DescribeControls(dialog));
    PostMessageW(button, BM_CLICK, 0, 0);
    seen = L"cancelled " + Quoted(TitleOf(dialog));
  } else {
    // The dialog starts in a folder of its own choosing: give it the whole path.
    const std::wstring path = std::filesystem::absolute(session.Resolve(NewestFileOr(session, answer))).wstring();
    HWND field = FileNameField(dialog);
    HWND open = ButtonWithId(dialog, IDOK);
    if (field == nullptr || open == nullptr) {
      return Failed(L"no file name field or no OK button in the dialog:" + DescribeControls(dialog));
    }
    if (!SendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()))) {
      return Failed(Describe(field) + L" did not answer WM_SETTEXT");
    }
    PostMessageW(open, BM_CLICK, 0, 0);
    seen = L"chose " + Quoted(path) + L" in " + Quoted(TitleOf(dialog));
  }
  if (!PollUntil(seconds, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) {
    return Failed(seen + L", but the dialog stayed open:" + DescribeControls(dialog));
  }
  return Passed(seen);
}

}  // namespace

}  // namespace ui_driver

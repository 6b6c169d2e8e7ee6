#include "ui_driver_step_support.h"

#include <cwchar>
#include <filesystem>

#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"

namespace ui_driver {

std::optional<double> SecondsArg(const Args& args, size_t index, double fallback) {
  if (index >= args.size()) return fallback;
  return ParseSeconds(args[index]);
}

std::wstring NotSeconds(const Args& args, size_t index) {
  return L"not a number of seconds: " + Quoted(args[index]);
}

std::wstring DescribeSeconds(double seconds) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%g s", seconds);
  return text;
}

DWORD CurrentProcessId(const Session& session) {
  const StartedProcess* process = session.Current();
  return process ? process->info.dwProcessId : 0;
}

HWND WaitForTitledWindow(DWORD process_id, std::wstring_view title, double seconds) {
  HWND found = nullptr;
  PollUntil(seconds, [&] {
    const auto windows = FindTopLevel(process_id, MatchBy::kTitle, title);
    found = windows.empty() ? nullptr : windows.front();
    return found != nullptr;
  });
  return found;
}

std::optional<Target> WaitForControl(const Session& session, std::wstring_view title, std::wstring_view what,
                                     const ControlFinder& find, double seconds, std::wstring& why) {
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) {
    why = kNoProcess;
    return std::nullopt;
  }
  Target target;
  bool window_seen = false;
  const bool found = PollUntil(seconds, [&] {
    for (HWND window : FindTopLevel(process_id, MatchBy::kTitle, title)) {
      window_seen = true;
      if (HWND control = find(window)) {
        target = {window, control};
        return true;
      }
    }
    return false;
  });
  if (found) return target;
  why = window_seen ? L"window " + Quoted(title) + L" has no " + std::wstring(what)
                    : L"no window titled " + Quoted(title);
  return std::nullopt;
}

std::wstring Describe(HWND control) {
  return ClassOf(control) + L" " + Quoted(ControlText(control)) + L" (id " + std::to_wstring(GetDlgCtrlID(control)) +
         L")";
}

std::wstring NewestFileOr(const Session& session, const std::wstring& argument) {
  if (argument.find_first_of(L"*?") == std::wstring::npos) return argument;
  const std::filesystem::path pattern = session.Resolve(argument);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(pattern.wstring().c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return argument;
  std::wstring newest = found.cFileName;
  FILETIME newestTime = found.ftLastWriteTime;
  while (FindNextFileW(search, &found)) {
    if (CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0) {
      newest = found.cFileName;
      newestTime = found.ftLastWriteTime;
    }
  }
  FindClose(search);
  return (pattern.parent_path() / newest).wstring();
}

}  // namespace ui_driver

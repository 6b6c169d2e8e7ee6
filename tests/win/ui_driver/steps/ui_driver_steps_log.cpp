// Steps that read the User Messages log of the current program.
#include <filesystem>
#include <fstream>

#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

constexpr wchar_t kLogTitle[] = L"User Messages";
constexpr wchar_t kLogClass[] = L"RICHEDIT50W";
constexpr size_t kShownTail = 300;

ControlFinder LogControl() {
  return [](HWND window) { return FindDescendant(window, [](HWND child) { return HasClass(child, kLogClass); }); };
}

std::optional<HWND> WaitForLog(const Session& session, double seconds, std::wstring& why) {
  const auto target = WaitForControl(session, kLogTitle, L"RICHEDIT50W control", LogControl(), seconds, why);
  if (!target) return std::nullopt;
  return target->control;
}

// The end of the log, where a failed expectation usually shows what happened instead.
std::wstring Tail(const std::wstring& log) {
  return log.size() <= kShownTail ? log : L"..." + log.substr(log.size() - kShownTail);
}

bool LogHas(const std::wstring& log, const std::wstring& text) {
  return CollapseCrLf(log).find(CollapseCrLf(text)) != std::wstring::npos;
}

}  // namespace

StepResult RunLogSave(Session& session, const Args& args) {
  std::wstring why;
  const auto log = WaitForLog(session, kDefaultTimeoutSeconds, why);
  if (!log) return Failed(why);
  const std::wstring text = ControlText(*log);
  const auto file = session.Resolve(args[0]);
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  const std::string bytes = ToUtf8(text);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Failed(L"cannot write " + file.wstring());
  return Passed(L"saved " + std::to_wstring(text.size()) + L" characters of the log to " + file.wstring());
}

StepResult RunLogContains(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 1);
  if (!seconds) return Failed(NotSeconds(args, 1));
  std::wstring why;
  const auto log = WaitForLog(session, *seconds, why);
  if (!log) return Failed(why);
  std::wstring text;
  if (!PollUntil(*seconds, [&] { return LogHas(text = ControlText(*log), args[0]); })) {
    return Failed(L"the log lacks " + Quoted(args[0]) + L"; it ends " + Quoted(Tail(text)));
  }
  return Passed(L"the log contains " + Quoted(args[0]));
}

// Without a timeout the log is read once; with one, the step waits until the text has gone (after
// a posted command that clears the log, say).
StepResult RunLogNotContains(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 1, 0.0);
  if (!seconds) return Failed(NotSeconds(args, 1));
  std::wstring why;
  const auto log = WaitForLog(session, kDefaultTimeoutSeconds, why);
  if (!log) return Failed(why);
  if (!PollUntil(*seconds, [&] { return !LogHas(ControlText(*log), args[0]); })) {
    return Failed(L"the log contains " + Quoted(args[0]));
  }
  return Passed(L"the log lacks " + Quoted(args[0]));
}

}  // namespace ui_driver

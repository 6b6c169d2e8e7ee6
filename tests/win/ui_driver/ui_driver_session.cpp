#include "ui_driver_session.h"

#include <utility>

namespace ui_driver {
namespace {

constexpr DWORD kTerminateWaitMilliseconds = 5000;

bool StillRunning(const StartedProcess& process) {
  return WaitForSingleObject(process.info.hProcess, 0) == WAIT_TIMEOUT;
}

// Quoting as the Microsoft C runtime reads it: backslashes count only before a double quote.
std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

}  // namespace

std::wstring BuildCommandLine(const std::wstring& exe, const std::vector<std::wstring>& args) {
  std::wstring line = QuoteArgument(exe);
  for (const auto& arg : args) line += L" " + QuoteArgument(arg);
  return line;
}

Session::Session(std::filesystem::path scenario_folder)
    : scenario_folder_(std::move(scenario_folder)), work_folder_(scenario_folder_) {}

Session::~Session() {
  TerminateAll();
  for (auto& process : processes_) {
    CloseHandle(process.info.hThread);
    CloseHandle(process.info.hProcess);
  }
}

std::filesystem::path Session::Resolve(std::wstring_view path) const {
  std::filesystem::path result(path);
  if (result.is_relative()) result = scenario_folder_ / result;
  return result.lexically_normal().make_preferred();
}

std::optional<std::wstring> Session::Start(const std::filesystem::path& exe, const std::vector<std::wstring>& args) {
  std::wstring command_line = BuildCommandLine(exe.wstring(), args);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, work_folder_.c_str(),
                      &startup, &info)) {
    return L"CreateProcess failed with error " + std::to_wstring(GetLastError());
  }
  const int number = static_cast<int>(processes_.size()) + 1;
  processes_.push_back({number, exe.filename().wstring(), info});
  current_ = processes_.size();
  return std::nullopt;
}

bool Session::Use(int number) {
  if (number < 1 || static_cast<size_t>(number) > processes_.size()) return false;
  current_ = static_cast<size_t>(number);
  return true;
}

const StartedProcess* Session::Current() const {
  return current_ == 0 ? nullptr : &processes_[current_ - 1];
}

void Session::TerminateAll() {
  for (auto& process : processes_) {
    if (!StillRunning(process)) continue;
    TerminateProcess(process.info.hProcess, 1);
    WaitForSingleObject(process.info.hProcess, kTerminateWaitMilliseconds);
  }
}

}  // namespace ui_driver

// Steps that start, choose, wait for and end the programs under test.
#include <filesystem>

#include "../ui_driver_text.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

std::wstring ProcessName(const StartedProcess& process) {
  return L"process " + std::to_wstring(process.number) + L" (" + process.name + L", pid " +
         std::to_wstring(process.info.dwProcessId) + L")";
}

std::wstring DescribeExitCode(DWORD code) {
  return Hex(code) + L" (" + std::to_wstring(code) + L")";
}

}  // namespace

StepResult RunWorkdir(Session& session, const Args& args) {
  const auto folder = session.Resolve(args[0]);
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return Failed(L"no such folder: " + folder.wstring());
  session.set_work_folder(folder);
  return Passed(L"working folder " + folder.wstring());
}

StepResult RunStart(Session& session, const Args& args) {
  const auto exe = session.Resolve(args[0]);
  Args arguments;
  for (auto it = args.begin() + 1; it != args.end(); ++it) arguments.push_back(NewestFileOr(session, *it));
  if (auto error = session.Start(exe, arguments)) {
    return Failed(L"cannot start " + exe.wstring() + L": " + *error);
  }
  return Passed(L"started " + ProcessName(*session.Current()) + L" in " + session.work_folder().wstring());
}

StepResult RunUse(Session& session, const Args& args) {
  const auto number = ParseInteger(args[0]);
  if (!number || !session.Use(static_cast<int>(*number))) return Failed(L"no process number " + args[0]);
  return Passed(L"current " + ProcessName(*session.Current()));
}

StepResult RunWaitExit(Session& session, const Args& args) {
  const auto expected = ParseExitCode(args[0]);
  if (!expected) return Failed(L"not an exit code: " + Quoted(args[0]));
  const auto seconds = SecondsArg(args, 1);
  if (!seconds) return Failed(NotSeconds(args, 1));
  const StartedProcess* process = session.Current();
  if (!process) return Failed(kNoProcess);
  const HANDLE handle = process->info.hProcess;
  if (!PollUntil(*seconds, [&] { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; })) {
    return Failed(ProcessName(*process) + L" still runs after " + DescribeSeconds(*seconds));
  }
  DWORD code = 0;
  GetExitCodeProcess(handle, &code);
  const std::wstring seen = ProcessName(*process) + L" exited with code " + DescribeExitCode(code);
  if (code != *expected) return Failed(seen + L", expected " + DescribeExitCode(*expected));
  return Passed(seen);
}

StepResult RunKill(Session& session, const Args&) {
  const StartedProcess* process = session.Current();
  if (!process) return Failed(kNoProcess);
  if (WaitForSingleObject(process->info.hProcess, 0) == WAIT_OBJECT_0) {
    return Passed(ProcessName(*process) + L" had already ended");
  }
  TerminateProcess(process->info.hProcess, 1);
  WaitForSingleObject(process->info.hProcess, static_cast<DWORD>(kDefaultTimeoutSeconds * 1000));
  return Passed(L"terminated " + ProcessName(*process));
}

StepResult RunSleep(Session&, const Args& args) {
  const auto milliseconds = ParseInteger(args[0]);
  if (!milliseconds || *milliseconds < 0) return Failed(L"not a number of milliseconds: " + Quoted(args[0]));
  Sleep(static_cast<DWORD>(*milliseconds));
  return Passed(L"slept " + args[0] + L" ms");
}

}  // namespace ui_driver

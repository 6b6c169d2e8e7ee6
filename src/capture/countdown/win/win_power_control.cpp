#include "capture/countdown/win/win_power_control.h"

#include <windows.h>
// powrprof.h needs the types of windows.h first.
#include <powrprof.h>

#include <string>

#include "common/log/user_messages_log.h"

#ifndef SHUTDOWN_POWEROFF
#define SHUTDOWN_POWEROFF 0x00000008
#endif
#ifndef SHUTDOWN_FORCE_SELF
#define SHUTDOWN_FORCE_SELF 0x00000002
#endif
#ifndef ERROR_SHUTDOWN_USERS_LOGGED_ON
#define ERROR_SHUTDOWN_USERS_LOGGED_ON 1191L
#endif

namespace zuna {
namespace {

[[maybe_unused]] constexpr DWORD kShutdownGraceSeconds = 15;

#ifdef ZUNA_AUTOMATION
// Test builds make no power call: they log the call they would make and, because a shutdown ends
// the program and its log with it, note it in "TestPowerCalls.txt" of the current folder too. The
// privilege steps before it are made (they change nothing but this process's token) and noted
// there in their order, so a test can see that the privilege comes first.
void NoteStep(const std::wstring& call) {
  HANDLE file = CreateFileW(L"TestPowerCalls.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string line = std::string(call.begin(), call.end()) + "\r\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

void RecordPowerCall(const std::wstring& call) {
  PostStampedMessage(L"TEST: " + call + L" was not called\r\n");
  NoteStep(call);
}
#else
void NoteStep(const std::wstring&) {}
#endif

}  // namespace

void WinPowerControl::KeepSystemAwake() {
  SetThreadExecutionState(ES_SYSTEM_REQUIRED);
}

bool WinPowerControl::Hibernate() {
#ifdef ZUNA_AUTOMATION
  RecordPowerCall(L"SetSuspendState(hibernate, force, no wake events)");
  return true;
#else
  return SetSuspendState(TRUE, TRUE, TRUE) != FALSE;
#endif
}

bool WinPowerControl::ResumedAutomatically() {
#ifdef ZUNA_AUTOMATION
  return false;
#else
  return IsSystemResumeAutomatic() != FALSE;
#endif
}

bool WinPowerControl::EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool enabled = LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid) != FALSE;
  if (enabled) {
    // Success of the call alone is not enough: a privilege the token lacks is reported through
    // the last error.
    enabled = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != FALSE &&
              GetLastError() == ERROR_SUCCESS;
  }
  CloseHandle(token);
  if (enabled) NoteStep(L"AdjustTokenPrivileges(SeShutdownPrivilege enabled)");
  return enabled;
}

ShutdownRequest WinPowerControl::RequestShutdown() {
#ifdef ZUNA_AUTOMATION
  RecordPowerCall(L"InitiateShutdown(15 s, power off, force self, planned)");
  const DWORD result = ERROR_SUCCESS;
#else
  const DWORD result = InitiateShutdownW(nullptr, nullptr, kShutdownGraceSeconds,
                                         SHUTDOWN_POWEROFF | SHUTDOWN_FORCE_SELF, SHTDN_REASON_FLAG_PLANNED);
#endif
  lastShutdownError_ = result;
  switch (result) {
    case ERROR_SUCCESS:
      return ShutdownRequest::kStarted;
    case ERROR_ACCESS_DENIED:
      return ShutdownRequest::kPrivilegeDenied;
    case ERROR_SHUTDOWN_USERS_LOGGED_ON:
      return ShutdownRequest::kOtherUsersLoggedOn;
    default:
      return ShutdownRequest::kFailed;
  }
}

}  // namespace zuna

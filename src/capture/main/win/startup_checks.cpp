#include "capture/main/win/startup_checks.h"

#include <windows.h>
// powrprof.h needs the types of windows.h.
#include <powrprof.h>

#include "common/log/user_messages_log.h"

namespace zuna {

PowerCapabilities CheckPowerCapabilities() {
  PowerCapabilities result;
  SYSTEM_POWER_CAPABILITIES caps{};
  // Hibernation needs the S4 state and a hibernation file.
  if (!GetPwrCapabilities(&caps) || !caps.SystemS4 || !caps.HiberFilePresent) {
    result.hibernation = false;
    PostStampedMessage(L"Computer cannot be placed into hibernation\n");
  }
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    result.shutdownPrivilege = false;
    PostStampedMessage(L"No privilege to automatically shut down or hibernate after event recording\n");
  } else {
    CloseHandle(token);
  }
  return result;
}

}  // namespace zuna

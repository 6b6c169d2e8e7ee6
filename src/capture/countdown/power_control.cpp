#include "capture/countdown/power_control.h"

#include <string>

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

void HibernateNow(PowerControl& power) {
  if (!power.Hibernate()) {
    PostUserMessage(L"\r\nUnable to create hibernate the computer.  Check user privileges.\r\n", true);
    return;
  }
  if (power.ResumedAutomatically()) {
    PostUserMessage(L"\r\nSystem resumed automatically rather than by user action\r\n", true);
  }
}

bool ShutDownNow(PowerControl& power) {
  if (!power.EnableShutdownPrivilege()) {
    PostUserMessage(L"Cannot adjust privilege to shut down computer", true);
    return false;
  }
  switch (power.RequestShutdown()) {
    case ShutdownRequest::kStarted:
      return true;
    case ShutdownRequest::kAccessDenied:
      PostUserMessage(L"Insufficient user privilege to programmatically shut down computer", true);
      return false;
    case ShutdownRequest::kOtherUsersLoggedOn:
      PostUserMessage(L"Cannot shut down computer - other users logged on", true);
      return false;
    case ShutdownRequest::kFailed:
      // The reason is kept, so that a refused shutdown is never silent.
      PostUserMessage(
          L"WARNING: cannot shut down computer - error code " + std::to_wstring(power.LastShutdownError()) + L"\r\n",
          true);
      return false;
  }
  return false;
}

}  // namespace

bool CarryOutPowerAction(PowerAction action, PowerControl& power) {
  switch (action) {
    case PowerAction::kHibernate:
      HibernateNow(power);
      return false;
    case PowerAction::kShutdown:
      return ShutDownNow(power);
    case PowerAction::kNone:
      return false;
  }
  return false;
}

}  // namespace zuna

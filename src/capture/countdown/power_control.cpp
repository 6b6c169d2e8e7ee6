#include "capture/countdown/power_control.h"

#include <string>

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

// The system refuses both hibernation and shutdown to a process that has not enabled the
// shutdown privilege first.
void HibernateNow(PowerControl& power) {
  if (!power.EnableShutdownPrivilege()) {
    PostStampedMessage(L"Cannot adjust privilege to hibernate computer");
    return;
  }
  if (!power.Hibernate()) {
    PostStampedMessage(L"\r\nUnable to create hibernate the computer.  Check user privileges.\r\n");
    return;
  }
  if (power.ResumedAutomatically()) {
    PostStampedMessage(L"\r\nSystem resumed automatically rather than by user action\r\n");
  }
}

bool ShutDownNow(PowerControl& power) {
  if (!power.EnableShutdownPrivilege()) {
    PostStampedMessage(L"Cannot adjust privilege to shut down computer");
    return false;
  }
  switch (power.RequestShutdown()) {
    case ShutdownRequest::kStarted:
      return true;
    case ShutdownRequest::kPrivilegeDenied:
      PostStampedMessage(L"Insufficient user privilege to programmatically shut down computer");
      return false;
    case ShutdownRequest::kOtherUsersLoggedOn:
      PostStampedMessage(L"Cannot shut down computer - other users logged on");
      return false;
    case ShutdownRequest::kFailed:
      // The reason is kept, so that a refused shutdown is never silent.
      PostStampedMessage(L"WARNING: cannot shut down computer - error code " +
                         std::to_wstring(power.LastShutdownError()) + L"\r\n");
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

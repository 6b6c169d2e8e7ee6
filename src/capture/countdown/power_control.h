#pragma once
// The power services that scheduled events need, and the power action after an event recording.
#include <cstdint>

namespace zuna {

enum class PowerAction { kNone, kHibernate, kShutdown };

// Hibernation wins when an event asks for both.
constexpr PowerAction ChoosePowerAction(bool hibernate, bool shutdown) {
  return hibernate ? PowerAction::kHibernate : shutdown ? PowerAction::kShutdown : PowerAction::kNone;
}

enum class ShutdownRequest { kStarted, kPrivilegeDenied, kOtherUsersLoggedOn, kFailed };

// What the platform offers; Win32 implements it in capture/win, tests with a fake.
class PowerControl {
 public:
  virtual ~PowerControl() = default;
  // Resets the system idle timer once (no continuous request).
  virtual void KeepSystemAwake() = 0;
  // Hibernates (not sleep, forced, wake events disabled); returns once the computer has resumed.
  // False when the request failed. Needs the shutdown privilege enabled first.
  virtual bool Hibernate() = 0;
  // True when the last resume was automatic rather than by a user action.
  virtual bool ResumedAutomatically() = 0;
  // Enables the shutdown privilege of the process token; false when that could not be done.
  virtual bool EnableShutdownPrivilege() = 0;
  // Powers this computer off after a 15-second grace period (forced for this process, planned).
  virtual ShutdownRequest RequestShutdown() = 0;
  // The platform's error code of the last request that answered kFailed.
  virtual std::uint32_t LastShutdownError() const { return 0; }
};

// Carries out the action and reports failures. True when the program must end (a shutdown is
// under way): the caller then sets the exit request.
bool CarryOutPowerAction(PowerAction action, PowerControl& power);

}  // namespace zuna

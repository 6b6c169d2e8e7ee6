#pragma once
// The 30-second notice that precedes hibernation or shutdown after an event recording. The window
// applies the texts; a one-second window timer calls Tick on the main thread.
#include <optional>
#include <string>

#include "capture/countdown/power_control.h"

namespace zuna {

inline constexpr int kPowerNoticeSeconds = 30;

struct PowerNoticeTexts {
  std::wstring title;         // "Hibernate" or "Shutdown"
  std::wstring label;         // "Hibernate in" or "Shutdown in"
  std::wstring cancelButton;  // "Cancel Hibernate" or "Cancel Shutdown"
  std::wstring explanation;   // "unless you select Cancel Hibernate" or "... Shutdown"
  std::wstring count;         // "30"
};

struct PowerNoticeStep {
  std::optional<std::wstring> count;          // "29" .. "01"
  bool finished = false;                      // kill the timer and hide the window
  PowerAction carryOut = PowerAction::kNone;  // then carry this out (CarryOutPowerAction)
};

class PowerNotice {
 public:
  // Starts the count for `action` (kNone starts nothing and gives nothing).
  std::optional<PowerNoticeTexts> Start(PowerAction action);
  PowerNoticeStep Tick();
  // The cancel button: the timer is killed, the window hidden, nothing else happens.
  void Cancel();
  bool Active() const { return action_ != PowerAction::kNone; }

 private:
  PowerAction action_ = PowerAction::kNone;
  int count_ = 0;
};

}  // namespace zuna

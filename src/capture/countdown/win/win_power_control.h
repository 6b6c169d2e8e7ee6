#pragma once
// The system's power calls: keep-awake, hibernation, the shutdown privilege and the shutdown
// request. Test builds (ZUNA_AUTOMATION) log the hibernate and shutdown calls they would make
// instead of making them, and note them in "TestPowerCalls.txt" of the current folder (a shutdown
// ends the program, its log with it), so that scenarios can run the whole path on the test machine.
#include <cstdint>

#include "capture/countdown/power_control.h"

namespace zuna {

class WinPowerControl final : public PowerControl {
 public:
  void KeepSystemAwake() override;
  bool Hibernate() override;
  bool ResumedAutomatically() override;
  bool EnableShutdownPrivilege() override;
  ShutdownRequest RequestShutdown() override;
  std::uint32_t LastShutdownError() const override { return lastShutdownError_; }

 private:
  std::uint32_t lastShutdownError_ = 0;
};

}  // namespace zuna

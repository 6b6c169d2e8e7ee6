#pragma once
#include "common/foundation/common_state.h"

namespace zuna {

// Marks a main window's menu command as running for its lifetime (commands may nest): the windows
// it moves are not moves of the user's.
class MenuCommandScope {
 public:
  explicit MenuCommandScope(CommonState& state) : state_(state), outer_(state.menuCommandRunning) {
    state.menuCommandRunning = true;
  }
  ~MenuCommandScope() { state_.menuCommandRunning = outer_; }
  MenuCommandScope(const MenuCommandScope&) = delete;
  MenuCommandScope& operator=(const MenuCommandScope&) = delete;

 private:
  CommonState& state_;
  bool outer_;
};

}  // namespace zuna

#pragma once
#include <windows.h>

#include "common/foundation/zuna_common.h"

namespace zuna {

// The window-move rule every placed window follows: a drag marks its entry as moving, and a move
// is recorded in the placement table (not during start-up; a moved-by-user mark when dragged).
void TrackWindowMove(ZunaCommon& common, HWND window, UINT message);

// Marks a main window's menu command as running for its lifetime (commands may nest).
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

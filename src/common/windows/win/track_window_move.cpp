#include "common/windows/win/track_window_move.h"

#include "common/windows/win/win_util.h"

namespace zuna {

void TrackWindowMove(ZunaCommon& common, HWND window, UINT message) {
  const bool startup = common.State().startupInProgress;
  if (message == WM_MOVING && !startup) {
    common.Placements().MarkMoving(window);
  } else if (message == WM_MOVE && !common.State().menuCommandRunning) {
    common.Placements().RecordMove(window, WindowRect(window), startup);
  }
}

}  // namespace zuna

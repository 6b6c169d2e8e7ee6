#pragma once
#include <windows.h>

#include "common/foundation/menu_command_scope.h"
#include "common/foundation/zuna_common.h"

namespace zuna {

// The window-move rule every placed window follows: a drag marks its entry as moving, and a move
// is recorded in the placement table (not during start-up; a moved-by-user mark when dragged).
void TrackWindowMove(ZunaCommon& common, HWND window, UINT message);

}  // namespace zuna

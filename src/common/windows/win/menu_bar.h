#pragma once
#include <windows.h>

#include "common/windows/menu_model.h"

namespace zuna {

// Builds real menus from the model and attaches them to the window, replacing its old menu bar.
// The whole bar is rebuilt each time, so the window always shows exactly the model.
void ApplyMenuModel(HWND window, const MenuModel& model);

}  // namespace zuna

#pragma once
// The "Dropped Frames Control" item exists in the "Options" menu only while a file with dropped
// frames is open.
#include "common/windows/menu_model.h"

namespace zuna {

inline constexpr wchar_t kDroppedFramesControlText[] = L"Dropped Frames Control";

// Appends the item to "Options" unless it is there already; false when there is no "Options" menu.
bool AddDroppedFramesControlItem(MenuModel& menu, unsigned id);
void RemoveDroppedFramesControlItem(MenuModel& menu, unsigned id);

}  // namespace zuna

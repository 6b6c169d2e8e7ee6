#pragma once
// What both programs' main windows do alike: create their folders beside the executable, react to a
// display tool being shown or hidden, and size the main window and its clipping window to the display.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "common/foundation/status.h"

namespace zuna {

class MenuModel;
class ZunaCommon;

// The program folder (the executable's) with each named folder created beneath it; false when one
// could not be created (each failure is posted).
bool CreateFoldersBesideExecutable(const std::vector<std::wstring>& folderNames, std::wstring& programFolder);

// Records the tool's switch, sets its check mark in `menu` (identifiers in tool order: magnify,
// brightness/contrast, pixel saturation, crosshairs) and rebuilds the graph with `rebuild`.
Status ApplyDisplayToolChange(ZunaCommon& common, MenuModel& menu, HWND mainWindow,
                              const std::array<unsigned, 4>& toolMenuIds, int tool, bool shown,
                              const std::function<Status()>& rebuild);

// Sizes the main window so that its client area is the display size, and the clipping window to
// fill it; restores the window first when it is minimised, and records the new size.
void SizeMainWindowToDisplay(ZunaCommon& common, HWND mainWindow, HWND clippingWindow);

}  // namespace zuna

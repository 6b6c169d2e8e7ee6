#pragma once
// What both programs' main windows do alike: create their folders beside the executable and size the
// main window and its clipping window to the display.
#include <windows.h>

#include <string>
#include <vector>

namespace zuna {

class ZunaCommon;

// The program folder (the executable's) with each named folder created beneath it; false when one
// could not be created (each failure is posted).
bool CreateFoldersBesideExecutable(const std::vector<std::wstring>& folderNames, std::wstring& programFolder);

// Sizes the main window so that its client area is the display size, and the clipping window to
// fill it; restores the window first when it is minimised, and records the new size.
void SizeMainWindowToDisplay(ZunaCommon& common, HWND mainWindow, HWND clippingWindow);

}  // namespace zuna

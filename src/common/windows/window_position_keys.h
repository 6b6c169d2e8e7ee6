#pragma once
// The window-position keys that both programs enter in the placement table: the common windows and
// the 21 help windows.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "common/help/help_documents.h"
#include "common/windows/window_placement.h"

namespace zuna {

// A window to enter in the placement table, with its default size.
struct WindowSlot {
  const void* window = nullptr;
  int defaultWidth = 0;
  int defaultHeight = 0;
};

struct WindowPositionKey {
  std::wstring_view key;
  int defaultWidth;
  int defaultHeight;
};

// The common windows, in the order in which they are entered (the log window is always first).
inline constexpr std::array<WindowPositionKey, 5> kCommonWindowPositions{{
    {L"MessageWindowPosition", 600, 467},
    {L"PixelSaturationWindowPosition", 650, 340},
    {L"BrightnessContrastWindowPosition", 320, 270},
    {L"MagnifyWindowPosition", 270, 260},
    {L"CrosshairsWindowPosition", 400, 400},
}};

// "Help" + the help identifier in decimal + "WindowPosition".
std::wstring HelpWindowPositionKey(int helpId);

// Enters the help windows of documents 0 to count - 1 (800 x 600 by default) with the handles
// `helpWindow` gives (null for a document the program does not show). Keys already in the table are
// not entered twice. False when the table refused one.
bool RegisterHelpWindowPositions(PlacementTable& placements, const std::function<const void*(int helpId)>& helpWindow,
                                 int count);

// Enters one window unless its key is already there; false when the table is full.
bool RegisterWindowPosition(PlacementTable& placements, std::wstring_view key, const WindowSlot& slot, int helpId = -1);

}  // namespace zuna

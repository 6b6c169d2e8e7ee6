#pragma once
// The option keys and window-position keys that the common foundation registers in both programs.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "common/help_documents.h"
#include "common/option_tables.h"
#include "common/window_placement.h"

namespace zuna {

inline constexpr std::wstring_view kPixelSaturationValueKey = L"PixelSaturationValue";
inline constexpr std::wstring_view kDateTimeAtEndKey = L"DateTimeAtEnd";
inline constexpr std::wstring_view kDisableMagnifyClampKey = L"DisableMagnifyClamp";

// Registers the common text and boolean keys; a key already registered is kept as it is. False
// when a table refused one.
bool RegisterCommonOptions(OptionTables& options);

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

// Enters the 21 help windows (800 x 600 by default) with the handles `helpWindow` gives (null for a
// document the program does not show). Keys already in the table are not entered twice. False when
// the table refused one.
bool RegisterHelpWindowPositions(PlacementTable& placements, const std::function<const void*(int helpId)>& helpWindow);

// Enters one window unless its key is already there; false when the table is full.
bool RegisterWindowPosition(PlacementTable& placements, std::wstring_view key, const WindowSlot& slot, int helpId = -1);

// The saturation threshold that "PixelSaturationValue" gives: its decimal value when it lies in
// 0..255, else 255 (empty, -1, or text that is no threshold at all).
int PixelSaturationLevel(const OptionTables& options);

}  // namespace zuna

#pragma once
// Where the programs' top-level windows go: back to where the user put them, to where the options
// file says, or next to a reference window, clamped to the work area.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/windows/geometry.h"

namespace zuna {

struct PlacementEntry {
  const void* window = nullptr;  // the platform's window handle, opaque here
  int helpId = -1;
  std::wstring key;
  Rect fileRect;     // left, top, right, bottom read from the options file (or the default size)
  Rect currentRect;  // position and size in this run
  bool currentLeftSet = false;
  bool loadedFromFile = false;
  bool movedByUser = false;
  bool moving = false;
};

inline constexpr std::size_t kMaxPlacementEntries = 64;

class PlacementTable {
 public:
  PlacementTable() { entries_.reserve(kMaxPlacementEntries); }

  // Refuses a 65th entry (returns null); keys are cut at 63 characters.
  PlacementEntry* Register(const void* window, std::wstring_view key, int defaultWidth, int defaultHeight,
                           int helpId = -1);
  PlacementEntry* Find(const void* window);
  PlacementEntry* FindKey(std::wstring_view key);
  std::vector<PlacementEntry>& Entries() { return entries_; }
  const std::vector<PlacementEntry>& Entries() const { return entries_; }

  // The window-move rule: ignored during start-up and for minimised windows (-10000 or less).
  void RecordMove(const void* window, const Rect& outer, bool startupInProgress);
  void RecordSize(const void* window, int width, int height);
  void MarkMoving(const void* window);

 private:
  std::vector<PlacementEntry> entries_;
};

// Position for a window of the given size by preference 0..4 relative to `reference` (or the work
// area); nothing for an unknown preference (after posting the logic error).
std::optional<Point> DeterminePositionSettings(int width, int height, int preference, const Rect& reference,
                                               const Rect& workArea);

// The same, trying the work area's corners in turn when the spot overlaps the main window.
Point AvoidMainWindow(Point preferred, int width, int height, const Rect& mainWindow, const Rect& workArea);

// Where a window is put when it is shown: back where the user moved it or where the options file
// put it; else by the preference next to `reference` (the work area when there is none), moved
// clear of `mainWindow` when one is given and there is no reference. Nothing for an unknown
// preference: the window stays where it is.
std::optional<Point> ChoosePlacement(const PlacementEntry* entry, int width, int height, int preference,
                                     const Rect* reference, const Rect& workArea, const Rect* mainWindow);

// The nearest place for `window` beside `other` (above, below, left or right of it, not covering it)
// that lies inside the work area; nothing when no side has room.
std::optional<Point> NearestSpotBeside(const Rect& window, const Rect& other, const Rect& workArea);

// Where a window that changed its size in place goes: moved as little as brings it inside the work
// area; then, when it covers `keepClear` (a window the user needs to reach), to the nearest spot
// beside that window inside the work area. When there is none, it stays inside the work area and
// `other` is where the window to keep clear goes instead, beside it (when there is room).
struct ViewPlaces {
  Point window;
  std::optional<Point> other;
  bool operator==(const ViewPlaces&) const = default;
};
ViewPlaces KeepInView(const Rect& window, const Rect& workArea, const Rect* keepClear);

// Overlap with 7-pixel side and 4-pixel top and bottom margins, so touching windows do not count.
bool WindowsOverlap(const Rect& a, const Rect& b);

}  // namespace zuna

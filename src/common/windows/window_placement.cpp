#include "common/windows/window_placement.h"

#include <algorithm>
#include <cstdlib>

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

Point Clamp(Point p, int width, int height, const Rect& workArea) {
  if (p.x < 0) {
    p.x = 0;
  } else if (p.x + width > workArea.Width()) {
    p.x = workArea.Width() - width;
  }
  if (p.y < 0) {
    p.y = 0;
  } else if (p.y + height > workArea.Height()) {
    p.y = workArea.Height() - height;
  }
  return p;
}

Rect Shrunk(const Rect& r) {
  return {r.left + 7, r.top + 4, r.right - 7, r.bottom - 4};
}

// Into the work area (whatever its origin), the top-left corner winning when the window is larger.
Point Inside(Point p, int width, int height, const Rect& workArea) {
  p.x = std::max(workArea.left, std::min(p.x, workArea.right - width));
  p.y = std::max(workArea.top, std::min(p.y, workArea.bottom - height));
  return p;
}

bool Intersect(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const Rect& outer, const Rect& r) {
  return r.left >= outer.left && r.top >= outer.top && r.right <= outer.right && r.bottom <= outer.bottom;
}

}  // namespace

PlacementEntry* PlacementTable::Register(const void* window, std::wstring_view key, int defaultWidth, int defaultHeight,
                                         int helpId) {
  if (entries_.size() >= kMaxPlacementEntries) return nullptr;
  PlacementEntry entry;
  entry.window = window;
  entry.helpId = helpId;
  entry.key = std::wstring(key.substr(0, std::min<std::size_t>(key.size(), 63)));
  entry.fileRect = {0, 0, defaultWidth, defaultHeight};
  entry.currentRect = {0, 0, defaultWidth, defaultHeight};
  entries_.push_back(entry);
  return &entries_.back();
}

PlacementEntry* PlacementTable::Find(const void* window) {
  if (window == nullptr) return nullptr;
  for (auto& entry : entries_) {
    if (entry.window == window) return &entry;
  }
  return nullptr;
}

PlacementEntry* PlacementTable::FindKey(std::wstring_view key) {
  for (auto& entry : entries_) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

void PlacementTable::RecordMove(const void* window, const Rect& outer, bool startupInProgress) {
  PlacementEntry* entry = Find(window);
  if (entry == nullptr || startupInProgress) return;
  if (outer.left <= -10000 || outer.top <= -10000) return;
  const int width = entry->currentRect.Width();
  const int height = entry->currentRect.Height();
  entry->currentRect = {outer.left, outer.top, outer.left + width, outer.top + height};
  entry->currentLeftSet = true;
  if (entry->moving) entry->movedByUser = true;
  entry->moving = false;
}

void PlacementTable::RecordSize(const void* window, int width, int height) {
  if (PlacementEntry* entry = Find(window)) {
    entry->currentRect.right = entry->currentRect.left + width;
    entry->currentRect.bottom = entry->currentRect.top + height;
  }
}

void PlacementTable::MarkMoving(const void* window) {
  if (PlacementEntry* entry = Find(window)) entry->moving = true;
}

std::optional<Point> DeterminePositionSettings(int width, int height, int preference, const Rect& r,
                                               const Rect& workArea) {
  Point p;
  switch (preference) {
    case 0:
      p = {r.left - width, r.top};
      break;
    case 1:
      p = {r.right, r.top};
      break;
    case 2:
      p = {r.left - width, r.bottom - height};
      break;
    case 3:
      p = {r.right, r.bottom - height};
      break;
    case 4:
      p = {r.right - width, r.bottom};
      break;
    default:
      PostStampedMessage(
          L"Logic error: called ZunaCommon::DeterminePositionSettings with an unimplemented position "
          L"preference\r\n");
      return std::nullopt;
  }
  return Clamp(p, width, height, workArea);
}

bool WindowsOverlap(const Rect& a, const Rect& b) {
  const Rect x = Shrunk(a);
  const Rect y = Shrunk(b);
  return x.left < y.right && y.left < x.right && x.top < y.bottom && y.top < x.bottom;
}

Point AvoidMainWindow(Point preferred, int width, int height, const Rect& mainWindow, const Rect& workArea) {
  const Point candidates[] = {
      preferred,
      Clamp({workArea.right, workArea.top}, width, height, workArea),
      Clamp({workArea.left - width, workArea.bottom - height}, width, height, workArea),
      Clamp({workArea.right, workArea.bottom - height}, width, height, workArea),
  };
  for (const Point& p : candidates) {
    if (!WindowsOverlap({p.x, p.y, p.x + width, p.y + height}, mainWindow)) return p;
  }
  return {0, 0};
}

std::optional<Point> ChoosePlacement(const PlacementEntry* entry, int width, int height, int preference,
                                     const Rect* reference, const Rect& workArea, const Rect* mainWindow) {
  if (entry != nullptr && ((entry->movedByUser && entry->currentLeftSet) || entry->loadedFromFile)) {
    return Point{entry->currentRect.left, entry->currentRect.top};
  }
  const auto at = DeterminePositionSettings(width, height, preference, reference ? *reference : workArea, workArea);
  if (!at || reference != nullptr || mainWindow == nullptr) return at;
  return AvoidMainWindow(*at, width, height, *mainWindow, workArea);
}

std::optional<Point> NearestSpotBeside(const Rect& window, const Rect& other, const Rect& workArea) {
  const int width = window.Width();
  const int height = window.Height();
  const Point here = Inside({window.left, window.top}, width, height, workArea);
  // Above, below, left of and right of the other window, each slid along that side into the work area.
  const Point beside[] = {
      {here.x, other.top - height},
      {here.x, other.bottom},
      {other.left - width, here.y},
      {other.right, here.y},
  };
  std::optional<Point> best;
  long bestDistance = 0;
  for (const Point& p : beside) {
    const Rect r{p.x, p.y, p.x + width, p.y + height};
    if (!Contains(workArea, r) || Intersect(r, other)) continue;
    const long distance =
        std::labs(static_cast<long>(p.x) - window.left) + std::labs(static_cast<long>(p.y) - window.top);
    if (!best || distance < bestDistance) best = p, bestDistance = distance;
  }
  return best;
}

ViewPlaces KeepInView(const Rect& window, const Rect& workArea, const Rect* keepClear) {
  const int width = window.Width();
  const int height = window.Height();
  const Point inside = Inside({window.left, window.top}, width, height, workArea);
  const Rect there{inside.x, inside.y, inside.x + width, inside.y + height};
  if (keepClear == nullptr || !Intersect(there, *keepClear)) return {inside, std::nullopt};
  if (const auto spot = NearestSpotBeside(there, *keepClear, workArea)) return {*spot, std::nullopt};
  return {inside, NearestSpotBeside(*keepClear, there, workArea)};
}

}  // namespace zuna

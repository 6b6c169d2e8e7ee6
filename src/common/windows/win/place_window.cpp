#include "common/windows/win/place_window.h"

#include "common/windows/win/win_util.h"

namespace zuna {

void PlaceWindow(ZunaCommon& common, HWND window, int preference, HWND reference, bool avoidMainWindow,
                 HWND mainWindow) {
  PlacementTable& table = common.Placements();
  const Rect outer = WindowRect(window);
  const Rect referenceRect = reference ? WindowRect(reference) : Rect{};
  const Rect mainRect = mainWindow ? WindowRect(mainWindow) : Rect{};
  const auto at = ChoosePlacement(table.Find(window), outer.Width(), outer.Height(), preference,
                                  reference ? &referenceRect : nullptr, common.State().workArea,
                                  avoidMainWindow && mainWindow ? &mainRect : nullptr);
  if (!at) return;
  SetWindowPos(window, HWND_NOTOPMOST, at->x, at->y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  // A programmatic move: recorded, but not as the user's.
  PlacementEntry* entry = table.Find(window);
  const bool moving = entry != nullptr && entry->moving;
  if (entry != nullptr) entry->moving = false;
  table.RecordMove(window, WindowRect(window), false);
  if (entry != nullptr) entry->moving = moving;
}

void MoveToSavedPlace(ZunaCommon& common, HWND window) {
  const PlacementEntry* entry = common.Placements().Find(window);
  if (entry == nullptr) return;
  if (entry->movedByUser || entry->currentLeftSet) {
    SetWindowPos(window, HWND_NOTOPMOST, entry->currentRect.left, entry->currentRect.top, 0, 0, SWP_NOSIZE);
  } else if (entry->loadedFromFile) {
    SetWindowPos(window, HWND_NOTOPMOST, entry->fileRect.left, entry->fileRect.top, 0, 0, SWP_NOSIZE);
  }
}

}  // namespace zuna

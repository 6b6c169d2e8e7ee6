#include "capture/countdown/win/saved_place.h"

#include "common/foundation/zuna_common.h"

namespace zuna {

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

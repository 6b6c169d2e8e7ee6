#include "playback/control/dropped_frames_menu.h"

#include <algorithm>

namespace zuna {

bool AddDroppedFramesControlItem(MenuModel& menu, unsigned id) {
  if (menu.FindById(id) != nullptr) return true;
  MenuItem* options = menu.FindByPath(L"Options");
  if (options == nullptr || !options->IsPopup()) return false;
  MenuModel::AddItem(*options, kDroppedFramesControlText, id);
  return true;
}

void RemoveDroppedFramesControlItem(MenuModel& menu, unsigned id) {
  MenuItem* options = menu.FindByPath(L"Options");
  if (options == nullptr || id == 0) return;
  std::erase_if(options->children, [id](const MenuItem& item) { return item.id == id; });
}

}  // namespace zuna

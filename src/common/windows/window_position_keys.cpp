#include "common/windows/window_position_keys.h"

namespace zuna {

std::wstring HelpWindowPositionKey(int helpId) {
  return L"Help" + std::to_wstring(helpId) + L"WindowPosition";
}

bool RegisterWindowPosition(PlacementTable& placements, std::wstring_view key, const WindowSlot& slot, int helpId) {
  if (placements.FindKey(key) != nullptr) return true;
  return placements.Register(slot.window, key, slot.defaultWidth, slot.defaultHeight, helpId) != nullptr;
}

bool RegisterHelpWindowPositions(PlacementTable& placements, const std::function<const void*(int helpId)>& helpWindow,
                                 int count) {
  bool registered = true;
  for (int id = 0; id < count && id < kHelpDocumentCount; ++id) {
    const WindowSlot slot{helpWindow ? helpWindow(id) : nullptr, 800, 600};
    registered = RegisterWindowPosition(placements, HelpWindowPositionKey(id), slot, id) && registered;
  }
  return registered;
}

}  // namespace zuna

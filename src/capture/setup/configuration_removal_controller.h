#pragma once
// The small window that removes saved device configurations: a list of their device names, several
// selectable, and a Remove button.
#include <cstddef>
#include <functional>
#include <string_view>

#include "capture/options/capture_option_nodes.h"
#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"

namespace zuna {

enum ConfigurationRemovalControl {
  kConfigurationList = 761,
  kRemoveConfigurationsButton,
};

inline constexpr std::wstring_view kConfigurationsRemovedMessage =
    L"Selected configuations removed from capture options file\r\n";
// More names selected at once than this are left in the list.
inline constexpr std::size_t kMaxRemovedAtOnce = 32;

struct ConfigurationRemovalParts {
  WindowView& view;
  CaptureOptionNodes& nodes;
  std::function<bool()> save;     // rewrites the options file
  std::function<void()> removed;  // after configurations were removed
};

// Its menu item is a check box of the device properties window, which keeps its own tick.
class ConfigurationRemovalController final : public ToggledWindow {
 public:
  explicit ConfigurationRemovalController(ConfigurationRemovalParts parts)
      : ToggledWindow(parts.view), p_(std::move(parts)) {}

  void Open() override;
  void Close() { HideClosed(); }
  void OnSelectionChanged();
  void OnRemove();

 private:
  void Fill();

  ConfigurationRemovalParts p_;
};

}  // namespace zuna

#pragma once
// The "Default Recording Duration" window: the duration the "Schedule Event" window starts with.
#include <string_view>

#include "capture/options/capture_options.h"
#include "capture/options/options_dialog.h"

namespace zuna {

enum DefaultDurationControl {
  kDefaultDurationPicker = 441,
  kDefaultDurationSaveButton,
  kDefaultDurationCancelButton,
};

inline constexpr std::wstring_view kDefaultDurationSavedMessage = L"Default duration saved in capture options file\r\n";

class DefaultDurationController final : public OptionsDialog {
 public:
  DefaultDurationController(OptionsDialogParts parts, CaptureSettings& settings)
      : OptionsDialog(std::move(parts)), settings_(settings) {}

  void OnSave();

 private:
  void Fill() override { p_.view.SetDateTime(kDefaultDurationPicker, settings_.defaultDuration); }

  CaptureSettings& settings_;
};

}  // namespace zuna

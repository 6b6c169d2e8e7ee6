#pragma once
// The "Event Pending Options" window: whether the pending-event window counts down to the
// recording or shows the UTC clock. The choice acts at once; the check box makes it the default.
#include <functional>
#include <string_view>

#include "capture/options/capture_options.h"
#include "capture/options/options_dialog.h"

namespace zuna {

enum EventPendingControl {
  kCountdownRadio = 461,
  kUtcRadio,
  kSaveAsDefaultBox,
  kEventPendingOkButton,
  kEventPendingCancelButton,
};

inline constexpr std::wstring_view kEventPendingSavedMessage =
    L"Event pending selection saved in capture options file\r\n";

class EventPendingController final : public OptionsDialog {
 public:
  EventPendingController(OptionsDialogParts parts, CaptureSettings& settings)
      : OptionsDialog(std::move(parts)), settings_(settings) {}

  // The pending-event window's caption, set whenever the choice changes.
  void SetCaption(std::function<void(std::wstring_view)> caption) { caption_ = std::move(caption); }

  void OnChoice(int radio);
  void OnSaveAsDefaultClicked();
  void OnOk();
  void Cancel() override;

 private:
  void Fill() override;
  void ShowUtc(bool on);

  CaptureSettings& settings_;
  std::function<void(std::wstring_view)> caption_;
};

}  // namespace zuna

#pragma once
// The "Miscellaneous Options" window: six boolean options, saved together.
#include <array>
#include <functional>
#include <string_view>

#include "capture/options/capture_option_keys.h"
#include "capture/options/options_dialog.h"
#include "common/options/common_option_keys.h"

namespace zuna {

enum MiscellaneousControl {
  kRecordButtonsSpaceBox = 401,
  kAutostartGpsBox,
  kStartStopBeepBox,
  kEventBeepBox,
  kDateTimeAtEndBox,
  kDisableMagnifyClampBox,
  kMiscellaneousSaveButton,
  kMiscellaneousCancelButton,
};

struct MiscellaneousBox {
  int id;
  std::wstring_view key;
  std::wstring_view label;
};

inline constexpr std::array<MiscellaneousBox, 6> kMiscellaneousBoxes{{
    {kRecordButtonsSpaceBox, kRecordButtonsSpaceKey, L" Spacing around record buttons"},
    {kAutostartGpsBox, kAutostartGpsKey, L" Automatically start USB GPS if connected"},
    {kStartStopBeepBox, kEnableStartStopBeepKey, L" Beep for stop/start event recording"},
    {kEventBeepBox, kEnableEventBeepKey, L" Beep for event time"},
    {kDateTimeAtEndBox, kDateTimeAtEndKey, L" Date/time at end of file name"},
    {kDisableMagnifyClampBox, kDisableMagnifyClampKey, L" Disable Maximum Magnify Restrictions"},
}};

inline constexpr std::wstring_view kMiscellaneousSavedMessage =
    L"Miscellaneous option values saved in capture options file\r\n";

class MiscellaneousOptionsController final : public OptionsDialog {
 public:
  using OptionsDialog::OptionsDialog;

  void OnBoxClicked();
  void OnSave();
  void Cancel() override;

 private:
  void Fill() override;
  bool AnyDifference() const;
};

}  // namespace zuna

#pragma once
// The "Performance Options" window: what a recording does to the display and the timer. Its
// choices act on the running program at once; Save keeps them, Cancel takes them back.
#include <string_view>

#include "capture/options/options_dialog.h"
#include "common/foundation/common_state.h"

namespace zuna {

enum PerformanceControl {
  kDisplayOffRadio = 421,
  kRemoveFiltersRadio,
  kNoDisplayChangeRadio,
  kTimerOffBox,
  kPerformanceSaveButton,
  kPerformanceCancelButton,
};

inline constexpr std::wstring_view kPerformanceSavedMessage = L"Performance options saved in capture options file\r\n";

class PerformanceOptionsController final : public OptionsDialog {
 public:
  PerformanceOptionsController(OptionsDialogParts parts, CommonState& state)
      : OptionsDialog(std::move(parts)), state_(state) {}

  // One of the three radio buttons was chosen.
  void OnDisplayChoice(int radio);
  void OnTimerOffClicked();
  void OnSave();
  void Cancel() override;

 private:
  void Fill() override;
  void SetSaveValue(std::wstring_view key, bool on);

  CommonState& state_;
};

}  // namespace zuna

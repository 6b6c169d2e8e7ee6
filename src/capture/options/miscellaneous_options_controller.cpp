#include "capture/options/miscellaneous_options_controller.h"

namespace zuna {

void MiscellaneousOptionsController::Fill() {
  for (const auto& box : kMiscellaneousBoxes) p_.view.Check(box.id, p_.options.Boolean(box.key));
  p_.view.Enable(kMiscellaneousSaveButton, false);
}

void MiscellaneousOptionsController::OnBoxClicked() {
  const BooleanOption* eventBeep = p_.options.FindBoolean(kEnableEventBeepKey);
  const bool eventBeepWasOn = eventBeep != nullptr && eventBeep->saveValue;
  // A beep at the event time is of little use without the beeps that frame the recording.
  if (!eventBeepWasOn && p_.view.IsChecked(kEventBeepBox)) p_.view.Check(kStartStopBeepBox, true);
  for (const auto& box : kMiscellaneousBoxes) {
    if (BooleanOption* option = p_.options.FindBoolean(box.key)) option->saveValue = p_.view.IsChecked(box.id);
  }
  p_.view.Enable(kMiscellaneousSaveButton, AnyDifference());
}

bool MiscellaneousOptionsController::AnyDifference() const {
  for (const auto& box : kMiscellaneousBoxes) {
    const BooleanOption* option = p_.options.FindBoolean(box.key);
    if (option != nullptr && option->saveValue != option->value) return true;
  }
  return false;
}

void MiscellaneousOptionsController::OnSave() {
  SaveAndReport(kMiscellaneousSavedMessage);
  for (const auto& box : kMiscellaneousBoxes) {
    if (BooleanOption* option = p_.options.FindBoolean(box.key)) option->value = option->saveValue;
  }
  p_.view.Enable(kMiscellaneousSaveButton, false);
}

void MiscellaneousOptionsController::Cancel() {
  for (const auto& box : kMiscellaneousBoxes) {
    if (BooleanOption* option = p_.options.FindBoolean(box.key)) option->saveValue = option->value;
  }
  Close();
}

}  // namespace zuna

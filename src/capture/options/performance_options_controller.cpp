#include "capture/options/performance_options_controller.h"

#include "capture/options/capture_option_keys.h"

namespace zuna {
namespace {

bool SaveValue(const OptionTables& options, std::wstring_view key) {
  const BooleanOption* option = options.FindBoolean(key);
  return option != nullptr && option->saveValue;
}

}  // namespace

void PerformanceOptionsController::Fill() {
  for (int radio : {kDisplayOffRadio, kRemoveFiltersRadio, kNoDisplayChangeRadio}) p_.view.Check(radio, false);
  if (SaveValue(p_.options, kDisplayOffWhileRecordingKey)) {
    p_.view.Check(kDisplayOffRadio, true);
  } else if (SaveValue(p_.options, kRemoveFiltersWhileRecordingKey)) {
    p_.view.Check(kRemoveFiltersRadio, true);
  } else {
    p_.view.Check(kNoDisplayChangeRadio, true);
  }
  p_.view.Check(kTimerOffBox, SaveValue(p_.options, kTimerOffWhileRecordingKey));
}

void PerformanceOptionsController::SetSaveValue(std::wstring_view key, bool on) {
  if (BooleanOption* option = p_.options.FindBoolean(key)) option->saveValue = on;
}

void PerformanceOptionsController::OnDisplayChoice(int radio) {
  state_.displayOffWhileRecording = radio == kDisplayOffRadio;
  state_.removeFiltersWhileRecording = radio == kRemoveFiltersRadio;
  for (int id : {kDisplayOffRadio, kRemoveFiltersRadio, kNoDisplayChangeRadio}) p_.view.Check(id, id == radio);
  SetSaveValue(kDisplayOffWhileRecordingKey, state_.displayOffWhileRecording);
  SetSaveValue(kRemoveFiltersWhileRecordingKey, state_.removeFiltersWhileRecording);
}

void PerformanceOptionsController::OnTimerOffClicked() {
  state_.timerOffWhileRecording = p_.view.IsChecked(kTimerOffBox);
  SetSaveValue(kTimerOffWhileRecordingKey, state_.timerOffWhileRecording);
}

// The saved choices become the values in use too, so that a later Cancel keeps them.
void PerformanceOptionsController::OnSave() {
  SaveAndReport(kPerformanceSavedMessage);
  for (auto key : {kDisplayOffWhileRecordingKey, kRemoveFiltersWhileRecordingKey, kTimerOffWhileRecordingKey}) {
    if (BooleanOption* option = p_.options.FindBoolean(key)) option->value = option->saveValue;
  }
  Close();
}

void PerformanceOptionsController::Cancel() {
  state_.displayOffWhileRecording = p_.options.Boolean(kDisplayOffWhileRecordingKey);
  state_.removeFiltersWhileRecording = p_.options.Boolean(kRemoveFiltersWhileRecordingKey);
  state_.timerOffWhileRecording = p_.options.Boolean(kTimerOffWhileRecordingKey);
  for (auto key : {kDisplayOffWhileRecordingKey, kRemoveFiltersWhileRecordingKey, kTimerOffWhileRecordingKey}) {
    if (BooleanOption* option = p_.options.FindBoolean(key)) option->saveValue = option->value;
  }
  Close();
}

}  // namespace zuna

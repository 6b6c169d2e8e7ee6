#include "capture/options/default_duration_controller.h"

#include <cstdio>

namespace zuna {

void DefaultDurationController::OnSave() {
  const auto picked = p_.view.DateTime(kDefaultDurationPicker);
  if (!picked) {
    // The window then shows the built-in duration, which is also what the next start reads.
    p_.options.SetText(kDefaultDurationKey, L"");
    settings_.defaultDuration = kBuiltInRecordingDuration;
  } else {
    settings_.defaultDuration.hour = picked->hour;
    settings_.defaultDuration.minute = picked->minute;
    settings_.defaultDuration.second = picked->second;
    wchar_t text[16];
    std::swprintf(text, 16, L"%2.2d:%2.2d:%2.2d", picked->hour, picked->minute, picked->second);
    p_.options.SetText(kDefaultDurationKey, text);
  }
  Close();
  SaveAndReport(kDefaultDurationSavedMessage);
}

}  // namespace zuna

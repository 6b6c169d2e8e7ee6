#include "capture/options/event_pending_controller.h"

#include "capture/countdown/countdown_texts.h"

namespace zuna {

void EventPendingController::Fill() {
  p_.view.Check(kCountdownRadio, !settings_.showUtc);
  p_.view.Check(kUtcRadio, settings_.showUtc);
  p_.view.Check(kSaveAsDefaultBox, false);
  p_.view.SetText(kEventPendingOkButton, L"OK");
}

// The value in use is what recordings read; only OK with the check box touches the value to save.
void EventPendingController::ShowUtc(bool on) {
  settings_.showUtc = on;
  if (TextOption* option = p_.options.FindText(kEventPendingDisplayKey)) option->value = on ? L"UTC" : L"COUNTDOWN";
  p_.view.Check(kCountdownRadio, !on);
  p_.view.Check(kUtcRadio, on);
  if (caption_) caption_(on ? kComputerTimeLabel : kCountdownToStartLabel);
}

void EventPendingController::OnChoice(int radio) {
  ShowUtc(radio == kUtcRadio);
}

void EventPendingController::OnSaveAsDefaultClicked() {
  p_.view.SetText(kEventPendingOkButton, p_.view.IsChecked(kSaveAsDefaultBox) ? L"Save" : L"OK");
}

void EventPendingController::OnOk() {
  if (!p_.view.IsChecked(kSaveAsDefaultBox)) return;
  if (TextOption* option = p_.options.FindText(kEventPendingDisplayKey)) {
    option->saveValue = settings_.showUtc ? L"UTC" : L"COUNTDOWN";
  }
  SaveAndReport(kEventPendingSavedMessage);
}

void EventPendingController::Cancel() {
  const TextOption* option = p_.options.FindText(kEventPendingDisplayKey);
  ShowUtc(option != nullptr && option->saveValue == L"UTC");
  Close();
}

}  // namespace zuna

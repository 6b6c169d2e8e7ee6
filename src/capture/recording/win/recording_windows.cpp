#include "capture/recording/win/recording_windows.h"

#include <string>

#include "common/foundation/win/common_windows.h"

namespace zuna {
namespace {

DWORD WINAPI BeepNow(void*) {
  MessageBeep(MB_OK);
  return 0;
}

}  // namespace

void RecordingWindows::SetMainTitle(std::wstring_view title) {
  SetWindowTextW(p_.mainWindow, std::wstring(title).c_str());
}

void RecordingWindows::SetRecordButtons(bool startEnabled, bool stopEnabled) {
  p_.recordControls.SetButtons(startEnabled, stopEnabled);
}

void RecordingWindows::GreyMenusWhileRecording(bool grey) {
  if (p_.greyMenus) p_.greyMenus(grey);
}

void RecordingWindows::DeleteEventTick() {
  // Waiting for nothing: a tick already under way only posts, and a late post finds no armed
  // countdown.
  exactTick_.Stop(false);
  tick_.Stop(false);
}

void RecordingWindows::ScheduleExactTick(int milliseconds) {
  if (!tick_.Running()) return;
  exactTick_.Start(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 1, 0);
}

void RecordingWindows::ShowPendingEvent(const PendingEventDisplay& display) {
  DeleteEventTick();
  tick_.Start(1000, 1000);
  SetMainTitle(display.mainWindowTitle);
  p_.countdown.SetTitle(display.countdownTitle);
  p_.countdown.SetLabel(display.countdownLabel);
  p_.countdown.SetDigits(L"");
  p_.countdown.SetInformationLines(display.startLine, display.eventLine, display.endLine);
  p_.countdown.Show();
  if (p_.gps != nullptr) p_.gps->SetEventPending(true);
}

void RecordingWindows::WatchRecording(bool on) {
  if (on) {
    watch_.Start(500, 500);
  } else {
    watch_.Stop(false);  // a late tick finds no file being written
  }
}

void RecordingWindows::NoEventPending() {
  if (p_.gps != nullptr) p_.gps->SetEventPending(false);
}

void RecordingWindows::HideCountdown() {
  p_.countdown.Hide();
}

void RecordingWindows::SetCountdownTitle(std::wstring_view title) {
  p_.countdown.SetTitle(title);
}

void RecordingWindows::SetCountdownLabel(std::wstring_view label) {
  p_.countdown.SetLabel(label);
}

void RecordingWindows::SetCountdownDigits(std::wstring_view digits) {
  p_.countdown.SetDigits(digits);
}

void RecordingWindows::SetCountdownWarning(std::wstring_view line) {
  p_.countdown.SetWarning(line);
}

// The sound plays on a pool thread, so that the beep at an event's end never holds up the stop of
// its recording.
void RecordingWindows::Beep() {
  if (!QueueUserWorkItem(BeepNow, nullptr, WT_EXECUTEDEFAULT)) MessageBeep(MB_OK);
}

bool RecordingWindows::AskYesNo(std::wstring_view text, std::wstring_view title) {
  return MessageBoxW(p_.mainWindow, std::wstring(text).c_str(), std::wstring(title).c_str(),
                     MB_ICONWARNING | MB_YESNO) == IDYES;
}

GpsRecordingFix RecordingWindows::ReadGpsFixForRecording() {
  if (p_.gps == nullptr) return {};
  return p_.gps->Port().ReadGpsFixForRecording();
}

void RecordingWindows::ResumeGpsRefresh() {
  if (p_.gps != nullptr) p_.gps->Port().ResumeGpsRefresh();
}

void RecordingWindows::StartPowerNotice(PowerAction action) {
  p_.powerNotice.Controller().Start(action);
}

void RecordingWindows::SaveUserMessages() {
  p_.common.Common().OnSaveMessages();
}

}  // namespace zuna

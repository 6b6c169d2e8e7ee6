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

RecordingWindows::~RecordingWindows() {
  // Waits for a tick under way, which reads this object.
  if (tickTimer_ != nullptr) DeleteTimerQueueTimer(nullptr, tickTimer_, INVALID_HANDLE_VALUE);
  if (exactTimer_ != nullptr) DeleteTimerQueueTimer(nullptr, exactTimer_, INVALID_HANDLE_VALUE);
}

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
  if (exactTimer_ != nullptr) DeleteTimerQueueTimer(nullptr, exactTimer_, nullptr);
  exactTimer_ = nullptr;
  if (tickTimer_ == nullptr) return;
  DeleteTimerQueueTimer(nullptr, tickTimer_, nullptr);
  tickTimer_ = nullptr;
}

void RecordingWindows::ScheduleExactTick(int milliseconds) {
  if (tickTimer_ == nullptr) return;
  if (exactTimer_ != nullptr) DeleteTimerQueueTimer(nullptr, exactTimer_, nullptr);
  exactTimer_ = nullptr;
  const DWORD due = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 1;
  CreateTimerQueueTimer(&exactTimer_, nullptr, OnTick, this, due, 0, WT_EXECUTEONLYONCE);
}

void RecordingWindows::ShowPendingEvent(const PendingEventDisplay& display) {
  DeleteEventTick();
  CreateTimerQueueTimer(&tickTimer_, nullptr, OnTick, this, 1000, 1000, WT_EXECUTEDEFAULT);
  SetMainTitle(display.mainWindowTitle);
  p_.countdown.SetTitle(display.countdownTitle);
  p_.countdown.SetLabel(display.countdownLabel);
  p_.countdown.SetDigits(L"");
  p_.countdown.SetInformationLines(display.startLine, display.eventLine, display.endLine);
  p_.countdown.Show();
  if (p_.gps != nullptr) p_.gps->SetEventPending(true);
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

// On a timer-queue thread: the work is done by the main window when it takes the message.
void CALLBACK RecordingWindows::OnTick(PVOID context, BOOLEAN) {
  const auto* self = static_cast<const RecordingWindows*>(context);
  PostMessageW(self->p_.mainWindow, self->p_.tickMessage, 0, 0);
}

}  // namespace zuna

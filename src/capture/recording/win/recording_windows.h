#pragma once
// What a recording does to the capture program's windows: the main window's title and menus, the
// record buttons, the countdown window and its one-second tick, the GPS receiver, the power notice,
// the yes/no question and the beep.
#include <windows.h>

#include <functional>

#include "capture/countdown/win/countdown_window.h"
#include "capture/countdown/win/power_notice_window.h"
#include "capture/gps/win/gps_window.h"
#include "capture/recording/recording_host.h"
#include "capture/recording/win/record_controls_window.h"
#include "common/foundation/win/main_thread_timer.h"

namespace zuna {

class RecordingWindows final : public RecordingHost {
 public:
  struct Parts {
    CommonWindows& common;
    HWND mainWindow;
    UINT tickMessage;   // posted to the main window by the tick timer
    UINT watchMessage;  // posted to the main window by the recording's watch timer
    RecordControlsWindow& recordControls;
    CountdownWindow& countdown;
    PowerNoticeWindow& powerNotice;
    GpsWindow* gps;                            // null without a GPS window
    std::function<void(bool grey)> greyMenus;  // Events, Display, Options and Help
  };

  explicit RecordingWindows(Parts parts)
      : p_(std::move(parts)),
        tick_(p_.mainWindow, p_.tickMessage),
        exactTick_(p_.mainWindow, p_.tickMessage),
        watch_(p_.mainWindow, p_.watchMessage) {}
  ~RecordingWindows() override = default;
  RecordingWindows(const RecordingWindows&) = delete;
  RecordingWindows& operator=(const RecordingWindows&) = delete;

  void SetMainTitle(std::wstring_view title) override;
  void SetRecordButtons(bool startEnabled, bool stopEnabled) override;
  void GreyMenusWhileRecording(bool grey) override;
  void DeleteEventTick() override;
  void ScheduleExactTick(int milliseconds) override;
  void ShowPendingEvent(const PendingEventDisplay& display) override;
  void NoEventPending() override;
  void HideCountdown() override;
  void SetCountdownTitle(std::wstring_view title) override;
  void SetCountdownLabel(std::wstring_view label) override;
  void SetCountdownDigits(std::wstring_view digits) override;
  void SetCountdownWarning(std::wstring_view line) override;
  void Beep() override;
  bool AskYesNo(std::wstring_view text, std::wstring_view title) override;
  GpsRecordingFix ReadGpsFixForRecording() override;
  void ResumeGpsRefresh() override;
  void WatchRecording(bool on) override;
  void StartPowerNotice(PowerAction action) override;
  void SaveUserMessages() override;

 private:
  Parts p_;
  // Each tick posts the tick message; the main window does the tick's work when it takes it.
  MainThreadTimer tick_;
  MainThreadTimer exactTick_;  // the one-shot tick at a recording's start or end
  MainThreadTimer watch_;      // while a recording writes its file
};

}  // namespace zuna

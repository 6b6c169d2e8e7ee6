#pragma once
// What a recording asks of the capture program's windows: the titles, the record buttons, the
// menus, the countdown, the yes/no question, the GPS receiver, the beep and the saved messages.
// The Win32 main window carries these out; tests record them.
#include <string_view>

#include "capture/countdown/power_control.h"
#include "capture/events/event_schedule.h"
#include "capture/gps/gps_port.h"

namespace zuna {

class RecordingHost {
 public:
  virtual ~RecordingHost() = default;

  virtual void SetMainTitle(std::wstring_view title) = 0;
  virtual void SetRecordButtons(bool startEnabled, bool stopEnabled) = 0;
  // Greys (or enables again) the whole Events, Display, Options and Help menus.
  virtual void GreyMenusWhileRecording(bool grey) = 0;

  // The one-second event tick: deleted when the event is over or dropped.
  virtual void DeleteEventTick() = 0;
  // One more tick after that many milliseconds, beside the one-second tick; deleted with it.
  virtual void ScheduleExactTick(int milliseconds) = 0;
  // An event became pending: main-window title, countdown window texts shown, a new tick timer
  // (first after 1000 ms, then every 1000 ms), GPS refresh paused.
  virtual void ShowPendingEvent(const PendingEventDisplay& display) = 0;
  // No event is pending any more: the GPS refresh may run again.
  virtual void NoEventPending() = 0;
  virtual void HideCountdown() = 0;
  virtual void SetCountdownTitle(std::wstring_view title) = 0;
  virtual void SetCountdownLabel(std::wstring_view label) = 0;
  virtual void SetCountdownDigits(std::wstring_view digits) = 0;
  // A line under the event's times in the countdown window (a disk too small for the event); an
  // empty text takes it away.
  virtual void SetCountdownWarning(std::wstring_view line) = 0;

  virtual void Beep() = 0;
  // A yes/no message box with a warning icon; true for Yes.
  virtual bool AskYesNo(std::wstring_view text, std::wstring_view title) = 0;

  // The fix of the connected receiver for the log (the refresh pauses meanwhile); not valid when
  // none is connected.
  virtual GpsRecordingFix ReadGpsFixForRecording() = 0;
  virtual void ResumeGpsRefresh() = 0;

  // While a recording writes its file: a tick about twice a second, on the main thread, that the
  // program hands to RecordingController::OnRecordingWatch.
  virtual void WatchRecording(bool on) = 0;

  virtual void StartPowerNotice(PowerAction action) = 0;
  virtual void SaveUserMessages() = 0;
};

}  // namespace zuna

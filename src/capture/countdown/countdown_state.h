#pragma once
// The countdown of the pending event: its instants, its progress and the one-second tick. The tick
// decides and the windows apply: a Win32 timer posts to the main window, whose handler calls Tick
// with the clock and carries out the returned actions.
#include <optional>
#include <string>

#include "capture/countdown/countdown_texts.h"
#include "capture/countdown/power_control.h"
#include "common/time/clock.h"

namespace zuna {

// The recording starts this long before the computed start time.
inline constexpr FileTime kRecordingLead = kTicksPerSecond / 2;
// The keep-awake request is repeated every this many ticks.
inline constexpr int kKeepAwakeTicks = 60;

struct TickSettings {
  bool showUtc = false;                 // "EventPendingDisplay" is "UTC"
  bool timerOffWhileRecording = false;  // "TimerOffWhileRecording"
  bool enableEventBeep = false;         // "EnableEventBeep"
  bool recording = false;               // a recording runs
};

// What one tick asks for, to be carried out in the order of the members.
struct TickActions {
  bool keepAwake = false;                      // PowerControl::KeepSystemAwake
  bool startEventRecording = false;            // the event recording start, once per event
  std::optional<std::wstring> countdownTitle;  // "Recording In Progress" with the start
  // Delete the tick timer, hide the countdown window and stop the recording automatically (then
  // start the power notice for PowerActionAfterRecording()). Nothing else follows in this tick.
  bool stopEventRecording = false;
  std::optional<std::wstring> label;
  std::optional<std::wstring> digits;
  bool beep = false;  // the default beep, once, at the first tick after the event time
};

class Countdown {
 public:
  // Works out T, D, S = T - D/2, E = T + D/2 and the trigger S - 0.5 s for the pending event and
  // clears the progress values. Nothing for an event time or duration that is no calendar value.
  std::optional<EventInformation> Start(const CalendarTime& eventTime, const CalendarTime& duration);

  // A new tick timer runs: progress values cleared, ticks do their work.
  void Arm();
  // The tick timer was deleted: ticks do nothing.
  void Disarm() { armed_ = false; }
  bool Armed() const { return armed_; }

  TickActions Tick(const Clock& clock, const TickSettings& settings);
  // How long from `now` until the next instant a tick must meet (the trigger, or just past the end
  // once the recording started), when it comes within `horizon`: the one-second tick alone meets
  // it up to a second late.
  std::optional<FileTime> NextInstantWithin(FileTime now, FileTime horizon) const;

  // The pending event's values as the power notice and the recording see them.
  void SetPowerRequests(bool hibernateAfter, bool shutdownAfter);
  PowerAction PowerActionAfterRecording() const { return ChoosePowerAction(hibernateAfter_, shutdownAfter_); }
  bool HibernateAfter() const { return hibernateAfter_; }
  bool ShutdownAfter() const { return shutdownAfter_; }

  // No pending event: times, duration and progress all zero, ticks do nothing.
  void Clear();
  void ClearEventStarted() { eventStarted_ = false; }

  const CalendarTime& PendingEventTime() const { return eventTime_; }
  const CalendarTime& PendingDuration() const { return duration_; }
  FileTime EventInstant() const { return eventInstant_; }
  FileTime StartInstant() const { return startInstant_; }
  FileTime EndInstant() const { return endInstant_; }
  FileTime Trigger() const { return trigger_; }
  bool EventStarted() const { return eventStarted_; }

 private:
  std::optional<std::wstring> CountdownDigits(FileTime now, const CalendarTime& utc, const TickSettings& settings,
                                              TickActions& actions);

  CalendarTime eventTime_{0, 0, 0, 0, 0, 0, 0, 0};
  CalendarTime duration_{0, 0, 0, 0, 0, 0, 0, 0};
  FileTime eventInstant_ = 0;
  FileTime startInstant_ = 0;
  FileTime endInstant_ = 0;
  FileTime trigger_ = 0;
  bool hibernateAfter_ = false;
  bool shutdownAfter_ = false;
  bool armed_ = false;
  bool eventStarted_ = false;
  bool eventBeepDone_ = false;
  int keepAwakeCounter_ = 0;
};

}  // namespace zuna

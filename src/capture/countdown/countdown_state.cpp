#include "capture/countdown/countdown_state.h"

namespace zuna {

std::optional<EventInformation> Countdown::Start(const CalendarTime& eventTime, const CalendarTime& duration) {
  const auto instant = ToFileTime(eventTime);
  const CalendarTime timeOfDay{1601, 1, 1, duration.hour, duration.minute, duration.second, 0, 0};
  if (!instant || !IsValidCalendarTime(timeOfDay)) return std::nullopt;
  const FileTime durationTicks =
      static_cast<FileTime>(duration.hour * 3600 + duration.minute * 60 + duration.second) * kTicksPerSecond;
  const FileTime half = durationTicks >> 1;
  if (*instant < half) return std::nullopt;

  eventTime_ = eventTime;
  duration_ = duration;
  eventInstant_ = *instant;
  startInstant_ = *instant - half;
  endInstant_ = *instant + half;
  trigger_ = startInstant_ > kRecordingLead ? startInstant_ - kRecordingLead : 0;
  eventStarted_ = false;
  eventBeepDone_ = false;
  keepAwakeCounter_ = 0;
  return BuildEventInformation(ToCalendarTime(startInstant_), eventTime, ToCalendarTime(endInstant_), duration);
}

void Countdown::Arm() {
  armed_ = true;
  eventStarted_ = false;
  eventBeepDone_ = false;
  keepAwakeCounter_ = 0;
}

void Countdown::SetPowerRequests(bool hibernateAfter, bool shutdownAfter) {
  hibernateAfter_ = hibernateAfter;
  shutdownAfter_ = shutdownAfter;
}

void Countdown::Clear() {
  *this = Countdown();
}

std::optional<FileTime> Countdown::NextInstantWithin(FileTime now, FileTime horizon) const {
  if (!armed_) return std::nullopt;
  const FileTime next = eventStarted_ ? endInstant_ + 1 : trigger_;
  if (next <= now || next - now > horizon) return std::nullopt;
  return next - now;
}

TickActions Countdown::Tick(const Clock& clock, const TickSettings& settings) {
  TickActions actions;
  if (!armed_) return actions;

  actions.keepAwake = keepAwakeCounter_ == 0;
  keepAwakeCounter_ = (keepAwakeCounter_ + 1) % kKeepAwakeTicks;

  const CalendarTime utc = clock.UtcNow();
  const auto now = ToFileTime(utc);
  if (!now) return actions;

  bool recording = settings.recording;
  // A start that failed is tried again on each tick, but never once the end time has passed.
  if (*now >= trigger_ && *now <= endInstant_ && !eventStarted_) {
    eventStarted_ = true;
    actions.startEventRecording = true;
    recording = true;
    if (settings.timerOffWhileRecording) {
      actions.label = L" ";
    } else {
      actions.countdownTitle = std::wstring(kRecordingInProgressTitle);
    }
  }
  if (*now > endInstant_) {
    armed_ = false;
    actions.stopEventRecording = true;
    return actions;
  }
  if (settings.timerOffWhileRecording && recording) return actions;

  actions.digits = CountdownDigits(*now, utc, settings, actions);
  return actions;
}

std::optional<std::wstring> Countdown::CountdownDigits(FileTime now, const CalendarTime& utc,
                                                       const TickSettings& settings, TickActions& actions) {
  FileTime remaining = 0;
  if (now < trigger_) {
    remaining = trigger_ - now;
  } else if (now < eventInstant_) {
    // In UTC mode the label keeps naming the clock that the digits show.
    if (!settings.showUtc) actions.label = std::wstring(kCountdownToEventLabel);
    remaining = eventInstant_ - now;
  } else if (now < endInstant_) {
    if (!settings.showUtc) actions.label = std::wstring(kCountdownToEndLabel);
    remaining = endInstant_ - now;
    if (settings.enableEventBeep && !eventBeepDone_) {
      eventBeepDone_ = true;
      actions.beep = true;
    }
  } else {
    return std::nullopt;
  }
  if (settings.showUtc) return ClockText(utc);
  return RemainingTimeText(remaining);
}

}  // namespace zuna

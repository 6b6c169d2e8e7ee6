// The event side of recordings: the one-second tick of the pending event, the event recording's
// start and automatic stop, and the schedule reload.
#include "capture/options/capture_option_keys.h"
#include "capture/recording/recording_controller.h"
#include "common/log/user_messages_log.h"

namespace zuna {

void RecordingController::OnEventTick() {
  Countdown& countdown = p_.schedule.GetCountdown();
  // The timer was deleted while this tick waited, or the stop question is open (its message loop
  // delivers ticks): nothing happens until the answer.
  if (!countdown.Armed() || asking_) return;
  TickSettings settings;
  settings.showUtc = ShowsUtc();
  settings.timerOffWhileRecording = p_.state.timerOffWhileRecording;
  settings.enableEventBeep = p_.options.Boolean(kEnableEventBeepKey);
  settings.recording = recording_;
  const TickActions actions = countdown.Tick(p_.clock, settings);

  if (actions.keepAwake) p_.power.KeepSystemAwake();
  CheckSpaceInLastMinute();
  if (actions.startEventRecording) {
    if (cameraLost_) {
      RetryEventRecording(actions);
    } else {
      StartEventRecording(actions);
    }
  }
  if (actions.stopEventRecording) {
    p_.host.DeleteEventTick();
    // The file ends first: the windows follow once the camera has stopped (the stop hides the
    // countdown), since hiding a window may take a while and the camera would record meanwhile.
    if (recording_) {
      StopRecording(true);
    } else {
      p_.host.HideCountdown();
      EventOverWithoutRecording();
    }
    return;
  }
  if (actions.label) p_.host.SetCountdownLabel(*actions.label);
  if (actions.digits) p_.host.SetCountdownDigits(*actions.digits);
  if (actions.beep) p_.host.Beep();
  ScheduleExactTick(countdown);
}

// The one-second tick runs at whatever phase it was created with: the start and the end of the
// event's recording get a tick of their own at their instant, so that the file covers the event's
// times to the millisecond rather than to the second.
void RecordingController::ScheduleExactTick(const Countdown& countdown) {
  const auto now = ToFileTime(p_.clock.UtcNow());
  if (!now) return;
  if (const auto wait = countdown.NextInstantWithin(*now, kTicksPerSecond)) {
    p_.host.ScheduleExactTick(static_cast<int>((*wait + kTicksPerMillisecond - 1) / kTicksPerMillisecond));
  }
}

void RecordingController::StartEventRecording(const TickActions& actions) {
  if (p_.devices.CurrentDevice() == nullptr) {
    PostStampedMessage(L"Logic error: attempting to record an event with current source index out of range\r\n");
    return;
  }
  currentFileName_ = BuildFileName(true);
  if (actions.label) p_.host.SetCountdownLabel(*actions.label);
  if (actions.countdownTitle) p_.host.SetCountdownTitle(*actions.countdownTitle);
  StartRecording();
}

// Every try to start the event's recording failed until its end time.
void RecordingController::EventOverWithoutRecording() {
  cameraLost_ = false;
  PostStampedMessage(L"SEVERE: the event recording could not be started before the event's end time\r\n");
  ShowIdle();
  LoadEventSchedule();
}

void RecordingController::LoadEventSchedule() {
  if (recording_) return;
  const auto display = p_.schedule.LoadEventSchedule(MakeScheduleContext());
  if (display) {
    startedGuard_ = false;
    startBeepDone_ = false;
    p_.host.ShowPendingEvent(*display);
    NoteEventPending();
  } else if (!p_.schedule.EventPendingFlag()) {
    p_.host.DeleteEventTick();
    p_.host.NoEventPending();
  }
}

void RecordingController::CancelPendingEvent() {
  if (recording_ || !p_.schedule.EventPendingFlag()) return;
  p_.schedule.CancelPendingEvent();
  p_.host.DeleteEventTick();
  p_.host.HideCountdown();
  p_.host.NoEventPending();
  p_.host.SetMainTitle(kIdleMainTitle);
}

bool RecordingController::ShowsUtc() const {
  return p_.options.Text(kEventPendingDisplayKey) == L"UTC";
}

ScheduleContext RecordingController::MakeScheduleContext() const {
  ScheduleContext context;
  context.deviceCount = p_.devices.Devices().size();
  context.currentDeviceIndex = p_.devices.CurrentDeviceIndex();
  context.recording = recording_;
  context.hibernationSupported = hibernationSupported_;
  context.showUtc = ShowsUtc();
  return context;
}

}  // namespace zuna

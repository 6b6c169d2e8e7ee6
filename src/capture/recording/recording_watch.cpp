// A recording that ends by itself: its file takes no more frames (a full disk, a failed write) or
// its camera stopped delivering. Checked at the recording's watch tick.
#include <algorithm>
#include <optional>

#include "capture/options/capture_option_keys.h"
#include "capture/recording/recording_controller.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

RecordingEnd EndOfFault(Status fault) {
  return fault == kDiskFull ? RecordingEnd::kFullDisk : RecordingEnd::kFailedWrite;
}

}  // namespace

void RecordingController::OnRecordingWatch() {
  // The stop question is open: the answer decides.
  if (!writingFile_ || !recording_ || asking_) return;
  RecordingTotals totals;
  if (Failed(p_.player.GetRecordingTotals(totals))) return;
  // The writer told the user which file failed and why.
  if (Failed(totals.videoFault)) return EndRecordingEarly(EndOfFault(totals.videoFault));
  const auto now = ToFileTime(p_.clock.UtcNow());
  if (now && stallWatch_.Stalled(totals.framesReceived, *now)) EndRecordingEarly(RecordingEnd::kStalledCamera);
}

// A time lapse passes frames over on purpose: the gap between those it keeps is no stall. Frame
// skipping is counted at one frame a second, slower than any camera the program records.
void RecordingController::WatchCameraAgain() {
  FileTime gap = 0;
  if (const auto& timeLapse = p_.player.RecordingTimeLapse()) {
    gap = static_cast<FileTime>(std::max(timeLapse->count, timeLapse->intervalMode ? 0 : 2)) * kTicksPerSecond;
  }
  if (const auto now = ToFileTime(p_.clock.UtcNow())) stallWatch_.Start(*now, gap);
}

void RecordingController::EndRecordingEarly(RecordingEnd end) {
  end_ = end;
  const VideoSourceInfo* device = p_.devices.CurrentDevice();
  const std::wstring deviceName = device != nullptr ? device->friendlyName : std::wstring();
  if (end == RecordingEnd::kStalledCamera) {
    PostStampedMessage(L"SEVERE: the video device " + deviceName + L" delivered no frame for 2 seconds; recording to " +
                       currentFileName_ + L" stopped\r\n");
  }
  recording_ = false;
  if (!p_.schedule.EventPendingFlag()) {
    EndRecording(false);
    return;
  }
  if (end == RecordingEnd::kStalledCamera) {
    AwaitCameraForEvent();
    return;
  }
  // A disk that failed once fails again: the event ends here as at its end time, and is not taken
  // up again.
  p_.host.DeleteEventTick();
  if (p_.options.Boolean(kEnableStartStopBeepKey)) p_.host.Beep();
  p_.schedule.StopPendingEventByHand();
  EndRecording(true);
}

// The event lasts on: its file and log are finished, and its tick tries the camera and the
// recording again until the event's end, as after a recording that failed to start.
void RecordingController::AwaitCameraForEvent() {
  cameraLost_ = true;
  cameraRetries_ = 0;
  startedGuard_ = false;
  StopCamera();
  SetDeviceMarks(false, false);
  currentFileName_.clear();
  gpsFix_ = {};
  RestoreDisplay();
  p_.host.SetMainTitle(kEventPendingMainTitle);
  p_.host.SetRecordButtons(true, false);
  p_.host.GreyMenusWhileRecording(false);
  p_.host.SetCountdownTitle(kCountdownWindowTitle);
  p_.schedule.GetCountdown().ClearEventStarted();
  StartCamera();
}

// Every attempt but the first is made quietly: a camera that is gone fails the same way each time.
void RecordingController::RetryEventRecording(const TickActions& actions) {
  const bool first = cameraRetries_++ == 0;
  if (first) {
    const VideoSourceInfo* device = p_.devices.CurrentDevice();
    PostStampedMessage(L"NOTE: restarting the video device " + (device ? device->friendlyName : std::wstring()) +
                       L" at each tick while the event lasts\r\n");
  }
  {
    std::optional<QuietPosts> quiet;
    if (!first) quiet.emplace();
    StartEventRecording(actions);
  }
  if (!recording_) return;
  cameraLost_ = false;
  if (!first) PostStampedMessage(startMessage_);  // made while quiet
}

}  // namespace zuna

#include "capture/recording/recording_controller.h"

#include "capture/devices/camera_control.h"
#include "capture/devices/device_standard.h"
#include "capture/devices/video_device_formats.h"
#include "capture/events/event_file_name.h"
#include "capture/options/capture_option_keys.h"
#include "capture/recording/recording_file_name.h"
#include "capture/recording/recording_log.h"
#include "common/log/user_messages_log.h"
#include "video/avi_writer/frame_times_writer.h"

namespace zuna {
namespace {

std::wstring WithTrailingBackslash(std::wstring folder) {
  if (folder.empty() || (folder.back() != L'\\' && folder.back() != L'/')) folder += L'\\';
  return folder;
}

}  // namespace

void RecordingController::OnStartButton() {
  cameraLost_ = false;  // the user takes over from the retries of a stalled event recording
  if (p_.schedule.EventPendingFlag()) cancelPendingRequest_ = true;
  StartRecording();
}

void RecordingController::OnStopButton() {
  StopRecording(false);
}

void RecordingController::StartRecording() {
  recording_ = true;
  if (startedGuard_) return;  // a second press only re-asserts the recording
  startedGuard_ = true;
  StopCamera();
  if (cancelPendingRequest_) {  // the pending event is dropped; this recording is manual
    cancelPendingRequest_ = false;
    p_.schedule.CancelPendingEvent();
    p_.host.DeleteEventTick();
    p_.host.HideCountdown();
    p_.host.NoEventPending();
  }
  const bool eventRecording = p_.schedule.EventPendingFlag();
  if (eventRecording) {
    if (!startBeepDone_) {
      startBeepDone_ = true;
      if (p_.options.Boolean(kEnableStartStopBeepKey)) p_.host.Beep();
    }
  } else {
    currentFileName_ = BuildFileName(false);
  }
  if (p_.state.displayOffWhileRecording) TurnDisplayOff();
  if (currentFileName_.empty()) {
    PostStampedMessage(L"Logic error: attempting to record to a 0 file pathname\r\n");
    // Nothing records: the program must not look as if something did.
    recording_ = false;
    startedGuard_ = false;
    if (eventRecording) p_.host.SetCountdownTitle(kCountdownWindowTitle);
    RestoreDisplay();
    StartCamera();
    return;
  }
  CheckSpaceAtStart(eventRecording);
  if (!StartRecordingGraph(eventRecording)) {
    ReturnToPreview(eventRecording);
    return;
  }
  p_.host.SetMainTitle(kRecordingMainTitle);
  p_.host.SetRecordButtons(false, true);
  p_.host.GreyMenusWhileRecording(true);
}

bool RecordingController::StartRecordingGraph(bool eventRecording) {
  if (p_.devices.CurrentDevice() == nullptr) return false;  // no camera, nothing to record
  SetDeviceMarks(!eventRecording, eventRecording);
  gpsFix_ = p_.host.ReadGpsFixForRecording();
  eventRecording_ = eventRecording;
  if (Failed(StartCamera())) return false;
  writingFile_ = true;
  startMessage_ = TimeMessage(L"Start recording at ");
  PostStampedMessage(startMessage_);
  end_ = RecordingEnd::kAsked;
  BeginRecordingLog();
  WatchCameraAgain();
  p_.host.WatchRecording(true);
  return true;
}

// A recording whose graph did not start is not shown as recording: the preview comes back, and
// an event recording is tried again at the next tick.
void RecordingController::ReturnToPreview(bool eventRecording) {
  PostStampedMessage(L"SEVERE: cannot start recording to " + currentFileName_ + L"\r\n");
  recording_ = false;
  startedGuard_ = false;
  SetDeviceMarks(false, false);
  currentFileName_.clear();
  gpsFix_ = {};
  StopCamera();
  RestoreDisplay();
  p_.host.ResumeGpsRefresh();
  StartCamera();
  if (eventRecording) {
    p_.host.SetCountdownTitle(kCountdownWindowTitle);
    p_.schedule.GetCountdown().ClearEventStarted();
  }
}

void RecordingController::StopRecording(bool automatic) {
  if (!startedGuard_) return;  // nothing was started
  recording_ = false;
  if (automatic) {
    if (p_.options.Boolean(kEnableStartStopBeepKey)) p_.host.Beep();
  } else if (p_.schedule.EventPendingFlag() && !ConfirmStopOfEventRecording()) {
    recording_ = true;
    return;
  }
  EndRecording(automatic);
}

// The file and its log are finished, the windows and the preview come back and the schedule is
// loaded again.
void RecordingController::EndRecording(bool automatic) {
  // Taken before the schedule is reloaded, which replaces the pending event.
  const PowerAction power = automatic ? p_.schedule.GetCountdown().PowerActionAfterRecording() : PowerAction::kNone;
  startedGuard_ = false;
  StopCamera();
  SetDeviceMarks(false, false);
  ShowIdle();
  currentFileName_.clear();
  p_.host.ResumeGpsRefresh();
  if (automatic) {
    PostUnstampedMessage(L"");
    if (power != PowerAction::kNone) p_.host.StartPowerNotice(power);
  }
  RestoreDisplay();
  LoadEventSchedule();
  StartCamera();
}

bool RecordingController::ConfirmStopOfEventRecording() {
  asking_ = true;
  const bool yes = p_.host.AskYesNo(L"Event recording in progress.  Stop now?", L"Attention");
  asking_ = false;
  if (!yes) return false;
  p_.host.DeleteEventTick();
  p_.schedule.StopPendingEventByHand();
  PostStampedMessage(L"Event recording is manually stopped");
  p_.host.HideCountdown();
  p_.host.SetRecordButtons(false, false);
  p_.host.SetMainTitle(kIdleMainTitle);
  return true;
}

void RecordingController::ShowIdle() {
  p_.host.SetMainTitle(kIdleMainTitle);
  p_.host.HideCountdown();
  p_.host.SetRecordButtons(true, false);
  p_.host.GreyMenusWhileRecording(false);
}

Status RecordingController::StartCamera() {
  if (p_.devices.CurrentDevice() == nullptr) return kOk;
  return zuna::StartCamera({p_.devices, p_.player, p_.codecs, p_.state}, recording_ ? currentFileName_ : L"");
}

Status RecordingController::StopCamera() {
  const Status result = zuna::StopCamera(p_.player, [this] {
    if (writingFile_) FinishRecordingFile();
  });
  return result;
}

void RecordingController::StopForExit() {
  if (p_.player.IsRunning() && Failed(p_.player.Stop())) {
    PostStampedMessage(L"WARNING: attempt to stop filter graph failed\r\n");
  }
  if (writingFile_) FinishRecordingFile();
  if (!recording_) return;
  PostStampedMessage(L"NOTE: application exited while recording\r\n");
  p_.host.SaveUserMessages();
}

// The graph has stopped, so the file is complete: its log goes beside it.
void RecordingController::FinishRecordingFile() {
  writingFile_ = false;
  p_.host.WatchRecording(false);
  const std::wstring stopMessage = TimeMessage(L"Stop recording at ");
  PostUnstampedMessage(stopMessage);
  PostUnstampedMessage(L"Video file:  " + currentFileName_ + L"\r\n");

  const RecordingLogFacts facts = LogFacts(stopMessage);
  if (const std::wstring logPath = RecordingLogPath(currentFileName_); !logPath.empty()) {
    WriteRecordingLog(logPath, BuildRecordingLogText(facts), p_.codePage);
  }
  if (facts.totals) {
    PostUnstampedMessage(FirstFrameLine(*facts.totals) + L"\r\n");
    PostUnstampedMessage(FramesLine(*facts.totals) + L"\r\n");
    if (end_ == RecordingEnd::kFullDisk || end_ == RecordingEnd::kFailedWrite) {
      PostUnstampedMessage(LostFramesLine(*facts.totals) + L"\r\n");
    }
  }
  end_ = RecordingEnd::kAsked;
}

// The log's start lines go beside the file as the recording begins, with room kept for the rest:
// a recording that fills the disk still leaves its start time and how it ended.
void RecordingController::BeginRecordingLog() {
  if (const std::wstring logPath = RecordingLogPath(currentFileName_); !logPath.empty()) {
    WriteRecordingLog(logPath, BuildRecordingLogText(LogFacts(L"")), p_.codePage, kRecordingLogReserve);
  }
}

// Everything the log says; the totals only once the recording stopped (an empty stop message).
RecordingLogFacts RecordingController::LogFacts(const std::wstring& stopMessage) {
  RecordingLogFacts facts;
  facts.eventRecording = eventRecording_;
  facts.startMessage = startMessage_;
  facts.stopMessage = stopMessage;
  facts.videoFile =
      relativeFolder_ ? WithTrailingBackslash(p_.currentDirectory.wstring()) + currentFileName_ : currentFileName_;
  if (gpsFix_.valid) facts.gps = gpsFix_.texts;
  const VideoSourceInfo* device = p_.devices.CurrentDevice();
  facts.standardName = DeviceStandardName(device ? DeviceStandardOf(*device) : kStandardUnknown);
  if (device != nullptr) {
    facts.deviceName = device->friendlyName;
    // The compressor the graph was built with, not the saved choice: none is used when none is installed.
    const CodecEntry* codec = p_.codecs.RecordingCodec(*device);
    facts.codecName = codec != nullptr ? codec->name : std::wstring(kNoCodecName);
    if (const VideoFormat* format = CurrentFormatOf(*device)) {
      facts.frameRate = format->rateText;
      facts.frameSize = format->sizeText;
    }
  }
  facts.timeLapse = p_.player.RecordingTimeLapse();
  facts.displayOff = displayTurnedOff_;
  facts.end = end_;
  if (stopMessage.empty()) return facts;
  RecordingTotals totals;
  if (Succeeded(p_.player.GetRecordingTotals(totals))) facts.totals = totals;
  if (facts.totals && totals.frameTimes) {
    facts.frameTimesFile = FrameTimesPath(std::filesystem::path(currentFileName_)).filename().wstring();
  }
  return facts;
}

std::wstring RecordingController::BuildFileName(bool eventRecording) {
  const auto folder = RecordingFolder(p_.options.Text(kVideoDirectoryKey), p_.currentDirectory);
  if (!folder) return {};
  relativeFolder_ = p_.options.Text(kVideoDirectoryKey).empty();
  RecordingNameParts parts;
  parts.folder = *folder;
  parts.dateTimeAtEnd = p_.options.Boolean(L"DateTimeAtEnd");
  parts.userPart = p_.options.Text(kVideoNamePrefixKey);
  parts.time = p_.clock.UtcNow();
  parts.time.millisecond = 0;
  const auto& pending = p_.schedule.PendingEvent();
  if (eventRecording && pending) {
    parts.time = ToCalendarTime(pending->startTime);
    parts.eventPart = BuildNameSuffix(pending->eventRecord.asteroidName, pending->eventRecord.starName,
                                      p_.options.Text(kEventFileGlobalPrefixKey), parts.dateTimeAtEnd);
  }
  const std::wstring base = ComposeRecordingName(parts);
  // A relative name is tried where the program runs. A log left by a recording whose file is gone
  // keeps its name taken too.
  return UniqueRecordingPath(base, [this](const std::wstring& path) {
    std::error_code error;
    const auto taken = [&](const std::wstring& name) {
      return std::filesystem::exists(relativeFolder_ ? p_.currentDirectory / name : std::filesystem::path(name), error);
    };
    return taken(path) || taken(RecordingLogPath(path));
  });
}

void RecordingController::TurnDisplayOff() {
  // The recording goes on without a picture: the preview is drawn by the Null Renderer.
  savedRendererKind_ = p_.player.CurrentRendererKind();
  p_.player.SetRenderer(RendererKind::kNull);
  displayTurnedOff_ = true;
}

void RecordingController::RestoreDisplay() {
  if (!displayTurnedOff_) return;
  displayTurnedOff_ = false;
  p_.player.SetRenderer(savedRendererKind_);
}

void RecordingController::SetDeviceMarks(bool manual, bool event) {
  VideoSourceInfo* device = p_.devices.CurrentDevice();
  if (device == nullptr) return;
  device->manualRecording = manual;
  device->eventRecording = event;
  device->lastRecordingPath = manual || event ? currentFileName_ : std::wstring();
}

std::wstring RecordingController::TimeMessage(std::wstring_view caption) const {
  return std::wstring(caption) + FormatTimeOfDay(p_.clock.UtcNow()) + L" (UTC)";
}

}  // namespace zuna

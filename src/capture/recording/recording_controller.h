#pragma once
// Recordings, manual and scheduled: the Start and Stop buttons, the one-second event tick, the
// camera start and stop around them, the file names and the log beside each file. Main thread
// only; the event tick's timer posts to the main window, which calls OnEventTick.
//
// States: idle (preview) -> recording -> idle; an event recording starts from a pending event and
// ends at the event's end time (or by hand), after which the schedule is reloaded.
#include <filesystem>
#include <optional>
#include <string>

#include "capture/countdown/power_control.h"
#include "capture/devices/codec_list.h"
#include "capture/devices/video_device_list.h"
#include "capture/events/event_schedule.h"
#include "capture/gps/gps_port.h"
#include "capture/recording/disk_space.h"
#include "capture/recording/frame_stall_watch.h"
#include "capture/recording/recording_host.h"
#include "capture/recording/recording_log.h"
#include "common/foundation/common_state.h"
#include "common/options/option_tables.h"
#include "common/text/ansi_code_page.h"
#include "common/time/clock.h"
#include "video/player/video_player.h"

namespace zuna {

inline constexpr std::wstring_view kIdleMainTitle = L"ZUNA Video Capture Version 2.4d";
inline constexpr std::wstring_view kRecordingMainTitle = L"ZUNA Video Capture -- Recording in progress";

struct RecordingParts {
  VideoDeviceList& devices;
  VideoPlayer& player;
  const CodecList& codecs;
  CommonState& state;
  const OptionTables& options;
  const Clock& clock;
  EventSchedule& schedule;
  RecordingHost& host;
  PowerControl& power;
  const AnsiCodePage& codePage;
  std::filesystem::path currentDirectory;  // where the default "VideoFiles" folder lies
  const DiskSpace* disk = nullptr;         // the video folder's disk; none: its space is not checked
};

class RecordingController {
 public:
  explicit RecordingController(RecordingParts parts) : p_(std::move(parts)) {}
  RecordingController(const RecordingController&) = delete;
  RecordingController& operator=(const RecordingController&) = delete;

  // The record window's buttons. Start while an event is pending drops that event first.
  void OnStartButton();
  void OnStopButton();

  // The one-second tick of the pending event, on the main thread.
  void OnEventTick();
  // The recording's watch tick: a file that takes no more frames (a full disk, a failed write) or a
  // camera that delivered no frame for two seconds ends the recording by itself. The preview comes
  // back; an event recording whose file failed ends as at the event's end, one whose camera stalled
  // is tried again at each event tick until the event's end.
  void OnRecordingWatch();

  // Rebuilds the schedule and shows the next pending event, if any. During a recording nothing
  // happens: the schedule is reloaded when the recording ends.
  void LoadEventSchedule();
  // The pending event's file is gone: its countdown stops. An event recording runs on to its end.
  void CancelPendingEvent();

  // The preview, or the recording when one runs. With no current device nothing happens.
  Status StartCamera();
  // Stops and tears down the graph; a file being written is finished and its log written.
  Status StopCamera();

  // The program ends (exit request set): the graph is stopped but not torn down; a recording's
  // file and log are completed, the NOTE posted and the messages saved.
  void StopForExit();

  void SetHibernationSupported(bool supported) { hibernationSupported_ = supported; }
  bool Recording() const { return recording_; }
  const std::wstring& CurrentFileName() const { return currentFileName_; }
  // The fix read at the current recording's start (valid only then).
  const GpsRecordingFix& RecordingFix() const { return gpsFix_; }

 private:
  void StartRecording();
  bool StartRecordingGraph(bool eventRecording);
  void ReturnToPreview(bool eventRecording);
  void StartEventRecording(const TickActions& actions);
  void ScheduleExactTick(const Countdown& countdown);
  void StopRecording(bool automatic);
  void EndRecording(bool automatic);
  void EndRecordingEarly(RecordingEnd end);
  void WatchCameraAgain();
  void RetryEventRecording(const TickActions& actions);
  void AwaitCameraForEvent();
  RecordingLogFacts LogFacts(const std::wstring& stopMessage);
  void BeginRecordingLog();
  bool ConfirmStopOfEventRecording();
  void EventOverWithoutRecording();
  void ShowIdle();
  void FinishRecordingFile();
  std::wstring BuildFileName(bool eventRecording);
  void TurnDisplayOff();
  void RestoreDisplay();
  void SetDeviceMarks(bool manual, bool event);
  bool ShowsUtc() const;
  ScheduleContext MakeScheduleContext() const;
  std::wstring TimeMessage(std::wstring_view caption) const;

  // The disk's space against the recording's need (recording_space_checks.cpp).
  std::optional<std::wstring> SpaceShortage(std::uint64_t neededSeconds, std::wstring_view needer) const;
  void CheckSpaceAtStart(bool eventRecording);
  void CheckSpaceForPendingEvent();
  void CheckSpaceInLastMinute();
  void NoteEventPending();

  RecordingParts p_;
  bool recording_ = false;
  bool startedGuard_ = false;
  bool cancelPendingRequest_ = false;
  bool startBeepDone_ = false;
  bool writingFile_ = false;       // the graph writes currentFileName_
  bool eventRecording_ = false;    // the file being written is an event's
  bool relativeFolder_ = false;    // the file lies in the default relative folder
  bool displayTurnedOff_ = false;  // the renderer was swapped out for this recording
  RendererKind savedRendererKind_ = RendererKind::kEvr;
  bool hibernationSupported_ = true;
  bool asking_ = false;             // the stop question is open: ticks wait for the answer
  bool lastMinuteChecked_ = false;  // the pending event's space was checked in its last minute

  RecordingEnd end_ = RecordingEnd::kAsked;  // why the file being written ends
  FrameStallWatch stallWatch_;
  bool cameraLost_ = false;  // an event recording's camera stalled: its restarts are tried quietly
  int cameraRetries_ = 0;
  std::wstring currentFileName_;
  std::wstring startMessage_;
  GpsRecordingFix gpsFix_;
};

}  // namespace zuna

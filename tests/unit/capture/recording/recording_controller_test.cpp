// Manual and event recordings through the controller, over a fake graph, devices, windows and clock.
#include "capture/recording/recording_controller.h"

#include <gtest/gtest.h>

#include "capture/devices/fake_device_catalog.h"
#include "capture/events/event_file.h"
#include "capture/events/event_test_records.h"
#include "capture/options/capture_option_keys.h"
#include "capture/recording/fake_recording_host.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "video/player/fake_media_graph.h"

namespace zuna::test {
namespace {

constexpr wchar_t kManualName[] = L"2024_03_05_21_07_09";

class Recording : public ::testing::Test {
 protected:
  Recording() {
    catalog.makeFilter = [this] { return graph.MakeCaptureSource(); };
    catalog.devices = {NtscGrabber(L"USB Grabber")};
    EXPECT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
    devices.SetCurrentDeviceIndex(0);
    for (auto key : kCaptureBooleanKeys) options.RegisterBoolean(key);
    for (auto key : kCaptureTextKeys) options.RegisterText(key);
    options.RegisterBoolean(L"DateTimeAtEnd");
    options.SetText(kVideoDirectoryKey, videos.Text());
    EXPECT_EQ(controller.StartCamera(), kOk);  // the preview, as at start-up
  }

  std::wstring Video(const std::wstring& name) const { return videos.Text() + name; }
  std::string LogFile(const std::wstring& name) const {
    return TempFolder::ReadFile(std::filesystem::path(Video(name)));
  }
  std::size_t Count(const std::wstring& text) const {
    std::size_t n = 0;
    for (auto at = log.Text().find(text); at != std::wstring::npos; at = log.Text().find(text, at + 1)) ++n;
    return n;
  }
  bool InLog(const std::wstring& text) const { return log.Text().find(text) != std::wstring::npos; }
  bool Previewing() const { return player.IsRunning() && graph.sinkPaths.size() == sinksBefore; }

  // An event of `seconds` seconds at 21:hh:mm:ss on the clock's day, named Ceres.
  void ScheduleEvent(int minute, int second, int seconds, bool hibernate = false) {
    EventFileRecord r =
        DialogRecord(L"2024", L" 3", L" 5", L"21", std::to_wstring(minute),
                     (second < 10 ? L" " : L"") + std::to_wstring(second), L" 0", L" 0", std::to_wstring(seconds));
    r.asteroidName = L"Ceres";
    r.hibernate = hibernate ? L"true" : L"false";
    ASSERT_TRUE(WriteEventFile(events / "ceres.ief", r));
    controller.LoadEventSchedule();
  }
  void TickFor(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      log.clock.Advance(1);
      controller.OnEventTick();
    }
  }

  ScopedMemoryLog log;
  CommonState state;
  FakeMediaGraph graph;
  FakeDeviceCatalog catalog;
  FakeCodecCatalog codecCatalog;
  VideoDeviceList devices{catalog, state};
  CodecList codecs{codecCatalog};
  OptionTables options;
  VideoPlayer player{graph, state, &options};
  TempFolder videos;
  TempFolder events;
  EventSchedule schedule{log.clock, events.Path()};
  FakeRecordingHost host;
  FakePowerControl power;
  Windows1252CodePage codePage;
  RecordingController controller{
      {devices, player, codecs, state, options, log.clock, schedule, host, power, codePage, videos.Path()}};
  std::size_t sinksBefore = 0;
};

TEST_F(Recording, AManualRecordingStartsStopsAndLeavesItsLog) {
  options.SetBoolean(kEnableStartStopBeepKey, true);  // manual recordings do not beep
  controller.OnStartButton();
  EXPECT_TRUE(controller.Recording());
  EXPECT_EQ(graph.sinkPaths, std::vector<std::wstring>{Video(std::wstring(kManualName) + L".avi")});
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture -- Recording in progress");
  EXPECT_FALSE(host.startEnabled);
  EXPECT_TRUE(host.stopEnabled);
  EXPECT_TRUE(host.menusGrey);
  EXPECT_TRUE(devices.CurrentDevice()->manualRecording);
  EXPECT_TRUE(InLog(L"(UTC)\r\nStart recording at 21:07:09 (UTC)"));

  log.clock.Advance(10);
  graph.recordingTotals = RecordingTotals{250, 3, 1, true, *ToFileTime({2024, 3, 5, 21, 7, 9, 120}), true};
  controller.OnStopButton();
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture Version 2.4d");
  EXPECT_TRUE(host.startEnabled);
  EXPECT_FALSE(host.stopEnabled);
  EXPECT_FALSE(host.menusGrey);
  EXPECT_FALSE(devices.CurrentDevice()->manualRecording);
  EXPECT_EQ(host.beeps, 0);
  EXPECT_TRUE(player.IsRunning());  // the preview is back
  EXPECT_TRUE(InLog(L"\r\nStop recording at 21:07:19 (UTC)\r\nVideo file:  " + Video(kManualName) +
                    L".avi\r\n\r\nFirst frame: 21:07:09.120 (UTC)\r\n\r\nFrames recorded: 250, dropped: 3\r\n"));
  EXPECT_TRUE(InLog(L"There are no scheduled Events\r\n"));  // the schedule was reloaded
  const std::string expected =
      "Manual recording\r\nStart recording at 21:07:09 (UTC)\r\nStop recording at 21:07:19 (UTC)\r\n"
      "Video file:  " +
      std::filesystem::path(Video(kManualName)).string() +
      ".avi\r\n"
      "Video source device: USB Grabber\r\nSource device video standard: NTSC_M\r\nFrame rate: 30\r\n"
      "Frame size: 720x480\r\nCodec: NONE\r\nFirst frame: 21:07:09.120 (UTC)\r\nFrames recorded: 250, dropped: 3\r\n"
      "Frame times: " +
      std::filesystem::path(kManualName).string() + ".frames.csv\r\n";
  EXPECT_EQ(LogFile(std::wstring(kManualName) + L".txt"), expected);
}

TEST_F(Recording, TheLogNamesTheCompressorUsedNotTheSavedChoice) {
  devices.CurrentDevice()->useCodec = 1;  // chosen, but none installed
  controller.OnStartButton();
  controller.OnStopButton();
  EXPECT_NE(LogFile(std::wstring(kManualName) + L".txt").find("\r\nCodec: NONE\r\n"), std::string::npos);

  codecCatalog.names = {L"Lagarith Lossless Codec (x64)"};
  codecCatalog.makeFilter = [this](const std::wstring& name) {
    return graph.MakeFilter(name, {{PinDirection::kInput, L"In"}, {PinDirection::kOutput, L"Out"}});
  };
  ASSERT_EQ(codecs.FindCodecs(), kOk);
  log.clock.Advance(60);
  controller.OnStartButton();
  controller.OnStopButton();
  EXPECT_NE(LogFile(L"2024_03_05_21_08_09.txt").find("\r\nCodec: Lagarith Lossless Codec (x64)\r\n"),
            std::string::npos);
}

TEST_F(Recording, ATimeLapseRecordingSaysSoInItsLog) {
  options.SetBoolean(kTimeLapseEnableKey, true);
  options.SetBoolean(kTimeLapseTypeKey, true);
  state.timeLapseCount = 30;
  controller.OnStartButton();
  controller.OnStopButton();
  EXPECT_NE(LogFile(std::wstring(kManualName) + L".txt")
                .find("\r\nCodec: NONE\r\nTime lapse: one frame every 30 seconds\r\n"),
            std::string::npos);
}

TEST_F(Recording, PressingStartTwiceStartsOneRecording) {
  controller.OnStartButton();
  controller.OnStartButton();
  EXPECT_EQ(graph.sinkPaths.size(), 1u);
  EXPECT_EQ(Count(L"Start recording at"), 1u);
  EXPECT_TRUE(controller.Recording());
}

TEST_F(Recording, TwoRecordingsInTheSameSecondNeverShareAName) {
  controller.OnStartButton();
  TempFolder::WriteFile(std::filesystem::path(Video(std::wstring(kManualName) + L".avi")), "RIFF");
  controller.OnStopButton();
  controller.OnStartButton();
  EXPECT_EQ(graph.sinkPaths.back(), Video(std::wstring(kManualName) + L"_2.avi"));
  controller.OnStopButton();
  EXPECT_FALSE(LogFile(std::wstring(kManualName) + L"_2.txt").empty());
}

TEST_F(Recording, TheLogCarriesTheGpsFixAndTheDisplayOffLine) {
  host.fix = {true, GpsFixTexts{L" 48.117300 N", L" 11.516667 E", L" 545.4 M", L" 8"}};
  state.displayOffWhileRecording = true;
  controller.OnStartButton();
  EXPECT_EQ(host.gpsReads, 1);
  EXPECT_EQ(graph.ChainFrom(devices.CurrentDevice()->sourceFilter, L"Preview").back(), L"Null Renderer");
  controller.OnStopButton();
  EXPECT_EQ(graph.ChainFrom(devices.CurrentDevice()->sourceFilter, L"Preview").back(), L"EVR");
  EXPECT_GE(host.gpsResumes, 1);
  const std::string text = LogFile(std::wstring(kManualName) + L".txt");
  EXPECT_NE(text.find("\r\nLatitude:  48.117300 N\r\nLongitude:  11.516667 E\r\nAltitude:  545.4 M\r\n"
                      "Number of satellites:  8\r\nVideo source device: USB Grabber\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\nCodec: NONE\r\nVideo display off during recording\r\n"), std::string::npos);
}

TEST_F(Recording, AGraphThatFailsToStartIsNeverShownAsRecording) {
  graph.failures.insert(L"CreateRecordingSink");
  controller.OnStartButton();
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture Version 2.4d");
  EXPECT_TRUE(host.startEnabled);
  EXPECT_FALSE(host.menusGrey);
  EXPECT_FALSE(devices.CurrentDevice()->manualRecording);
  EXPECT_TRUE(InLog(L"SEVERE: cannot start recording to " + Video(kManualName) + L".avi\r\n"));
  EXPECT_FALSE(InLog(L"Start recording at"));
  EXPECT_TRUE(player.IsRunning());  // back to the preview
  // The next press tries again.
  graph.failures.clear();
  controller.OnStartButton();
  EXPECT_TRUE(controller.Recording());
}

TEST_F(Recording, StopWithoutARecordingAndStartWithoutADeviceDoNothing) {
  controller.OnStopButton();
  EXPECT_EQ(log.Text(), L"");
  devices.SetCurrentDeviceIndex(-1);
  controller.OnStartButton();
  EXPECT_FALSE(controller.Recording());
  EXPECT_TRUE(graph.sinkPaths.empty());
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture Version 2.4d");
}

TEST_F(Recording, ExitWhileRecordingCompletesTheFileAndSavesTheMessages) {
  controller.OnStartButton();
  state.exit.Request();
  controller.StopForExit();
  EXPECT_FALSE(player.IsRunning());
  EXPECT_FALSE(LogFile(std::wstring(kManualName) + L".txt").empty());
  EXPECT_TRUE(InLog(L"NOTE: application exited while recording\r\n"));
  EXPECT_EQ(host.messageSaves, 1);
  // Without a recording nothing is noted or saved.
  controller.OnStopButton();
  controller.StopForExit();
  EXPECT_EQ(host.messageSaves, 1);
}

TEST_F(Recording, StartDuringAPendingEventDropsItAndRecordsByTheManualRule) {
  ScheduleEvent(30, 0, 10);
  EXPECT_TRUE(host.countdownShown);
  EXPECT_TRUE(host.tickRunning);
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture -- Event pending");
  controller.OnStartButton();
  EXPECT_FALSE(schedule.EventPendingFlag());
  EXPECT_FALSE(host.countdownShown);
  EXPECT_FALSE(host.tickRunning);
  EXPECT_EQ(graph.sinkPaths.back(), Video(std::wstring(kManualName) + L".avi"));
  controller.OnStopButton();
  EXPECT_TRUE(host.questions.empty());  // a manual recording stops without a question
  EXPECT_TRUE(LogFile(std::wstring(kManualName) + L".txt").starts_with("Manual recording\r\n"));
  // The event file is still there: the reload makes it pending again.
  EXPECT_TRUE(schedule.EventPendingFlag());
}

TEST_F(Recording, EventsScheduledOrDeletedDuringARecordingWaitForItsEnd) {
  controller.OnStartButton();
  ScheduleEvent(30, 0, 10);  // scheduled while recording: not loaded yet
  EXPECT_FALSE(schedule.EventPendingFlag());
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture -- Recording in progress");
  controller.OnStopButton();
  EXPECT_TRUE(schedule.EventPendingFlag());
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture -- Event pending");

  // The pending event's file deleted: its countdown stops.
  controller.CancelPendingEvent();
  EXPECT_FALSE(schedule.EventPendingFlag());
  EXPECT_FALSE(host.tickRunning);
  EXPECT_FALSE(host.countdownShown);
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture Version 2.4d");
}

TEST_F(Recording, AnEventRecordingRunsToItsEndEvenWhenItsFileIsDeleted) {
  ScheduleEvent(8, 0, 10);
  TickFor(46);
  ASSERT_TRUE(controller.Recording());
  controller.CancelPendingEvent();
  EXPECT_TRUE(host.tickRunning);
  TickFor(11);
  EXPECT_FALSE(controller.Recording());
}

TEST_F(Recording, AnEventIsCountedDownRecordedAndStoppedAfterItsEnd) {
  options.SetBoolean(kEnableStartStopBeepKey, true);
  options.SetBoolean(kEnableEventBeepKey, true);
  ScheduleEvent(8, 0, 10, true);  // records 21:07:55 .. 21:08:05, trigger 21:07:54.5
  EXPECT_EQ(host.countdownLabel, L"Countdown to recording start time:");
  EXPECT_EQ(host.informationLines,
            L"    Start time:\tMAR 5, 2024  21:07:55\r\n    Event time:\tMAR 5, 2024  21:08:00\r\n"
            L"    End time:\tMAR 5, 2024  21:08:05\r\n");
  TickFor(1);
  EXPECT_EQ(host.digits.back(), L"00:00:44");
  EXPECT_EQ(power.keepAwakeCalls, 1);
  TickFor(44);  // 21:07:54
  EXPECT_FALSE(controller.Recording());
  TickFor(1);  // 21:07:55
  EXPECT_TRUE(controller.Recording());
  EXPECT_EQ(graph.sinkPaths.back(), Video(L"2024_03_05_21_07_55_Ceres.avi"));
  EXPECT_EQ(host.countdownTitle, L"Recording In Progress");
  EXPECT_EQ(host.countdownLabel, L"Countdown to event:");
  EXPECT_EQ(host.beeps, 1);  // the start beep
  EXPECT_TRUE(devices.CurrentDevice()->eventRecording);
  TickFor(4);  // 21:07:59
  EXPECT_EQ(host.countdownLabel, L"Countdown to event:");
  EXPECT_EQ(host.beeps, 1);
  TickFor(1);  // 21:08:00: the event time itself
  EXPECT_EQ(host.countdownLabel, L"Countdown to recording end time:");
  EXPECT_EQ(host.beeps, 2);  // the event beep, once
  TickFor(5);                // 21:08:05
  EXPECT_TRUE(controller.Recording());
  EXPECT_EQ(host.beeps, 2);
  host.player = &player;
  TickFor(1);  // 21:08:06: past the end
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(host.hiddenWhileGraphRuns, 0);  // the file ends before the windows change
  EXPECT_EQ(host.beeps, 3);                 // the stop beep
  EXPECT_FALSE(host.tickRunning);
  EXPECT_FALSE(host.countdownShown);
  EXPECT_EQ(host.powerNotice, PowerAction::kHibernate);
  EXPECT_TRUE(InLog(L"There are no scheduled Events\r\n"));
  EXPECT_FALSE(schedule.EventPendingFlag());
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture Version 2.4d");
  EXPECT_TRUE(
      LogFile(L"2024_03_05_21_07_55_Ceres.txt").starts_with("Event recording: \r\nStart recording at 21:07:55"));
  EXPECT_TRUE(player.IsRunning());
}

TEST_F(Recording, AnEventRecordingStartsAndStopsAtItsInstantsNotAtTheNextTick) {
  ScheduleEvent(8, 0, 10, true);  // trigger 21:07:54.5, end 21:08:05
  TickFor(45);                    // 21:07:54
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(host.exactTickMs, 500);
  log.clock.AdvanceMilliseconds(500);
  controller.OnEventTick();
  EXPECT_TRUE(controller.Recording());
  TickFor(10);  // 21:08:04.5
  EXPECT_EQ(host.exactTickMs, 501);
  log.clock.AdvanceMilliseconds(501);
  controller.OnEventTick();
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(host.exactTickMs, 0);
}

TEST_F(Recording, EventNamesFollowDateTimeAtEnd) {
  options.SetBoolean(L"DateTimeAtEnd", true);
  options.SetText(kVideoNamePrefixKey, L"obs1");
  ScheduleEvent(8, 0, 10);
  TickFor(46);
  EXPECT_EQ(graph.sinkPaths.back(), Video(L"Ceres_obs1_03_05_2024_21_07_55.avi"));
}

TEST_F(Recording, StoppingAnEventRecordingByHandAsksFirst) {
  ScheduleEvent(8, 0, 30);  // 21:07:45 .. 21:08:15
  TickFor(36);
  ASSERT_TRUE(controller.Recording());
  host.answer = false;
  controller.OnStopButton();
  EXPECT_TRUE(controller.Recording());
  EXPECT_EQ(host.questions, std::vector<std::wstring>{L"Attention: Event recording in progress.  Stop now?"});
  EXPECT_TRUE(host.tickRunning);

  host.answer = true;
  controller.OnStopButton();
  EXPECT_FALSE(controller.Recording());
  EXPECT_FALSE(host.tickRunning);
  EXPECT_TRUE(InLog(L"Event recording is manually stopped"));
  EXPECT_EQ(schedule.StoppedEvents().size(), 1u);
  EXPECT_FALSE(schedule.EventPendingFlag());  // not scheduled again in this run
  EXPECT_EQ(host.powerNotice, PowerAction::kNone);
  EXPECT_TRUE(host.startEnabled);
}

TEST_F(Recording, AnEventRecordingThatFailsToStartIsTriedOnEachTick) {
  ScheduleEvent(8, 0, 10);
  graph.failures.insert(L"CreateRecordingSink");
  TickFor(46);  // 21:07:55
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(host.countdownTitle, L"Event Pending");
  TickFor(2);
  EXPECT_EQ(Count(L"SEVERE: cannot start recording to"), 3u);
  graph.failures.clear();
  TickFor(1);
  EXPECT_TRUE(controller.Recording());
  EXPECT_EQ(host.countdownTitle, L"Recording In Progress");
}

TEST_F(Recording, AnEventThatNeverStartedEndsWithASevereLine) {
  ScheduleEvent(8, 0, 10);
  graph.failures.insert(L"CreateRecordingSink");
  TickFor(58);  // 21:08:07
  EXPECT_FALSE(controller.Recording());
  EXPECT_FALSE(host.tickRunning);
  EXPECT_TRUE(InLog(L"SEVERE: the event recording could not be started before the event's end time\r\n"));
  EXPECT_TRUE(player.IsRunning());
}

TEST_F(Recording, AFullDiskStopsTheRecordingAtOnceAndItsLogTellsWhatWasLost) {
  controller.OnStartButton();
  EXPECT_TRUE(host.watching);
  // The log's start lines are on the disk while the recording runs, with room kept for the rest.
  const std::string begun = LogFile(std::wstring(kManualName) + L".txt");
  EXPECT_EQ(begun.rfind("Manual recording\r\nStart recording at 21:07:09 (UTC)\r\nVideo file:  ", 0), 0u);
  EXPECT_EQ(begun.find("Stop recording"), std::string::npos);
  EXPECT_EQ(begun.size(), kRecordingLogReserve);

  log.clock.Advance(1);
  RecordingTotals totals{151, 0, 0, true, *ToFileTime({2024, 3, 5, 21, 7, 9, 120}), false};
  totals.framesReceived = 160;
  totals.framesLostAfterFault = 9;
  totals.videoFault = kDiskFull;
  graph.recordingTotals = totals;
  controller.OnRecordingWatch();
  EXPECT_FALSE(controller.Recording());
  EXPECT_FALSE(host.watching);
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture Version 2.4d");
  EXPECT_TRUE(host.startEnabled);
  EXPECT_FALSE(host.stopEnabled);
  EXPECT_FALSE(host.menusGrey);
  EXPECT_TRUE(player.IsRunning());
  const std::string ended = LogFile(std::wstring(kManualName) + L".txt");
  EXPECT_NE(ended.find("Start recording at 21:07:09 (UTC)\r\nStop recording at 21:07:10 (UTC)\r\n"), std::string::npos);
  EXPECT_NE(ended.find("First frame: 21:07:09.120 (UTC)\r\nFrames recorded: 151, dropped: 0\r\n"
                       "Recording stopped early: the disk is full\r\nFrames not recorded after the fault: 9\r\n"),
            std::string::npos);
  EXPECT_EQ(ended.back(), '\n');  // the room kept is given back
  EXPECT_TRUE(InLog(L"Frames not recorded after the fault: 9\r\n"));
  EXPECT_EQ(Count(L"SEVERE"), 0u);  // the writer itself names the file and the cause, once
}

TEST_F(Recording, AFailedWriteEndsAnEventRecordingAsItsEndDoes) {
  ScheduleEvent(8, 0, 30, true);  // 21:07:45 .. 21:08:15
  TickFor(36);
  ASSERT_TRUE(controller.Recording());
  RecordingTotals totals;
  totals.videoFault = kFail;
  graph.recordingTotals = totals;
  controller.OnRecordingWatch();
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(host.powerNotice, PowerAction::kHibernate);
  EXPECT_FALSE(host.tickRunning);
  EXPECT_NE(LogFile(L"2024_03_05_21_07_45_Ceres.txt")
                .find("Recording stopped early: the video file could not be written\r\n"
                      "Frames not recorded after the fault: 0\r\n"),
            std::string::npos);
  ScheduleEvent(8, 0, 30);  // the same event is not taken up again
  TickFor(5);
  EXPECT_FALSE(controller.Recording());
}

TEST_F(Recording, ACameraThatDeliversNothingForTwoSecondsEndsTheRecording) {
  controller.OnStartButton();
  RecordingTotals totals;
  totals.framesReceived = 30;
  graph.recordingTotals = totals;
  for (int second = 0; second < 2; ++second) {
    log.clock.Advance(1);
    controller.OnRecordingWatch();
  }
  EXPECT_TRUE(controller.Recording());  // one second without a frame
  log.clock.Advance(1);
  controller.OnRecordingWatch();
  EXPECT_FALSE(controller.Recording());
  EXPECT_TRUE(InLog(L"SEVERE: the video device USB Grabber delivered no frame for 2 seconds; recording to " +
                    Video(kManualName) + L".avi stopped\r\n"));
  const std::string ended = LogFile(std::wstring(kManualName) + L".txt");
  EXPECT_NE(ended.find("Recording stopped early: the video device delivered no frame for 2 seconds\r\n"),
            std::string::npos);
  EXPECT_EQ(ended.find("Frames not recorded"), std::string::npos);
  EXPECT_TRUE(player.IsRunning());
}

TEST_F(Recording, AnEventWhoseCameraStalledIsTriedAgainAtEachTickSayingSoOnce) {
  ScheduleEvent(8, 0, 30);  // 21:07:45 .. 21:08:15
  TickFor(36);
  ASSERT_TRUE(controller.Recording());
  graph.recordingTotals = RecordingTotals{};
  log.clock.Advance(2);
  controller.OnRecordingWatch();  // no frame since the start
  EXPECT_FALSE(controller.Recording());
  EXPECT_TRUE(host.tickRunning);
  EXPECT_EQ(host.mainTitle, L"ZUNA Video Capture -- Event pending");
  EXPECT_EQ(host.countdownTitle, L"Event Pending");

  graph.failures.insert(L"CreateRecordingSink");  // the device is gone
  TickFor(4);
  EXPECT_FALSE(controller.Recording());
  EXPECT_EQ(Count(L"NOTE: restarting the video device USB Grabber at each tick while the event lasts\r\n"), 1u);
  EXPECT_EQ(Count(L"SEVERE: cannot start recording to"), 1u);
  graph.failures.clear();
  TickFor(1);  // 21:07:52
  EXPECT_TRUE(controller.Recording());
  EXPECT_EQ(graph.sinkPaths.back(), Video(L"2024_03_05_21_07_45_Ceres_2.avi"));  // the first file is kept
  EXPECT_TRUE(InLog(L"(UTC)\r\nStart recording at 21:07:52 (UTC)"));
}

TEST_F(Recording, TimerOffWhileRecordingBlanksTheLabelAndFreezesTheDigits) {
  state.timerOffWhileRecording = true;
  ScheduleEvent(8, 0, 10);
  TickFor(45);
  const std::size_t shown = host.digits.size();
  TickFor(1);
  EXPECT_TRUE(controller.Recording());
  EXPECT_EQ(host.countdownLabel, L" ");
  EXPECT_EQ(host.countdownTitle, L"Event Pending");
  TickFor(5);
  EXPECT_EQ(host.digits.size(), shown);
}

TEST_F(Recording, UtcModeAndFarEventsInTheCountdownWindow) {
  options.SetText(kEventPendingDisplayKey, L"UTC");
  ScheduleEvent(8, 0, 10);
  EXPECT_EQ(host.countdownLabel, L"         Computer time (UTC):");
  TickFor(1);
  EXPECT_EQ(host.digits.back(), L"21:07:10");

  // 150 days and a day and a half away, in countdown mode.
  options.SetText(kEventPendingDisplayKey, L"COUNTDOWN");
  EventFileRecord far = DialogRecord(L"2024", L" 8", L" 2", L"21", L" 7", L"10", L" 0", L" 0", L"10");
  std::filesystem::remove(events / "ceres.ief");
  ASSERT_TRUE(WriteEventFile(events / "far.ief", far));
  controller.LoadEventSchedule();
  TickFor(1);
  EXPECT_EQ(host.digits.back(), L"> 100 days");
  std::filesystem::remove(events / "far.ief");
  far = DialogRecord(L"2024", L" 3", L" 7", L" 9", L" 7", L"30", L" 0", L" 0", L"10");
  ASSERT_TRUE(WriteEventFile(events / "near.ief", far));
  controller.LoadEventSchedule();
  TickFor(1);
  EXPECT_EQ(host.digits.back(), L"> 1 day ");
}

// The video folder's disk as a test sets it, and the folders it was asked about.
class FakeDiskSpace final : public DiskSpace {
 public:
  std::optional<DiskFacts> Query(const std::wstring& folder) const override {
    asked.push_back(folder);
    return facts;
  }
  std::optional<DiskFacts> facts;
  mutable std::vector<std::wstring> asked;
};

class RecordingSpace : public Recording {
 protected:
  // 10 MB hold less than a second of 720 x 480 YUY2.
  FakeDiskSpace disk;
  RecordingController spaced{
      {devices, player, codecs, state, options, log.clock, schedule, host, power, codePage, videos.Path(), &disk}};
  const std::wstring shortForEvent = L"WARNING: the disk holds 0 s of this video; the event needs 20 s\r\n";
};

TEST_F(RecordingSpace, AnEventOnAShortDiskIsWarnedOfWhenPendingAndInItsLastMinute) {
  disk.facts = DiskFacts{10u << 20, L"NTFS"};
  EventFileRecord r = DialogRecord(L"2024", L" 3", L" 5", L"21", L"10", L" 0", L" 0", L" 0", L"20");
  ASSERT_TRUE(WriteEventFile(events / "ceres.ief", r));
  spaced.LoadEventSchedule();
  EXPECT_EQ(disk.asked, std::vector<std::wstring>{videos.Text()});
  EXPECT_EQ(Count(L"(UTC)\r\n" + shortForEvent), 1u);
  EXPECT_EQ(host.countdownWarning, shortForEvent);

  // The recording starts at 21:09:49.5: its last minute begins at 21:08:49.5.
  for (int i = 0; i < 100; ++i) {
    log.clock.Advance(1);
    spaced.OnEventTick();
  }
  EXPECT_EQ(Count(shortForEvent), 1u);
  for (int i = 0; i < 5; ++i) {
    log.clock.Advance(1);
    spaced.OnEventTick();
  }
  EXPECT_EQ(Count(shortForEvent), 2u);  // once in the last minute, not at every tick of it

  // Room made meanwhile: the recording's start finds it, and the line is not shown again.
  disk.facts = DiskFacts{1u << 30, L"NTFS"};
  for (int i = 0; i < 60; ++i) {
    log.clock.Advance(1);
    spaced.OnEventTick();
  }
  EXPECT_TRUE(spaced.Recording());
  EXPECT_EQ(Count(shortForEvent), 2u);
}

TEST_F(RecordingSpace, AnEventThatFitsShowsNoWarningLine) {
  disk.facts = DiskFacts{1u << 30, L"NTFS"};
  host.countdownWarning = L"left from before";
  EventFileRecord r = DialogRecord(L"2024", L" 3", L" 5", L"21", L"10", L" 0", L" 0", L" 0", L"20");
  ASSERT_TRUE(WriteEventFile(events / "ceres.ief", r));
  spaced.LoadEventSchedule();
  EXPECT_EQ(host.countdownWarning, L"");
  EXPECT_FALSE(InLog(L"WARNING"));
}

TEST_F(RecordingSpace, AManualRecordingIsMeasuredAgainstTheDefaultDuration) {
  disk.facts = DiskFacts{1u << 30, L"FAT32"};
  options.SetText(kDefaultDurationKey, L"00:30:00");
  spaced.OnStartButton();
  EXPECT_TRUE(spaced.Recording());  // a warning, not a refusal
  // The grabber's 720 x 480 YUY2 at 29.97 frames per second; 1 GiB of FAT32 is limited by its space.
  const auto held = SecondsOnDisk({720 * 480 * 2, 1e7 / kNtscFrame, true}, *disk.facts);
  EXPECT_TRUE(InLog(L"(UTC)\r\nWARNING: the disk holds " + SpanText(held->seconds) +
                    L" of this video; a recording of the default duration needs 30 min\r\n"));
  spaced.OnStopButton();

  // A compressor's frames have no size known ahead: nothing is reckoned.
  devices.CurrentDevice()->useCodec = 1;
  codecCatalog.names = {L"Lagarith Lossless Codec"};
  codecCatalog.makeFilter = [this](const std::wstring& name) {
    return graph.MakeFilter(name, {{PinDirection::kInput, L"In"}, {PinDirection::kOutput, L"Out"}});
  };
  ASSERT_EQ(codecs.FindCodecs(), kOk);
  log.clock.Advance(60);
  disk.asked.clear();
  spaced.OnStartButton();
  EXPECT_TRUE(disk.asked.empty());
}

}  // namespace
}  // namespace zuna::test

#include "capture/events/event_schedule.h"

#include <gtest/gtest.h>

#include "capture/events/event_file.h"
#include "capture/events/event_test_records.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

std::wstring Two(int n) {
  std::wstring text = std::to_wstring(n);
  return text.size() == 1 ? L" " + text : text;
}

TEST(ToScheduledEvent, ReadsNumbersAsTheyStandAndCentresTheRecording) {
  EventFileRecord r = test::DialogRecord(L"2024", L"5>", L" 7", L"12", L" 0", L" 0", L" 0", L" 0", L" 1");
  r.hibernate = L"true";
  r.shutdown = L"True";
  const FileTime noon = *ToFileTime({2024, 5, 7, 12, 0, 0, 0});
  const ScheduledEvent e = ToScheduledEvent(r, noon + 5'000'000);
  ASSERT_TRUE(e.valid);
  EXPECT_EQ(e.eventTime, (CalendarTime{2024, 5, 7, 12, 0, 0, 0}));
  EXPECT_EQ(e.durationTicks, kTicksPerSecond);
  EXPECT_EQ(e.startTime, noon - 5'000'000);
  EXPECT_EQ(e.endTime, noon + 5'000'000);
  EXPECT_TRUE(e.expired);  // now at the end
  EXPECT_FALSE(ToScheduledEvent(r, noon + 4'999'999).expired);
  EXPECT_TRUE(e.hibernate);
  EXPECT_FALSE(e.shutdown);  // only the exact word counts

  // Signs, empty fields and numbers outside the calendar are no event.
  for (const wchar_t* month : {L"-1", L"+5", L"", L"13", L" 0"}) {
    r.eventMonth = month;
    EXPECT_FALSE(ToScheduledEvent(r, 0).valid) << month;
  }
}

class Schedule : public ::testing::Test {
 protected:
  Schedule() {
    log.clock.utc = {2024, 3, 5, 9, 0, 0, 0};
    context.deviceCount = 1;
    context.currentDeviceIndex = 0;
  }

  // An event file for 2024-03-05 at the given time.
  void WriteEvent(const std::string& name, int hour, int minute, int second, int hours, int minutes, int seconds,
                  bool hibernate = false, bool shutdown = false) {
    EventFileRecord r = test::DialogRecord(L"2024", L" 3", L" 5", Two(hour), Two(minute), Two(second), Two(hours),
                                           Two(minutes), Two(seconds));
    r.hibernate = hibernate ? L"true" : L"false";
    r.shutdown = shutdown ? L"true" : L"false";
    ASSERT_TRUE(WriteEventFile(folder / name, r));
  }

  std::vector<int> ListedHours() const {
    std::vector<int> hours;
    for (const auto& e : schedule.Events()) hours.push_back(e.eventTime.hour * 100 + e.eventTime.minute);
    return hours;
  }

  test::TempFolder folder;
  test::ScopedMemoryLog log;
  EventSchedule schedule{log.clock, folder.Path()};
  ScheduleContext context;
};

TEST_F(Schedule, WithoutADeviceNothingHappensAtAll) {
  WriteEvent("a.ief", 10, 0, 0, 0, 1, 0);
  context.deviceCount = 0;
  EXPECT_FALSE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(log.Text(), L"");
  EXPECT_FALSE(schedule.EventPendingFlag());

  context.deviceCount = 1;
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  context.deviceCount = 0;
  std::filesystem::remove(folder / "a.ief");
  EXPECT_FALSE(schedule.LoadEventSchedule(context));
  EXPECT_TRUE(schedule.PendingEvent());  // the existing schedule stays
  EXPECT_TRUE(schedule.EventPendingFlag());
}

TEST_F(Schedule, AnEmptyFolderSaysSoOnceAndLeavesNoEventPending) {
  WriteEvent("a.ief", 10, 0, 0, 0, 1, 0);
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  log.sink.Clear();
  std::filesystem::remove(folder / "a.ief");
  test::TempFolder::WriteFile(folder / "notes.txt", "");
  EXPECT_FALSE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(log.Text(), L"\r\nThere are no scheduled Events\r\n");
  EXPECT_FALSE(schedule.PendingEvent());
  EXPECT_FALSE(schedule.EventPendingFlag());
  EXPECT_FALSE(schedule.GetCountdown().Armed());
}

TEST_F(Schedule, LoadsTheFilesAndMakesTheEarliestPending) {
  WriteEvent("b.ief", 11, 0, 0, 0, 2, 0, false, true);
  WriteEvent("a.ief", 12, 0, 0, 1, 0, 0);
  const auto display = schedule.LoadEventSchedule(context);
  ASSERT_TRUE(display);
  EXPECT_EQ(display->mainWindowTitle, L"ZUNA Video Capture -- Event pending");
  EXPECT_EQ(display->countdownTitle, L"Event Pending");
  EXPECT_EQ(display->countdownLabel, L"Countdown to recording start time:");
  EXPECT_EQ(display->startLine, L"    Start time:\tMAR 5, 2024  10:59:00\r\n");
  EXPECT_EQ(display->eventLine, L"    Event time:\tMAR 5, 2024  11:00:00\r\n");
  EXPECT_EQ(display->endLine, L"    End time:\tMAR 5, 2024  11:01:00\r\n");
  EXPECT_EQ(log.Text(),
            L"\r\n09:00:00 (UTC)\r\nThe following Events are Loaded (scheduled):"
            L"\r\n    a.ief"
            L"\r\n    b.ief"
            L"\r\n"
            L"\r\nCurrent Event Information (UTC):\n"
            L"    Start time:\tMAR 5, 2024  10:59:00\r\n"
            L"    Event time:\tMAR 5, 2024  11:00:00\r\n"
            L"    End time:\tMAR 5, 2024  11:01:00\r\n"
            L"    Recording duration: 2 minutes  \r\n"
            L"\r\nNOTE: computer will shut down 30 seconds after recording ends\r\n");

  ASSERT_TRUE(schedule.PendingEvent());
  EXPECT_EQ(schedule.PendingEvent()->eventRecord.eventHour, L"11");
  EXPECT_EQ(ListedHours(), std::vector<int>{1200});  // the pending event left the list
  EXPECT_TRUE(schedule.EventPendingFlag());
  Countdown& countdown = schedule.GetCountdown();
  EXPECT_TRUE(countdown.Armed());
  EXPECT_EQ(countdown.PowerActionAfterRecording(), PowerAction::kShutdown);
  EXPECT_EQ(countdown.PendingEventTime(), (CalendarTime{2024, 3, 5, 11, 0, 0, 0}));
  EXPECT_EQ(countdown.PendingDuration().minute, 2);
}

TEST_F(Schedule, OverlapsAreRejectedInFileOrder) {
  // Recordings 10:00..10:02 and 10:01..10:03: the second file read loses.
  WriteEvent("a.ief", 10, 1, 0, 0, 2, 0);
  WriteEvent("b.ief", 10, 2, 0, 0, 2, 0);
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(schedule.PendingEvent()->eventTime.minute, 1);
  EXPECT_TRUE(schedule.Events().empty());
  EXPECT_NE(log.Text().find(L"\r\nThe following Events are Loaded (scheduled):\r\n    a.ief\r\nNOTE: the Event b.ief "
                            L"is ignored because it overlaps (within one minute) another Event\r\n\r\n\r\nCurrent"),
            std::wstring::npos)
      << log.Text();
}

TEST_F(Schedule, TheThirtySecondGapIsNeededOnlyBehindAnEventAlreadyListed) {
  // A records 09:58..10:00:00, B from 10:00:20.
  WriteEvent("1.ief", 9, 59, 0, 0, 2, 0);
  WriteEvent("2.ief", 10, 1, 20, 0, 2, 0);
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(schedule.PendingEvent()->eventTime.minute, 59);
  EXPECT_TRUE(schedule.Events().empty());
  EXPECT_NE(log.Text().find(L"NOTE: the Event 2.ief is ignored"), std::wstring::npos);

  // B read first: A ends before B starts and goes behind it.
  log.sink.Clear();
  std::filesystem::rename(folder / "1.ief", folder / "3.ief");
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(schedule.PendingEvent()->eventTime.minute, 59);
  EXPECT_EQ(ListedHours(), std::vector<int>{1001});
  EXPECT_EQ(log.Text().find(L"NOTE"), std::wstring::npos);
}

TEST_F(Schedule, InsertionKeepsTheListLatestFirst) {
  const auto event = [](int minute, int durationSeconds) {
    EventFileRecord r =
        test::DialogRecord(L"2024", L" 3", L" 5", L"10", Two(minute), L" 0", L" 0", L" 0", Two(durationSeconds));
    return ToScheduledEvent(r, 0);
  };
  EXPECT_TRUE(schedule.InsertEvent(event(10, 20)));
  EXPECT_TRUE(schedule.InsertEvent(event(30, 20)));
  EXPECT_TRUE(schedule.InsertEvent(event(20, 20)));
  EXPECT_TRUE(schedule.InsertEvent(event(5, 20)));
  EXPECT_TRUE(schedule.InsertEvent(event(40, 20)));
  EXPECT_EQ(ListedHours(), (std::vector<int>{1040, 1030, 1020, 1010, 1005}));
  EXPECT_FALSE(schedule.InsertEvent(event(20, 2)));  // inside another
  // 10:11:00 +- 1 s starts 49 s after the recording of 10:10 ends.
  EXPECT_TRUE(schedule.InsertEvent(event(11, 2)));
  EXPECT_EQ(ListedHours(), (std::vector<int>{1040, 1030, 1020, 1011, 1010, 1005}));
}

TEST_F(Schedule, AGapOfExactlyThirtySecondsIsEnough) {
  // First: 10:00:00 +- 10 s ends 10:00:10. Second starts 10:00:40 (event 10:00:50, 20 s): gap 30 s.
  WriteEvent("1.ief", 10, 0, 0, 0, 0, 20);
  WriteEvent("2.ief", 10, 0, 50, 0, 0, 20);
  WriteEvent("3.ief", 10, 1, 29, 0, 0, 20);  // starts 10:01:19, 29 s after the second ends
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(ListedHours(), std::vector<int>{1000});
  EXPECT_NE(log.Text().find(L"NOTE: the Event 3.ief is ignored"), std::wstring::npos);
  EXPECT_EQ(log.Text().find(L"NOTE: the Event 2.ief"), std::wstring::npos);
}

TEST_F(Schedule, LessThanTwentySecondsOfRecordingLeftIsNotLoaded) {
  // Recording 08:55:00..09:00:15 at 09:00:00: 15 s left.
  log.clock.utc = {2024, 3, 5, 9, 0, 0, 0};
  WriteEvent("short.ief", 8, 57, 37, 0, 5, 15);
  EXPECT_FALSE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(log.Text(), L"\r\n09:00:00 (UTC)\r\nThere are no scheduled Events\r\n");

  // Exactly 20 s left is still too little; 25 s is enough and the event becomes pending.
  log.sink.Clear();
  std::filesystem::remove(folder / "short.ief");
  WriteEvent("twenty.ief", 8, 57, 40, 0, 5, 20);
  EXPECT_FALSE(schedule.LoadEventSchedule(context));
  WriteEvent("long.ief", 8, 57, 42, 0, 5, 25);
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(schedule.PendingEvent()->eventTime.second, 42);
}

TEST_F(Schedule, AllExpiredPostsNoListButSaysThereIsNothing) {
  WriteEvent("old.ief", 7, 0, 0, 0, 10, 0);
  WriteEvent("older.ief", 8, 0, 0, 0, 10, 0);
  EXPECT_FALSE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(log.Text(), L"\r\n09:00:00 (UTC)\r\nThere are no scheduled Events\r\n");
  EXPECT_FALSE(schedule.EventPendingFlag());
}

TEST_F(Schedule, AnEventStoppedByHandIsNotLoadedAgainInThisRun) {
  WriteEvent("a.ief", 9, 0, 30, 0, 2, 0);
  WriteEvent("b.ief", 11, 0, 0, 0, 2, 0);
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  schedule.StopPendingEventByHand();
  EXPECT_FALSE(schedule.GetCountdown().Armed());
  ASSERT_EQ(schedule.StoppedEvents().size(), 1u);

  log.sink.Clear();
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(schedule.PendingEvent()->eventTime.hour, 11);
  EXPECT_EQ(log.Text().find(L"a.ief"), std::wstring::npos);

  // After a restart it is loaded again while its recording window lasts.
  EventSchedule restarted(log.clock, folder.Path());
  ASSERT_TRUE(restarted.LoadEventSchedule(context));
  EXPECT_EQ(restarted.PendingEvent()->eventTime.hour, 9);
}

TEST_F(Schedule, FilesThatCannotBeScheduledAreNamedWithTheReason) {
  WriteEvent("good.ief", 10, 0, 0, 0, 1, 0);
  test::TempFolder::WriteFile(folder / "empty.ief", "");
  EventFileRecord r = test::DialogRecord(L"2023", L" 2", L"29", L"10", L" 0", L" 0", L" 0", L" 1", L" 0");
  ASSERT_TRUE(WriteEventFile(folder / "leap.ief", r));
  r = test::DialogRecord(L"2024", L" 3", L" 5", L"xx", L" 0", L" 0", L" 0", L" 1", L" 0");
  ASSERT_TRUE(WriteEventFile(folder / "hour.ief", r));
  r = test::DialogRecord(L"2024", L" 3", L" 5", L"10", L" 0", L" 0", L" 0", L"60", L" 0");
  ASSERT_TRUE(WriteEventFile(folder / "minutes.ief", r));
  r = test::DialogRecord(L"1601", L" 1", L" 1", L" 0", L" 0", L" 0", L" 1", L" 0", L" 0");
  ASSERT_TRUE(WriteEventFile(folder / "zz1601.ief", r));
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  const std::wstring text = log.Text();
  EXPECT_EQ(text.substr(0, text.find(L"\r\nCurrent")),
            L"\r\nLogic error: options file missing <-ZUNA Event File Version 2.4-> text\r\n"
            L"\r\n09:00:00 (UTC)\r\nWARNING: event file empty.ief is incomplete; it is not scheduled\r\n"
            L"\r\n09:00:00 (UTC)\r\nThe following Events are Loaded (scheduled):"
            L"\r\n    good.ief"
            L"\r\nWARNING: event file hour.ief has no valid event date, time or duration; it is not scheduled\r\n"
            L"\r\nWARNING: event file leap.ief has no valid event date, time or duration; it is not scheduled\r\n"
            L"\r\nWARNING: event file minutes.ief has no valid event date, time or duration; it is not scheduled\r\n"
            L"\r\nWARNING: event file zz1601.ief has no valid event date, time or duration; it is not scheduled\r\n"
            L"\r\n");
  EXPECT_TRUE(schedule.Events().empty());
}

TEST_F(Schedule, PowerRequestsAndTheirNotes) {
  WriteEvent("a.ief", 10, 0, 0, 0, 1, 0, true, true);
  context.hibernationSupported = false;
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_NE(log.Text().find(L"\r\n09:00:00 (UTC)\r\nHibernation is not supported even though Event requests it"
                            L"\r\nNOTE: computer will shut down 30 seconds after recording ends\r\n"),
            std::wstring::npos);
  EXPECT_EQ(schedule.GetCountdown().PowerActionAfterRecording(), PowerAction::kShutdown);

  log.sink.Clear();
  context.hibernationSupported = true;
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_NE(log.Text().find(L"\r\nNOTE: computer will be placed in hibernate 30 seconds after recording ends\r\n"),
            std::wstring::npos);
  EXPECT_EQ(log.Text().find(L"shut down"), std::wstring::npos);
  EXPECT_EQ(schedule.GetCountdown().PowerActionAfterRecording(), PowerAction::kHibernate);
}

TEST_F(Schedule, StartNextEventChecksTheDeviceIndexAndTheDisplayMode) {
  WriteEvent("a.ief", 10, 0, 0, 0, 1, 0);
  context.currentDeviceIndex = 1;
  context.showUtc = true;
  const auto display = schedule.LoadEventSchedule(context);
  ASSERT_TRUE(display);
  EXPECT_EQ(display->countdownLabel, L"         Computer time (UTC):");
  EXPECT_NE(log.Text().find(
                L"\r\n09:00:00 (UTC)\r\nLogic error: current source index out of range for starting future event\r\n"),
            std::wstring::npos);

  log.sink.Clear();
  context.recording = true;  // a recording runs: the index is not checked
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  EXPECT_EQ(log.Text().find(L"Logic error"), std::wstring::npos);
}

TEST_F(Schedule, CancellingThePendingEventStopsTheCountdown) {
  WriteEvent("a.ief", 10, 0, 0, 0, 1, 0);
  ASSERT_TRUE(schedule.LoadEventSchedule(context));
  schedule.CancelPendingEvent();
  EXPECT_FALSE(schedule.EventPendingFlag());
  EXPECT_FALSE(schedule.GetCountdown().Armed());
  log.clock.utc = {2024, 3, 5, 9, 59, 59, 0};
  EXPECT_FALSE(schedule.GetCountdown().Tick(log.clock, {}).startEventRecording);
  schedule.StopPendingEventByHand();  // nothing pending: nothing to remember
  EXPECT_TRUE(schedule.StoppedEvents().empty());
}

}  // namespace
}  // namespace zuna

#include <gtest/gtest.h>

#include "capture/countdown/countdown_state.h"
#include "support/fake_clock.h"

namespace zuna {
namespace {

constexpr CalendarTime kNoon{2024, 3, 5, 12, 0, 0, 0};
constexpr CalendarTime kOneSecond{0, 0, 0, 0, 0, 1, 0, 0};
constexpr CalendarTime kTenSeconds{0, 0, 0, 0, 0, 10, 0, 0};

CalendarTime At(int hour, int minute, int second, int millisecond = 0) {
  return {2024, 3, 5, hour, minute, second, millisecond};
}

TEST(CountdownTexts, RemainingTimeUpToADayThenDays) {
  EXPECT_EQ(RemainingTimeText(0), L"00:00:00");
  EXPECT_EQ(RemainingTimeText(kTicksPerSecond - 1), L"00:00:00");
  EXPECT_EQ(RemainingTimeText(kTicksPerDay - 1), L"23:59:59");
  EXPECT_EQ(RemainingTimeText(kTicksPerDay), L"00:00:00");  // one day exactly
  EXPECT_EQ(RemainingTimeText(kTicksPerDay + 1), L"> 1 day ");
  EXPECT_EQ(RemainingTimeText(kTicksPerDay * 3 / 2), L"> 1 day ");
  EXPECT_EQ(RemainingTimeText(2 * kTicksPerDay + kTicksPerSecond), L"> 2 days");
  EXPECT_EQ(RemainingTimeText(100 * kTicksPerDay - 1), L"> 99 days");
  EXPECT_EQ(RemainingTimeText(100 * kTicksPerDay), L"> 100 days");
  EXPECT_EQ(RemainingTimeText(150 * kTicksPerDay), L"> 100 days");
}

TEST(CountdownTexts, DurationWordsNameEachPartThatIsNotZero) {
  EXPECT_EQ(DurationWords({0, 0, 0, 1, 1, 1, 0, 0}), L"1 hour  1 minute  1 second");
  EXPECT_EQ(DurationWords({0, 0, 0, 2, 0, 30, 0, 0}), L"2 hours  30 seconds");
  EXPECT_EQ(DurationWords({0, 0, 0, 0, 10, 0, 0, 0}), L"10 minutes  ");
  EXPECT_EQ(DurationWords({0, 0, 0, 0, 0, 0, 0, 0}), L"");
}

TEST(CountdownStart, CentresTheRecordingOnTheEventAndDescribesIt) {
  Countdown countdown;
  const auto info = countdown.Start({2024, 1, 9, 12, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 0});
  ASSERT_TRUE(info);
  EXPECT_EQ(info->startLine, L"    Start time:\tJAN 9, 2024  11:30:00\r\n");
  EXPECT_EQ(info->eventLine, L"    Event time:\tJAN 9, 2024  12:00:00\r\n");
  EXPECT_EQ(info->endLine, L"    End time:\tJAN 9, 2024  12:30:00\r\n");
  EXPECT_EQ(info->summary,
            L"Current Event Information (UTC):\n"
            L"    Start time:\tJAN 9, 2024  11:30:00\r\n"
            L"    Event time:\tJAN 9, 2024  12:00:00\r\n"
            L"    End time:\tJAN 9, 2024  12:30:00\r\n"
            L"    Recording duration: 1 hour  \r\n");

  // Across midnight and the year's end; the date follows the instant.
  const auto late = countdown.Start({2024, 12, 31, 23, 59, 0, 0}, {0, 0, 0, 0, 4, 0, 0, 0});
  ASSERT_TRUE(late);
  EXPECT_EQ(late->startLine, L"    Start time:\tDEC 31, 2024  23:57:00\r\n");
  EXPECT_EQ(late->endLine, L"    End time:\tJAN 1, 2025  00:01:00\r\n");

  EXPECT_FALSE(countdown.Start({2023, 2, 29, 12, 0, 0, 0}, kOneSecond));
  EXPECT_FALSE(countdown.Start(kNoon, {0, 0, 0, 24, 0, 0, 0, 0}));
}

TEST(CountdownStart, AOneSecondEventRecordsFromHalfASecondBeforeToHalfASecondAfter) {
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kOneSecond));
  const FileTime noon = *ToFileTime(kNoon);
  EXPECT_EQ(countdown.StartInstant(), *ToFileTime(At(11, 59, 59, 500)));
  EXPECT_EQ(countdown.EndInstant(), *ToFileTime(At(12, 0, 0, 500)));
  EXPECT_EQ(countdown.Trigger(), noon - kTicksPerSecond);
  EXPECT_EQ(countdown.EventInstant(), noon);
}

// Ticks once a second from `from`, `count` times, and keeps what each tick asked for.
std::vector<TickActions> RunTicks(Countdown& countdown, test::FakeClock& clock, CalendarTime from, int count,
                                  TickSettings settings = {}) {
  clock.utc = from;
  std::vector<TickActions> all;
  for (int i = 0; i < count; ++i) {
    all.push_back(countdown.Tick(clock, settings));
    if (all.back().startEventRecording) settings.recording = true;
    if (all.back().stopEventRecording) settings.recording = false;
    clock.Advance(1);
  }
  return all;
}

TEST(CountdownTick, LabelsAndDigitsAcrossAWholeEvent) {
  test::FakeClock clock;
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kTenSeconds));  // records 11:59:55 .. 12:00:05, starts at 11:59:54.5
  countdown.Arm();
  TickSettings settings;
  settings.enableEventBeep = true;
  const auto ticks = RunTicks(countdown, clock, At(11, 59, 52, 300), 15, settings);

  std::vector<std::wstring> digits, labels;
  int starts = 0, stops = 0, beeps = 0;
  for (const auto& t : ticks) {
    digits.push_back(t.digits.value_or(L"-"));
    labels.push_back(t.label.value_or(L"-"));
    starts += t.startEventRecording;
    stops += t.stopEventRecording;
    beeps += t.beep;
  }
  EXPECT_EQ(digits, (std::vector<std::wstring>{L"00:00:02", L"00:00:01", L"00:00:00", L"00:00:04", L"00:00:03",
                                               L"00:00:02", L"00:00:01", L"00:00:00", L"00:00:04", L"00:00:03",
                                               L"00:00:02", L"00:00:01", L"00:00:00", L"-", L"-"}));
  const std::wstring e = L"Countdown to event:", r = L"Countdown to recording end time:";
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"-", L"-", L"-", e, e, e, e, e, r, r, r, r, r, L"-", L"-"}));
  EXPECT_FALSE(ticks[2].startEventRecording);  // 11:59:54.3 is before the trigger, 11:59:54.5
  EXPECT_TRUE(ticks[3].startEventRecording);
  EXPECT_EQ(ticks[3].countdownTitle, L"Recording In Progress");
  EXPECT_TRUE(ticks[13].stopEventRecording);  // 12:00:05.3 is past the end
  EXPECT_TRUE(ticks[8].beep);                 // the first tick after the event time
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(beeps, 1);
  EXPECT_FALSE(countdown.Armed());
  EXPECT_FALSE(ticks[14].keepAwake);  // the timer is gone: nothing at all
}

TEST(CountdownTick, TheOneSecondEventStartsOnceAndStopsAfterItsEnd) {
  test::FakeClock clock;
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kOneSecond));
  countdown.Arm();
  const auto ticks = RunTicks(countdown, clock, At(11, 59, 58), 4);
  EXPECT_FALSE(ticks[0].startEventRecording);
  EXPECT_EQ(ticks[0].digits, L"00:00:01");
  EXPECT_TRUE(ticks[1].startEventRecording);  // 11:59:59.0, the trigger itself
  EXPECT_EQ(ticks[1].label, L"Countdown to event:");
  EXPECT_EQ(ticks[2].label, L"Countdown to recording end time:");
  EXPECT_EQ(ticks[2].digits, L"00:00:00");
  EXPECT_FALSE(ticks[2].stopEventRecording);
  EXPECT_TRUE(ticks[3].stopEventRecording);  // 12:00:01 is past 12:00:00.5
  EXPECT_FALSE(ticks[3].startEventRecording);
}

TEST(CountdownTick, AnEventWhoseWholeWindowPassedIsNotStartedButEnded) {
  test::FakeClock clock;
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kTenSeconds));
  countdown.Arm();
  clock.utc = At(12, 1, 0);
  const TickActions t = countdown.Tick(clock, {});
  EXPECT_FALSE(t.startEventRecording);
  EXPECT_TRUE(t.stopEventRecording);
  EXPECT_FALSE(t.digits);
}

TEST(CountdownTick, AStartThatFailedIsTriedAgainUntilTheEnd) {
  test::FakeClock clock;
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kTenSeconds));
  countdown.Arm();
  clock.utc = At(11, 59, 55);
  EXPECT_TRUE(countdown.Tick(clock, {}).startEventRecording);
  countdown.ClearEventStarted();  // the recording did not start
  clock.utc = At(12, 0, 4);
  EXPECT_TRUE(countdown.Tick(clock, {}).startEventRecording);
  countdown.ClearEventStarted();
  clock.utc = At(12, 0, 6);
  const TickActions t = countdown.Tick(clock, {});
  EXPECT_FALSE(t.startEventRecording);
  EXPECT_TRUE(t.stopEventRecording);
}

TEST(CountdownTick, TimerOffWhileRecordingBlanksTheLabelAndFreezesTheDigits) {
  test::FakeClock clock;
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kTenSeconds));
  countdown.Arm();
  TickSettings settings;
  settings.timerOffWhileRecording = true;
  const auto ticks = RunTicks(countdown, clock, At(11, 59, 52, 600), 14, settings);
  EXPECT_EQ(ticks[0].digits, L"00:00:01");
  EXPECT_EQ(ticks[1].digits, L"00:00:00");
  EXPECT_TRUE(ticks[2].startEventRecording);
  EXPECT_EQ(ticks[2].label, L" ");
  EXPECT_FALSE(ticks[2].countdownTitle);
  for (int i = 2; i < 13; ++i) EXPECT_FALSE(ticks[i].digits || ticks[i].beep) << i;
  EXPECT_TRUE(ticks[13].stopEventRecording);
}

TEST(CountdownTick, UtcModeShowsTheClockUnderItsOwnLabel) {
  test::FakeClock clock;
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kTenSeconds));
  countdown.Arm();
  TickSettings settings;
  settings.showUtc = true;
  const auto ticks = RunTicks(countdown, clock, At(11, 59, 50, 700), 16, settings);
  EXPECT_EQ(ticks[0].digits, L"11:59:50");
  EXPECT_EQ(ticks[9].digits, L"11:59:59");
  EXPECT_EQ(ticks[12].digits, L"12:00:02");
  for (const auto& t : ticks) EXPECT_FALSE(t.label);
  EXPECT_TRUE(ticks[4].startEventRecording);
  EXPECT_TRUE(ticks[15].stopEventRecording);
  EXPECT_FALSE(ticks[12].beep);  // the event beep is off
}

TEST(CountdownTick, KeepsTheComputerAwakeOnTheFirstTickAndEverySixtiethAfter) {
  test::FakeClock clock;
  Countdown countdown;
  ASSERT_TRUE(countdown.Start({2024, 3, 9, 0, 0, 0, 0}, kTenSeconds));
  countdown.Arm();
  const auto ticks = RunTicks(countdown, clock, At(0, 0, 0), 125);
  std::vector<int> awake;
  for (int i = 0; i < 125; ++i) {
    if (ticks[i].keepAwake) awake.push_back(i);
  }
  EXPECT_EQ(awake, (std::vector<int>{0, 60, 120}));
  EXPECT_EQ(ticks[0].digits, L"> 3 days");

  countdown.Arm();  // a new timer starts counting afresh
  EXPECT_TRUE(countdown.Tick(clock, {}).keepAwake);
}

TEST(CountdownTick, DoesNothingWithoutATimerOrWithAClockThatGivesNoTime) {
  test::FakeClock clock;
  clock.utc = At(11, 0, 0);
  Countdown countdown;
  ASSERT_TRUE(countdown.Start(kNoon, kTenSeconds));
  const TickActions idle = countdown.Tick(clock, {});
  EXPECT_FALSE(idle.keepAwake || idle.digits || idle.startEventRecording);
  countdown.Arm();
  clock.utc.month = 13;
  const TickActions broken = countdown.Tick(clock, {});
  EXPECT_TRUE(broken.keepAwake);
  EXPECT_FALSE(broken.digits || broken.startEventRecording || broken.stopEventRecording);
  countdown.Disarm();
  clock.utc = At(12, 0, 0);
  EXPECT_FALSE(countdown.Tick(clock, {}).startEventRecording);
}

}  // namespace
}  // namespace zuna

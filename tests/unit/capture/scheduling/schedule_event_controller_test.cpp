#include "capture/scheduling/schedule_event_controller.h"

#include <gtest/gtest.h>

#include "capture/events/event_file_name.h"
#include "capture/scheduling/scheduling_fixture.h"

namespace zuna {
namespace {

class ScheduleEventWindow : public ::testing::Test, protected test::SchedulingFixture {
 protected:
  // Sets the event picker `seconds` from now (milliseconds kept) and tells the window.
  void PickSecondsAhead(int seconds) {
    scheduleView.times[kEventPicker] = ToCalendarTime(*ToFileTime(log.clock.utc) + seconds * kTicksPerSecond);
    schedule.OnEventPickerChanged();
  }
};

TEST_F(ScheduleEventWindow, OpensEmptyAtTheCurrentTimeWithScheduleDisabled) {
  settings.globalPrefix = L"A1";
  settings.defaultDuration = {1943, 5, 3, 0, 2, 30, 0};
  scheduleView.texts[kAsteroidEdit] = L"old";
  scheduleView.checked[kHibernateBox] = true;
  schedule.Toggle();
  EXPECT_EQ(scheduleView.Title(), L"Schedule Event");
  EXPECT_EQ(scheduleView.times[kEventPicker], log.clock.utc);
  EXPECT_EQ(scheduleView.times[kDurationPicker], settings.defaultDuration);
  EXPECT_EQ(scheduleView.texts[kNamesGroupLabel], L"Optional File Postfixes (20 chars max each)");
  EXPECT_EQ(scheduleView.texts[kGlobalPrefixLabel], L"Global Postfix:");
  EXPECT_EQ(scheduleView.texts[kGlobalPrefixText], L"A1");
  EXPECT_EQ(scheduleView.texts[kAsteroidEdit], L"");
  EXPECT_FALSE(scheduleView.checked[kHibernateBox]);
  EXPECT_FALSE(scheduleView.enabled[kScheduleButton]);
  EXPECT_TRUE(scheduleView.shown);
  EXPECT_TRUE(scheduleMenuChecked);

  schedule.Toggle();  // the menu item again closes it
  EXPECT_FALSE(scheduleView.shown);
  EXPECT_FALSE(scheduleMenuChecked);
  EXPECT_EQ(schedule.MinimumEventInstant(), kNoMinimumEventInstant);

  settings.dateTimeAtEndSaved = true;  // the labels follow the value to save
  schedule.Toggle();
  EXPECT_EQ(scheduleView.texts[kNamesGroupLabel], L"Optional File Prefixes (20 chars max each)");
  EXPECT_EQ(scheduleView.texts[kGlobalPrefixLabel], L"Global Prefix:");
}

TEST_F(ScheduleEventWindow, ScheduleIsEnabledOnlyOnceTheTimeMovesPastTheOpeningMoment) {
  schedule.Open();
  PickSecondsAhead(0);
  EXPECT_FALSE(scheduleView.enabled[kScheduleButton]);
  PickSecondsAhead(-60);
  EXPECT_FALSE(scheduleView.enabled[kScheduleButton]);
  PickSecondsAhead(1);
  EXPECT_TRUE(scheduleView.enabled[kScheduleButton]);

  scheduleView.pickerBroken = true;  // the button keeps its state
  schedule.OnEventPickerChanged();
  EXPECT_TRUE(scheduleView.enabled[kScheduleButton]);
  EXPECT_NE(log.Text().find(L"Unable to get datetime value\r\n"), std::wstring::npos);
}

TEST_F(ScheduleEventWindow, AnEventLessThanFiveSecondsAheadIsRefusedAndThePickerReset) {
  schedule.Open();
  PickSecondsAhead(3);
  schedule.OnSchedule();
  EXPECT_NE(log.Text().find(L"Event time must be at least 5 seconds after\r\nthe current time to allow for camera "
                            L"restart\r\n"),
            std::wstring::npos);
  EXPECT_EQ(scheduleView.times[kEventPicker], log.clock.utc);
  EXPECT_TRUE(scheduleView.shown);
  EXPECT_TRUE(FileNames().empty());
  EXPECT_EQ(rebuilds, 0);

  // Exactly five seconds is enough (the picker's milliseconds do not count).
  scheduleView.times[kEventPicker] = ToCalendarTime(*ToFileTime(log.clock.utc) + 5 * kTicksPerSecond);
  scheduleView.times[kEventPicker].millisecond = 0;
  log.clock.utc.millisecond = 0;
  schedule.OnSchedule();
  EXPECT_EQ(FileNames().size(), 1u);
}

TEST_F(ScheduleEventWindow, NamesAndCommentLoseForbiddenCharactersWithTheirMessages) {
  schedule.Open();
  scheduleView.texts[kAsteroidEdit] = L"(1) Ceres";
  schedule.OnNameChanged(kAsteroidEdit);
  EXPECT_EQ(scheduleView.texts[kAsteroidEdit], L"1 Ceres");
  EXPECT_EQ(log.Text(), L"\r\nAllowed characters are 'a' thru 'z', 'A' thru 'Z', '0' thru '9', '-', '_' or blank\r\n");

  log.sink.Clear();
  scheduleView.texts[kStarEdit] = L"TYC 1-2_3";
  schedule.OnNameChanged(kStarEdit);
  EXPECT_EQ(scheduleView.texts[kStarEdit], L"TYC 1-2_3");
  EXPECT_EQ(log.Text(), L"");

  scheduleView.texts[kCommentEdit] = L"(near) miss: 2 @ 3";
  schedule.OnCommentChanged();
  EXPECT_EQ(scheduleView.texts[kCommentEdit], L"(near) miss: 2  3");
  EXPECT_EQ(log.Text(),
            L"\r\nAllowed characters are 'a' thru 'z', 'A' thru 'Z', '0' thru '9', or {}()[].:_-+#* or blank\r\n");
}

TEST_F(ScheduleEventWindow, AtMostOnePowerActionIsTicked) {
  schedule.Open();
  scheduleView.checked[kHibernateBox] = true;
  schedule.OnPowerBoxClicked(kHibernateBox);
  EXPECT_FALSE(scheduleView.checked[kShutdownBox]);
  scheduleView.checked[kShutdownBox] = true;
  schedule.OnPowerBoxClicked(kShutdownBox);
  EXPECT_FALSE(scheduleView.checked[kHibernateBox]);
  scheduleView.checked[kShutdownBox] = false;  // unticking leaves the other alone
  schedule.OnPowerBoxClicked(kShutdownBox);
  EXPECT_FALSE(scheduleView.checked[kHibernateBox]);
}

TEST_F(ScheduleEventWindow, ScheduleWritesTheEventFileClosesAndRebuildsTheSchedule) {
  settings.globalPrefix = L"A1";
  schedule.Open();
  scheduleView.times[kEventPicker] = {2024, 5, 17, 3, 4, 5, 999};
  scheduleView.times[kDurationPicker] = {1943, 5, 3, 0, 2, 0, 0};
  scheduleView.texts[kAsteroidEdit] = L"Ceres";
  scheduleView.texts[kCommentEdit] = L"first try";
  scheduleView.checked[kShutdownBox] = true;
  schedule.OnSchedule();

  ASSERT_EQ(FileNames(), std::vector<std::string>{"2024_05_17_03_04_05_Ceres_A1.ief"});
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "2024_05_17_03_04_05_Ceres_A1.ief"),
            "<-ZUNA Event File Version 2.4->\n    <EventYear 2024>\n    <EventMonth  5>\n    <EventDay 17>\n"
            "    <EventHour  3>\n    <EventMinute  4>\n    <EventSecond  5>\n    <DurationHour  0>\n"
            "    <DurationMinute  2>\n    <DurationSecond  0>\n    <Hibernate false>\n    <Shutdown true>\n"
            "    <Comment first try>\n    <AsteroidName Ceres>\n    <StarName >\n");
  EXPECT_NE(log.Text().find(L"Scheduled an event recording: 2024_05_17_03_04_05_Ceres_A1.ief\r\n"), std::wstring::npos);
  EXPECT_FALSE(scheduleView.shown);
  EXPECT_FALSE(scheduleMenuChecked);
  EXPECT_EQ(schedule.MinimumEventInstant(), kNoMinimumEventInstant);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(listView.rows.size(), 1u);  // the list is refilled even while hidden

  settings.dateTimeAtEndInUse = true;  // the value in use orders the name
  schedule.Open();
  scheduleView.times[kEventPicker] = {2024, 5, 18, 3, 4, 5, 0};
  scheduleView.texts[kAsteroidEdit] = L"Ceres";
  schedule.OnSchedule();
  EXPECT_TRUE(std::filesystem::exists(folder / "Ceres_A1_05_18_2024_03_04_05.ief"));
}

TEST_F(ScheduleEventWindow, AFileThatCannotBeWrittenIsNotReportedAsScheduled) {
  schedule.Open();
  scheduleView.times[kEventPicker] = {2024, 5, 17, 3, 4, 5, 0};
  std::filesystem::create_directory(folder / "2024_05_17_03_04_05.ief");  // in the way of the file
  schedule.OnSchedule();
  EXPECT_EQ(log.Text().find(L"Scheduled an event recording"), std::wstring::npos);
  EXPECT_NE(log.Text().find(L"WARNING: unable to write event file 2024_05_17_03_04_05.ief - write protected?\r\n"),
            std::wstring::npos);
  EXPECT_TRUE(scheduleView.shown);
  EXPECT_EQ(rebuilds, 0);
}

class EditEvent : public ScheduleEventWindow {
 protected:
  EditEvent() {
    EventFileRecord r = test::DialogRecord(L"2024", L" 5", L"17", L" 3", L" 4", L" 5", L" 0", L" 2", L"30");
    r.asteroidName = L"Ceres";
    r.comment = L"old comment";
    r.hibernate = L"true";
    WriteEventFile(folder / "2024_05_17_03_04_05_Ceres.ief", r);
    list.Open();
    listView.selection = {0};
    list.OnSelectionChanged();
    list.OnEdit();
  }
};

TEST_F(EditEvent, TheListHandsTheEventToTheSchedulingWindow) {
  EXPECT_EQ(scheduleView.Title(), L"Edit Event");
  EXPECT_TRUE(schedule.Editing());
  EXPECT_EQ(scheduleView.texts[kAsteroidEdit], L"Ceres");
  EXPECT_EQ(scheduleView.texts[kCommentEdit], L"old comment");
  EXPECT_TRUE(scheduleView.checked[kHibernateBox]);
  EXPECT_FALSE(scheduleView.checked[kShutdownBox]);
  EXPECT_EQ(scheduleView.times[kEventPicker], (CalendarTime{2024, 5, 17, 3, 4, 5, 0}));
  const CalendarTime duration = scheduleView.times[kDurationPicker];
  EXPECT_EQ(duration.hour * 3600 + duration.minute * 60 + duration.second, 150);
  EXPECT_EQ(schedule.MinimumEventInstant(), *ToFileTime(log.clock.utc));
  EXPECT_TRUE(scheduleView.enabled[kScheduleButton]);  // the event is still to come
  EXPECT_TRUE(scheduleView.shown);
  EXPECT_TRUE(scheduleMenuChecked);
}

TEST_F(EditEvent, APastEventMustBeMovedBeforeItCanBeScheduledAgain) {
  log.clock.utc = {2024, 5, 18, 0, 0, 0, 0};
  listView.checked[kShowExpiredBox] = true;
  list.OnBoxClicked(kShowExpiredBox);
  listView.selection = {0};
  list.OnEdit();
  EXPECT_FALSE(scheduleView.enabled[kScheduleButton]);
}

TEST_F(EditEvent, ChangingOnlyTheCommentRewritesTheSameFile) {
  scheduleView.texts[kCommentEdit] = L"new comment";
  schedule.OnSchedule();
  ASSERT_EQ(FileNames(), std::vector<std::string>{"2024_05_17_03_04_05_Ceres.ief"});
  EventFileRecord read;
  ASSERT_TRUE(ReadEventFile(folder.Path(), L"2024_05_17_03_04_05_Ceres.ief", read));
  EXPECT_EQ(read.comment, L"new comment");
  EXPECT_EQ(read.hibernate, L"true");
  EXPECT_EQ(log.Text().find(L"WARNING"), std::wstring::npos);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(listView.rows.at(0).at(3), L"new comment");
}

TEST_F(EditEvent, ANewTimeWritesTheNewFileAndDeletesTheOld) {
  scheduleView.times[kEventPicker] = {2024, 5, 17, 4, 0, 0, 0};
  schedule.OnSchedule();
  EXPECT_EQ(FileNames(), std::vector<std::string>{"2024_05_17_04_00_00_Ceres.ief"});
  EXPECT_FALSE(schedule.Editing());
}

TEST_F(EditEvent, AFailedWriteKeepsTheOldFile) {
  // Something in the way of the file written beside the old one, then of a new name.
  std::filesystem::create_directory(folder / "2024_05_17_03_04_05_Ceres.ief.new");
  scheduleView.texts[kCommentEdit] = L"new comment";
  schedule.OnSchedule();
  EventFileRecord read;
  ASSERT_TRUE(ReadEventFile(folder.Path(), L"2024_05_17_03_04_05_Ceres.ief", read));
  EXPECT_EQ(read.comment, L"old comment");
  EXPECT_TRUE(scheduleView.shown);
  EXPECT_EQ(rebuilds, 0);

  std::filesystem::create_directory(folder / "2024_05_17_04_00_00_Ceres.ief");
  scheduleView.times[kEventPicker] = {2024, 5, 17, 4, 0, 0, 0};
  schedule.OnSchedule();
  EXPECT_TRUE(ReadEventFile(folder.Path(), L"2024_05_17_03_04_05_Ceres.ief", read));
  EXPECT_EQ(log.Text().find(L"Scheduled an event recording"), std::wstring::npos);
}

}  // namespace
}  // namespace zuna

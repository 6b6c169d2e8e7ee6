#include <gtest/gtest.h>

#include "common/log/message_file_path.h"
#include "common/time/time_zone_report.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

using test::ScopedMemoryLog;

TEST(TimeZoneReport, EachOfTheFourOutcomes) {
  ScopedMemoryLog m;
  m.clock.utc = {2024, 7, 1, 10, 0, 0, 0};
  m.clock.zone = {TimeZoneState::kDaylight, -60, 0, -60, L"W. Europe Standard Time", L"W. Europe Daylight Time"};
  EXPECT_EQ(ReportTimeZone(m.clock), -120);
  m.clock.zone.state = TimeZoneState::kStandard;
  EXPECT_EQ(ReportTimeZone(m.clock), -60);
  m.clock.zone = {TimeZoneState::kUnknown, 300, 0, 0, L"Eastern Standard Time", L""};
  EXPECT_EQ(ReportTimeZone(m.clock), 300);
  m.clock.zone.state = TimeZoneState::kFailed;
  EXPECT_EQ(ReportTimeZone(m.clock), 0);
  EXPECT_EQ(m.Text(),
            L"\r\n10:00:00 (UTC)\r\nComputer local time is W. Europe Daylight Time\r\n"
            L"\r\n10:00:00 (UTC)\r\nComputer local time is W. Europe Standard Time\r\n"
            L"\r\n10:00:00 (UTC)\r\nComputer local time is Eastern Standard Time.  Transition dates to daylight "
            L"savings are unknown or disabled.\r\n"
            L"\r\n10:00:00 (UTC)\r\nComputer time zone is unknown.  You may only use local time and not use UTC "
            L"time\r\n");
}

TEST(MessageFilePath, NamedAfterTheUtcSecondInEitherOrder) {
  test::FakeClock clock;
  clock.local = {2024, 3, 5, 22, 7, 9, 450};
  MessageFilePlace place{L"D:\\Logs\\", L"C:\\ZUNA\\", false, 0, false};
  EXPECT_EQ(BuildMessageFilePath(clock, -60, place), L"D:\\Logs\\msg_2024_03_05_21_07_09.txt");
  place.dateTimeAtEnd = true;
  EXPECT_EQ(BuildMessageFilePath(clock, -60, place), L"D:\\Logs\\msg_03_05_2024_21_07_09.txt");
  // Daylight time: local plus Bias plus DaylightBias, across midnight and a month end.
  clock.local = {2024, 7, 1, 1, 30, 0, 0};
  EXPECT_EQ(BuildMessageFilePath(clock, -120, place), L"D:\\Logs\\msg_06_30_2024_23_30_00.txt");
}

TEST(MessageFilePath, EmptyOptionFallsBackToTheProgramsFolder) {
  test::FakeClock clock;
  clock.local = {2024, 3, 5, 21, 7, 9, 0};
  MessageFilePlace place{L"", L"C:\\ZUNA\\", false, 0, false};
  EXPECT_EQ(BuildMessageFilePath(clock, 0, place), L"C:\\ZUNA\\MessageFilesVC\\msg_2024_03_05_21_07_09.txt");
  place.programKind = 1;
  place.inDevelopmentTree = true;
  EXPECT_EQ(BuildMessageFilePath(clock, 0, place), L"C:\\ZUNA\\Release\\MessageFilesVP\\msg_2024_03_05_21_07_09.txt");
}

}  // namespace
}  // namespace zuna

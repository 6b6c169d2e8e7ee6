#include "common/time/file_time.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(FileTime, KnownInstantsConvertBothWays) {
  // 1970-01-01 is 11644473600 seconds after 1601-01-01: the platform's well-known offset.
  const CalendarTime epoch{1970, 1, 1, 0, 0, 0, 0};
  ASSERT_EQ(ToFileTime(epoch), 116444736000000000ull);
  EXPECT_EQ(ToCalendarTime(116444736000000000ull), epoch);
  EXPECT_EQ(ToCalendarTime(116444736000000000ull).dayOfWeek, 4);  // a Thursday

  const CalendarTime leap{2024, 2, 29, 23, 59, 59, 999};
  const auto ft = ToFileTime(leap);
  ASSERT_TRUE(ft.has_value());
  EXPECT_EQ(ToCalendarTime(*ft), leap);
  EXPECT_EQ(ToCalendarTime(*ft + kTicksPerMillisecond), (CalendarTime{2024, 3, 1, 0, 0, 0, 0}));
  EXPECT_EQ(ToCalendarTime(0), (CalendarTime{1601, 1, 1, 0, 0, 0, 0}));
}

TEST(FileTime, EveryDayOfFourCenturiesRoundTrips) {
  FileTime t = *ToFileTime({1999, 12, 31, 12, 0, 0, 0});
  CalendarTime previous = ToCalendarTime(t);
  for (int i = 0; i < 146097; ++i) {
    t += kTicksPerDay;
    const CalendarTime c = ToCalendarTime(t);
    ASSERT_TRUE(IsValidCalendarTime(c));
    ASSERT_EQ(ToFileTime(c), t);
    ASSERT_EQ(c.dayOfWeek, (previous.dayOfWeek + 1) % 7);
    previous = c;
  }
}

TEST(FileTime, InvalidCalendarRecordsHaveNoInstant) {
  EXPECT_FALSE(ToFileTime({2023, 2, 29, 0, 0, 0, 0}));
  EXPECT_FALSE(ToFileTime({1900, 2, 29, 0, 0, 0, 0}));
  EXPECT_TRUE(ToFileTime({2000, 2, 29, 0, 0, 0, 0}));
  EXPECT_FALSE(ToFileTime({2024, 13, 1, 0, 0, 0, 0}));
  EXPECT_FALSE(ToFileTime({2024, 4, 31, 0, 0, 0, 0}));
  EXPECT_FALSE(ToFileTime({2024, 1, 1, 24, 0, 0, 0}));
  EXPECT_FALSE(ToFileTime({2024, 1, 1, 0, 60, 0, 0}));
  EXPECT_FALSE(ToFileTime({1600, 12, 31, 0, 0, 0, 0}));
}

TEST(FileTime, AddMinutesCrossesDaysMonthsAndYears) {
  EXPECT_EQ(AddMinutes({2024, 12, 31, 23, 30, 15, 0}, 60), (CalendarTime{2025, 1, 1, 0, 30, 15, 0}));
  EXPECT_EQ(AddMinutes({2024, 3, 1, 0, 30, 0, 0}, -60), (CalendarTime{2024, 2, 29, 23, 30, 0, 0}));
  EXPECT_EQ(AddMinutes({2024, 6, 1, 5, 0, 0, 0}, -330), (CalendarTime{2024, 5, 31, 23, 30, 0, 0}));
}

TEST(FileTime, TimeOfDayIsTwentyFourHourWithLeadingZeros) {
  EXPECT_EQ(FormatTimeOfDay({2024, 1, 1, 7, 3, 9, 0}), L"07:03:09");
  EXPECT_EQ(FormatTimeOfDay({2024, 1, 1, 23, 59, 0, 0}), L"23:59:00");
}

}  // namespace
}  // namespace zuna

#include "capture/events/event_file_name.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

constexpr CalendarTime kMay17{2024, 5, 17, 3, 4, 5, 0};

TEST(NameSuffix, JoinsTheTextsThatAreNotEmptyOnTheSideTheDateLeavesFree) {
  EXPECT_EQ(BuildNameSuffix(L"Ceres", L"", L"A1", false), L"_Ceres_A1");
  EXPECT_EQ(nameSuffix(), L"_Ceres_A1");
  EXPECT_EQ(BuildNameSuffix(L"Ceres", L"", L"A1", true), L"Ceres_A1_");
  EXPECT_EQ(BuildNameSuffix(L"", L"HIP 1", L"", true), L"HIP 1_");
  EXPECT_EQ(BuildNameSuffix(L"a", L"b", L"c", false), L"_a_b_c");
  EXPECT_EQ(BuildNameSuffix(L"", L"", L"", true), L"");
  EXPECT_EQ(BuildNameSuffix(L"", L"", L"", false), L"");
  EXPECT_EQ(nameSuffix(), L"");
}

TEST(NameSuffix, PartsAreCutAtTheirCapacityAndLoseWhatCannotStandInAFileName) {
  EXPECT_EQ(BuildNameSuffix(std::wstring(25, L'a'), std::wstring(21, L'b'), std::wstring(13, L'c'), false),
            L"_" + std::wstring(20, L'a') + L"_" + std::wstring(20, L'b') + L"_" + std::wstring(12, L'c'));
  // Names come from event files, which anyone can edit.
  EXPECT_EQ(BuildNameSuffix(L"..\\..\\Windows", L"a/b:c*?", L"<\"|>\t", false), L"_....Windows_abc");
}

TEST(EventFileName, DateFirstOrLastByTheOption) {
  BuildNameSuffix(L"Ceres", L"", L"A1", false);
  EXPECT_EQ(BuildEventFileName(kMay17, false), L"2024_05_17_03_04_05_Ceres_A1.ief");
  BuildNameSuffix(L"Ceres", L"", L"A1", true);
  EXPECT_EQ(BuildEventFileName(kMay17, true), L"Ceres_A1_05_17_2024_03_04_05.ief");
  BuildNameSuffix(L"", L"", L"", true);
  EXPECT_EQ(BuildEventFileName(kMay17, true), L"05_17_2024_03_04_05.ief");
  EXPECT_EQ(BuildEventFileName(kMay17, false), L"2024_05_17_03_04_05.ief");
}

}  // namespace
}  // namespace zuna

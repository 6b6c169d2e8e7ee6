#include "capture/recording/recording_file_name.h"

#include <gtest/gtest.h>

#include <set>

#include "capture/events/event_file_name.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

RecordingNameParts Parts(bool dateTimeAtEnd, std::wstring eventPart = {}) {
  RecordingNameParts parts;
  parts.folder = L"VideoFiles\\";
  parts.time = {2024, 3, 7, 21, 5, 9, 0};
  parts.dateTimeAtEnd = dateTimeAtEnd;
  parts.eventPart = std::move(eventPart);
  parts.userPart = L"obs1";
  return parts;
}

TEST(RecordingFileName, TheFourFormsOfManualAndEventNames) {
  EXPECT_EQ(ComposeRecordingName(Parts(true)) + L".avi", L"VideoFiles\\obs1_03_07_2024_21_05_09.avi");
  EXPECT_EQ(ComposeRecordingName(Parts(false)) + L".avi", L"VideoFiles\\2024_03_07_21_05_09_obs1.avi");
  EXPECT_EQ(ComposeRecordingName(Parts(false, BuildNameSuffix(L"Ceres", L"", L"", false))) + L".avi",
            L"VideoFiles\\2024_03_07_21_05_09_Ceres_obs1.avi");
  EXPECT_EQ(ComposeRecordingName(Parts(true, BuildNameSuffix(L"Ceres", L"", L"", true))) + L".avi",
            L"VideoFiles\\Ceres_obs1_03_07_2024_21_05_09.avi");
}

TEST(RecordingFileName, EmptyPrefixAndEventNamesAddNoSeparator) {
  RecordingNameParts parts = Parts(true, BuildNameSuffix(L"", L"", L"", true));
  parts.userPart.clear();
  EXPECT_EQ(ComposeRecordingName(parts), L"VideoFiles\\03_07_2024_21_05_09");
  parts = Parts(false, BuildNameSuffix(L"", L"", L"", false));
  parts.userPart.clear();
  EXPECT_EQ(ComposeRecordingName(parts), L"VideoFiles\\2024_03_07_21_05_09");
  // Star name and global prefix follow the asteroid in that order.
  parts.eventPart = BuildNameSuffix(L"Ceres", L"TYC1", L"LAB", false);
  EXPECT_EQ(ComposeRecordingName(parts), L"VideoFiles\\2024_03_07_21_05_09_Ceres_TYC1_LAB");
}

TEST(RecordingFileName, ASecondRecordingInTheSameSecondGetsACounter) {
  std::set<std::wstring> existing;
  const auto exists = [&existing](const std::wstring& path) { return existing.count(path) > 0; };
  EXPECT_EQ(UniqueRecordingPath(L"V\\a", exists), L"V\\a.avi");
  existing.insert(L"V\\a.avi");
  EXPECT_EQ(UniqueRecordingPath(L"V\\a", exists), L"V\\a_2.avi");
  existing.insert(L"V\\a_2.avi");
  EXPECT_EQ(UniqueRecordingPath(L"V\\a", exists), L"V\\a_3.avi");
}

TEST(RecordingFolder, TheOptionOrTheDefaultFolderCreatedWhereTheProgramRuns) {
  test::ScopedMemoryLog log;
  test::TempFolder folder;
  EXPECT_EQ(RecordingFolder(L"D:\\Obs\\", folder.Path()), std::optional<std::wstring>(L"D:\\Obs\\"));
  EXPECT_FALSE(std::filesystem::exists(folder / "VideoFiles"));
  EXPECT_EQ(RecordingFolder(L"", folder.Path()), std::optional<std::wstring>(L"VideoFiles\\"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "VideoFiles"));
  EXPECT_EQ(log.Text(), L"");

  // A file standing where the folder should be: no folder, no name, and the message.
  test::TempFolder blocked;
  test::TempFolder::WriteFile(blocked / "VideoFiles", "x");
  EXPECT_FALSE(RecordingFolder(L"", blocked.Path()));
  EXPECT_NE(log.Text().find(L"\r\nUnable to create \"VideoFiles\" directory under the process directory.  "
                            L"Check security settings.\r\n"),
            std::wstring::npos);
}

}  // namespace
}  // namespace zuna

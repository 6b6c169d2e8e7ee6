#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/options/options_file.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

class OptionsFileWriter : public ::testing::Test {
 protected:
  OptionsFileWriter() {
    PlacementEntry* read = placements.Register(&windows[0], L"MessageWindowPosition", 600, 467);
    read->currentRect = {-1280, 10, -680, 477};
    read->loadedFromFile = true;
    PlacementEntry* moved = placements.Register(&windows[1], L"MagnifyWindowPosition", 270, 260);
    moved->currentRect = {5, 6, 275, 266};
    moved->movedByUser = true;
    placements.Register(&windows[2], L"CrosshairsWindowPosition", 400, 400);  // neither: never written
    options.RegisterText(L"PixelSaturationValue", L"200");
    options.RegisterText(L"VideoNamePrefix");  // empty: not written
    options.RegisterText(L"VideoDirectory", L"C:\\Night Sky\\Videos\\");
    options.RegisterBoolean(L"DateTimeAtEnd");  // false: not written
    options.RegisterBoolean(L"AutostartGPS", true);
  }

  std::wstring Path(const char* name) const { return folder.Text() + std::wstring(name, name + strlen(name)); }

  test::ScopedMemoryLog log;
  test::TempFolder folder;
  OptionTables options;
  PlacementTable placements;
  int windows[3] = {};
  const std::vector<OptionEntry> nodes{{L"UseCodecUSB2.0Grabber", L"1"}, {L"ExcludedVideoSource", L"Old Cam"}};
};

TEST_F(OptionsFileWriter, WritesSectionsInOrderWithOnlyEntriesWorthKeeping) {
  const std::string expected =
      "<-Window Positions->\n"
      "    <MessageWindowPosition -1280, 10, 600, 467>\n"
      "\n<-Text Options->\n"
      "    <PixelSaturationValue 200>\n"
      "    <VideoDirectory C:\\Night Sky\\Videos\\>\n"
      "\n<-Boolean Options->\n"
      "    <AutostartGPS true>\n"
      "\n<-Other Options->\n"
      "    <UseCodecUSB2.0Grabber 1>\n"
      "    <ExcludedVideoSource Old Cam>\n";
  EXPECT_EQ(FormatOptionsFile(options, placements, false, nodes), expected);

  // Saving window positions adds the window the user moved, in table order.
  const std::string withMoved = FormatOptionsFile(options, placements, true, {});
  EXPECT_NE(
      withMoved.find("    <MessageWindowPosition -1280, 10, 600, 467>\n    <MagnifyWindowPosition 5, 6, 270, 260>\n"
                     "\n<-Text Options->\n"),
      std::string::npos);
  EXPECT_TRUE(withMoved.ends_with("<-Other Options->\n"));
}

TEST_F(OptionsFileWriter, UsesTheValueToSaveAndTheAnsiCodePage) {
  TextOption* folderOption = options.FindText(L"VideoDirectory");
  folderOption->value = L"in use";
  folderOption->saveValue = L"D:\\Caf\u00E9\\";
  options.FindBoolean(L"AutostartGPS")->saveValue = false;
  options.FindBoolean(L"DateTimeAtEnd")->saveValue = true;
  const std::string text = FormatOptionsFile(options, placements, false, {});
  EXPECT_NE(text.find("    <VideoDirectory D:\\Caf\xE9\\>\n"), std::string::npos);
  EXPECT_EQ(text.find("AutostartGPS"), std::string::npos);
  EXPECT_NE(text.find("    <DateTimeAtEnd true>\n"), std::string::npos);
}

TEST_F(OptionsFileWriter, LinesKeepTheirCloseWithinTheLineLength) {
  const std::string text =
      FormatOptionsFile(options, placements, false, {{L"VConfig", std::wstring(3000, L'x')}, {L"K", L"two\nlines"}});
  const std::size_t start = text.find("    <VConfig ");
  const std::size_t end = text.find('\n', start);
  EXPECT_EQ(end + 1 - start, kOptionsLineLength);
  EXPECT_EQ(text[end - 1], '>');
  EXPECT_NE(text.find("    <K two lines>\n"), std::string::npos);
}

TEST_F(OptionsFileWriter, ReadAndWriteGiveTheSameFileLessFalseAndEmptyEntries) {
  const std::string original =
      "<-Window Positions->\n"
      "    <MessageWindowPosition -1920, -3, 600, 467>\n"
      "    <MagnifyWindowPosition 1300, 700, 270, 260>\n"
      "\n<-Text Options->\n"
      "    <PixelSaturationValue 180>\n"
      "    <VideoNamePrefix >\n"
      "    <VideoDirectory E:\\Occultation Videos\\2024 March\\>\n"
      "\n<-Boolean Options->\n"
      "    <DateTimeAtEnd false>\n"
      "    <AutostartGPS true>\n"
      "\n<-Other Options->\n"
      "    <UseCodecUSB2.0Grabber 1>\n"
      "    <ExcludedVideoSource Old Cam>\n";
  test::TempFolder::WriteFile(folder / "options.txt", original);
  OptionTables readOptions;
  readOptions.RegisterText(L"PixelSaturationValue", L"255");
  readOptions.RegisterText(L"VideoNamePrefix", L"x");
  readOptions.RegisterText(L"VideoDirectory");
  readOptions.RegisterBoolean(L"DateTimeAtEnd", true);
  readOptions.RegisterBoolean(L"AutostartGPS");
  PlacementTable readPlacements;
  for (int i = 0; i < 3; ++i) readPlacements.Register(&windows[i], placements.Entries()[i].key, 1, 1);
  std::vector<OptionEntry> readNodes;
  ASSERT_TRUE(ReadOptionsFile(Path("options.txt"), readOptions, readPlacements,
                              [&](const std::wstring& k, const std::wstring& v) {
                                readNodes.push_back({k, v});
                              }));
  ASSERT_TRUE(WriteOptionsFile(Path("options.txt"), readOptions, readPlacements, false, readNodes));

  std::string expected = original;
  for (const char* dropped : {"    <VideoNamePrefix >\n", "    <DateTimeAtEnd false>\n"}) {
    expected.erase(expected.find(dropped), strlen(dropped));
  }
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "options.txt"), expected);
  EXPECT_FALSE(std::filesystem::exists(folder / "options.txt.new"));
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(OptionsFileWriter, WindowsWrittenOnceAreKeptInLaterSaves) {
  ASSERT_TRUE(WriteOptionsFile(Path("o.txt"), options, placements, true, {}));
  EXPECT_TRUE(placements.FindKey(L"MagnifyWindowPosition")->loadedFromFile);
  EXPECT_FALSE(placements.FindKey(L"CrosshairsWindowPosition")->loadedFromFile);
  ASSERT_TRUE(WriteOptionsFile(Path("o.txt"), options, placements, false, {}));
  EXPECT_NE(test::TempFolder::ReadFile(folder / "o.txt").find("<MagnifyWindowPosition 5, 6, 270, 260>"),
            std::string::npos);
}

TEST_F(OptionsFileWriter, AFailedWriteReportsFalseAndLeavesNothingHalfWritten) {
  EXPECT_FALSE(WriteOptionsFile(folder.Text() + L"missing folder/o.txt", options, placements, true, {}));
  EXPECT_FALSE(placements.FindKey(L"MagnifyWindowPosition")->loadedFromFile);

  // The target cannot be replaced (it is a folder): it stays as it was and no side file is left.
  std::filesystem::create_directories(folder / "taken.txt" / "inside");
  EXPECT_FALSE(WriteOptionsFile(Path("taken.txt"), options, placements, false, {}));
  EXPECT_TRUE(std::filesystem::exists(folder / "taken.txt" / "inside"));
  EXPECT_FALSE(std::filesystem::exists(folder / "taken.txt.new"));

  // A successful write replaces a longer old file completely.
  test::TempFolder::WriteFile(folder / "o.txt", std::string(9000, 'x'));
  ASSERT_TRUE(WriteOptionsFile(Path("o.txt"), options, placements, false, {}));
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "o.txt"), FormatOptionsFile(options, placements, false, {}));
}

TEST_F(OptionsFileWriter, WarnsWhenTheFileWouldNotBeReadBackWhole) {
  for (int i = 0; i < 9; ++i) options.RegisterText(L"Folder" + std::to_wstring(i), std::wstring(500, L'f'));
  ASSERT_TRUE(WriteOptionsFile(Path("big.txt"), options, placements, false, {}));
  EXPECT_NE(log.Text().find(L"WARNING: options file sections begin beyond byte 4096; they will not be read at "
                            L"start-up\r\n"),
            std::wstring::npos);
}

}  // namespace
}  // namespace zuna

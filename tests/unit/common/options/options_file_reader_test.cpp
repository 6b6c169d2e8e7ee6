#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/options/options_file.h"
#include "common/text/path_text.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

// Untimed log entries as the user reads them.
std::wstring Untimed(const std::wstring& text) {
  return L"\r\n" + text;
}

std::string File(const std::string& windows, const std::string& texts, const std::string& booleans,
                 const std::string& others) {
  return "<-Window Positions->\n" + windows + "\n<-Text Options->\n" + texts + "\n<-Boolean Options->\n" + booleans +
         "\n<-Other Options->\n" + others;
}

class OptionsFileReader : public ::testing::Test {
 protected:
  OptionsFileReader() {
    placements.Register(&mainWindow, L"MainWindowPosition", 640, 480);
    placements.Register(&logWindow, L"MessageWindowPosition", 600, 467);
    options.RegisterText(L"VideoDirectory");
    options.RegisterText(L"VideoNamePrefix", L"default");
    options.RegisterBoolean(L"DateTimeAtEnd");
    options.RegisterBoolean(L"AutostartGPS", true);
    options.RegisterBoolean(L"TimeLapseEnable");
  }

  bool Parse(const std::string& bytes) {
    return ParseOptionsText(bytes, options, placements, [this](const std::wstring& key, const std::wstring& value) {
      others.push_back({key, value});
    });
  }

  PlacementEntry& Window(const wchar_t* key) { return *placements.FindKey(key); }

  test::ScopedMemoryLog log;
  OptionTables options;
  PlacementTable placements;
  std::vector<OptionEntry> others;
  int mainWindow = 0;
  int logWindow = 0;
};

TEST_F(OptionsFileReader, ReadsEverySectionIntoBothCopies) {
  ASSERT_TRUE(Parse(File("    <MainWindowPosition -1930, -8, 800, 600>\n",
                         "    <VideoDirectory C:\\My Videos\\Night 1\\>\n    <VideoNamePrefix caf\xE9>\n",
                         "    <DateTimeAtEnd true>\n    <AutostartGPS false>\n",
                         "    <UseCodecUSB2.0Grabber 1>\n    <ExcludedVideoSource Old Cam>\n")));

  const PlacementEntry& main = Window(L"MainWindowPosition");
  EXPECT_TRUE(main.loadedFromFile);
  EXPECT_EQ(main.fileRect, (Rect{-1930, -8, -1130, 592}));
  EXPECT_EQ(main.currentRect, main.fileRect);
  EXPECT_FALSE(Window(L"MessageWindowPosition").loadedFromFile);

  const TextOption* folder = options.FindText(L"VideoDirectory");
  EXPECT_EQ(folder->value, L"C:\\My Videos\\Night 1\\");
  EXPECT_EQ(folder->saveValue, folder->value);
  EXPECT_EQ(options.Text(L"VideoNamePrefix"), L"caf\u00E9");

  EXPECT_TRUE(options.FindBoolean(L"DateTimeAtEnd")->saveValue);
  EXPECT_TRUE(options.FindBoolean(L"DateTimeAtEnd")->readFromFile);
  EXPECT_FALSE(options.Boolean(L"AutostartGPS"));
  EXPECT_FALSE(options.FindBoolean(L"AutostartGPS")->saveValue);
  EXPECT_FALSE(options.FindBoolean(L"TimeLapseEnable")->readFromFile);

  const std::vector<OptionEntry> expected{{L"UseCodecUSB2.0Grabber", L"1"}, {L"ExcludedVideoSource", L"Old Cam"}};
  EXPECT_EQ(others, expected);
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(OptionsFileReader, BooleanIsTrueOnlyForALowerCaseT) {
  options.RegisterBoolean(L"A");
  options.RegisterBoolean(L"B");
  options.RegisterBoolean(L"C");
  ASSERT_TRUE(Parse(File("", "", "    <A TRUE>\n    <B t>\n    <C tree>\n    <DateTimeAtEnd false>\n", "")));
  EXPECT_FALSE(options.Boolean(L"A"));
  EXPECT_TRUE(options.Boolean(L"B"));
  EXPECT_TRUE(options.Boolean(L"C"));
  EXPECT_FALSE(options.Boolean(L"DateTimeAtEnd"));
}

TEST_F(OptionsFileReader, FirstMarkerMustStartWithinTheFirst65Bytes) {
  const std::string body = File("    <MainWindowPosition 1, 2, 3, 4>\n", "", "", "");
  EXPECT_TRUE(Parse(std::string(64, ' ') + body));
  EXPECT_EQ(log.Text(), L"");
  EXPECT_FALSE(Parse(std::string(65, ' ') + body));
  EXPECT_EQ(log.Text(), Untimed(L"Logic error: options file missing <-Window Positions-> text\r\n"));
}

TEST_F(OptionsFileReader, EachMissingMarkerNamesItselfAndKeepsWhatWasReadBefore) {
  EXPECT_FALSE(Parse("<-Window Positions->\n    <MainWindowPosition 1, 2, 3, 4>\n"));
  EXPECT_FALSE(Window(L"MainWindowPosition").loadedFromFile);  // its section never closed

  EXPECT_FALSE(
      Parse("<-Window Positions->\n    <MainWindowPosition 1, 2, 3, 4>\n<-Text Options->\n"
            "    <VideoDirectory D:\\>\n"));
  EXPECT_TRUE(Window(L"MainWindowPosition").loadedFromFile);
  EXPECT_EQ(options.Text(L"VideoDirectory"), L"");

  EXPECT_FALSE(
      Parse("<-Window Positions->\n<-Text Options->\n    <VideoDirectory D:\\>\n<-Boolean Options->\n"
            "    <DateTimeAtEnd true>\n"));
  EXPECT_EQ(options.Text(L"VideoDirectory"), L"D:\\");
  EXPECT_FALSE(options.Boolean(L"DateTimeAtEnd"));

  EXPECT_EQ(log.Text(), Untimed(L"Logic error: options file missing <-Text Options-> text\r\n") +
                            Untimed(L"Logic error: options file missing <-Boolean Options-> text\r\n") +
                            Untimed(L"Logic error: options file missing <-Other Options-> text\r\n"));
}

TEST_F(OptionsFileReader, LaterMarkersMustStartByByte4096) {
  // Blank lines in the boolean section move the last marker to exactly 4096, then one further.
  const std::string head = "<-Window Positions->\n<-Text Options->\n<-Boolean Options->\n";
  const std::string other = "<-Other Options->\n    <Key value>\n";
  EXPECT_TRUE(Parse(head + std::string(4096 - head.size(), '\n') + other));
  EXPECT_EQ(others.size(), 1u);
  EXPECT_FALSE(Parse(head + std::string(4097 - head.size(), '\n') + other));
  EXPECT_EQ(others.size(), 1u);
  EXPECT_EQ(log.Text(), Untimed(L"Logic error: options file missing <-Other Options-> text\r\n"));
}

TEST_F(OptionsFileReader, AnUnknownWindowSkipsItsLineAndAnUnknownOptionEndsItsSection) {
  ASSERT_TRUE(Parse(File("    <RetiredWindowPosition 1, 2, 3, 4>\n    <MainWindowPosition 5, 6, 7, 8>\n",
                         "    <RetiredOption x>\n    <VideoDirectory D:\\>\n",
                         "    <DateTimeAtEnd true>\n    <RetiredFlag true>\n    <TimeLapseEnable true>\n",
                         "    <Anything goes>\n")));
  EXPECT_TRUE(Window(L"MainWindowPosition").loadedFromFile);
  EXPECT_EQ(Window(L"MainWindowPosition").fileRect, (Rect{5, 6, 12, 14}));
  EXPECT_EQ(options.Text(L"VideoDirectory"), L"");
  EXPECT_EQ(options.Text(L"VideoNamePrefix"), L"default");
  EXPECT_TRUE(options.Boolean(L"DateTimeAtEnd"));
  EXPECT_FALSE(options.Boolean(L"TimeLapseEnable"));
  EXPECT_EQ(others.size(), 1u);
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(OptionsFileReader, KeysAreExactAndLongKeysNameNothing) {
  // A 70-byte key whose first 63 bytes equal a registered key must not be taken for it.
  const std::wstring key63(63, L'K');
  options.RegisterText(key63);
  ASSERT_TRUE(Parse(File("", "    <" + std::string(70, 'K') + " long>\n", "    <datetimeatend true>\n", "")));
  EXPECT_EQ(options.Text(key63), L"");
  EXPECT_FALSE(options.Boolean(L"DateTimeAtEnd"));
  ASSERT_TRUE(Parse(File("", "    <" + std::string(63, 'K') + " fits>\n", "", "")));
  EXPECT_EQ(options.Text(key63), L"fits");
}

TEST_F(OptionsFileReader, TextValuesAreCutAndMustCloseOnTheirLine) {
  ASSERT_TRUE(Parse(File("", "    <VideoDirectory " + std::string(600, 'v') + ">\n", "", "")));
  EXPECT_EQ(options.Text(L"VideoDirectory"), std::wstring(511, L'v'));

  // A missing ">" must not swallow the next entry into the value.
  ASSERT_TRUE(Parse(File("", "    <VideoNamePrefix broken\n    <VideoDirectory E:\\>\n", "", "")));
  EXPECT_EQ(options.Text(L"VideoNamePrefix"), L"default");
  EXPECT_EQ(options.Text(L"VideoDirectory"), std::wstring(511, L'v'));
}

TEST_F(OptionsFileReader, WindowValuesSkipTwoCharactersAndMustBeNumbers) {
  ASSERT_TRUE(
      Parse(File("    <MainWindowPosition 10, 20, 300, 400>\n    <MessageWindowPosition 1, x, 3, 4>\n", "", "", "")));
  EXPECT_EQ(Window(L"MainWindowPosition").fileRect, (Rect{10, 20, 310, 420}));
  EXPECT_FALSE(Window(L"MessageWindowPosition").loadedFromFile);

  // Edges beyond the 32-bit range and cut-off entries are refused rather than wrapped or overrun.
  placements.Entries()[0].loadedFromFile = false;
  ASSERT_TRUE(Parse(File("    <MainWindowPosition 2147483647, 0, 10, 10>\n", "", "", "")));
  ASSERT_TRUE(Parse(File("    <MainWindowPosition 99999999999, 0, 10, 10>\n", "", "", "")));
  ASSERT_TRUE(
      Parse("<-Window Positions->\n    <MainWindowPosition 1, 2<-Text Options->\n<-Boolean Options->\n"
            "<-Other Options->\n"));
  EXPECT_FALSE(Window(L"MainWindowPosition").loadedFromFile);
}

TEST_F(OptionsFileReader, OtherEntriesNeedABlankAndAClose) {
  ASSERT_TRUE(Parse(File("", "", "", "    <VConfig Cam|30|720x480|1|2|3|4|5|6|NTSC>\n    <NoBlank>\n")));
  ASSERT_EQ(others.size(), 1u);
  EXPECT_EQ(others[0].value, L"Cam|30|720x480|1|2|3|4|5|6|NTSC");
  ASSERT_TRUE(Parse(File("", "", "", "    <UseCodecCam 1")));
  EXPECT_EQ(others.size(), 1u);
}

TEST(OptionsFileRead, MissingEmptyNamedAndOverlongFiles) {
  test::ScopedMemoryLog log;
  test::TempFolder folder;
  OptionTables options;
  PlacementTable placements;
  EXPECT_FALSE(ReadOptionsFile(folder.Text() + L"absent.txt", options, placements));
  EXPECT_EQ(log.Text(), L"");
  EXPECT_FALSE(ReadOptionsFile(L"", options, placements));
  EXPECT_EQ(log.Text(), Untimed(L"Logic error: attempting to read options file with 0 file name\r\n"));

  // 10,000 bytes: an entry that ends before byte 8191 is read, one that straddles it is not.
  std::string bytes = File("", "", "", "");
  bytes += std::string(8191 - 20 - bytes.size(), '\n') + "    <Key fits>\n";
  bytes += "    <Key gone>\n";
  bytes.resize(10000, '\n');
  test::TempFolder::WriteFile(folder / "long.txt", bytes);
  std::vector<std::wstring> values;
  EXPECT_TRUE(ReadOptionsFile(folder.Text() + L"long.txt", options, placements,
                              [&](const std::wstring&, const std::wstring& value) { values.push_back(value); }));
  EXPECT_EQ(values, std::vector<std::wstring>{L"fits"});
  EXPECT_NE(log.Text().find(L"WARNING: options file is longer than 8191 bytes; entries beyond are ignored\r\n"),
            std::wstring::npos);
}

TEST(OptionsFilePath, DevelopmentTreeReadsFromRelease) {
  EXPECT_EQ(OptionsFilePath(L"C:\\ZUNA\\", false, L"ZUNA_options_capture.txt"),
            L"C:\\ZUNA\\OptionsFiles\\ZUNA_options_capture.txt");
  EXPECT_EQ(OptionsFilePath(L"C:\\ZUNA\\", true, L"ZUNA_options_playback.txt"),
            L"C:\\ZUNA\\Release\\OptionsFiles\\ZUNA_options_playback.txt");
}

}  // namespace
}  // namespace zuna

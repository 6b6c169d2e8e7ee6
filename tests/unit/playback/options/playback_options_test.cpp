#include "playback/options/playback_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "common/text/path_text.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

class PlaybackOptionsTest : public ::testing::Test {
 protected:
  explicit PlaybackOptionsTest(std::wstring currentDirectory = L"C:\\ZUNA\\")
      : common(ProgramKind::kPlayback, clock, {std::move(currentDirectory), folder.Text(), L""}) {
    common.Log().SetReady(&sink);
    for (const WindowPositionKey& w : kCommonWindowPositions) {
      RegisterWindowPosition(common.Placements(), w.key, {nullptr, w.defaultWidth, w.defaultHeight});
    }
    EXPECT_TRUE(playback.RegisterPlaybackOptions());
    EXPECT_TRUE(playback.RegisterPlaybackWindowPositions({&windows[0], 400, 300}, &windows[1], &windows[2], &windows[4],
                                                         [this](int id) { return id == 17 ? &windows[3] : nullptr; }));
  }

  void WriteOptionsFile(const std::string& bytes) {
    const std::filesystem::path path = ToFsPath(playback.OptionsFilePath());
    std::filesystem::create_directories(path.parent_path());
    test::TempFolder::WriteFile(path, bytes);
  }

  test::FakeClock clock;
  test::MemorySink sink;
  test::TempFolder folder;
  ZunaCommon common;
  PlaybackOptions playback{common};
  int windows[5] = {};
};

TEST_F(PlaybackOptionsTest, RegistersItsKeysAndWindows) {
  std::vector<std::wstring> keys;
  for (const TextOption& o : common.Options().TextOptions()) keys.push_back(o.key);
  for (const BooleanOption& o : common.Options().BooleanOptions()) keys.push_back(o.key);
  EXPECT_EQ(keys, (std::vector<std::wstring>{L"PixelSaturationValue", L"MessageFileDirectory", L"DateTimeAtEnd",
                                             L"DisableMagnifyClamp", L"UseWindowRenderer"}));

  const std::vector<PlacementEntry>& entries = common.Placements().Entries();
  ASSERT_EQ(entries.size(), 5u + 4u + 22u);
  EXPECT_EQ(entries[5].key, L"MainWindowPosition");
  EXPECT_EQ(entries[5].fileRect, (Rect{0, 0, 400, 300}));
  EXPECT_EQ(entries[6].key, L"PlaybackControlsWindowPosition");
  EXPECT_EQ(entries[6].fileRect, (Rect{0, 0, 636, 230}));
  EXPECT_EQ(entries[7].key, L"MiscellaneousOptionsWindowPosition");
  EXPECT_EQ(entries[7].window, &windows[2]);
  EXPECT_EQ(entries[8].key, L"LightCurveWindowPosition");
  EXPECT_EQ(entries[8].window, &windows[4]);
  EXPECT_EQ(entries[9 + 17].key, L"Help17WindowPosition");
  EXPECT_EQ(entries[9 + 17].window, &windows[3]);
}

TEST_F(PlaybackOptionsTest, FirstStartWithoutAFileUsesTheDefaults) {
  EXPECT_FALSE(playback.ReadPlaybackOptions());
  EXPECT_EQ(sink.text, L"\r\nNo Options File or unreadable Options File\r\n");
  EXPECT_EQ(common.Options().Text(kPixelSaturationValueKey), L"255");
  EXPECT_EQ(common.State().saturationLevel, 255);
  playback.FillDefaultFolders(L"C:\\Program Files\\ZUNA\\");
  EXPECT_EQ(common.Options().FindText(kMessageFileDirectoryKey)->saveValue,
            L"C:\\Program Files\\ZUNA\\MessageFilesVP\\");
}

TEST_F(PlaybackOptionsTest, PixelSaturationValueMinusOneReadsAs255) {
  for (const auto& [stored, level, kept] : std::vector<std::tuple<std::string, int, std::wstring>>{
           {"-1", 255, L"255"}, {"200", 200, L"200"}, {"bright", 255, L"255"}, {"9999", 255, L"255"}}) {
    WriteOptionsFile("<-Window Positions->\n\n<-Text Options->\n    <PixelSaturationValue " + stored +
                     ">\n    <MessageFileDirectory D:\\My Logs\\>\n\n<-Boolean Options->\n    <DateTimeAtEnd true>\n"
                     "\n<-Other Options->\n");
    EXPECT_TRUE(playback.ReadPlaybackOptions());
    EXPECT_EQ(common.State().saturationLevel, level) << stored;
    EXPECT_EQ(common.Options().Text(kPixelSaturationValueKey), kept) << stored;
  }
  playback.FillDefaultFolders(L"C:\\ZUNA\\");
  EXPECT_EQ(common.Options().Text(kMessageFileDirectoryKey), L"D:\\My Logs\\");
  EXPECT_TRUE(common.Options().Boolean(kDateTimeAtEndKey));
  EXPECT_EQ(sink.text, L"");
}

TEST_F(PlaybackOptionsTest, SaveWindowPositionsConfirmsOnlyAWrittenFile) {
  playback.SaveWindowPositions();
  EXPECT_EQ(sink.text,
            L"\r\n21:07:09 (UTC)\r\nWARNING: cannot save ZUNA_options_playback.txt file in process directory - write "
            L"protected?\r\n");
  sink.text.clear();

  std::filesystem::create_directories(folder / "OptionsFiles");
  common.Placements().MarkMoving(&windows[1]);
  common.Placements().RecordMove(&windows[1], {-700, 500, 0, 0}, false);
  playback.SaveWindowPositions();
  EXPECT_EQ(sink.text, L"\r\n21:07:09 (UTC)\r\nWindow positions are saved in playback options file\r\n");
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "OptionsFiles" / "ZUNA_options_playback.txt"),
            "<-Window Positions->\n    <PlaybackControlsWindowPosition -700, 500, 636, 230>\n"
            "\n<-Text Options->\n\n<-Boolean Options->\n\n<-Other Options->\n");
  EXPECT_TRUE(playback.SaveOptionsFile());
}

class PlaybackOptionsInDevelopmentTree : public PlaybackOptionsTest {
 protected:
  PlaybackOptionsInDevelopmentTree() : PlaybackOptionsTest(L"D:\\src\\ZUNA_Applications_V_2_4\\") {}
};

TEST_F(PlaybackOptionsInDevelopmentTree, ReadsFromRelease) {
  EXPECT_EQ(playback.OptionsFilePath(), folder.Text() + L"Release\\OptionsFiles\\ZUNA_options_playback.txt");
  WriteOptionsFile(
      "<-Window Positions->\n    <MainWindowPosition 1000, 0, 400, 300>\n\n<-Text Options->\n"
      "\n<-Boolean Options->\n    <DisableMagnifyClamp true>\n\n<-Other Options->\n");
  EXPECT_TRUE(playback.ReadPlaybackOptions());
  EXPECT_TRUE(common.Options().Boolean(kDisableMagnifyClampKey));
  EXPECT_TRUE(common.Placements().FindKey(L"MainWindowPosition")->loadedFromFile);
}

}  // namespace
}  // namespace zuna

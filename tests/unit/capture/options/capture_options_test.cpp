#include "capture/options/capture_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "capture/options/filter_name_characters.h"
#include "common/text/path_text.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

const std::wstring kTimedWarning =
    L"\r\n21:07:09 (UTC)\r\nWARNING: cannot save ZUNA_options_capture.txt file in process directory - write "
    L"protected?\r\n";

class CaptureOptionsTest : public ::testing::Test {
 protected:
  explicit CaptureOptionsTest(std::wstring currentDirectory = L"C:\\ZUNA\\")
      : common(ProgramKind::kCapture, clock, {std::move(currentDirectory), folder.Text(), L""}) {
    common.Log().SetReady(&sink);
    for (const WindowPositionKey& w : kCommonWindowPositions) {
      RegisterWindowPosition(common.Placements(), w.key, {nullptr, w.defaultWidth, w.defaultHeight});
    }
    EXPECT_TRUE(capture.RegisterCaptureOptions());
    EXPECT_TRUE(capture.RegisterCaptureWindowPositions(
        [this](CaptureWindow w) {
          return WindowSlot{&windows[static_cast<int>(w)], 300, 200};
        },
        [this](int id) { return id == 0 ? &windows[17] : nullptr; }));
  }

  void ApplyText(std::wstring_view key, std::wstring_view value) {
    common.Options().SetText(key, value);
    capture.ApplyCaptureOptions();
  }

  test::FakeClock clock;
  test::MemorySink sink;
  test::TempFolder folder;
  ZunaCommon common;
  CaptureOptions capture{common};
  int windows[18] = {};
};

TEST_F(CaptureOptionsTest, KeysFollowTheCommonOnesInTheirDocumentedOrder) {
  std::vector<std::wstring> texts;
  for (const TextOption& o : common.Options().TextOptions()) texts.push_back(o.key);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"PixelSaturationValue", L"VideoNamePrefix", L"VideoDirectory",
                                              L"LogfileNamePrefix", L"UserMessagesDirectory", L"EventFileGlobalPrefix",
                                              L"DefaultDuration", L"EventPendingDisplay", L"DefaultVideoSource",
                                              L"TimeLapseCount"}));
  std::vector<std::wstring> booleans;
  for (const BooleanOption& o : common.Options().BooleanOptions()) booleans.push_back(o.key);
  EXPECT_EQ(booleans,
            (std::vector<std::wstring>{
                L"DateTimeAtEnd", L"DisableMagnifyClamp", L"UseWindowRenderer", L"RecordButtonsSpace",
                L"DisplayOffWhileRecording", L"RemoveFiltersWhileRecording", L"TimerOffWhileRecording", L"AutostartGPS",
                L"EnableStartStopBeep", L"EnableEventBeep", L"TimeLapseType", L"TimeLapseEnable"}));

  const std::vector<PlacementEntry>& entries = common.Placements().Entries();
  ASSERT_EQ(entries.size(), 5u + 17u + 21u);
  EXPECT_EQ(entries[0].key, L"MessageWindowPosition");
  EXPECT_EQ(entries[5].key, L"MainWindowPosition");
  EXPECT_EQ(entries[5].window, &windows[0]);
  EXPECT_EQ(entries[21].key, L"ImportXmlEventsWindowPosition");
  EXPECT_EQ(entries[21].window, &windows[16]);
  EXPECT_EQ(entries[22].key, L"Help0WindowPosition");
  EXPECT_EQ(entries[22].window, &windows[17]);
  EXPECT_EQ(entries[22].helpId, 0);
  EXPECT_EQ(entries[42].key, L"Help20WindowPosition");
  EXPECT_EQ(entries[42].fileRect, (Rect{0, 0, 800, 600}));

  // Registering again adds nothing.
  EXPECT_TRUE(capture.RegisterCaptureOptions());
  EXPECT_TRUE(capture.RegisterCaptureWindowPositions({}, {}));
  EXPECT_EQ(common.Options().TextOptions().size(), 10u);
  EXPECT_EQ(common.Placements().Entries().size(), 43u);
}

TEST_F(CaptureOptionsTest, DefaultDurationParsesOnlyATimeOfDay) {
  const CalendarTime builtIn = kBuiltInRecordingDuration;
  ApplyText(kDefaultDurationKey, L"01:30:00");
  EXPECT_EQ(capture.Settings().defaultDuration, (CalendarTime{1943, 5, 3, 1, 30, 0, 0}));
  for (const wchar_t* bad : {L"", L"1:30", L"ab:cd:ef", L"24:00:00", L"00:60:00", L"-1:00:00"}) {
    capture.Settings().defaultDuration = builtIn;
    ApplyText(kDefaultDurationKey, bad);
    EXPECT_EQ(capture.Settings().defaultDuration, builtIn) << bad;
  }
  EXPECT_EQ(ParseDefaultDuration(L" 2: 5:09 and more"), (CalendarTime{1943, 5, 3, 2, 5, 9, 0}));
  EXPECT_EQ(ParseDefaultDuration(L"123:00:00"), std::nullopt);  // a third digit is no separator
}

TEST_F(CaptureOptionsTest, EventPendingDisplayShowsUtcOnlyForUtc) {
  ApplyText(kEventPendingDisplayKey, L"UTC");
  EXPECT_TRUE(capture.Settings().showUtc);
  ApplyText(kEventPendingDisplayKey, L"utc");
  EXPECT_FALSE(capture.Settings().showUtc);
  ApplyText(kEventPendingDisplayKey, L"");
  EXPECT_FALSE(capture.Settings().showUtc);
  EXPECT_EQ(common.Options().FindText(kEventPendingDisplayKey)->saveValue, L"COUNTDOWN");
}

TEST_F(CaptureOptionsTest, ApplyCopiesRuntimeFlagsAndLevels) {
  OptionTables& options = common.Options();
  options.SetBoolean(kDisplayOffWhileRecordingKey, true);
  options.SetBoolean(kTimerOffWhileRecordingKey, true);
  options.SetText(kPixelSaturationValueKey, L"180");
  options.SetText(kTimeLapseCountKey, L"30");
  capture.ApplyCaptureOptions();
  const CommonState& state = common.State();
  EXPECT_TRUE(state.displayOffWhileRecording);
  EXPECT_FALSE(state.removeFiltersWhileRecording);
  EXPECT_TRUE(state.timerOffWhileRecording);
  EXPECT_EQ(state.saturationLevel, 180);
  EXPECT_EQ(state.timeLapseCount, 30);

  options.SetText(kTimeLapseCountKey, L"123456");
  options.SetText(kPixelSaturationValueKey, L"-1");
  capture.ApplyCaptureOptions();
  EXPECT_EQ(state.timeLapseCount, 0);
  EXPECT_EQ(state.saturationLevel, 255);

  capture.FillDefaultFolders(L"C:\\ZUNA\\");
  EXPECT_EQ(options.Text(kVideoDirectoryKey), L"C:\\ZUNA\\VideoFiles\\");
  EXPECT_EQ(options.FindText(kUserMessagesDirectoryKey)->saveValue, L"C:\\ZUNA\\MessageFilesVC\\");
}

TEST_F(CaptureOptionsTest, NamePrefixesFromTheFileAreFilteredAsTheWindowFiltersThem) {
  OptionTables& options = common.Options();
  options.SetText(kVideoNamePrefixKey, L"..\\..\\C:evil");
  options.SetText(kLogfileNamePrefixKey, L"night 1");
  options.SetText(kEventFileGlobalPrefixKey, L"observatory-north");
  capture.ApplyCaptureOptions();
  EXPECT_EQ(options.Text(kVideoNamePrefixKey), L"Cevil");
  EXPECT_EQ(options.FindText(kVideoNamePrefixKey)->saveValue, L"Cevil");
  EXPECT_EQ(options.Text(kLogfileNamePrefixKey), L"night 1");
  EXPECT_EQ(options.Text(kEventFileGlobalPrefixKey), L"observatory-");  // 12 characters at most
  EXPECT_NE(sink.text.find(L"WARNING: VideoNamePrefix in the options file becomes \"Cevil\""), std::wstring::npos);
  EXPECT_EQ(sink.text.find(L"LogfileNamePrefix"), std::wstring::npos);
}

TEST_F(CaptureOptionsTest, SavingConfirmsOnlyWhatWasWritten) {
  // No "OptionsFiles" folder yet: nothing can be written.
  EXPECT_FALSE(capture.SaveOptionsFile());
  EXPECT_EQ(sink.text, kTimedWarning);
  sink.text.clear();
  capture.SaveWindowPositions();
  EXPECT_EQ(sink.text, kTimedWarning);

  std::filesystem::create_directories(folder / "OptionsFiles");
  sink.text.clear();
  CaptureOptions::ReportSave(capture.SaveCaptureOptions(), L"Default duration saved in capture options file\r\n");
  EXPECT_EQ(sink.text, L"\r\n21:07:09 (UTC)\r\nDefault duration saved in capture options file\r\n");
}

TEST_F(CaptureOptionsTest, SaveWindowPositionsWritesMovedWindowsAndNodes) {
  std::filesystem::create_directories(folder / "OptionsFiles");
  PlacementTable& placements = common.Placements();
  placements.MarkMoving(&windows[0]);
  placements.RecordMove(&windows[0], {-1500, 40, 0, 0}, false);
  placements.RecordMove(&windows[1], {10, 10, 0, 0}, false);  // moved by the program: not saved
  SetCodecChoice(capture.Nodes(), L"USB2.0Grabber", 1);
  common.Options().SetText(kVideoDirectoryKey, L"D:\\Night Sky\\");
  capture.SaveWindowPositions();

  EXPECT_EQ(test::TempFolder::ReadFile(folder / "OptionsFiles" / "ZUNA_options_capture.txt"),
            "<-Window Positions->\n    <MainWindowPosition -1500, 40, 300, 200>\n"
            "\n<-Text Options->\n    <VideoDirectory D:\\Night Sky\\>\n"
            "\n<-Boolean Options->\n"
            "\n<-Other Options->\n    <UseCodecUSB2.0Grabber 1>\n");
  EXPECT_EQ(sink.text, L"\r\n21:07:09 (UTC)\r\nWindow positions are saved in capture options file\r\n");
}

class CaptureOptionsInDevelopmentTree : public CaptureOptionsTest {
 protected:
  CaptureOptionsInDevelopmentTree() : CaptureOptionsTest(L"C:\\Work\\ZUNA_Applications_V_2_4\\x64\\") {}
};

TEST_F(CaptureOptionsInDevelopmentTree, ReadsFromReleaseAndWritesTheSameFileBack) {
  EXPECT_EQ(capture.OptionsFilePath(), folder.Text() + L"Release\\OptionsFiles\\ZUNA_options_capture.txt");
  const std::string file =
      "<-Window Positions->\n    <CountdownWindowPosition 100, -20, 300, 200>\n"
      "\n<-Text Options->\n    <VideoNamePrefix obs1>\n    <DefaultDuration 00:04:00>\n"
      "    <EventPendingDisplay UTC>\n"
      "\n<-Boolean Options->\n    <AutostartGPS true>\n    <TimeLapseEnable true>\n"
      "\n<-Other Options->\n    <UseCodecUSB2.0Grabber 0>\n    <ExcludedVideoSource Old Cam>\n"
      "    <VConfig USB2.0 Grabber|30|720x480|128|64|0|90|3|-2|NTSC>\n";
  const std::filesystem::path path = ToFsPath(capture.OptionsFilePath());
  std::filesystem::create_directories(path.parent_path());
  test::TempFolder::WriteFile(path, file);

  ASSERT_TRUE(capture.ReadCaptureOptions());
  capture.ApplyCaptureOptions();
  EXPECT_TRUE(capture.Settings().showUtc);
  EXPECT_EQ(capture.Settings().defaultDuration.minute, 4);
  EXPECT_EQ(capture.Nodes().configurations.size(), 1u);
  EXPECT_TRUE(common.Options().Boolean(kAutostartGpsKey));
  std::vector<VideoSourceInfo> devices{MakeVideoSourceInfo(L"USB2.0 Grabber")};
  MatchDevicesWithSavedOptions(devices, capture.Nodes());
  EXPECT_TRUE(devices[0].codecChosen);
  EXPECT_EQ(devices[0].useCodec, 0);

  ASSERT_TRUE(capture.SaveCaptureOptions());
  EXPECT_EQ(test::TempFolder::ReadFile(path), file);
  EXPECT_EQ(sink.text, L"");
}

TEST(FilterNameCharacters, PlainSetDropsDotsAndTheExtendedSetKeepsThem) {
  std::wstring host = L"LAB.PC-01";
  EXPECT_TRUE(FilterNameCharacters(host, false));
  EXPECT_EQ(host, L"LABPC-01");
  host = L"LAB.PC-01";
  EXPECT_FALSE(FilterNameCharacters(host, true));
  EXPECT_EQ(host, L"LAB.PC-01");

  std::wstring mixed = L"a#()*+.:[]{}_ 9/\\\u00E9\t";
  EXPECT_TRUE(FilterNameCharacters(mixed, true));
  EXPECT_EQ(mixed, L"a#()*+.:[]{}_ 9");
  EXPECT_TRUE(FilterNameCharacters(mixed, false));
  EXPECT_EQ(mixed, L"a_ 9");
  EXPECT_FALSE(FilterNameCharacters(mixed, false));
}

}  // namespace
}  // namespace zuna

#include "capture/recording/recording_log.h"

#include <gtest/gtest.h>

#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

RecordingLogFacts ManualFacts() {
  RecordingLogFacts f;
  f.startMessage = L"Start recording at 21:05:09 (UTC)";
  f.stopMessage = L"Stop recording at 21:15:10 (UTC)";
  f.videoFile = L"C:\\Capture\\VideoFiles\\2024_03_07_21_05_09.avi";
  f.deviceName = L"USB Grabber";
  f.standardName = L"NTSC_M";
  f.frameRate = L"30";
  f.frameSize = L"720x480";
  f.codecName = L"Lagarith Lossless Codec";
  return f;
}

TEST(RecordingLog, AManualRecordingWithoutGps) {
  EXPECT_EQ(BuildRecordingLogText(ManualFacts()),
            L"Manual recording\r\n"
            L"Start recording at 21:05:09 (UTC)\r\n"
            L"Stop recording at 21:15:10 (UTC)\r\n"
            L"Video file:  C:\\Capture\\VideoFiles\\2024_03_07_21_05_09.avi\r\n"
            L"Video source device: USB Grabber\r\n"
            L"Source device video standard: NTSC_M\r\n"
            L"Frame rate: 30\r\n"
            L"Frame size: 720x480\r\n"
            L"Codec: Lagarith Lossless Codec\r\n");
}

TEST(RecordingLog, ATimeLapseRecordingSaysItsModeAfterTheCodec) {
  RecordingLogFacts f = ManualFacts();
  f.timeLapse = TimeLapseInUse{true, 10};
  EXPECT_NE(BuildRecordingLogText(f).find(
                L"\r\nCodec: Lagarith Lossless Codec\r\nTime lapse: one frame every 10 seconds\r\n"),
            std::wstring::npos);
  EXPECT_EQ(TimeLapseLine({true, 1}), L"Time lapse: one frame every 1 second");
  EXPECT_EQ(TimeLapseLine({false, 5}), L"Time lapse: one frame in every 5 frames");
  EXPECT_EQ(TimeLapseLine({false, 1}), L"Time lapse: one frame in every 2 frames");  // as the filter keeps them
}

TEST(RecordingLog, AnEventRecordingWithGpsDisplayOffAndTotals) {
  RecordingLogFacts f = ManualFacts();
  f.eventRecording = true;
  f.gps = GpsFixTexts{L" 48.117300 N", L" 11.516667 E", L"", L" 8"};
  f.frameRate.reset();
  f.frameSize.reset();
  f.codecName = L"NONE";
  f.displayOff = true;
  RecordingTotals totals;
  totals.framesWritten = 300;
  totals.framesDropped = 2;
  totals.firstFrameKnown = true;
  totals.firstFrameUtc = *ToFileTime({2024, 3, 7, 21, 5, 9, 40});
  f.totals = totals;
  f.frameTimesFile = L"2024_03_07_21_05_09.frames.csv";
  EXPECT_EQ(BuildRecordingLogText(f),
            L"Event recording: \r\n"
            L"Start recording at 21:05:09 (UTC)\r\n"
            L"Stop recording at 21:15:10 (UTC)\r\n"
            L"Video file:  C:\\Capture\\VideoFiles\\2024_03_07_21_05_09.avi\r\n"
            L"Latitude:  48.117300 N\r\n"
            L"Longitude:  11.516667 E\r\n"
            L"Altitude value not available\r\n"
            L"Number of satellites:  8\r\n"
            L"Video source device: USB Grabber\r\n"
            L"Source device video standard: NTSC_M\r\n"
            L"Frame rate: device frame rate unknown\r\n\r\n"
            L"Frame size: device frame size unknown\r\n"
            L"Codec: NONE\r\n"
            L"Video display off during recording\r\n"
            L"First frame: 21:05:09.040 (UTC)\r\n"
            L"Frames recorded: 300, dropped: 2\r\n"
            L"Frame times: 2024_03_07_21_05_09.frames.csv\r\n");
  EXPECT_EQ(FirstFrameLine(RecordingTotals{}), L"First frame: none");
}

TEST(RecordingLog, TheLogSitsBesideTheVideoFile) {
  EXPECT_EQ(RecordingLogPath(L"C:\\V\\a.b\\x.avi"), L"C:\\V\\a.b\\x.txt");
  EXPECT_EQ(RecordingLogPath(L"C:\\V\\x"), L"");
}

TEST(RecordingLog, WrittenWholeInTheCodePageWithItsNote) {
  test::ScopedMemoryLog log;
  test::TempFolder folder;
  const Windows1252CodePage codePage;
  // Far beyond 1024 bytes, in a folder whose name is long too: nothing is cut.
  const std::wstring longFolder = folder.Path().wstring() + L"/" + std::wstring(200, L'f');
  std::filesystem::create_directory(longFolder);
  const std::wstring path = longFolder + L"/" + std::wstring(200, L'n') + L".txt";
  std::wstring text = L"Caf\u00e9 \u65e5?\r\n";
  for (int i = 0; i < 100; ++i) text += L"Video source device: USB Grabber\r\n";
  ASSERT_TRUE(WriteRecordingLog(path, text, codePage));
  const std::string written = test::TempFolder::ReadFile(path);
  EXPECT_EQ(written.size(), text.size());
  EXPECT_EQ(written.substr(0, 9), "Caf\xe9 ??\r\n");
  EXPECT_EQ(
      log.Text().find(L"\r\n\r\nNOTE -- wide character buffer has unexpected bad character.\r\n") != std::wstring::npos,
      true);

  // A file that cannot be written is named in a warning.
  const std::wstring blocked = folder.Path().wstring() + L"/missing/x.txt";
  EXPECT_FALSE(WriteRecordingLog(blocked, L"Manual recording\r\n", codePage));
  EXPECT_NE(log.Text().find(L"WARNING: cannot write recording log " + blocked + L"\r\n"), std::wstring::npos);
}

TEST(RecordingLog, PlainTextLeavesNoNote) {
  test::ScopedMemoryLog log;
  test::TempFolder folder;
  ASSERT_TRUE(WriteRecordingLog((folder / "a.txt").wstring(), L"Is it? Yes?\r\n", Windows1252CodePage()));
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "a.txt"), "Is it? Yes?\r\n");
  EXPECT_EQ(log.Text(), L"");
}

}  // namespace
}  // namespace zuna

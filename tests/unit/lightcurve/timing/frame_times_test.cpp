#include "lightcurve/timing/frame_times.h"

#include <gtest/gtest.h>

#include "lightcurve/timing/recording_log_times.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

// A log as the capture program writes it.
constexpr std::string_view kLog =
    "Manual recording\r\nStart recording at 21:05:09 (UTC)\r\nStop recording at 21:15:09 (UTC)\r\n"
    "Video file:  C:\\VideoFiles\\2024_03_07_21_05_09.avi\r\nVideo source device: Camera\r\n"
    "Source device video standard: NTSC_M\r\nFrame rate: 30\r\nFrame size: 720 x 480\r\nCodec: NONE\r\n"
    "First frame: 21:05:09.123 (UTC)\r\nFrames recorded: 17982, dropped: 0\r\n";

std::string Text(const FrameTimes& t, double position) {
  return TimeOfDayText(t.At(position));
}

TEST(FrameTimes, TakesTheLogsFirstFrameAndTheStreamsOwnRate) {
  const test::TempFolder folder;
  test::TempFolder::WriteFile(folder / "occ_2024_03_07_21_05_09.txt", std::string(kLog));
  std::vector<std::string> warnings;
  const FrameTimes t = FrameTimes::ForVideo(folder / "occ_2024_03_07_21_05_09.avi", 30000, 1001, {}, &warnings);
  EXPECT_EQ(t.Source(), TimeSource::kRecordingLog);
  EXPECT_EQ(Text(t, 0), "21:05:09.1230");
  EXPECT_EQ(Text(t, 300), "21:05:19.1330");  // 300 x 1001/30000 s, not 10 s
  EXPECT_EQ(Text(t, 300.5), "21:05:19.1497");
  EXPECT_EQ(DateText(*t.Date()), "2024-03-07");
  EXPECT_EQ(t.Statement(),
            "Times: UTC, first frame at 21:05:09.1230 from the recording log occ_2024_03_07_21_05_09.txt, then "
            "1001/30000 s per frame, date 2024-03-07; these are the times at which the capture chain stamped each "
            "frame, not corrected for the camera's delay");
  EXPECT_TRUE(warnings.empty());
}

TEST(FrameTimes, CrossesMidnightIntoTheNextDay) {
  FrameTimesInput in{25, 1, "03_07_2024_23_59_59_Vesta", {}, {}, "", "First frame: 00:00:00.500 (UTC)\r\n", "x.txt"};
  std::vector<std::string> warnings;
  FrameTimes t = FrameTimes::Build(in, &warnings);
  EXPECT_EQ(DateText(*t.Date()), "2024-03-08");
  in.logText = "First frame: 23:59:59.900 (UTC)";
  t = FrameTimes::Build(in, &warnings);
  EXPECT_EQ(DateText(*t.Date()), "2024-03-07");
  EXPECT_EQ(Text(t, 3), "00:00:00.0200");
}

TEST(FrameTimes, PrefersTheGivenTimeThenTheFramesFileThenTheLog) {
  const std::int64_t day = DaysFromDate({2024, 3, 7}) * kUtcTicksPerDay;
  const std::int64_t first = day + ParseTimeOfDay("21:05:09.1000").value();
  // Irregular stamps, a dropped slot, and frame 3 not listed.
  const std::string frames = FormatFrameTimesFile(
      {{0, first, false}, {1, first + 410, false}, {2, first + 800, true}, {4, first + 1650, false}});
  FrameTimesInput in{25, 1, "rec", {}, frames, "rec.frames.csv", std::string(kLog), "rec.txt"};
  std::vector<std::string> warnings;
  FrameTimes t = FrameTimes::Build(in, &warnings);
  EXPECT_EQ(t.Source(), TimeSource::kFramesFile);
  EXPECT_EQ(Text(t, 1), "21:05:09.1410");
  EXPECT_EQ(Text(t, 2.5), "21:05:09.2000");
  EXPECT_EQ(Text(t, 3), "21:05:09.2200");  // frame 2 plus a period
  EXPECT_EQ(Text(t, 4), "21:05:09.2650");
  EXPECT_EQ(DateText(*t.Date()), "2024-03-07");

  in.givenFirstFrame = ParseTimeOfDay("01:02:03.456");
  t = FrameTimes::Build(in, &warnings);
  EXPECT_EQ(t.Source(), TimeSource::kGiven);
  EXPECT_EQ(Text(t, 25), "01:02:04.4560");

  in = {25, 1, "rec", {}, {}, "", {}, ""};
  t = FrameTimes::Build(in, &warnings);
  EXPECT_FALSE(t.IsUtc());
  EXPECT_EQ(Text(t, 25), "00:00:01.0000");
  EXPECT_TRUE(t.Statement().starts_with("Times: relative to the first frame"));
}

TEST(FrameTimes, ReportsAFramesFileItCannotUseAndFallsBackToTheLog) {
  std::vector<std::string> warnings;
  const std::string header = std::string(kFrameTimesFirstLine) + "\nframe,utc,flag\n";
  for (const std::string& bad : {header + "0,2024-03-07 21:05:09.1,kept\n0,2024-03-07 21:05:09.2,kept\n",
                                 header + "0,2024-02-30 21:05:09.1,kept\n", header + "0,2024-03-07 21:05:09.1,lost\n",
                                 std::string("frame,utc,flag\n")}) {
    warnings.clear();
    const FrameTimes t =
        FrameTimes::Build({25, 1, "rec", {}, bad, "rec.frames.csv", std::string(kLog), "rec.txt"}, &warnings);
    EXPECT_EQ(t.Source(), TimeSource::kRecordingLog) << bad;
    ASSERT_EQ(warnings.size(), 1u) << bad;
    EXPECT_TRUE(warnings[0].starts_with("rec.frames.csv not used: line ")) << warnings[0];
  }
}

TEST(RecordingLogTimes, ReadsOnlyTheExactForms) {
  EXPECT_EQ(ParseFirstFrameLine("First frame: 21:05:09.123 (UTC)\r"), 759'091'230);
  for (std::string_view bad : {"First frame: none", "First frame: 24:00:00.000 (UTC)", "First frame: 21:05:09.12 (UTC)",
                               "first frame: 21:05:09.123 (UTC)", "First frame: 21:05:09.123"}) {
    EXPECT_FALSE(ParseFirstFrameLine(bad)) << bad;
  }
  EXPECT_EQ(ParseTimeOfDay("23:59:59"), 863'990'000);
  EXPECT_EQ(ParseTimeOfDay("00:00:00.5"), 5000);
  for (std::string_view bad : {"0:00:00", "00:60:00", "00:00:00.", "00:00:00.12345", "00:00:00,5", "aa:bb:cc"}) {
    EXPECT_FALSE(ParseTimeOfDay(bad)) << bad;
  }
  EXPECT_EQ(DateText(TimeFromRecordingName("VESTA_2024_03_07_21_05_09_2")->date), "2024-03-07");
  EXPECT_EQ(TimeFromRecordingName("12_31_2025_23_59_58")->ticks, 863'980'000);
  EXPECT_FALSE(TimeFromRecordingName("2024_02_30_21_05_09"));
  EXPECT_FALSE(TimeFromRecordingName("capture"));
}

}  // namespace
}  // namespace zuna

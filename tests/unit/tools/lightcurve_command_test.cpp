#include "tools/lightcurve_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/star_field_avi.h"
#include "support/temp_folder.h"
#include "video/avi/riff_bytes.h"
#include "video/avi_writer/avi_writer.h"

namespace zuna {
namespace {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun Tool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  ToolRun run;
  run.status = RunLightCurveTool(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(LightCurveTool, MeasuresARecordingWithItsLogAndWritesJsonAndCsv) {
  const test::TempFolder folder;
  test::StarField f = test::StandardField();
  f.frames = 80;
  f.dropped = {10};
  test::WriteStarField(f, folder / "2024_03_07_21_05_09.avi");
  test::TempFolder::WriteFile(folder / "2024_03_07_21_05_09.txt",
                              "Manual recording\r\nFirst frame: 21:05:09.123 (UTC)\r\n");
  const std::string avi = (folder / "2024_03_07_21_05_09.avi").string(), csv = (folder / "curve.csv").string();
  const ToolRun run =
      Tool({avi, "--target", "50,50", "--track", "90,40", "--comparison", "60,85", "--csv", csv, "--json"});
  ASSERT_EQ(run.status, kLightCurveMeasured) << run.err;
  EXPECT_EQ(run.err, "");
  // D at 40.3 is 1.612 s after the first frame, R at 70.6 is 2.824 s after it.
  EXPECT_TRUE(run.out.starts_with("{\"event\": true, \"D\": {\"frame\": 40.")) << run.out;
  EXPECT_NE(run.out.find("\"utc\": \"21:05:10.7"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"utc\": \"21:05:11.9"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"frames_measured\": 79, \"timing\": \"Times: UTC, first frame at 21:05:09.1230 from the "
                         "recording log 2024_03_07_21_05_09.txt"),
            std::string::npos)
      << run.out;
  EXPECT_TRUE(run.out.ends_with("not corrected for the camera's delay\"}\n"));

  const std::string text = test::TempFolder::ReadFile(csv);
  EXPECT_TRUE(text.starts_with("# ZUNA Video light curve " ZUNA_VERSION_TEXT "\r\n"));
  const std::size_t header = text.find("\r\nFrameNum,timeInfo,signal-target,signal-comparison,signal-track1,");
  ASSERT_NE(header, std::string::npos);
  EXPECT_EQ(text.find("FrameNum"), header + 2);  // no comment line holds the word
  EXPECT_NE(text.find("\r\n9.00,[21:05:09.4830],"), std::string::npos);
  EXPECT_EQ(text.find("\r\n10.00,"), std::string::npos);  // the dropped frame has no row
  EXPECT_NE(text.find("\r\n11.00,[21:05:09.5630],"), std::string::npos);
}

TEST(LightCurveTool, RefusesBadInputWithOneLineAndStatusTwo) {
  const test::TempFolder folder;
  test::StarField f = test::StandardField();
  f.frames = 3;
  test::WriteStarField(f, folder / "field.avi");
  {
    AviWriter writer;
    ASSERT_EQ(writer.Open(folder / "lags.avi", AviVideoFormat::Compressed(FourCc("LAGS"), 24, 160, 120, 25, 1)), kOk);
    ASSERT_EQ(writer.WriteFrame(std::vector<std::uint8_t>(64, 1), 0, true), kOk);
    ASSERT_EQ(writer.Close(), kOk);
    AviWriter none;
    ASSERT_EQ(none.Open(folder / "none.avi", AviVideoFormat::Yuy2(160, 120, 25, 1)), kOk);
    ASSERT_EQ(none.Close(), kOk);
  }
  const std::string whole = test::TempFolder::ReadFile(folder / "field.avi");
  test::TempFolder::WriteFile(folder / "damaged.avi", whole.substr(0, 200));
  test::TempFolder::WriteFile(folder / "text.avi", "not a video");
  const std::string field = (folder / "field.avi").string();
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{field, "--target", "170,50"}, "position 170.0,50.0 is outside the 160 x 120 picture"},
      {{field, "--target", "130,100"}, "no star near 130.0,100.0 (the target)"},
      {{(folder / "lags.avi").string(), "--target", "50,50"}, "the video is compressed (LAGS)"},
      {{(folder / "none.avi").string(), "--target", "50,50"}, "the file holds no frames"},
      {{(folder / "damaged.avi").string(), "--target", "50,50"}, "cannot be read as an AVI file"},
      {{(folder / "text.avi").string(), "--target", "50,50"}, "cannot be read as an AVI file"},
      {{(folder / "missing.avi").string(), "--target", "50,50"}, "cannot open"},
      {{field, "--target", "50,x"}, "--target 50,x: not a pixel position X,Y"},
      {{field, "--target", "50,50", "--aperture", "0"}, "not a radius"},
      {{field, "--target", "50,50", "--first-frame-utc", "25:00:00.000"}, "not a time HH:MM:SS.mmm"},
      {{field, "--target", "50,50", "--fields", "odd"}, "not top or bottom"},
      {{field, "--track", "90,40"}, "no --target X,Y given"},
      {{field, "--target", "50,50", "--track", "1,1", "--track", "2,2", "--track", "3,3"}, "at most two --track"},
  };
  for (const auto& [args, reason] : cases) {
    const ToolRun run = Tool(args);
    EXPECT_EQ(run.status, kLightCurveBadInput) << reason;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(run.err.starts_with("zuna-lightcurve: ")) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace zuna

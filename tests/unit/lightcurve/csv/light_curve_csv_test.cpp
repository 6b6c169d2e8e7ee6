#include "lightcurve/csv/light_curve_csv.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

PhotometryPoint Point(double position, double target, double comparison) {
  StarSample t{50.25, 60.5, target, 40.126, 2, 0, true, true};
  StarSample c{70, 80, comparison, 41, 2, 1, true, true};
  return {position, static_cast<std::uint32_t>(position), {t, c}};
}

TEST(LightCurveCsv, WritesTheLayoutAnalysisToolsRead) {
  PhotometryRun run;
  run.starNames = {"target", "comparison"};
  // Frame 2 was dropped; frame 3's second field stands as 3.50.
  run.points = {Point(0, 1500.004, 900), Point(1, 1490, 901), Point(3, 10.5, 899), Point(3.5, -3.25, 902)};
  run.points[2].stars[1].measured = false;
  std::vector<std::string> warnings;
  const FrameTimes times = FrameTimes::Build({25, 1, "x", 759'091'230, {}, "", {}, ""}, &warnings);
  const std::string csv = LightCurveCsv("2.4d", {"File: FrameNum_test.avi", "Aperture: radius 3"}, run, times);
  EXPECT_EQ(csv,
            "# ZUNA Video light curve 2.4d\r\n"
            "# File: Frame-Num_test.avi\r\n"
            "# Aperture: radius 3\r\n"
            "FrameNum,timeInfo,signal-target,signal-comparison,background-target,background-comparison,x-target,"
            "x-comparison,y-target,y-comparison,saturated-target,saturated-comparison\r\n"
            "0.00,[21:05:09.1230],1500.00,900.00,40.13,41.00,50.25,70.00,60.50,80.00,0,1\r\n"
            "1.00,[21:05:09.1630],1490.00,901.00,40.13,41.00,50.25,70.00,60.50,80.00,0,1\r\n"
            "3.00,[21:05:09.2430],10.50,,40.13,,50.25,70.00,60.50,80.00,0,\r\n"
            "3.50,[21:05:09.2630],-3.25,902.00,40.13,41.00,50.25,70.00,60.50,80.00,0,1\r\n");
  EXPECT_EQ(CsvCommentText("framenum and FRAMENUM\r\nline"), "frame-num and FRAME-NUM  line");
}

}  // namespace
}  // namespace zuna

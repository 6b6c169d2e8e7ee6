#include "playback/files/video_fit.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(VideoFitTest, AVideoThatFitsIsShownAtItsOwnSize) {
  const VideoFit fit = FitVideo(720, 480, 1350, 729);
  EXPECT_EQ(fit.percent, 100);
  EXPECT_EQ(fit.width, 720);
  EXPECT_EQ(fit.height, 480);
}

TEST(VideoFitTest, TheTighterDimensionChoosesTheLargestScaleThatFits) {
  // 1920 x 1080 on a 1366 x 768 work area less a small frame: the height is tighter, 729 is below
  // 3/4 of 1080 but not below half of it.
  VideoFit fit = FitVideo(1920, 1080, 1366 - 16, 768 - 39);
  EXPECT_EQ(fit.percent, 50);
  EXPECT_EQ(fit.width, 960);
  EXPECT_EQ(fit.height, 540);
  // A wide picture: the width decides.
  fit = FitVideo(2000, 500, 1600, 800);
  EXPECT_EQ(fit.percent, 75);
  EXPECT_EQ(fit.width, 1500);
  fit = FitVideo(4000, 100, 1000, 800);
  EXPECT_EQ(fit.percent, 25);
}

TEST(VideoFitTest, TheThresholdsAreWholeNumbers) {
  // 3/4 of 1001 is 750 in whole numbers: 750 available is enough.
  EXPECT_EQ(FitVideo(100, 1001, 1000, 750).percent, 75);
  EXPECT_EQ(FitVideo(100, 1001, 1000, 749).percent, 50);
}

TEST(VideoFitTest, AVideoTooLargeEvenAtAQuarterOrWithoutSizeKeepsItsSize) {
  const VideoFit fit = FitVideo(8000, 8000, 1000, 1000);
  EXPECT_EQ(fit.percent, 100);
  EXPECT_EQ(fit.width, 8000);
  EXPECT_EQ(FitVideo(0, 480, 100, 100).width, 0);
}

}  // namespace
}  // namespace zuna

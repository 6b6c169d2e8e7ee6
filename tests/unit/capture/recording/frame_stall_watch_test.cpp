// The recording's camera is taken for stalled after two seconds without a new frame.
#include "capture/recording/frame_stall_watch.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

constexpr FileTime kStart = 133'543'191'090'000'000;
constexpr FileTime kMs = kTicksPerSecond / 1000;

TEST(FrameStallWatch, TwoSecondsWithoutANewFrameIsAStall) {
  FrameStallWatch watch;
  watch.Start(kStart);
  EXPECT_FALSE(watch.Stalled(0, kStart + 1999 * kMs));  // no first frame yet, not for long
  EXPECT_FALSE(watch.Stalled(30, kStart + 2000 * kMs));
  EXPECT_FALSE(watch.Stalled(60, kStart + 3000 * kMs));  // frames keep coming
  EXPECT_FALSE(watch.Stalled(60, kStart + 4999 * kMs));
  EXPECT_TRUE(watch.Stalled(60, kStart + 5000 * kMs));

  watch.Start(kStart + 10'000 * kMs);  // a new recording begins the wait again
  EXPECT_TRUE(watch.Stalled(0, kStart + 12'000 * kMs));
}

TEST(FrameStallWatch, ATimeLapseGapIsNoStall) {
  FrameStallWatch watch;
  watch.Start(kStart, 5 * kTicksPerSecond);  // one frame kept every five seconds
  EXPECT_FALSE(watch.Stalled(1, kStart + 100 * kMs));
  EXPECT_FALSE(watch.Stalled(1, kStart + 7099 * kMs));
  EXPECT_TRUE(watch.Stalled(1, kStart + 7100 * kMs));
}

TEST(FrameStallWatch, AClockSetBackBeginsTheWaitAgain) {
  FrameStallWatch watch;
  watch.Start(kStart);
  EXPECT_FALSE(watch.Stalled(0, kStart - 60'000 * kMs));
  EXPECT_FALSE(watch.Stalled(0, kStart - 58'001 * kMs));
  EXPECT_TRUE(watch.Stalled(0, kStart - 58'000 * kMs));
}

}  // namespace
}  // namespace zuna

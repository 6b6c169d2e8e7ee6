#include "video/avi_reader/avi_frame_timeline.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zuna {
namespace {

// Feeds frame times and returns the slots recorded as dropped.
std::vector<std::uint64_t> DroppedSlots(AviFrameTimeline& timeline, const std::vector<std::int64_t>& times) {
  std::vector<std::uint64_t> dropped;
  std::uint64_t next = 0;
  for (std::int64_t t : times) {
    const auto placement = timeline.Place(t, next);
    for (std::uint64_t i = 0; i < placement.missing; ++i) dropped.push_back(next++);
    ++next;
  }
  return dropped;
}

TEST(AviFrameTimeline, NtscTimesCutToWholeUnitsKeepTheirSlots) {
  AviFrameTimeline timeline(30000, 1001);
  std::vector<std::int64_t> times;
  for (std::int64_t k = 0; k < 20000; ++k) {
    if (k == 3 || k == 7 || k == 8 || k == 15001) continue;
    times.push_back(5'000'000 + k * 10'010'000'000 / 30000);  // truncated, as 1001000 / 3 cannot be exact
  }
  EXPECT_EQ(DroppedSlots(timeline, times), (std::vector<std::uint64_t>{3, 7, 8, 15001}));
}

TEST(AviFrameTimeline, JitterUnderHalfAFrameDropsNothing) {
  AviFrameTimeline timeline(25, 1);
  std::mt19937 random(3);
  std::uniform_int_distribution<std::int64_t> jitter(-160000, 160000);  // 40% of a frame
  std::vector<std::int64_t> times;
  for (std::int64_t k = 0; k < 5000; ++k) {
    if (k != 2000) times.push_back(k * 400000 + (k == 0 ? 0 : jitter(random)));
  }
  EXPECT_EQ(DroppedSlots(timeline, times), (std::vector<std::uint64_t>{2000}));
}

TEST(AviFrameTimeline, EarlyAndRepeatedTimesDropNothing) {
  AviFrameTimeline timeline(25, 1);
  EXPECT_TRUE(DroppedSlots(timeline, {1000000, 1000000, 900000, 1400000, 1800000}).empty());
}

TEST(AviFrameTimeline, LeapsOfAnHourOrMoreRestartTheCount) {
  AviFrameTimeline timeline(25, 1);
  EXPECT_FALSE(timeline.Place(0, 0).discontinuity);
  EXPECT_EQ(timeline.Place(400000, 1).missing, 0u);
  const auto ahead = timeline.Place(2LL * 3600 * 10'000'000, 2);
  EXPECT_TRUE(ahead.discontinuity);
  EXPECT_EQ(ahead.missing, 0u);
  EXPECT_EQ(timeline.Place(2LL * 3600 * 10'000'000 + 3 * 400000, 3).missing, 2u);  // counted from the leap
  EXPECT_TRUE(timeline.Place(-5LL * 3600 * 10'000'000, 6).discontinuity);
  EXPECT_EQ(timeline.Place(-5LL * 3600 * 10'000'000 + 400000, 7).missing, 0u);
  // Just under an hour ahead is still a gap of lost frames.
  EXPECT_EQ(timeline.Place(-5LL * 3600 * 10'000'000 + 400000 + 3599LL * 10'000'000, 8).missing, 25u * 3599 - 1);
}

}  // namespace
}  // namespace zuna

#include "video/frames/time_lapse_decider.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zuna {
namespace {

constexpr std::int64_t kFrame = 333'667;  // 29.97 frames per second

SampleTimes Sample(std::int64_t index, std::int64_t frame = kFrame) {
  return {SampleSpan{1'000 + index * frame, 1'000 + (index + 1) * frame}, SampleSpan{index, index + 1}};
}

TimeLapseDecider Started(TimeLapseSettings settings) {
  TimeLapseDecider decider;
  decider.Latch(settings);
  decider.Restart();
  return decider;
}

std::vector<int> KeptOf(TimeLapseDecider& decider, int samples, std::int64_t frame = kFrame) {
  std::vector<int> kept;
  for (int i = 0; i < samples; ++i) {
    if (decider.Decide(Sample(i, frame)).deliver) kept.push_back(i);
  }
  return kept;
}

TEST(TimeLapseSkippedFrames, KeepsTheFirstSampleAndThenOneInEveryCount) {
  TimeLapseDecider five = Started({5, false, kFrame});
  EXPECT_EQ(KeptOf(five, 12), (std::vector<int>{0, 5, 10}));
  TimeLapseDecider three = Started({3, false, kFrame});
  EXPECT_EQ(KeptOf(three, 10), (std::vector<int>{0, 3, 6, 9}));
}

TEST(TimeLapseSkippedFrames, CountOneBehavesLikeCountTwo) {
  TimeLapseDecider one = Started({1, false, kFrame});
  TimeLapseDecider two = Started({2, false, kFrame});
  EXPECT_EQ(KeptOf(one, 7), (std::vector<int>{0, 2, 4, 6}));
  EXPECT_EQ(KeptOf(two, 7), (std::vector<int>{0, 2, 4, 6}));
}

TEST(TimeLapseSkippedFrames, KeptSamplesFollowOneFrameApartAndSkippedOnesAreDropped) {
  TimeLapseDecider decider = Started({5, false, kFrame});
  std::vector<SampleTimes> delivered;
  for (int i = 0; i < 12; ++i) {
    const TimeLapseDecision d = decider.Decide(Sample(i));
    if (d.deliver) delivered.push_back(d.times);
  }
  ASSERT_EQ(delivered.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    const std::int64_t start = 1'000 + static_cast<std::int64_t>(k) * kFrame;
    EXPECT_EQ(delivered[k].stream, (SampleSpan{start, start + kFrame})) << k;
    EXPECT_EQ(delivered[k].media, (SampleSpan{static_cast<std::int64_t>(k), static_cast<std::int64_t>(k) + 1})) << k;
  }
}

TEST(TimeLapseSkippedFrames, SamplesWithoutTimesStayWithoutTimes) {
  TimeLapseDecider decider = Started({2, false, kFrame});
  const TimeLapseDecision first = decider.Decide({});
  EXPECT_TRUE(first.deliver);
  EXPECT_EQ(first.times, SampleTimes{});
  EXPECT_FALSE(decider.Decide({}).deliver);
}

TEST(TimeLapseSkippedFrames, WithoutAFrameDurationTheFirstKeptSampleGivesTheStep) {
  TimeLapseDecider decider = Started({2, false, 0});
  EXPECT_EQ(decider.Decide(Sample(0, 400'000)).times.stream, (SampleSpan{1'000, 401'000}));
  EXPECT_FALSE(decider.Decide(Sample(1, 400'000)).deliver);
  EXPECT_EQ(decider.Decide(Sample(2, 400'000)).times.stream, (SampleSpan{401'000, 801'000}));
}

TEST(TimeLapseInterval, KeepsOneSampleEachTimeTheCountInSecondsHasPassed) {
  // Samples every tenth of a second, an interval of 2 s: samples 0, 20, 40.
  TimeLapseDecider decider = Started({2, true, 1'000'000});
  std::vector<int> kept;
  std::vector<std::int64_t> starts;
  for (int i = 0; i < 45; ++i) {
    const TimeLapseDecision d = decider.Decide(Sample(i, 1'000'000));
    if (!d.deliver) continue;
    kept.push_back(i);
    starts.push_back(d.times.stream->start);
  }
  EXPECT_EQ(kept, (std::vector<int>{0, 20, 40}));
  EXPECT_EQ(starts, (std::vector<std::int64_t>{1'000, 1'001'000, 2'001'000}));
}

TEST(TimeLapseInterval, MeasuresFromTheLastKeptSample) {
  TimeLapseDecider decider = Started({1, true, kFrame});
  const auto at = [](std::int64_t start) { return SampleTimes{SampleSpan{start, start + kFrame}, std::nullopt}; };
  EXPECT_TRUE(decider.Decide(at(0)).deliver);
  EXPECT_FALSE(decider.Decide(at(9'999'999)).deliver);
  EXPECT_TRUE(decider.Decide(at(10'000'000)).deliver);
  EXPECT_FALSE(decider.Decide(at(19'000'000)).deliver);
  EXPECT_TRUE(decider.Decide(at(25'000'000)).deliver);
  EXPECT_FALSE(decider.Decide(at(34'999'999)).deliver);
}

TEST(TimeLapseInterval, UntimedSamplesAreDroppedAfterTheFirstAndAClockRestartStartsAnInterval) {
  TimeLapseDecider decider = Started({1, true, kFrame});
  EXPECT_TRUE(decider.Decide({}).deliver);  // a recording always gets its first frame
  EXPECT_FALSE(decider.Decide({}).deliver);
  const auto at = [](std::int64_t start) { return SampleTimes{SampleSpan{start, start + kFrame}, std::nullopt}; };
  EXPECT_TRUE(decider.Decide(at(50'000'000)).deliver);  // first time seen: the interval starts here
  EXPECT_FALSE(decider.Decide(at(50'000'001)).deliver);
  EXPECT_TRUE(decider.Decide(at(3'000)).deliver);  // the stream time went back
}

TEST(TimeLapseLatch, CountZeroPassesEverySampleUnchanged) {
  TimeLapseDecider decider = Started({0, false, kFrame});
  for (int i = 0; i < 4; ++i) {
    const TimeLapseDecision d = decider.Decide(Sample(i));
    EXPECT_TRUE(d.deliver);
    EXPECT_EQ(d.times, Sample(i));
  }
}

TEST(TimeLapseLatch, SettingsChangeOnlyAtTheNextNegotiationAndRestartBeginsANewGroup) {
  CommonState state;
  state.timeLapseCount = 5;
  TimeLapseDecider decider = Started(LoadTimeLapseSettings(state, false, kFrame));
  state.timeLapseCount = 2;  // changed during the recording
  EXPECT_EQ(KeptOf(decider, 12), (std::vector<int>{0, 5, 10}));
  decider.Latch(LoadTimeLapseSettings(state, false, kFrame));  // next rebuild
  decider.Restart();
  EXPECT_EQ(KeptOf(decider, 5), (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(decider.Settings().count, 2u);
  // After a restart the stamps begin again from the first kept sample.
  decider.Restart();
  EXPECT_EQ(decider.Decide(Sample(7)).times.stream, (SampleSpan{1'000 + 7 * kFrame, 1'000 + 8 * kFrame}));
}

}  // namespace
}  // namespace zuna

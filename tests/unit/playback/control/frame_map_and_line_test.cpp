#include <gtest/gtest.h>

#include <string>

#include "playback/control/frame_map.h"
#include "playback/control/frame_number_line.h"
#include "playback/control/playback_buttons.h"
#include "playback/control/playback_commands.h"
#include "playback_fakes.h"

namespace zuna {
namespace {

using test::FileWithDropped;

FrameMap MapOf(const PlaybackFileFacts& f) {
  return FrameMap(f.totalFrames, f.frameIsKey);
}

TEST(FrameMap, FindsDroppedNeighboursOfEveryPosition) {
  const FrameMap map = MapOf(FileWithDropped(10, {5, 6}));
  EXPECT_EQ(map.TotalFrames(), 10);
  EXPECT_EQ(map.DroppedCount(), 2);
  EXPECT_TRUE(map.IsKey(4));
  EXPECT_FALSE(map.IsKey(5));
  EXPECT_FALSE(map.IsKey(6));
  EXPECT_TRUE(map.IsKey(7));
  EXPECT_TRUE(map.DroppedAfter(4));
  EXPECT_TRUE(map.DroppedAfter(5));
  EXPECT_FALSE(map.DroppedAfter(6));
  EXPECT_FALSE(map.DroppedBefore(5));
  EXPECT_TRUE(map.DroppedBefore(6));
  EXPECT_EQ(map.NextDropped(0), 5);
  EXPECT_EQ(map.NextDropped(5), 6);
  EXPECT_EQ(map.NextDropped(6), 10);
  EXPECT_EQ(map.PreviousDropped(10), 6);
  EXPECT_EQ(map.PreviousDropped(6), 5);
  EXPECT_EQ(map.PreviousDropped(5), 0);
}

TEST(FrameMap, TrustsNeitherTheFlagCountNorTheTotal) {
  // The parser's extra entry (0) past the total is not a dropped frame.
  EXPECT_FALSE(MapOf(FileWithDropped(3, {})).HasDroppedFrames());
  // Flags shorter than the total: undescribed frames are key frames.
  const std::vector<std::uint8_t> shortFlags{1, 0};
  const FrameMap shortMap(100000, shortFlags);
  EXPECT_EQ(shortMap.DroppedCount(), 1);
  EXPECT_TRUE(shortMap.IsKey(99999));
  EXPECT_FALSE(shortMap.DroppedAfter(1));
  EXPECT_EQ(FrameMap(-5, shortFlags).TotalFrames(), 0);
  EXPECT_FALSE(FrameMap(-5, shortFlags).HasDroppedFrames());
  // Dropped frame 0 is found before any position but is never a target of "<".
  const FrameMap firstDropped(4, std::vector<std::uint8_t>{0, 1, 1, 1});
  EXPECT_TRUE(firstDropped.DroppedBefore(1));
  EXPECT_EQ(firstDropped.PreviousDropped(3), 0);
  EXPECT_FALSE(firstDropped.DroppedAfter(0));
}

TEST(FrameNumberLine, CentresEachLabelWithItsOwnBlankCount) {
  const auto blanks = [](std::size_t n) { return std::wstring(n, L' '); };
  FrameNumberLineFacts f{true, 5, 10, false, false, true};
  EXPECT_EQ(FrameNumberLineText(f), blanks(35) + L"Frame Number:  5");
  f.fileHasDroppedFrames = true;
  EXPECT_EQ(FrameNumberLineText(f), blanks(31) + L"Key Frame Number:  5");
  f.droppedFramesControl = true;
  EXPECT_EQ(FrameNumberLineText(f), blanks(49) + L"Key Frame Number:  5");
  f.isKey = false;
  EXPECT_EQ(FrameNumberLineText(f), blanks(49) + L"Dropped Frame Number:  5");
  f.displayed = 10;
  EXPECT_EQ(FrameNumberLineText(f), blanks(51) + L"Frame Number: EOF");
  f.fileHasDroppedFrames = false;
  EXPECT_EQ(FrameNumberLineText(f), blanks(35) + L"Frame Number: EOF");
  f.fileOpen = false;
  EXPECT_EQ(FrameNumberLineText(f), L"");
}

TEST(FrameNumberLine, WritesFrameNumbersBeyond32Bits) {
  const FrameNumberLineFacts f{true, 5000000000LL, 6000000000LL, false, false, true};
  EXPECT_EQ(FrameNumberLineText(f).substr(35), L"Frame Number:  5000000000");
}

TEST(PlaybackButtons, TableRowsAndTheAtTheEndRule) {
  const auto row = [](PlaybackCommand c, bool atEnd = false) {
    return *ButtonRowFor(CommandNumber(c), atEnd, true, true);
  };
  EXPECT_EQ(row(PlaybackCommand::kStartPlayback), (ButtonRow{false, true, false, false, false, false}));
  EXPECT_EQ(row(PlaybackCommand::kBeginningOfFile), (ButtonRow{true, false, false, false, true, true}));
  EXPECT_EQ(row(PlaybackCommand::kEndOfFile), (ButtonRow{false, false, true, true, false, false}));
  EXPECT_EQ(row(PlaybackCommand::kNoFile), ButtonRow{});
  EXPECT_EQ(row(PlaybackCommand::kForwardOneFrame), (ButtonRow{true, false, true, true, true, true}));
  EXPECT_EQ(row(PlaybackCommand::kSliderReleased), (ButtonRow{true, false, true, true, true, true}));
  EXPECT_EQ(row(PlaybackCommand::kStartPlayback, true), (ButtonRow{false, false, true, true, false, false}));
  EXPECT_EQ(*ButtonRowFor(4, false, false, true), (ButtonRow{true, false, true, true, false, true}));
  EXPECT_FALSE(ButtonRowFor(CommandNumber(PlaybackCommand::kRefreshPosition), false, true, true).has_value());
  EXPECT_FALSE(ButtonRowFor(6, false, true, true).has_value());
  EXPECT_FALSE(ButtonRowFor(14, false, true, true).has_value());
}

TEST(PlaybackButtons, ForwardAndEndFollowStartBackFollowsBeginning) {
  PlaybackControlsState state;
  ApplyButtonRow(ButtonRow{true, false, false, false, true, true}, state);
  EXPECT_TRUE(state.Enabled(PlaybackButton::kForwardOneFrame));
  EXPECT_TRUE(state.Enabled(PlaybackButton::kEndOfFile));
  EXPECT_FALSE(state.Enabled(PlaybackButton::kBackOneFrame));
  EXPECT_TRUE(state.Enabled(PlaybackButton::kNextDroppedFrame));
  ApplyButtonRow(ButtonRow{false, false, true, true, false, false}, state);
  EXPECT_FALSE(state.Enabled(PlaybackButton::kForwardOneFrame));
  EXPECT_TRUE(state.Enabled(PlaybackButton::kBackOneFrame));
  EXPECT_TRUE(state.Enabled(PlaybackButton::kPreviousDroppedFrame));
  EXPECT_FALSE(state.sliderEnabled);
}

}  // namespace
}  // namespace zuna

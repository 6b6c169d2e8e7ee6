#include "video/frames/display_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace zuna {
namespace {

std::array<std::uint8_t, 4> PixelAt(const std::vector<std::uint8_t>& pixels, int width, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 4;
  return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
}

TEST(DisplayFrame, Yuy2StudioRangeMapsToFullRangeColours) {
  // Two pixel pairs: black and white (grey chroma), then pure red (Y 81, U 90, V 240).
  const std::vector<std::uint8_t> yuy2 = {16, 128, 235, 128, 81, 90, 81, 240};
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(ConvertToDisplayFrame({FrameSubtype::kYuy2, 4, 1}, yuy2, &pixels), kOk);
  ASSERT_EQ(pixels.size(), 16u);
  EXPECT_EQ(PixelAt(pixels, 4, 0, 0), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(PixelAt(pixels, 4, 1, 0), (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
  const auto red = PixelAt(pixels, 4, 2, 0);
  EXPECT_LE(red[0], 2);  // blue
  EXPECT_LE(red[1], 2);  // green
  EXPECT_GE(red[2], 253);
}

TEST(DisplayFrame, Yuy2RowsArePaddedAndStayTopDownWhateverTheHeightSign) {
  // Width 3: a row holds 6 bytes of pixels padded to 8; the odd last pixel takes its pair's chroma.
  const std::vector<std::uint8_t> yuy2 = {235, 128, 235, 128, 16,  128, 0xEE, 0xEE,   // white white black
                                          16,  128, 16,  128, 235, 128, 0xEE, 0xEE};  // black black white
  for (int height : {2, -2}) {
    std::vector<std::uint8_t> pixels;
    ASSERT_EQ(ConvertToDisplayFrame({FrameSubtype::kYuy2, 3, height}, yuy2, &pixels), kOk);
    ASSERT_EQ(pixels.size(), 3u * 2 * 4);
    EXPECT_EQ(PixelAt(pixels, 3, 0, 0)[0], 255);
    EXPECT_EQ(PixelAt(pixels, 3, 2, 0)[0], 0);
    EXPECT_EQ(PixelAt(pixels, 3, 2, 1)[0], 255);
  }
}

TEST(DisplayFrame, Rgb32BottomUpIsTurnedTopDown) {
  const std::vector<std::uint8_t> bottomFirst = {1, 2, 3, 4, 5, 6, 7, 8};  // 1 pixel wide, 2 rows
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(ConvertToDisplayFrame({FrameSubtype::kRgb32, 1, 2}, bottomFirst, &pixels), kOk);
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{5, 6, 7, 8, 1, 2, 3, 4}));
  ASSERT_EQ(ConvertToDisplayFrame({FrameSubtype::kRgb32, 1, -2}, bottomFirst, &pixels), kOk);
  EXPECT_EQ(pixels, bottomFirst);
}

TEST(DisplayFrame, RefusesWhatCannotBeDrawnWithoutReadingPastTheData) {
  std::vector<std::uint8_t> pixels{9};
  const std::vector<std::uint8_t> shortFrame(4 * 2 * 2 - 1);
  EXPECT_EQ(ConvertToDisplayFrame({FrameSubtype::kRgb32, 2, 2}, shortFrame, &pixels), kInvalidArg);
  EXPECT_TRUE(pixels.empty());
  EXPECT_EQ(ConvertToDisplayFrame({FrameSubtype::kOther, 2, 2}, std::vector<std::uint8_t>(64), &pixels), kInvalidArg);
  EXPECT_EQ(ConvertToDisplayFrame({FrameSubtype::kYuy2, 0, 2}, std::vector<std::uint8_t>(64), &pixels), kInvalidArg);
  EXPECT_EQ(ConvertToDisplayFrame({FrameSubtype::kYuy2, 2, 0}, std::vector<std::uint8_t>(64), &pixels), kInvalidArg);
  EXPECT_EQ(DisplaySourceBytes({FrameSubtype::kRgb32, kMaxDisplaySide + 1, 1}), 0u);
  EXPECT_EQ(DisplaySourceBytes({FrameSubtype::kYuy2, 720, -480}), 720u * 2 * 480);
  EXPECT_EQ(ConvertToDisplayFrame({FrameSubtype::kYuy2, 2, 2}, std::vector<std::uint8_t>(8), nullptr), kInvalidArg);
}

}  // namespace
}  // namespace zuna

#include "video/convert/display_conversion.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "../frames/frame_test_buffer.h"
#include "picture_test_format.h"

namespace zuna {
namespace {

using test::BitmapInfo;
using test::Code;
using test::GuardedBuffer;
using Pixel = std::array<std::uint8_t, 4>;

constexpr Pixel kBlack{0, 0, 0, 0};
constexpr Pixel kWhite{255, 255, 255, 0};
constexpr Pixel kRed{0, 0, 255, 0};  // Y 81, U 90, V 240 in studio range

SourcePicture Picture(const std::vector<std::uint8_t>& info) {
  SourcePicture picture;
  EXPECT_EQ(DescribeSourcePicture(info, &picture), kOk);
  return picture;
}

// Converts with guard bytes around the frame and the picture, and checks the guards.
std::vector<std::uint8_t> Convert(const SourcePicture& picture, const std::vector<std::uint8_t>& frame) {
  const GuardedBuffer in(frame);
  GuardedBuffer out(DisplayBytes(picture), 0xEE);
  EXPECT_EQ(ConvertToDisplay(picture, in.Bytes(), out.Bytes()), kOk);
  EXPECT_TRUE(out.GuardsIntact());
  return out.Content();
}

// RGB32 pictures are bottom-up: row 0 of the picture is the last in memory.
Pixel At(const std::vector<std::uint8_t>& rgb32, const SourcePicture& p, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(p.rows - 1 - y) * p.width + x) * 4;
  return {rgb32[at], rgb32[at + 1], rgb32[at + 2], rgb32[at + 3]};
}

TEST(DisplayConversion, Rgb24PaddedRowsInBothRowOrders) {
  // Width 3: 9 bytes of pixels padded to 12. The top row is blue, green, red; the bottom row white.
  const std::vector<std::uint8_t> top = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0x11, 0x11, 0x11};
  const std::vector<std::uint8_t> bottom = {255, 255, 255, 255, 255, 255, 255, 255, 255, 0x22, 0x22, 0x22};
  std::vector<std::uint8_t> bottomFirst = bottom, topFirst = top;
  bottomFirst.insert(bottomFirst.end(), top.begin(), top.end());
  topFirst.insert(topFirst.end(), bottom.begin(), bottom.end());
  for (const auto& [height, frame] : {std::pair{2, bottomFirst}, std::pair{-2, topFirst}}) {
    const SourcePicture p = Picture(BitmapInfo(3, height, 24, 0));
    const std::vector<std::uint8_t> out = Convert(p, frame);
    EXPECT_EQ(At(out, p, 0, 0), (Pixel{255, 0, 0, 0})) << height;
    EXPECT_EQ(At(out, p, 1, 0), (Pixel{0, 255, 0, 0}));
    EXPECT_EQ(At(out, p, 2, 0), (Pixel{0, 0, 255, 0}));
    EXPECT_EQ(At(out, p, 2, 1), kWhite);
  }
}

TEST(DisplayConversion, Rgb16ChannelsStretchToFullScale) {
  // 555: white, full blue, half blue (16 -> 132); 565: full red, full green, half green (32 -> 130).
  const SourcePicture rgb555 = Picture(BitmapInfo(3, -1, 16, 0));
  const std::vector<std::uint8_t> out555 = Convert(rgb555, {0xFF, 0x7F, 0x1F, 0x00, 0x10, 0x00, 0xAA, 0xAA});
  EXPECT_EQ(At(out555, rgb555, 0, 0), kWhite);
  EXPECT_EQ(At(out555, rgb555, 1, 0), (Pixel{255, 0, 0, 0}));
  EXPECT_EQ(At(out555, rgb555, 2, 0), (Pixel{132, 0, 0, 0}));
  const SourcePicture rgb565 = Picture(BitmapInfo(3, -1, 16, 3, test::Masks(0xF800, 0x07E0, 0x1F)));
  const std::vector<std::uint8_t> out565 = Convert(rgb565, {0x00, 0xF8, 0xE0, 0x07, 0x00, 0x04, 0xAA, 0xAA});
  EXPECT_EQ(At(out565, rgb565, 0, 0), (Pixel{0, 0, 255, 0}));
  EXPECT_EQ(At(out565, rgb565, 1, 0), (Pixel{0, 255, 0, 0}));
  EXPECT_EQ(At(out565, rgb565, 2, 0), (Pixel{0, 130, 0, 0}));
}

TEST(DisplayConversion, Pal8UsesTheFilePalette) {
  // Width 5 padded to 8, bottom-up: the bottom row indexes entry 1, the top row entries 0 and 2.
  const SourcePicture p = Picture(BitmapInfo(5, 2, 8, 0, {1, 2, 3, 0, 40, 50, 60, 0, 7, 8, 9, 0}, 3));
  const std::vector<std::uint8_t> out = Convert(p, {1, 1, 1, 1, 1, 9, 9, 9, 0, 2, 0, 2, 200, 9, 9, 9});
  EXPECT_EQ(At(out, p, 0, 0), (Pixel{1, 2, 3, 0}));
  EXPECT_EQ(At(out, p, 1, 0), (Pixel{7, 8, 9, 0}));
  EXPECT_EQ(At(out, p, 4, 0), kBlack) << "an entry the file does not give";
  EXPECT_EQ(At(out, p, 4, 1), (Pixel{40, 50, 60, 0}));
}

TEST(DisplayConversion, GreyRowsPackedOrPadded) {
  const SourcePicture p = Picture(BitmapInfo(3, 2, 8, Code("Y800")));
  const std::vector<std::uint8_t> packed = Convert(p, {0, 128, 255, 10, 20, 30});
  EXPECT_EQ(At(packed, p, 1, 0), (Pixel{128, 128, 128, 0}));
  EXPECT_EQ(At(packed, p, 0, 1), (Pixel{10, 10, 10, 0})) << "grey rows are top-down";
  const std::vector<std::uint8_t> padded = Convert(p, {0, 128, 255, 99, 10, 20, 30, 99});
  EXPECT_EQ(padded, packed);
}

TEST(DisplayConversion, PackedYuvBecomesYuy2WhenTheWidthIsEven) {
  const std::vector<std::uint8_t> uyvy = {90, 81, 240, 82, 128, 16, 128, 235};
  const SourcePicture p = Picture(BitmapInfo(4, 1, 16, Code("UYVY")));
  EXPECT_EQ(DisplayLayoutOf(p), DisplayLayout::kYuy2);
  EXPECT_EQ(Convert(p, uyvy), (std::vector<std::uint8_t>{81, 90, 82, 240, 16, 128, 235, 128}));
  const std::vector<std::uint8_t> yvyu = {81, 240, 82, 90, 16, 128, 235, 128};
  EXPECT_EQ(Convert(Picture(BitmapInfo(4, 1, 16, Code("YVYU"))), yvyu),
            (std::vector<std::uint8_t>{81, 90, 82, 240, 16, 128, 235, 128}));
}

TEST(DisplayConversion, PackedYuvOfOddWidthBecomesRgb32) {
  // Width 3, two rows of 8 bytes: red red white | black black white.
  const SourcePicture p = Picture(BitmapInfo(3, 2, 16, Code("UYVY")));
  EXPECT_EQ(DisplayLayoutOf(p), DisplayLayout::kRgb32);
  const std::vector<std::uint8_t> out =
      Convert(p, {90, 81, 240, 81, 128, 235, 128, 0xEE, 128, 16, 128, 16, 128, 235, 128, 0xEE});
  EXPECT_EQ(At(out, p, 0, 0), kRed);
  EXPECT_EQ(At(out, p, 1, 0), kRed);
  EXPECT_EQ(At(out, p, 2, 0), kWhite);
  EXPECT_EQ(At(out, p, 0, 1), kBlack);
  EXPECT_EQ(At(out, p, 2, 1), kWhite);
}

// 3 x 3 planar pictures: the top-left 2 x 2 block red, its right and bottom neighbours white, the
// corner black; chroma is shared by each 2 x 2 block, rounded up at the odd edges.
const std::vector<std::uint8_t> kLuma = {81, 81, 235, 81, 81, 235, 235, 235, 16};
const std::vector<std::uint8_t> kU = {90, 128, 128, 128};
const std::vector<std::uint8_t> kV = {240, 128, 128, 128};

void ExpectPlanarPicture(const SourcePicture& p, const std::vector<std::uint8_t>& out) {
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) EXPECT_EQ(At(out, p, x, y), kRed) << x << "," << y;
  }
  EXPECT_EQ(At(out, p, 2, 0), kWhite);
  EXPECT_EQ(At(out, p, 2, 1), kWhite);
  EXPECT_EQ(At(out, p, 0, 2), kWhite);
  EXPECT_EQ(At(out, p, 1, 2), kWhite);
  EXPECT_EQ(At(out, p, 2, 2), kBlack);
}

TEST(DisplayConversion, PlanarYuvWithOddSides) {
  std::vector<std::uint8_t> i420 = kLuma, yv12 = kLuma, nv12 = kLuma;
  i420.insert(i420.end(), kU.begin(), kU.end());
  i420.insert(i420.end(), kV.begin(), kV.end());
  yv12.insert(yv12.end(), kV.begin(), kV.end());
  yv12.insert(yv12.end(), kU.begin(), kU.end());
  for (std::size_t i = 0; i < kU.size(); ++i) {
    nv12.push_back(kU[i]);
    nv12.push_back(kV[i]);
  }
  for (const auto& [code, frame] :
       {std::pair{"I420", i420}, std::pair{"IYUV", i420}, std::pair{"YV12", yv12}, std::pair{"NV12", nv12}}) {
    SCOPED_TRACE(code);
    const SourcePicture p = Picture(BitmapInfo(3, 3, 12, Code(code)));
    EXPECT_EQ(DisplayLayoutOf(p), DisplayLayout::kRgb32);
    ExpectPlanarPicture(p, Convert(p, frame));
  }
}

TEST(DisplayConversion, PlanarYuvOfEvenWidthBecomesYuy2WithSharedChroma) {
  // 4 x 3: luma 0..11; chroma rows (100, 101 | 200, 201) and (102, 103 | 202, 203), the second row
  // rounded up for the odd height.
  std::vector<std::uint8_t> luma(12);
  for (std::uint8_t i = 0; i < 12; ++i) luma[i] = i;
  const std::vector<std::uint8_t> u = {100, 101, 102, 103}, v = {200, 201, 202, 203};
  std::vector<std::uint8_t> i420 = luma, yv12 = luma, nv12 = luma;
  i420.insert(i420.end(), u.begin(), u.end());
  i420.insert(i420.end(), v.begin(), v.end());
  yv12.insert(yv12.end(), v.begin(), v.end());
  yv12.insert(yv12.end(), u.begin(), u.end());
  for (std::size_t i = 0; i < u.size(); ++i) {
    nv12.push_back(u[i]);
    nv12.push_back(v[i]);
  }
  const std::vector<std::uint8_t> yuy2 = {0, 100, 1, 200, 2,  101, 3,  201,   // row 0
                                          4, 100, 5, 200, 6,  101, 7,  201,   // row 1, same chroma
                                          8, 102, 9, 202, 10, 103, 11, 203};  // row 2
  for (const auto& [code, frame] : {std::pair{"I420", i420}, std::pair{"YV12", yv12}, std::pair{"NV12", nv12}}) {
    const SourcePicture p = Picture(BitmapInfo(4, 3, 12, Code(code)));
    EXPECT_EQ(DisplayLayoutOf(p), DisplayLayout::kYuy2) << code;
    EXPECT_EQ(Convert(p, frame), yuy2) << code;
  }
}

TEST(DisplayConversion, Rgb24OfEveryWidthMatchesPixelByPixel) {
  // Rows are converted four pixels at a time and then one by one: every width from 1 to 9.
  for (int width = 1; width <= 9; ++width) {
    for (int height : {2, -2}) {
      const SourcePicture p = Picture(BitmapInfo(width, height, 24, 0));
      const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
      const std::vector<std::uint8_t> frame = test::PatternBytes(stride * 2, static_cast<std::uint32_t>(width));
      const std::vector<std::uint8_t> out = Convert(p, frame);
      for (int y = 0; y < 2; ++y) {
        const std::size_t row = static_cast<std::size_t>(height > 0 ? 1 - y : y) * stride;
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* in = &frame[row + static_cast<std::size_t>(x) * 3];
          EXPECT_EQ(At(out, p, x, y), (Pixel{in[0], in[1], in[2], 0})) << width << " " << height << " " << x;
        }
      }
    }
  }
}

TEST(DisplayConversion, ShortFramesAndBuffersAreRefusedUntouched) {
  const SourcePicture p = Picture(BitmapInfo(3, 3, 12, Code("I420")));
  const std::vector<std::uint8_t> frame(SourcePictureBytes(p) - 1, 16);
  std::vector<std::uint8_t> out(DisplayBytes(p), 0xEE);
  EXPECT_EQ(ConvertToDisplay(p, frame, out), kInvalidArg);
  EXPECT_EQ(out, std::vector<std::uint8_t>(DisplayBytes(p), 0xEE));
  const std::vector<std::uint8_t> whole(SourcePictureBytes(p), 16);
  out.pop_back();
  EXPECT_EQ(ConvertToDisplay(p, whole, out), kInvalidArg);
  SourcePicture tooWide = p;
  tooWide.width = kMaxPictureSide + 1;
  EXPECT_EQ(ConvertToDisplay(tooWide, whole, out), kInvalidArg);
}

}  // namespace
}  // namespace zuna

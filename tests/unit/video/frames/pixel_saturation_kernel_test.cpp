#include "video/frames/pixel_saturation_kernel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "frame_test_buffer.h"
#include "video/frames/frame_row_copy.h"

namespace zuna {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::GuardedBuffer;

FrameGeometry Geometry(int length, int outputSize, int rows) {
  FrameGeometry g;
  EXPECT_EQ(DeriveFrameGeometry({length, length, length, outputSize, rows}, &g), kOk);
  return g;
}

// One row, written in the same order: the marked picture of `input` alone.
Bytes MarkOneRow(const Bytes& input, FrameSubtype subtype, int threshold) {
  const GuardedBuffer in(input);
  GuardedBuffer out(input.size(), 0xEE);
  const FrameGeometry g = Geometry(static_cast<int>(input.size()), static_cast<int>(input.size()), 1);
  EXPECT_EQ(MarkSaturatedPixels(in.Bytes(), out.Bytes(), g, RowOrder::kSame, subtype, threshold), kOk);
  EXPECT_TRUE(out.GuardsIntact());
  EXPECT_EQ(in.Content(), input);
  return out.Content();
}

TEST(PixelSaturationRgb32, MarksAPixelWithAnyColourAtTheLevelInMagenta) {
  EXPECT_EQ(MarkOneRow({10, 200, 10, 0}, FrameSubtype::kRgb32, 200), (Bytes{225, 0, 225, 128}));
  EXPECT_EQ(MarkOneRow({200, 0, 0, 0}, FrameSubtype::kRgb32, 200), (Bytes{225, 0, 225, 128}));
  EXPECT_EQ(MarkOneRow({0, 0, 201, 7}, FrameSubtype::kRgb32, 200), (Bytes{225, 0, 225, 128}));
  // Below the level, and the fourth byte is never tested.
  EXPECT_EQ(MarkOneRow({199, 199, 199, 255}, FrameSubtype::kRgb32, 200), (Bytes{199, 199, 199, 255}));
}

TEST(PixelSaturationYuy2, MarksAGroupWithEitherLumaAtTheLevelInLightGrey) {
  EXPECT_EQ(MarkOneRow({10, 128, 200, 128}, FrameSubtype::kYuy2, 200), (Bytes{225, 128, 225, 128}));
  EXPECT_EQ(MarkOneRow({250, 1, 3, 2}, FrameSubtype::kYuy2, 200), (Bytes{225, 128, 225, 128}));
  // The chroma bytes are not tested.
  EXPECT_EQ(MarkOneRow({199, 250, 199, 250}, FrameSubtype::kYuy2, 200), (Bytes{199, 250, 199, 250}));
}

TEST(PixelSaturationLevel, IsInclusiveUnsignedAndTakenFromTheLowByte) {
  EXPECT_EQ(MarkOneRow({254, 254, 254, 254}, FrameSubtype::kYuy2, 255), (Bytes{254, 254, 254, 254}));
  EXPECT_EQ(MarkOneRow({254, 0, 255, 0}, FrameSubtype::kYuy2, 255), (Bytes{225, 128, 225, 128}));
  EXPECT_EQ(MarkOneRow({0, 200, 0, 0}, FrameSubtype::kRgb32, 0x1C8), (Bytes{225, 0, 225, 128}));  // low byte 200
  EXPECT_EQ(MarkOneRow({0, 199, 0, 0}, FrameSubtype::kRgb32, 0x1C8), (Bytes{0, 199, 0, 0}));
}

TEST(PixelSaturationLevel, ZeroOrNegativeOrAnotherSubtypeCopiesUnmarked) {
  const Bytes bright{255, 255, 255, 255, 9, 9, 9, 9};
  EXPECT_EQ(MarkOneRow(bright, FrameSubtype::kRgb32, 0), bright);
  EXPECT_EQ(MarkOneRow(bright, FrameSubtype::kYuy2, -5), bright);
  EXPECT_EQ(MarkOneRow(bright, FrameSubtype::kOther, 200), bright);
}

TEST(PixelSaturationFrame, MarksWhileCopyingRowsInReverseOrder) {
  // Two YUY2 rows of three groups (12 bytes each), written into output rows 14 bytes apart.
  const GuardedBuffer input(Bytes{
      10,  20,  30,  40,  200, 1, 2, 3, 5, 6, 7,   8,  // row 0: group 1 reaches 200
      199, 255, 199, 255, 0,   0, 0, 0, 9, 9, 201, 9,  // row 1: group 2 reaches 200
  });
  GuardedBuffer output(28, 0xEE);
  const FrameGeometry g = Geometry(24, 28, 2);
  ASSERT_EQ(MarkSaturatedPixels(input.Bytes(), output.Bytes(), g, RowOrder::kReversed, FrameSubtype::kYuy2, 200), kOk);
  EXPECT_EQ(output.Content(), (Bytes{
                                  199, 255, 199, 255, 0,   0,   0,   0,   225, 128, 225, 128, 0xEE, 0xEE,  //
                                  10,  20,  30,  40,  225, 128, 225, 128, 5,   6,   7,   8,   0xEE, 0xEE,  //
                              }));
  EXPECT_TRUE(output.GuardsIntact());
  EXPECT_TRUE(input.GuardsIntact());
}

TEST(PixelSaturationFrame, RowsOfOddGroupCountsMarkLikeTheWholeFrame) {
  // Rows of 5 RGB32 pixels (20 bytes) exercise the end of a row that is not a whole vector block.
  const Bytes pixels = test::PatternBytes(3 * 20, 11);
  const GuardedBuffer input(pixels);
  GuardedBuffer output(60, 0xEE);
  ASSERT_EQ(MarkSaturatedPixels(input.Bytes(), output.Bytes(), Geometry(60, 60, 3), RowOrder::kSame,
                                FrameSubtype::kRgb32, 128),
            kOk);
  Bytes expected = pixels;
  for (std::size_t at = 0; at < expected.size(); at += 4) {
    if (pixels[at] >= 128 || pixels[at + 1] >= 128 || pixels[at + 2] >= 128) {
      expected[at] = 225, expected[at + 1] = 0, expected[at + 2] = 225, expected[at + 3] = 128;
    }
  }
  EXPECT_EQ(output.Content(), expected);
  EXPECT_EQ(input.Content(), pixels);
  EXPECT_TRUE(output.GuardsIntact());
}

TEST(PixelSaturationFrame, RowsThatSplitAGroupMarkTheGroupCountedFromTheFirstByte) {
  // Three rows of 6 bytes: groups at bytes 0, 4, 8, 12 span row ends; bytes 16 and 17 are no group.
  const GuardedBuffer input(Bytes{
      0, 0, 0, 0, 0, 0,      //
      250, 0, 0, 0, 0, 0,    // byte 6: the second luma of the group at byte 4
      0, 0, 0, 0, 255, 255,  // bytes 16 and 17 form no whole group
  });
  GuardedBuffer output(18, 0xEE);
  ASSERT_EQ(MarkSaturatedPixels(input.Bytes(), output.Bytes(), Geometry(18, 18, 3), RowOrder::kReversed,
                                FrameSubtype::kYuy2, 200),
            kOk);
  EXPECT_EQ(output.Content(), (Bytes{
                                  0, 0, 0, 0, 255, 255,  // input row 2
                                  225, 128, 0, 0, 0, 0,  // input row 1: rest of the group at byte 4
                                  0, 0, 0, 0, 225, 128,  // input row 0: start of that group
                              }));
  EXPECT_TRUE(output.GuardsIntact());
}

TEST(PixelSaturationFrame, FailsWithoutWritingWhenTheOutputIsTooSmall) {
  const GuardedBuffer input(Bytes(16, 255));
  GuardedBuffer output(15, 0xEE);
  FrameGeometry g;
  ASSERT_EQ(DeriveFrameGeometry({16, 16, 16, 16, 2}, &g), kOk);
  EXPECT_EQ(MarkSaturatedPixels(input.Bytes(), output.Bytes(), g, RowOrder::kSame, FrameSubtype::kRgb32, 200), kFail);
  EXPECT_EQ(output.Content(), Bytes(15, 0xEE));
  EXPECT_TRUE(output.GuardsIntact());
}

TEST(PixelSaturationFrame, FullSizeFramesMatchTheGroupRuleAndLeaveTheInputAlone) {
  struct Size {
    FrameSubtype subtype;
    int rowBytes;
    int rows;
  };
  for (const Size size : {Size{FrameSubtype::kYuy2, 1440, 480}, Size{FrameSubtype::kRgb32, 2560, 480}}) {
    const int length = size.rowBytes * size.rows;
    const Bytes pixels = test::PatternBytes(static_cast<std::size_t>(length), 3);
    const GuardedBuffer input(pixels);
    GuardedBuffer output(static_cast<std::size_t>(length), 0xEE);
    ASSERT_EQ(MarkSaturatedPixels(input.Bytes(), output.Bytes(), Geometry(length, length, size.rows),
                                  RowOrder::kReversed, size.subtype, 230),
              kOk);
    const bool rgb = size.subtype == FrameSubtype::kRgb32;
    const Bytes out = output.Content();
    for (int t = 0; t < size.rows; ++t) {
      for (int at = 0; at < size.rowBytes; at += 4) {
        const std::uint8_t* in = pixels.data() + t * size.rowBytes + at;
        const std::uint8_t* o = out.data() + (size.rows - 1 - t) * size.rowBytes + at;
        const bool marked = in[0] >= 230 || in[2] >= 230 || (rgb && in[1] >= 230);
        const Bytes expected = !marked ? Bytes(in, in + 4) : rgb ? Bytes{225, 0, 225, 128} : Bytes{225, 128, 225, 128};
        ASSERT_EQ(Bytes(o, o + 4), expected) << "row " << t << " byte " << at;
      }
    }
    EXPECT_EQ(input.Content(), pixels);
    EXPECT_TRUE(output.GuardsIntact());
  }
}

TEST(PixelSaturationLevel, IsReadFromTheSharedStateOnce) {
  CommonState state;
  EXPECT_EQ(LoadSaturationThreshold(state), 255);
  state.saturationLevel = 120;
  EXPECT_EQ(LoadSaturationThreshold(state), 120);
}

}  // namespace
}  // namespace zuna

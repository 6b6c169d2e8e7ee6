#include "video/frames/crosshairs_kernel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "frame_test_buffer.h"

namespace zuna {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::GuardedBuffer;

constexpr std::uint8_t kBackground = 16;
constexpr std::uint8_t kPadding = 0xEE;

// Draws on a uniform picture, rows reversed, into output rows with two bytes of padding each, and
// gives the output rows back in buffer-row order after checking guards, padding and the input.
std::vector<Bytes> Draw(FrameSubtype subtype, int rowBytes, int rows, CrosshairsSettings settings) {
  const int length = rowBytes * rows;
  const int stride = rowBytes + 2;
  const Bytes picture(static_cast<std::size_t>(length), kBackground);
  const GuardedBuffer input(picture);
  GuardedBuffer output(static_cast<std::size_t>(stride * rows), kPadding);
  FrameGeometry g;
  EXPECT_EQ(DeriveFrameGeometry({length, length, length, stride * rows, rows}, &g), kOk);
  EXPECT_EQ(DrawCrosshairs(input.Bytes(), output.Bytes(), g, RowOrder::kReversed, subtype, settings), kOk);
  EXPECT_TRUE(output.GuardsIntact());
  EXPECT_TRUE(input.GuardsIntact());
  EXPECT_EQ(input.Content(), picture);
  const Bytes out = output.Content();
  std::vector<Bytes> byBufferRow;
  for (int t = 0; t < rows; ++t) {
    const auto row = out.begin() + (rows - 1 - t) * stride;
    byBufferRow.emplace_back(row, row + rowBytes);
    EXPECT_EQ(row[rowBytes], kPadding);
    EXPECT_EQ(row[rowBytes + 1], kPadding);
  }
  return byBufferRow;
}

// Pixels of a row whose bytes differ from the background.
std::set<int> Marked(const Bytes& row, int bytesPerPixel) {
  std::set<int> pixels;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (row[i] != kBackground) pixels.insert(static_cast<int>(i) / bytesPerPixel);
  }
  return pixels;
}

std::set<int> Ranges(std::initializer_list<std::pair<int, int>> ranges) {
  std::set<int> values;
  for (const auto& [first, last] : ranges) {
    for (int v = first; v <= last; ++v) values.insert(v);
  }
  return values;
}

// Buffer rows whose pixel at `column` is drawn.
std::set<int> RowsDrawnAt(const std::vector<Bytes>& rows, int column, int bytesPerPixel) {
  std::set<int> drawn;
  for (int t = 0; t < static_cast<int>(rows.size()); ++t) {
    if (Marked(rows[static_cast<std::size_t>(t)], bytesPerPixel).count(column) != 0) drawn.insert(t);
  }
  return drawn;
}

TEST(CrosshairsRgb32, HorizontalLineLeavesNinePixelsOpenEachSideOfTheCentre) {
  // 200 pixels, 20 rows, centre row 10: the horizontal line is buffer row 20 - 10 = 10.
  const auto rows = Draw(FrameSubtype::kRgb32, 800, 20, {10, 100, 200});
  EXPECT_EQ(Marked(rows[10], 4), Ranges({{0, 5},
                                         {15, 23},
                                         {33, 41},
                                         {51, 59},
                                         {69, 77},
                                         {87, 95},
                                         {105, 113},
                                         {123, 131},
                                         {141, 149},
                                         {159, 167},
                                         {177, 185},
                                         {195, 199}}));
}

TEST(CrosshairsRgb32, VerticalLineLeavesTheRowsAroundTheCentreOpen) {
  const auto rows = Draw(FrameSubtype::kRgb32, 800, 20, {10, 100, 200});
  EXPECT_EQ(RowsDrawnAt(rows, 100, 4), Ranges({{0, 5}, {15, 19}}));  // open 6..14 around row 10
  for (int t = 0; t < 20; ++t) {
    if (t == 10) continue;
    EXPECT_EQ(Marked(rows[static_cast<std::size_t>(t)], 4), t <= 5 || t >= 15 ? std::set<int>{100} : std::set<int>{})
        << "row " << t;
  }
}

TEST(CrosshairsRgb32, DrawsGreyAtTheIntensity) {
  const auto rows = Draw(FrameSubtype::kRgb32, 800, 20, {10, 100, 200});
  EXPECT_EQ(Bytes(rows[10].begin() + 4 * 105, rows[10].begin() + 4 * 106), (Bytes{200, 200, 200, 128}));
  EXPECT_EQ(Bytes(rows[0].begin() + 4 * 100, rows[0].begin() + 4 * 101), (Bytes{200, 200, 200, 128}));
  const auto lowByte = Draw(FrameSubtype::kRgb32, 800, 20, {10, 100, 0x164});
  EXPECT_EQ(Bytes(lowByte[0].begin() + 4 * 100, lowByte[0].begin() + 4 * 101), (Bytes{100, 100, 100, 128}));
}

TEST(CrosshairsYuy2, HorizontalLineDashesAreNineGroupsWithTheCentreInAGap) {
  // 720 pixels, 30 rows, centre row 15: line in buffer row 15, where the vertical line has a gap.
  const auto rows = Draw(FrameSubtype::kYuy2, 1440, 30, {15, 100, 250});
  const std::set<int> marked = Marked(rows[15], 2);
  const std::set<int> first(marked.begin(), marked.lower_bound(200));
  EXPECT_EQ(first, Ranges({{2, 19}, {38, 55}, {74, 91}, {110, 127}, {146, 163}, {182, 199}}));
  EXPECT_EQ(marked.count(719), 0u);
  EXPECT_EQ(marked.count(703), 1u);  // dash 686..703
}

TEST(CrosshairsYuy2, DrawsTheIntensityWithChromaFifteenAbove) {
  const auto rows = Draw(FrameSubtype::kYuy2, 1440, 30, {15, 100, 250});
  EXPECT_EQ(Bytes(rows[15].begin() + 4, rows[15].begin() + 8), (Bytes{250, 9, 250, 9}));
  EXPECT_EQ(Bytes(rows[2].begin() + 200, rows[2].begin() + 204), (Bytes{250, 9, 250, 9}));  // dash rows 2..10
}

TEST(CrosshairsYuy2, VerticalLineDashesAreNineRowsWithTheCentreInAGap) {
  // 8 pixels, 480 rows, centre row 240, column 2 (byte 4).
  const auto rows = Draw(FrameSubtype::kYuy2, 16, 480, {240, 2, 180});
  std::set<int> expected = Ranges({{0, 1}});
  for (int start = 11; start < 480; start += 18) {
    for (int t = start; t < start + 9 && t < 480; ++t) expected.insert(t);
  }
  EXPECT_EQ(RowsDrawnAt(rows, 2, 2), expected);
  EXPECT_EQ(expected.count(235), 1u);
  for (int t = 236; t <= 244; ++t) EXPECT_EQ(expected.count(t), 0u);
  EXPECT_EQ(expected.count(245), 1u);
  EXPECT_EQ(expected.count(253), 1u);
  for (int t : expected) ASSERT_EQ(Marked(rows[static_cast<std::size_t>(t)], 2), (std::set<int>{2, 3})) << t;
}

TEST(CrosshairsYuy2, OddColumnWritesTheColourFromThatPixelsByte) {
  const auto rows = Draw(FrameSubtype::kYuy2, 16, 4, {0, 3, 100});
  EXPECT_EQ(rows[0], (Bytes{16, 16, 16, 16, 16, 16, 100, 115, 100, 115, 16, 16, 16, 16, 16, 16}));
}

TEST(CrosshairsEdges, RowZeroOnlyDrawsTheVerticalLine) {
  for (const FrameSubtype subtype : {FrameSubtype::kYuy2, FrameSubtype::kRgb32}) {
    const int bpp = subtype == FrameSubtype::kYuy2 ? 2 : 4;
    const auto rows = Draw(subtype, 40 * bpp, 40, {0, 20, 180});
    for (std::size_t t = 0; t < rows.size(); ++t) {
      const std::set<int> marked = Marked(rows[t], bpp);
      ASSERT_TRUE(marked.empty() || marked == (std::set<int>{20, 21}) || marked == (std::set<int>{20})) << t;
    }
    EXPECT_FALSE(RowsDrawnAt(rows, 20, bpp).empty());
  }
}

TEST(CrosshairsEdges, CentreRowAtTheHeightPutsTheLineInBufferRowZero) {
  const auto rows = Draw(FrameSubtype::kRgb32, 160, 40, {40, 20, 180});
  EXPECT_EQ(Marked(rows[0], 4), Ranges({{7, 15}, {25, 33}}));
}

TEST(CrosshairsEdges, LastColumnStaysInsideItsRow) {
  // YUY2 last pixel: only its own two bytes are written; the padding after the row stays.
  const auto yuy2 = Draw(FrameSubtype::kYuy2, 16, 20, {10, 7, 100});
  EXPECT_FALSE(RowsDrawnAt(yuy2, 7, 2).empty());
  for (const Bytes& row : yuy2) {
    const std::set<int> marked = Marked(row, 2);
    if (marked.count(7) != 0) {
      EXPECT_EQ(Bytes(row.begin() + 14, row.end()), (Bytes{100, 115}));
    }
  }
  const auto rgb = Draw(FrameSubtype::kRgb32, 32, 20, {10, 7, 100});
  EXPECT_FALSE(RowsDrawnAt(rgb, 7, 4).empty());
  const auto first = Draw(FrameSubtype::kRgb32, 32, 20, {10, 0, 100});
  EXPECT_FALSE(RowsDrawnAt(first, 0, 4).empty());
}

TEST(CrosshairsEdges, PositionsOutsideThePictureDrawNothingOutsideIt) {
  struct Case {
    CrosshairsSettings settings;
    std::set<int> markedRows;  // empty when not checked: the line inside the picture is covered above
    bool checkRows;
  };
  const Case cases[] = {
      {{10, 40, 90}, {10}, true},  // column past the last: only the horizontal line
      {{10, -1, 90}, {10}, true},  // column before the first
      {{-3, 4, 90}, {}, false},    // row below 0: H is past the last row, only the vertical line
      {{21, 4, 90}, {}, false},    // row past the height: H is -1
      {{2147483647, -2147483647 - 1, 90}, {}, true},
  };
  for (const FrameSubtype subtype : {FrameSubtype::kYuy2, FrameSubtype::kRgb32}) {
    const int bpp = subtype == FrameSubtype::kYuy2 ? 2 : 4;
    for (const Case& c : cases) {
      const auto rows = Draw(subtype, 40 * bpp, 20, c.settings);  // checks guards and padding
      if (!c.checkRows) continue;
      std::set<int> markedRows;
      for (int t = 0; t < 20; ++t) {
        if (!Marked(rows[static_cast<std::size_t>(t)], bpp).empty()) markedRows.insert(t);
      }
      EXPECT_EQ(markedRows, c.markedRows) << "column " << c.settings.column;
    }
  }
}

TEST(CrosshairsFrame, CopiesThePictureUnderTheCross) {
  const Bytes picture = test::PatternBytes(64 * 4 * 12, 5);
  const GuardedBuffer input(picture);
  GuardedBuffer output(picture.size(), 0);
  FrameGeometry g;
  const int length = static_cast<int>(picture.size());
  ASSERT_EQ(DeriveFrameGeometry({length, length, length, length, 12}, &g), kOk);
  ASSERT_EQ(DrawCrosshairs(input.Bytes(), output.Bytes(), g, RowOrder::kReversed, FrameSubtype::kRgb32, {6, 30, 77}),
            kOk);
  const Bytes out = output.Content();
  const Bytes grey{77, 77, 77, 128};
  for (int t = 0; t < 12; ++t) {
    for (int p = 0; p < 64; ++p) {
      const auto in = picture.begin() + (t * 64 + p) * 4;
      const auto o = out.begin() + ((11 - t) * 64 + p) * 4;
      const bool onCross =
          (t == 6 && (p <= 7 || (p >= 17 && p <= 25) || (p >= 35 && p <= 43) || (p >= 53 && p <= 61))) ||
          (p == 30 && (t <= 1 || t >= 11));
      ASSERT_EQ(Bytes(o, o + 4), onCross ? grey : Bytes(in, in + 4)) << "row " << t << " pixel " << p;
    }
  }
  EXPECT_EQ(input.Content(), picture);
}

TEST(CrosshairsFrame, OtherSubtypesAreCopiedAndSmallBuffersRefused) {
  const Bytes picture = test::PatternBytes(48, 9);
  const GuardedBuffer input(picture);
  GuardedBuffer output(48, 0);
  FrameGeometry g;
  ASSERT_EQ(DeriveFrameGeometry({48, 48, 48, 48, 4}, &g), kOk);
  ASSERT_EQ(DrawCrosshairs(input.Bytes(), output.Bytes(), g, RowOrder::kSame, FrameSubtype::kOther, {2, 2, 99}), kOk);
  EXPECT_EQ(output.Content(), picture);
  GuardedBuffer small(47, 0xEE);
  EXPECT_EQ(DrawCrosshairs(input.Bytes(), small.Bytes(), g, RowOrder::kSame, FrameSubtype::kRgb32, {2, 2, 99}), kFail);
  EXPECT_EQ(small.Content(), Bytes(47, 0xEE));
  EXPECT_TRUE(small.GuardsIntact());
}

TEST(CrosshairsSettingsTest, AreReadFromTheSharedState) {
  CommonState state;
  state.crosshairRow = 12;
  state.crosshairColumn = 34;
  state.crosshairIntensity = 56;
  const CrosshairsSettings s = LoadCrosshairsSettings(state);
  EXPECT_EQ(s.row, 12);
  EXPECT_EQ(s.column, 34);
  EXPECT_EQ(s.intensity, 56);
}

}  // namespace
}  // namespace zuna

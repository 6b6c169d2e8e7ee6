#include "video/convert/palette_change.h"

#include <gtest/gtest.h>

#include <vector>

#include "picture_test_format.h"

namespace zuna {
namespace {

using Entry = std::array<std::uint8_t, 4>;

SourcePicture Palettized() {
  SourcePicture picture;
  EXPECT_EQ(DescribeSourcePicture(test::BitmapInfo(4, 2, 8, 0, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}, 3), &picture),
            kOk);
  return picture;
}

TEST(PaletteChange, ReplacesTheNamedEntries) {
  SourcePicture p = Palettized();
  // From entry 1, two entries, given red first.
  ASSERT_EQ(ApplyPaletteChange(std::vector<std::uint8_t>{1, 2, 0, 0, 30, 20, 10, 0, 60, 50, 40, 0}, &p), kOk);
  EXPECT_EQ(p.palette[0], (Entry{1, 2, 3, 0}));
  EXPECT_EQ(p.palette[1], (Entry{10, 20, 30, 0}));
  EXPECT_EQ(p.palette[2], (Entry{40, 50, 60, 0}));
  EXPECT_EQ(p.palette[3], (Entry{0, 0, 0, 0}));
}

TEST(PaletteChange, ACountOfZeroMeansAll256) {
  SourcePicture p = Palettized();
  std::vector<std::uint8_t> change = {0, 0, 0, 0};
  for (int i = 0; i < 256; ++i) change.insert(change.end(), {static_cast<std::uint8_t>(i), 0, 0, 0});
  ASSERT_EQ(ApplyPaletteChange(change, &p), kOk);
  EXPECT_EQ(p.palette[255], (Entry{0, 0, 255, 0}));
  change.pop_back();
  EXPECT_EQ(ApplyPaletteChange(change, &p), kInvalidArg);
}

TEST(PaletteChange, RefusesWhatDoesNotFitAndChangesNothing) {
  SourcePicture p = Palettized();
  const SourcePicture before = p;
  EXPECT_EQ(ApplyPaletteChange(std::vector<std::uint8_t>{255, 2, 0, 0, 1, 1, 1, 0, 2, 2, 2, 0}, &p), kInvalidArg);
  EXPECT_EQ(ApplyPaletteChange(std::vector<std::uint8_t>{0, 2, 0, 0, 1, 1, 1, 0}, &p), kInvalidArg);
  EXPECT_EQ(ApplyPaletteChange(std::vector<std::uint8_t>{0, 1, 0}, &p), kInvalidArg);
  EXPECT_EQ(p.palette, before.palette);
  SourcePicture grey;
  ASSERT_EQ(DescribeSourcePicture(test::BitmapInfo(4, 2, 8, test::Code("Y800")), &grey), kOk);
  EXPECT_EQ(ApplyPaletteChange(std::vector<std::uint8_t>{0, 1, 0, 0, 1, 1, 1, 0}, &grey), kInvalidArg);
}

}  // namespace
}  // namespace zuna

#include "video/convert/source_picture.h"

#include <gtest/gtest.h>

#include "picture_test_format.h"

namespace zuna {
namespace {

using test::BitmapInfo;
using test::Code;
using test::Masks;

SourcePicture Described(const std::vector<std::uint8_t>& info) {
  SourcePicture picture;
  EXPECT_EQ(DescribeSourcePicture(info, &picture), kOk);
  return picture;
}

TEST(SourcePicture, NamesEveryConvertedLayout) {
  const std::pair<std::uint32_t, PictureLayout> codes[] = {
      {Code("Y800"), PictureLayout::kGrey}, {Code("Y8  "), PictureLayout::kGrey}, {Code("GREY"), PictureLayout::kGrey},
      {Code("UYVY"), PictureLayout::kUyvy}, {Code("YVYU"), PictureLayout::kYvyu}, {Code("I420"), PictureLayout::kI420},
      {Code("IYUV"), PictureLayout::kI420}, {Code("YV12"), PictureLayout::kYv12}, {Code("NV12"), PictureLayout::kNv12}};
  for (const auto& [code, layout] : codes) {
    const SourcePicture p = Described(BitmapInfo(7, 5, 12, code));
    EXPECT_EQ(p.layout, layout);
    EXPECT_EQ(p.compression, code);
    EXPECT_FALSE(p.bottomUp) << "YUV rows are top-down whatever the height says";
  }
  EXPECT_EQ(Described(BitmapInfo(7, 5, 24, 0)).layout, PictureLayout::kRgb24);
  EXPECT_EQ(Described(BitmapInfo(7, 5, 16, 0)).layout, PictureLayout::kRgb555);
  EXPECT_EQ(Described(BitmapInfo(7, 5, 16, 3, Masks(0x7C00, 0x03E0, 0x1F))).layout, PictureLayout::kRgb555);
  EXPECT_EQ(Described(BitmapInfo(7, 5, 16, 3, Masks(0xF800, 0x07E0, 0x1F))).layout, PictureLayout::kRgb565);
}

TEST(SourcePicture, RgbRowOrderFollowsTheHeightSign) {
  const SourcePicture bottomUp = Described(BitmapInfo(3, 4, 24, 0));
  EXPECT_TRUE(bottomUp.bottomUp);
  EXPECT_EQ(bottomUp.rows, 4);
  const SourcePicture topDown = Described(BitmapInfo(3, -4, 24, 0));
  EXPECT_FALSE(topDown.bottomUp);
  EXPECT_EQ(topDown.rows, 4);
}

TEST(SourcePicture, DisplayChainFormatsPassAndOthersAreRefused) {
  SourcePicture p;
  EXPECT_EQ(DescribeSourcePicture(BitmapInfo(8, 8, 32, 0), &p), kFalse);
  EXPECT_EQ(DescribeSourcePicture(BitmapInfo(8, 8, 16, Code("YUY2")), &p), kFalse);
  for (const auto& info :
       {BitmapInfo(8, 8, 24, Code("MJPG")), BitmapInfo(8, 8, 4, 0), BitmapInfo(8, 8, 16, 3),
        BitmapInfo(8, 8, 16, 3, Masks(0xF00, 0xF0, 0xF)), BitmapInfo(0, 8, 24, 0), BitmapInfo(8, 0, 24, 0),
        BitmapInfo(16385, 8, 24, 0), BitmapInfo(8, -16385, 24, 0), BitmapInfo(8, 8, 8, 0) /* no palette */}) {
    EXPECT_EQ(DescribeSourcePicture(info, &p), kFail);
  }
  std::vector<std::uint8_t> shortHeader = BitmapInfo(8, 8, 24, 0);
  shortHeader.resize(39);
  EXPECT_EQ(DescribeSourcePicture(shortHeader, &p), kFail);
  std::vector<std::uint8_t> smallSize = BitmapInfo(8, 8, 24, 0);
  smallSize[0] = 12;  // an OS/2 header is not read as a Windows one
  EXPECT_EQ(DescribeSourcePicture(smallSize, &p), kFail);
}

TEST(SourcePicture, PaletteTakesWhatTheFileGivesAndLeavesTheRestBlack) {
  // Three entries declared, two present.
  const SourcePicture p = Described(BitmapInfo(4, 2, 8, 0, {10, 20, 30, 99, 40, 50, 60, 99}, 3));
  EXPECT_EQ(p.palette[0], (std::array<std::uint8_t, 4>{10, 20, 30, 0}));
  EXPECT_EQ(p.palette[1], (std::array<std::uint8_t, 4>{40, 50, 60, 0}));
  EXPECT_EQ(p.palette[2], (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST(SourcePicture, FrameBytesFollowEachLayout) {
  // Width 5: RGB rows padded to 4 bytes, planar chroma rounded up.
  EXPECT_EQ(SourcePictureBytes(Described(BitmapInfo(5, 3, 24, 0))), 16u * 3);
  EXPECT_EQ(SourcePictureBytes(Described(BitmapInfo(5, 3, 16, 0))), 12u * 3);
  EXPECT_EQ(SourcePictureBytes(Described(BitmapInfo(5, 3, 8, 0, {1, 2, 3, 4}))), 8u * 3);
  EXPECT_EQ(SourcePictureBytes(Described(BitmapInfo(5, 3, 16, Code("UYVY")))), 12u * 3);
  EXPECT_EQ(SourcePictureBytes(Described(BitmapInfo(5, 3, 8, Code("Y800")))), 15u);
  EXPECT_EQ(PaddedGreyBytes(Described(BitmapInfo(5, 3, 8, Code("Y800")))), 24u);
  EXPECT_EQ(SourcePictureBytes(Described(BitmapInfo(5, 3, 12, Code("I420")))), 15u + 2 * 3 * 2);
  EXPECT_EQ(SourcePictureBytes(Described(BitmapInfo(5, 3, 12, Code("NV12")))), 15u + 2 * 3 * 2);
}

}  // namespace
}  // namespace zuna

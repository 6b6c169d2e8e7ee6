#include "video/frames/frame_geometry.h"

#include <gtest/gtest.h>

#include "support/memory_log.h"

namespace zuna {
namespace {

TEST(FrameGeometry, DerivesStridesAndRowBytesFromTheFirstSample) {
  FrameGeometry g;
  ASSERT_EQ(DeriveFrameGeometry({614'400, 614'400, 691'200, 622'080, 480}, &g), kOk);
  EXPECT_EQ(g.rows, 480);
  EXPECT_EQ(g.rowBytes, 1280);
  EXPECT_EQ(g.inputStride, 1440);
  EXPECT_EQ(g.outputStride, 1296);
  EXPECT_EQ(g.inputLength, 614'400);
  EXPECT_EQ(g.outputLength, 614'400);
  EXPECT_EQ(g.inputSize, 691'200);
  EXPECT_EQ(g.outputSize, 622'080);
}

TEST(FrameGeometry, RefusesLayoutsWhoseCopyWouldNotFit) {
  FrameGeometry g;
  g.rows = 7;
  EXPECT_EQ(DeriveFrameGeometry({100, 100, 100, 100, 0}, &g), kFail);  // no rows
  EXPECT_EQ(DeriveFrameGeometry({100, 100, 100, 100, -4}, &g), kFail);
  EXPECT_EQ(DeriveFrameGeometry({-8, 100, 100, 100, 4}, &g), kFail);
  EXPECT_EQ(DeriveFrameGeometry({200, 100, 100, 200, 4}, &g), kFail);  // data longer than its buffer
  EXPECT_EQ(DeriveFrameGeometry({100, 100, 100, 96, 4}, &g), kFail);   // rows of 25 into a stride of 24
  EXPECT_EQ(DeriveFrameGeometry({3, 3, 3, 3, 4}, &g), kFail);          // no byte per row
  EXPECT_EQ(g.rows, 7);
  EXPECT_EQ(DeriveFrameGeometry({100, 100, 100, 100, 4}, nullptr), kPointer);
}

TEST(FrameGeometryLatch, LatchesOnceUntilArmedAgain) {
  test::ScopedMemoryLog log;
  FrameGeometryLatch latch;
  EXPECT_TRUE(latch.Armed());  // armed when created
  ASSERT_EQ(latch.OnSample({1600, 1600, 1600, 1600, 10}), kOk);
  EXPECT_FALSE(latch.Armed());
  EXPECT_EQ(latch.Geometry().rowBytes, 160);
  // Later samples do not change the geometry, even when they measure differently.
  ASSERT_EQ(latch.OnSample({800, 800, 800, 800, 5}), kOk);
  EXPECT_EQ(latch.Geometry().rowBytes, 160);
  latch.Arm();  // inserted into a new graph
  ASSERT_EQ(latch.OnSample({800, 800, 800, 800, 5}), kOk);
  EXPECT_EQ(latch.Geometry().rows, 5);
  EXPECT_TRUE(log.Text().empty());
}

TEST(FrameGeometryLatch, ReportsAnUnusableGeometryOnceAndFailsUntilTheNextInsertion) {
  test::ScopedMemoryLog log;
  FrameGeometryLatch latch;
  EXPECT_EQ(latch.OnSample({1600, 1600, 1600, 1600, 0}), kFail);
  EXPECT_EQ(latch.OnSample({1600, 1600, 1600, 1600, 10}), kFail);
  EXPECT_EQ(latch.Geometry().rows, 0);
  const std::wstring& text = log.Text();
  EXPECT_NE(text.find(L"WARNING: unusable frame geometry in Transform: 0 rows, input 1600 of 1600 bytes, "
                      L"output buffer 1600 bytes\r\n"),
            std::wstring::npos);
  EXPECT_EQ(text.find(L"WARNING", text.find(L"WARNING") + 1), std::wstring::npos);
  latch.Arm();
  EXPECT_EQ(latch.OnSample({1600, 1600, 1600, 1600, 10}), kOk);
}

TEST(RowOrderRule, FollowsEachFiltersFlags) {
  EXPECT_EQ(PixelSaturationRowOrder(false, false), RowOrder::kReversed);
  EXPECT_EQ(PixelSaturationRowOrder(false, true), RowOrder::kSame);
  EXPECT_EQ(PixelSaturationRowOrder(true, false), RowOrder::kSame);
  EXPECT_EQ(PixelSaturationRowOrder(true, true), RowOrder::kReversed);
  EXPECT_EQ(CrosshairsRowOrder(false), RowOrder::kReversed);
  EXPECT_EQ(CrosshairsRowOrder(true), RowOrder::kSame);
  EXPECT_EQ(TimeLapseRowOrder(), RowOrder::kReversed);
}

}  // namespace
}  // namespace zuna

#include "video/frames/frame_row_copy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "frame_test_buffer.h"

namespace zuna {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::GuardedBuffer;

// Three rows of 2 bytes, read one after the other and written into output rows 3 bytes apart.
FrameGeometry SmallGeometry() {
  FrameGeometry g;
  EXPECT_EQ(DeriveFrameGeometry({6, 6, 6, 9, 3}, &g), kOk);
  return g;
}

TEST(FrameRowCopy, WritesRowsInTheSameOrderAtTheOutputStride) {
  const GuardedBuffer input(Bytes{1, 2, 3, 4, 5, 6});
  GuardedBuffer output(9, 0xEE);
  ASSERT_EQ(CopyFrameRows(input.Bytes(), output.Bytes(), SmallGeometry(), RowOrder::kSame), kOk);
  EXPECT_EQ(output.Content(), (Bytes{1, 2, 0xEE, 3, 4, 0xEE, 5, 6, 0xEE}));
  EXPECT_TRUE(output.GuardsIntact());
}

TEST(FrameRowCopy, WritesRowsInReverseOrder) {
  const GuardedBuffer input(Bytes{1, 2, 3, 4, 5, 6});
  GuardedBuffer output(9, 0xEE);
  ASSERT_EQ(CopyFrameRows(input.Bytes(), output.Bytes(), SmallGeometry(), RowOrder::kReversed), kOk);
  EXPECT_EQ(output.Content(), (Bytes{5, 6, 0xEE, 3, 4, 0xEE, 1, 2, 0xEE}));
  EXPECT_EQ(input.Content(), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(output.GuardsIntact());
  EXPECT_TRUE(input.GuardsIntact());
}

TEST(FrameRowCopy, CopiesExactlyRowsTimesRowBytes) {
  // 480 rows of 1280 bytes into rows padded to 1296 bytes.
  FrameGeometry g;
  ASSERT_EQ(DeriveFrameGeometry({614'400, 614'400, 614'400, 622'080, 480}, &g), kOk);
  EXPECT_EQ(CopiedByteCount(g), 614'400u);
  const GuardedBuffer input(test::PatternBytes(614'400, 7));
  GuardedBuffer output(622'080, 0xEE);
  ASSERT_EQ(CopyFrameRows(input.Bytes(), output.Bytes(), g, RowOrder::kReversed), kOk);
  const Bytes in = input.Content();
  const Bytes out = output.Content();
  for (std::size_t t = 0; t < 480; ++t) {
    const std::size_t row = (479 - t) * 1296;
    ASSERT_TRUE(std::equal(in.begin() + t * 1280, in.begin() + (t + 1) * 1280, out.begin() + row)) << "row " << t;
    for (std::size_t pad = 1280; pad < 1296; ++pad) ASSERT_EQ(out[row + pad], 0xEE);
  }
  EXPECT_TRUE(output.GuardsIntact());
}

TEST(FrameRowCopy, RefusesBuffersSmallerThanTheLatchedGeometryWithoutWriting) {
  const FrameGeometry g = SmallGeometry();
  const GuardedBuffer shortInput(Bytes{1, 2, 3, 4, 5});
  const GuardedBuffer input(Bytes{1, 2, 3, 4, 5, 6});
  GuardedBuffer shortOutput(7, 0xEE);  // the last row would need bytes 6 and 7
  GuardedBuffer output(9, 0xEE);
  EXPECT_EQ(CopyFrameRows(shortInput.Bytes(), output.Bytes(), g, RowOrder::kSame), kFail);
  EXPECT_EQ(CopyFrameRows(input.Bytes(), shortOutput.Bytes(), g, RowOrder::kReversed), kFail);
  EXPECT_EQ(output.Content(), Bytes(9, 0xEE));
  EXPECT_EQ(shortOutput.Content(), Bytes(7, 0xEE));
  // The last row needs only rowBytes, not a whole stride.
  GuardedBuffer exact(8, 0xEE);
  EXPECT_EQ(CopyFrameRows(input.Bytes(), exact.Bytes(), g, RowOrder::kSame), kOk);
  EXPECT_EQ(exact.Content(), (Bytes{1, 2, 0xEE, 3, 4, 0xEE, 5, 6}));
  EXPECT_TRUE(exact.GuardsIntact());
}

TEST(FrameRowCopy, RefusesAnUnlatchedGeometryAndOverlappingBuffers) {
  Bytes memory{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  const Bytes before = memory;
  const std::span<std::uint8_t> all(memory);
  EXPECT_EQ(CopyFrameRows(all.first(6), all.subspan(6), FrameGeometry{}, RowOrder::kSame), kFail);
  EXPECT_EQ(CopyFrameRows(all.first(6), all.subspan(3, 9), SmallGeometry(), RowOrder::kSame), kFail);
  EXPECT_EQ(memory, before);
  EXPECT_EQ(CopyFrameRows(all.first(6), all.subspan(6, 9), SmallGeometry(), RowOrder::kSame), kOk);
}

}  // namespace
}  // namespace zuna

#include "video/frames/frame_media_type.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(FrameInputType, AcceptsOnlyUncompressedYuy2AndRgb32Video) {
  EXPECT_EQ(CheckFrameInputType({true, true, FrameSubtype::kYuy2}), kOk);
  EXPECT_EQ(CheckFrameInputType({true, true, FrameSubtype::kRgb32}), kOk);
  // RGB24 and MJPG reach the kernels' layer as "other".
  EXPECT_EQ(CheckFrameInputType({true, true, FrameSubtype::kOther}), kTypeNotAccepted);
  EXPECT_EQ(CheckFrameInputType({false, true, FrameSubtype::kYuy2}), kTypeNotAccepted);
  EXPECT_EQ(CheckFrameInputType({true, false, FrameSubtype::kRgb32}), kTypeNotAccepted);
  EXPECT_TRUE(Failed(kTypeNotAccepted));
}

TEST(FrameInputType, OffersOnlyTheInputTypeAtPositionZero) {
  EXPECT_EQ(CheckMediaTypePosition(-1), kInvalidArg);
  EXPECT_EQ(CheckMediaTypePosition(0), kOk);
  EXPECT_EQ(CheckMediaTypePosition(1), kNoMoreItems);
  EXPECT_TRUE(Succeeded(kNoMoreItems));
}

TEST(FrameBufferRequest, IsOneBufferOfAlignedRows) {
  FrameBufferRequest request;
  ASSERT_EQ(ComputeFrameBufferRequest(32, 640, 480, &request), kOk);
  EXPECT_EQ(request.size, 1'228'800);
  EXPECT_EQ(request.count, 1);
  EXPECT_EQ(request.alignment, 1);
  ASSERT_EQ(ComputeFrameBufferRequest(16, 720, 480, &request), kOk);
  EXPECT_EQ(request.size, 691'200);
  // A bottom-up header counts its rows the same; 3 pixels of 24 bits round up to 12 bytes a row.
  ASSERT_EQ(ComputeFrameBufferRequest(16, 720, -480, &request), kOk);
  EXPECT_EQ(request.size, 691'200);
  ASSERT_EQ(ComputeFrameBufferRequest(24, 3, 2, &request), kOk);
  EXPECT_EQ(request.size, 24);
}

TEST(FrameBufferRequest, RefusesHeadersThatDescribeNoBufferOrTooLargeABuffer) {
  FrameBufferRequest request{1, 1, 77};
  EXPECT_EQ(ComputeFrameBufferRequest(0, 640, 480, &request), kFail);
  EXPECT_EQ(ComputeFrameBufferRequest(32, 0, 480, &request), kFail);
  EXPECT_EQ(ComputeFrameBufferRequest(32, -640, 480, &request), kFail);
  EXPECT_EQ(ComputeFrameBufferRequest(32, 640, 0, &request), kFail);
  EXPECT_EQ(ComputeFrameBufferRequest(32, 65536, 65536, &request), kFail);
  EXPECT_EQ(ComputeFrameBufferRequest(32, 640, -2147483647 - 1, &request), kFail);
  EXPECT_EQ(request.size, 77);  // untouched by a refusal
  EXPECT_EQ(ComputeFrameBufferRequest(32, 640, 480, nullptr), kPointer);
}

TEST(FrameBufferRequest, GrantSmallerThanAskedFailsTheConnection) {
  const FrameBufferRequest asked{1, 1, 691'200};
  EXPECT_EQ(CheckGrantedFrameBuffer(asked, 1, 691'200), kOk);
  EXPECT_EQ(CheckGrantedFrameBuffer(asked, 2, 700'000), kOk);
  EXPECT_EQ(CheckGrantedFrameBuffer(asked, 1, 691'199), kFail);
  EXPECT_EQ(CheckGrantedFrameBuffer(asked, 0, 691'200), kFail);
}

}  // namespace
}  // namespace zuna

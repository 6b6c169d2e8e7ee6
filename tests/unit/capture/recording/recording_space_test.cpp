// How much of a video a disk holds, the 4 GiB file limit of FAT32 included, and the warning texts.
#include "capture/recording/recording_space.h"

#include <gtest/gtest.h>

namespace zuna::test {
namespace {

// 720 x 480 YUY2 at 25 frames per second, with its frame times file.
const RecordingStream kPal{720 * 480 * 2, 25.0, true};

TEST(SpaceArithmetic, EachFrameCostsItsBytesItsIndexEntriesAndItsTimeLine) {
  EXPECT_EQ(AviBytesPerFrame(kPal), 691200u + 8 + 8 + 16);
  EXPECT_EQ(DiskBytesPerFrame(kPal), AviBytesPerFrame(kPal) + kFrameTimesBytesPerFrame);
  EXPECT_EQ(AviBytesPerFrame({101, 25.0, false}), 102u + 32);  // chunks are padded to even lengths
  EXPECT_EQ(DiskBytesPerFrame({101, 25.0, false}), 134u);
}

TEST(SpaceArithmetic, TheFreeSpaceGivesWholeSecondsAfterTheHeaders) {
  const std::uint64_t exactly190s = kAviFixedBytes + DiskBytesPerFrame(kPal) * 25 * 190;
  EXPECT_EQ(SecondsOnDisk(kPal, {exactly190s, L"NTFS"})->seconds, 190u);
  EXPECT_EQ(SecondsOnDisk(kPal, {exactly190s - 1, L"NTFS"})->seconds, 189u);
  EXPECT_EQ(SecondsOnDisk(kPal, {1000, L"NTFS"})->seconds, 0u);  // not even the headers
  EXPECT_FALSE(SecondsOnDisk(kPal, {exactly190s, L"NTFS"})->fat32Limit);
  EXPECT_FALSE(SecondsOnDisk({0, 25.0, true}, {exactly190s, L"NTFS"}));
  EXPECT_FALSE(SecondsOnDisk({100, 0.0, true}, {exactly190s, L"NTFS"}));

  const auto check = SecondsOnDisk(kPal, {exactly190s, L"NTFS"});
  EXPECT_EQ(SpaceWarning(*check, 300, L"the event"),
            L"WARNING: the disk holds 3 min 10 s of this video; the event needs 5 min\r\n");
  EXPECT_FALSE(SpaceWarning(*check, 190, L"the event"));
}

TEST(SpaceArithmetic, OnFat32OneFileStopsAt4GiBWhateverTheDiskHolds) {
  const RecordingStream fullHd{1920 * 1080 * 4, 30.0, true};
  const std::uint64_t terabyte = std::uint64_t{1} << 40;
  const std::uint64_t framesInOneFile = (kFat32FileLimit - kAviFixedBytes) / AviBytesPerFrame(fullHd);
  const auto fat = SecondsOnDisk(fullHd, {terabyte, L"FAT32"});
  ASSERT_TRUE(fat);
  EXPECT_TRUE(fat->fat32Limit);
  EXPECT_EQ(fat->seconds, framesInOneFile / 30);
  EXPECT_EQ(SpaceWarning(*fat, 60, L"the event"),
            L"WARNING: the disk is FAT32, where no file may pass 4 GiB: one file holds " + SpanText(fat->seconds) +
                L" of this video; the event needs 1 min\r\n");
  // The same disk formatted NTFS holds hours; a FAT32 disk with less free space than 4 GiB is
  // limited by its space.
  EXPECT_GT(SecondsOnDisk(fullHd, {terabyte, L"NTFS"})->seconds, 3600u);
  EXPECT_FALSE(SecondsOnDisk(fullHd, {std::uint64_t{1} << 30, L"FAT32"})->fat32Limit);
}

TEST(SpaceArithmetic, SpansNameTheirPartsThatAreNotZero) {
  EXPECT_EQ(SpanText(3725), L"1 h 2 min 5 s");
  EXPECT_EQ(SpanText(3600), L"1 h");
  EXPECT_EQ(SpanText(190), L"3 min 10 s");
  EXPECT_EQ(SpanText(45), L"45 s");
  EXPECT_EQ(SpanText(0), L"0 s");
}

}  // namespace
}  // namespace zuna::test

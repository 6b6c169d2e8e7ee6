// The frame reader on the capture writer's files (several RIFF parts, dropped frames, key frames),
// on ffmpeg's files (legacy index, no index) and on damaged ones.
#include "video/avi_reader/avi_frame_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "video/avi/avi_layout.h"
#include "video/avi/avi_test_output.h"
#include "video/avi_reader/avi_frame_clock.h"
#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/riff_memory_output.h"

namespace zuna {
namespace {

using test::ScopedMemoryLog;
using test::TempFolder;

using Bytes = std::vector<std::uint8_t>;

bool HaveFfmpeg() {
  return std::system("command -v ffmpeg >/dev/null 2>&1") == 0;
}

std::size_t Count(const Bytes& file, const char* code) {
  std::size_t n = 0;
  for (std::size_t i = 0; i + 4 <= file.size(); ++i) n += std::equal(code, code + 4, file.begin() + i) ? 1 : 0;
  return n;
}

void Rename(Bytes& file, const char* from, const char* to) {
  for (std::size_t i = 0; i + 4 <= file.size(); ++i) {
    if (std::equal(from, from + 4, file.begin() + i)) std::copy(to, to + 4, file.begin() + i);
  }
}

// Frame i is filled with the byte i + 1 (compressed frames: with a length of their own); frames
// listed in `lost` never reach the writer and are recorded as dropped.
Bytes WriteFile(const AviVideoFormat& format, int frames, const std::vector<int>& lost, AviWriterOptions options,
                int keyEvery = 1) {
  auto file = std::make_shared<Bytes>();
  AviWriter writer(options);
  EXPECT_EQ(writer.Open(std::make_unique<RiffMemoryOutput>(file), format), kOk);
  for (int i = 0; i < frames; ++i) {
    if (std::find(lost.begin(), lost.end(), i) != lost.end()) continue;
    Bytes frame(format.compressed ? 100 + i : format.sizeImage, static_cast<std::uint8_t>(i + 1));
    const std::int64_t start = std::int64_t{i} * 10'000'000 * format.scale / format.rate;
    EXPECT_EQ(writer.WriteFrame(frame, start, i % keyEvery == 0), kOk);
  }
  EXPECT_EQ(writer.Close(), kOk);
  return *file;
}

AviWriterOptions SmallParts() {
  AviWriterOptions options;
  options.partBytes = 4096;
  options.framesPerIndex = 4;
  options.superIndexEntries = 64;
  return options;
}

TEST(AviFrameReader, ReadsTheWritersFileAcrossParts) {
  ScopedMemoryLog log;
  const AviVideoFormat format = AviVideoFormat::Yuy2(16, 8, 30000, 1001);
  const Bytes file = WriteFile(format, 40, {5, 6, 33}, SmallParts());
  ASSERT_GE(Count(file, "AVIX"), 3u);
  AviMemorySource source(file);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk) << reader.Problem();
  EXPECT_EQ(reader.IndexKind(), AviIndexKind::kOpenDml);
  const AviStreamFormat& f = reader.Format();
  EXPECT_EQ(f.width, 16);
  EXPECT_EQ(f.height, 8);
  EXPECT_EQ(f.compression, FourCc("YUY2"));
  EXPECT_EQ(f.bitCount, 16);
  EXPECT_EQ(f.rate, 30000u);
  EXPECT_EQ(f.scale, 1001u);
  EXPECT_TRUE(f.Uncompressed());
  EXPECT_EQ(f.UncompressedFrameBytes(), 256u);
  ASSERT_EQ(reader.FrameCount(), 40u);
  EXPECT_EQ(reader.LargestFrameBytes(), 256u);
  Bytes bytes;
  for (std::uint32_t i = 0; i < 40; ++i) {
    const bool dropped = i == 5 || i == 6 || i == 33;
    EXPECT_EQ(reader.Frames()[i].size, dropped ? 0u : 256u) << i;
    EXPECT_EQ(reader.Frames()[i].key, !dropped) << i;
    ASSERT_EQ(reader.ReadFrame(source, i, bytes), kOk) << i;
    EXPECT_EQ(bytes, dropped ? Bytes() : Bytes(256, static_cast<std::uint8_t>(i + 1))) << i;
  }
  EXPECT_EQ(reader.PictureFrame(5), 4u);
  EXPECT_EQ(reader.PictureFrame(6), 4u);
  EXPECT_EQ(reader.PictureFrame(7), 7u);
  EXPECT_EQ(reader.PictureFrame(33), 32u);
  EXPECT_EQ(reader.ReadFrame(source, 40, bytes), kInvalidArg);
}

TEST(AviFrameReader, WalksTheWritersPartsWhenTheIndexesAreGone) {
  ScopedMemoryLog log;
  Bytes file = WriteFile(AviVideoFormat::Yuy2(16, 8, 25, 1), 30, {2}, SmallParts());
  Rename(file, "indx", "JUNK");
  Rename(file, "idx1", "JUNK");
  AviMemorySource source(file);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk) << reader.Problem();
  EXPECT_EQ(reader.IndexKind(), AviIndexKind::kWalked);
  ASSERT_EQ(reader.FrameCount(), 30u);
  EXPECT_EQ(reader.Frames()[2].size, 0u);
  Bytes bytes;
  ASSERT_EQ(reader.ReadFrame(source, 29, bytes), kOk);
  EXPECT_EQ(bytes, Bytes(256, 30));
}

// Turns the second frame's chunk and its legacy index entry into palette changes.
void MakeSecondFrameAPaletteChange(Bytes& file) {
  const char* id = "00db";
  std::size_t seen = 0;
  for (std::size_t i = 0; i + 4 <= file.size(); ++i) {
    if (!std::equal(id, id + 4, file.begin() + static_cast<std::ptrdiff_t>(i))) continue;
    // The super index and the standard index name the stream first, then come the frames in "movi"
    // and the entries of "idx1": the second of each is the fourth and the seventh.
    if (++seen == 4 || seen == 7) std::copy_n("00pc", 4, file.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

TEST(AviFrameReader, FindsPaletteChangesInTheLegacyIndexAndTheWalk) {
  ScopedMemoryLog log;
  for (const bool walk : {false, true}) {
    Bytes file = WriteFile(AviVideoFormat::Yuy2(32, 32, 25, 1), 3, {}, {});
    Rename(file, "indx", "JUNK");
    MakeSecondFrameAPaletteChange(file);
    if (walk) Rename(file, "idx1", "JUNK");
    AviMemorySource source(file);
    AviFrameReader reader;
    ASSERT_EQ(reader.Open(source), kOk) << reader.Problem();
    EXPECT_EQ(reader.IndexKind(), walk ? AviIndexKind::kWalked : AviIndexKind::kLegacy);
    ASSERT_EQ(reader.PaletteChanges().size(), 1u);
    EXPECT_EQ(reader.PaletteChanges()[0].fromFrame, 1u) << "it comes after the first frame";
    EXPECT_EQ(reader.FrameCount(), 2u) << "a palette change is no frame";
    Bytes change;
    ASSERT_EQ(reader.ReadPaletteChange(source, 0, change), kOk);
    EXPECT_EQ(change, Bytes(4 + 256 * 4, 2)) << "the second frame's bytes, as far as a change reaches";
    EXPECT_EQ(reader.ReadPaletteChange(source, 1, change), kInvalidArg);
  }
}

TEST(AviFrameReader, SkipsTheLegacyIndexOfAFileWithParts) {
  ScopedMemoryLog log;
  Bytes file = WriteFile(AviVideoFormat::Yuy2(16, 8, 25, 1), 30, {}, SmallParts());
  Rename(file, "indx", "JUNK");  // the legacy index lists the first part only
  AviMemorySource source(file);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk) << reader.Problem();
  EXPECT_EQ(reader.IndexKind(), AviIndexKind::kWalked);
  EXPECT_EQ(reader.FrameCount(), 30u);
}

TEST(AviFrameReader, KeyFramesOfACompressedStream) {
  ScopedMemoryLog log;
  const AviVideoFormat format = AviVideoFormat::Compressed(FourCc("LAGS"), 24, 16, 8, 25, 1);
  const Bytes file = WriteFile(format, 20, {7, 12}, SmallParts(), 5);
  AviMemorySource source(file);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk) << reader.Problem();
  EXPECT_FALSE(reader.Format().Uncompressed());
  EXPECT_EQ(reader.Format().compression, FourCc("LAGS"));
  ASSERT_EQ(reader.FrameCount(), 20u);
  for (std::uint32_t i = 0; i < 20; ++i) {
    const bool dropped = i == 7 || i == 12;
    EXPECT_EQ(reader.Frames()[i].key, !dropped && i % 5 == 0) << i;
    EXPECT_EQ(reader.Frames()[i].size, dropped ? 0u : 100 + i) << i;
  }
  EXPECT_EQ(reader.DecodeStart(9), 5u);
  EXPECT_EQ(reader.DecodeStart(10), 10u);
  EXPECT_EQ(reader.PictureFrame(12), 11u);
  EXPECT_EQ(reader.DecodeStart(11), 10u);
  Bytes bytes;
  ASSERT_EQ(reader.ReadFrame(source, 19, bytes), kOk);
  EXPECT_EQ(bytes, Bytes(119, 20));
}

TEST(AviFrameReader, DecodingStartsAtTheFirstKeptFrameWhenNoKeyFrameIsBefore) {
  ScopedMemoryLog log;
  const AviVideoFormat format = AviVideoFormat::Compressed(FourCc("LAGS"), 24, 16, 8, 25, 1);
  // Frame 0 is a delta frame, frame 1 was lost, frame 3 is the first key frame.
  auto file = std::make_shared<Bytes>();
  AviWriter writer;
  ASSERT_EQ(writer.Open(std::make_unique<RiffMemoryOutput>(file), format), kOk);
  for (int i = 0; i < 6; ++i) {
    if (i == 1) continue;
    ASSERT_EQ(writer.WriteFrame(Bytes(50, static_cast<std::uint8_t>(i)), std::int64_t{i} * 400000, i == 3), kOk);
  }
  ASSERT_EQ(writer.Close(), kOk);
  AviMemorySource source(*file);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk);
  ASSERT_EQ(reader.FrameCount(), 6u);
  EXPECT_FALSE(reader.Frames()[0].key);
  EXPECT_EQ(reader.PictureFrame(1), 0u);
  EXPECT_EQ(reader.DecodeStart(2), 0u);  // no key frame before it: from the first kept frame
  EXPECT_EQ(reader.DecodeStart(4), 3u);
}

TEST(AviFrameReader, RefusesFramesShorterThanTheTimeUnit) {
  ScopedMemoryLog log;
  Bytes file = WriteFile(AviVideoFormat::Yuy2(16, 8, 25, 1), 3, {}, {});
  // The stream header's rate (at 132 in the writer's layout) set beyond 10^7 frames a second.
  file[132] = 0x00;
  file[133] = 0x00;
  file[134] = 0x00;
  file[135] = 0x10;
  AviMemorySource source(file);
  AviFrameReader reader;
  EXPECT_EQ(reader.Open(source), kAbort);
}

TEST(AviFrameReader, FirstFramesDroppedShowTheFirstKeptFrame) {
  ScopedMemoryLog log;
  const Bytes file = WriteFile(AviVideoFormat::Rgb32(8, 4, 25, 1), 6, {}, {});
  AviMemorySource source(file);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk);
  EXPECT_EQ(reader.Format().compression, 0u);
  EXPECT_EQ(reader.Format().UncompressedFrameBytes(), 128u);
  EXPECT_EQ(reader.PictureFrame(0), 0u);
  EXPECT_EQ(reader.PictureFrame(100), 5u);  // beyond the end: the last frame
}

TEST(AviFrameReader, ACutOffRecordingReadsUpToItsLastCheckpoint) {
  ScopedMemoryLog log;
  const Bytes whole = WriteFile(AviVideoFormat::Yuy2(16, 8, 25, 1), 60, {3}, SmallParts());
  for (std::size_t cut = 0; cut <= whole.size(); cut += 97) {
    const Bytes file(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    AviMemorySource source(file);
    AviFrameReader reader;
    if (Failed(reader.Open(source))) continue;
    Bytes bytes;
    for (std::uint32_t i = 0; i < reader.FrameCount(); ++i) {
      const AviFrameEntry& e = reader.Frames()[i];
      ASSERT_LE(e.offset + e.size, cut);
      ASSERT_EQ(reader.ReadFrame(source, i, bytes), kOk) << cut << " " << i;
      if (e.size != 0) {
        EXPECT_EQ(bytes, Bytes(256, static_cast<std::uint8_t>(i + 1)));
      }
    }
  }
}

TEST(AviFrameReader, DamagedBytesNeverLeadOutsideTheFile) {
  ScopedMemoryLog log;
  const Bytes whole = WriteFile(AviVideoFormat::Yuy2(16, 8, 25, 1), 12, {3}, SmallParts());
  for (std::size_t at = 0; at < whole.size(); at += 3) {
    for (const std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x7F}}) {
      Bytes file = whole;
      file[at] = value;
      AviMemorySource source(file);
      AviFrameReader reader;
      if (Failed(reader.Open(source))) continue;
      Bytes bytes;
      for (std::uint32_t i = 0; i < reader.FrameCount(); ++i) {
        const AviFrameEntry& e = reader.Frames()[i];
        ASSERT_LE(e.offset + e.size, file.size());
        reader.ReadFrame(source, i, bytes);
      }
    }
  }
}

TEST(AviFrameReader, APictureTooLargeForOneFrameIsRefusedUnread) {
  Bytes file = WriteFile(AviVideoFormat::Rgb32(8, 4, 25, 1), 3, {}, {});
  StoreLe32(file, avi::kBiSizeOffset + 4, 32768);  // 32768 x 16384 RGB32: 2 GiB a frame
  StoreLe32(file, avi::kBiSizeOffset + 8, 16384);
  test::PaddedSource source(file, std::uint64_t{64} << 30);
  AviFrameReader reader;
  EXPECT_EQ(reader.Open(source), kAbort);
  EXPECT_EQ(reader.Problem(), "one frame of its 32768 x 16384 picture would take more than 512 MiB");
  EXPECT_LT(source.largestRead, 1u << 20);
}

TEST(AviFrameReader, AFrameClaimingMoreThanAFrameMayEndsTheListThere) {
  Bytes file = WriteFile(AviVideoFormat::Yuy2(16, 8, 25, 1), 6, {}, {});
  ASSERT_EQ(Count(file, "ix00"), 1u);
  const std::size_t index = std::search(file.begin(), file.end(), "ix00", "ix00" + 4) - file.begin();
  StoreLe32(file, index + avi::kIndexHeadBytes + 2 * 8 + 4, 600u << 20);  // frame 2's size, in a 4 GiB file
  test::PaddedSource source(file, std::uint64_t{4} << 30);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk);
  EXPECT_EQ(reader.FrameCount(), 2u);
  EXPECT_EQ(reader.Problem(),
            "frame 2 claims 629145600 bytes, more than 512 MiB; the frames from there on are not read");
  EXPECT_LE(reader.LargestFrameBytes(), AviFrameReader::kMaxFrameBytes);
}

TEST(AviFrameReader, RejectsWhatIsNotAviVideo) {
  for (const std::string& text : {std::string(), std::string("RIFF"), std::string("RIFF\x04\0\0\0WAVE", 12),
                                  std::string("RIFF\x04\0\0\0AVI ", 12)}) {
    const Bytes file(text.begin(), text.end());
    AviMemorySource source(file);
    AviFrameReader reader;
    EXPECT_EQ(reader.Open(source), kAbort) << text;
    EXPECT_FALSE(reader.Problem().empty());
    EXPECT_EQ(reader.FrameCount(), 0u);
  }
}

// ffmpeg's 64 x 48 YUY2 test picture, 20 frames at 10 per second.
Bytes FfmpegFile(const TempFolder& folder) {
  const std::filesystem::path path = folder / "ffmpeg.avi";
  const std::string command =
      "ffmpeg -v error -f lavfi -i testsrc=size=64x48:rate=10 -frames:v 20 -c:v rawvideo -pix_fmt yuyv422 -y '" +
      path.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  const std::string text = TempFolder::ReadFile(path);
  return Bytes(text.begin(), text.end());
}

TEST(AviFrameReader, ReadsFfmpegsLegacyIndex) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TempFolder folder;
  const Bytes file = FfmpegFile(folder);
  ASSERT_EQ(Count(file, "idx1"), 1u);
  AviMemorySource source(file);
  AviFrameReader reader;
  ASSERT_EQ(reader.Open(source), kOk) << reader.Problem();
  EXPECT_EQ(reader.IndexKind(), AviIndexKind::kLegacy);
  EXPECT_EQ(reader.Format().width, 64);
  EXPECT_EQ(reader.Format().height, 48);
  EXPECT_EQ(reader.Format().compression, FourCc("YUY2"));
  EXPECT_EQ(AviFrameClock(reader.Format().rate, reader.Format().scale).FrameDuration(), 1'000'000);
  ASSERT_EQ(reader.FrameCount(), 20u);
  Bytes first, bytes;
  ASSERT_EQ(reader.ReadFrame(source, 0, first), kOk);
  for (std::uint32_t i = 0; i < 20; ++i) {
    EXPECT_EQ(reader.Frames()[i].size, 64u * 48 * 2);
    EXPECT_TRUE(reader.Frames()[i].key);
    ASSERT_EQ(reader.ReadFrame(source, i, bytes), kOk);
    if (i > 0) {
      EXPECT_NE(bytes, first) << i;  // the test picture moves
    }
  }
}

TEST(AviFrameReader, WalksFfmpegsFileWithoutIndex) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TempFolder folder;
  const Bytes indexed = FfmpegFile(folder);
  Bytes file = indexed;
  Rename(file, "idx1", "JUNK");
  AviMemorySource indexedSource(indexed);
  AviMemorySource source(file);
  AviFrameReader withIndex;
  AviFrameReader reader;
  ASSERT_EQ(withIndex.Open(indexedSource), kOk);
  ASSERT_EQ(reader.Open(source), kOk) << reader.Problem();
  EXPECT_EQ(reader.IndexKind(), AviIndexKind::kWalked);
  ASSERT_EQ(reader.FrameCount(), 20u);
  Bytes a, b;
  for (std::uint32_t i = 0; i < 20; ++i) {
    EXPECT_EQ(reader.Frames()[i].offset, withIndex.Frames()[i].offset);
    ASSERT_EQ(reader.ReadFrame(source, i, a), kOk);
    ASSERT_EQ(withIndex.ReadFrame(indexedSource, i, b), kOk);
    EXPECT_EQ(a, b);
  }
}

TEST(AviFrameClock, StartTimesMapBackToTheirFrames) {
  const AviFrameClock ntsc(30000, 1001);
  EXPECT_EQ(ntsc.StartTime(0), 0);
  EXPECT_EQ(ntsc.StartTime(1), 333667);
  EXPECT_EQ(ntsc.StartTime(3), 1001000);
  EXPECT_EQ(ntsc.FrameDuration(), 333667);
  for (std::uint64_t frame :
       {std::uint64_t{1}, std::uint64_t{2}, std::uint64_t{7}, std::uint64_t{1000}, std::uint64_t{99'999'998}}) {
    EXPECT_EQ(ntsc.FrameAt(ntsc.StartTime(frame)), frame);
    EXPECT_EQ(ntsc.FrameAt(ntsc.StartTime(frame) - 1), frame - 1);
    EXPECT_EQ(ntsc.FrameAt(ntsc.StartTime(frame + 1) - 1), frame);
  }
  EXPECT_EQ(ntsc.FrameAt(-5), 0u);
  const AviFrameClock odd(10'000'000, 1);  // one unit per frame: the finest clock that can tell frames apart
  EXPECT_EQ(odd.FrameAt(odd.StartTime(123456789)), 123456789u);
  EXPECT_EQ(AviFrameClock(0, 0).FrameDuration(), 10'000'000);
  EXPECT_GT(AviFrameClock(1, 0xFFFFFFFFu).FrameAt(std::numeric_limits<std::int64_t>::max()), 0u);
}

}  // namespace
}  // namespace zuna

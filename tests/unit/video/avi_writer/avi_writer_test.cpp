#include "video/avi_writer/avi_writer.h"

#include <gtest/gtest.h>

#include <random>

#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_header_parser.h"
#include "video/avi/avi_layout.h"
#include "video/avi/avi_test_output.h"

namespace zuna {
namespace {

using test::RecordedWrites;
using test::RecordingOutput;
using test::ScopedMemoryLog;

constexpr std::int64_t kNtscFrame = 333667;  // 100 ns units, as capture devices stamp 29.97 fps

struct Frame {
  std::int64_t time;
  std::uint32_t bytes;
  bool key = true;
};

std::vector<Frame> EvenFrames(int count, std::uint32_t bytes, std::int64_t duration = kNtscFrame) {
  std::vector<Frame> frames;
  for (int i = 0; i < count; ++i) frames.push_back({i * duration, bytes});
  return frames;
}

struct Recording {
  std::shared_ptr<RecordedWrites> record = std::make_shared<RecordedWrites>();
  std::vector<std::uint8_t> truth;  // 1 key frame, 0 dropped or not a key frame
  // (writes done, frames counted) after each checkpoint the writer made
  std::vector<std::pair<std::size_t, std::uint32_t>> checkpoints;
};

Recording Record(const AviVideoFormat& format, const std::vector<Frame>& frames, AviWriterOptions options = {}) {
  Recording r;
  AviWriter writer(options);
  EXPECT_EQ(writer.Open(std::make_unique<RecordingOutput>(r.record), format), kOk);
  for (const Frame& f : frames) {
    const std::vector<std::uint8_t> bytes(f.bytes, static_cast<std::uint8_t>(f.time));
    const std::uint32_t before = writer.FrameCount();
    const std::size_t flushes = r.record->flushes.size();
    EXPECT_EQ(writer.WriteFrame(bytes, f.time, f.key), kOk);
    r.truth.resize(writer.FrameCount() - 1, 0);  // dropped frames before this one
    r.truth.push_back(f.key || !format.compressed ? 1 : 0);
    EXPECT_GT(writer.FrameCount(), before);
    if (r.record->flushes.size() != flushes) r.checkpoints.emplace_back(r.record->writes.size(), writer.FrameCount());
  }
  EXPECT_EQ(writer.Close(), kOk);
  return r;
}

Status Parse(const std::vector<std::uint8_t>& file, AviHeaderParser& parser) {
  AviMemorySource source(file);
  return parser.ParseAviHeader(source);
}

void ExpectMapMatches(const AviHeaderParser& p, const std::vector<std::uint8_t>& truth) {
  ASSERT_LE(p.totalFrames, truth.size());
  ASSERT_EQ(p.frameIsKey.size(), p.totalFrames + 1u);
  EXPECT_TRUE(std::equal(truth.begin(), truth.begin() + p.totalFrames, p.frameIsKey.begin()));
  EXPECT_EQ(p.frameIsKey.back(), 0);
}

TEST(AviWriter, HeaderStandsWhereThePlaybackProgramLooks) {
  ScopedMemoryLog log;
  const Recording r = Record(AviVideoFormat::Yuy2(64, 48, 30000, 1001), EvenFrames(3, 64 * 48 * 2));
  const std::vector<std::uint8_t> file = r.record->File();
  EXPECT_EQ(ReadLe32(file, 24), avi::kAvih);
  EXPECT_EQ(ReadLe32(file, 28), 56u);
  EXPECT_EQ(ReadLe32(file, 104), 56u);
  EXPECT_EQ(ReadLe32(file, 168), 40u);
  EXPECT_EQ(ReadLe32(file, 172), 40u);
  EXPECT_TRUE(HasFourCc(file, 212, avi::kIndx));
  const std::uint32_t tag = 20 + *ReadLe32(file, 16);
  EXPECT_TRUE(HasFourCc(file, tag, avi::kList));
  EXPECT_TRUE(HasFourCc(file, tag + 8, avi::kInfo));
  EXPECT_TRUE(HasFourCc(file, tag + 12, avi::kIart));
  EXPECT_EQ(ReadLe32(file, tag + 16), 19u);
  EXPECT_EQ(std::string(file.begin() + tag + 20, file.begin() + tag + 39), std::string("ZUNA Video Capture", 19));
  EXPECT_EQ(ReadLe32(file, 4), file.size() - 8);  // one part: the RIFF size covers the whole file
  EXPECT_EQ(ReadLe32(file, avi::kLengthOffset), 3u);
  EXPECT_EQ(log.Text(), L"");
}

TEST(AviWriter, FilesWithoutDroppedFramesParseBack) {
  ScopedMemoryLog log;
  const Recording r = Record(AviVideoFormat::Yuy2(64, 48, 30000, 1001), EvenFrames(95, 64 * 48 * 2));
  const std::vector<std::uint8_t> file = r.record->File();
  AviHeaderParser p;
  ASSERT_EQ(Parse(file, p), kOk);
  EXPECT_TRUE(p.createdByCapture);
  EXPECT_EQ(p.totalFrames, 95u);
  EXPECT_EQ(p.droppedFrames, 0u);
  EXPECT_EQ(p.info.keyFrames, L"95");
  EXPECT_EQ(p.info.droppedFrames, L"0");
  EXPECT_EQ(p.info.frameSize, L"64 x 48");
  EXPECT_EQ(p.info.frameRate, L"29.97");
  EXPECT_EQ(p.info.codec, L"NONE (YUY2 internal decoder)");
  EXPECT_EQ(p.info.fileSize, FormatWithThousands(file.size(), DefaultNumberLocale()));
  ExpectMapMatches(p, r.truth);
}

TEST(AviWriter, GapsInFrameTimesBecomeDroppedFrames) {
  ScopedMemoryLog log;
  std::vector<Frame> frames;
  const std::int64_t d = 400000;  // 25 fps
  for (int slot : {0, 1, 2, 3, 4, 7, 8, 9, 13, 14}) frames.push_back({slot * d, 1000});
  frames.push_back({15 * d + d / 2 - 1, 1000});  // late by less than half a frame: still slot 15
  frames.push_back({16 * d + d / 2 + 1, 1000});  // closer to slot 17 than 16: slot 16 was lost
  const Recording r = Record(AviVideoFormat::Rgb32(16, 16, 10000000, 400000), frames);
  AviHeaderParser p;
  ASSERT_EQ(Parse(r.record->File(), p), kOk);
  EXPECT_EQ(p.totalFrames, 18u);
  EXPECT_EQ(p.droppedFrames, 6u);
  EXPECT_EQ(p.DroppedFrameNumbers(), (std::vector<std::uint32_t>{5, 6, 10, 11, 12, 16}));
  EXPECT_EQ(p.info.frameRate, L"25");
  EXPECT_EQ(p.info.codec, L"NONE (DIB internal decoder)");
  ExpectMapMatches(p, r.truth);
}

TEST(AviWriter, LongRecordingsContinueInFurtherParts) {
  ScopedMemoryLog log;
  AviWriterOptions options;
  options.partBytes = 64 * 1024;
  options.framesPerIndex = 7;
  options.superIndexEntries = 200;
  std::vector<Frame> frames = EvenFrames(300, 5001);  // odd sizes: chunks are padded
  frames.erase(frames.begin() + 100, frames.begin() + 110);
  const Recording r = Record(AviVideoFormat::Yuy2(32, 32, 30000, 1001), frames, options);
  const std::vector<std::uint8_t> file = r.record->File();
  // Walk the RIFF parts: the first is "AVI ", the others "AVIX", each within the part size.
  std::uint64_t at = 0;
  int parts = 0;
  while (at + 12 <= file.size()) {
    ASSERT_TRUE(HasFourCc(file, at, avi::kRiff)) << at;
    EXPECT_TRUE(HasFourCc(file, at + 8, parts == 0 ? avi::kAvi : avi::kAvix));
    const std::uint32_t size = *ReadLe32(file, at + 4);
    EXPECT_LE(size + 8u, options.partBytes + 5010);
    at += 8 + size;
    ++parts;
  }
  EXPECT_EQ(at, file.size());
  EXPECT_GE(parts, 20);
  AviHeaderParser p;
  ASSERT_EQ(Parse(file, p), kOk);
  EXPECT_EQ(p.totalFrames, 300u);
  EXPECT_EQ(p.droppedFrames, 10u);
  ExpectMapMatches(p, r.truth);
}

TEST(AviWriter, CompressedFramesKeepTheirKeyFlags) {
  ScopedMemoryLog log;
  std::vector<Frame> frames = EvenFrames(40, 333);
  for (std::size_t i = 0; i < frames.size(); ++i) frames[i].key = i % 10 == 0;
  const Recording r = Record(AviVideoFormat::Compressed(FourCc("LAGS"), 24, 64, 48, 30000, 1001), frames);
  AviHeaderParser p;
  ASSERT_EQ(Parse(r.record->File(), p), kOk);
  EXPECT_EQ(p.info.codec, L"Lagarith Lossless Codec");
  EXPECT_EQ(p.keyFrames, 4u);
  ExpectMapMatches(p, r.truth);
}

// A process killed after any write, even in the middle of one, leaves a file that parses with every
// frame up to the last checkpoint and never claims a frame it does not hold.
TEST(AviWriter, FilesCutOffAtAnyMomentParseWithEveryCheckpointedFrame) {
  ScopedMemoryLog log;
  AviWriterOptions options;
  options.partBytes = 16 * 1024;
  options.framesPerIndex = 9;
  options.superIndexEntries = 100;
  std::vector<Frame> frames = EvenFrames(200, 700, 400000);
  frames.erase(frames.begin() + 40, frames.begin() + 44);
  const Recording r = Record(AviVideoFormat::Rgb32(8, 8, 25, 1), frames, options);
  ASSERT_GE(r.checkpoints.size(), 7u);
  std::mt19937 random(7);
  std::uint32_t lastTotal = 0;
  std::size_t checkpoint = 0;
  std::uint32_t promised = 0;
  const std::size_t writes = r.record->writes.size();
  for (std::size_t count = 1; count <= writes; ++count) {
    while (checkpoint < r.checkpoints.size() && r.checkpoints[checkpoint].first <= count) {
      promised = r.checkpoints[checkpoint++].second;
    }
    const std::size_t whole = r.record->writes[count - 1].bytes.size();
    for (std::optional<std::size_t> cut :
         {std::optional<std::size_t>(), std::optional<std::size_t>(random() % whole)}) {
      if (count == 1 && cut) continue;  // killed while the header itself was being written
      AviHeaderParser p;
      ASSERT_EQ(Parse(r.record->FileAfter(count, cut), p), kOk) << count;
      ASSERT_TRUE(p.createdByCapture);
      ExpectMapMatches(p, r.truth);
      if (!cut) {
        EXPECT_GE(p.totalFrames, promised) << count;
        EXPECT_GE(p.totalFrames, lastTotal) << count;
        lastTotal = p.totalFrames;
      }
    }
  }
  EXPECT_EQ(lastTotal, 200u);
}

TEST(AviWriter, AFailedWriteIsReportedOnceAndTheFileKeepsItsCheckpointedFrames) {
  ScopedMemoryLog log;
  auto record = std::make_shared<RecordedWrites>();
  AviWriter writer;
  ASSERT_EQ(writer.Open(std::make_unique<RecordingOutput>(record), AviVideoFormat::Rgb32(8, 8, 25, 1)), kOk);
  const std::vector<std::uint8_t> frame(256, 9);
  for (int i = 0; i < 60; ++i) ASSERT_EQ(writer.WriteFrame(frame, i * 400000LL, true), kOk);
  record->failAtWrite = record->writes.size() + 1;  // the next chunk's data fails: the disk is full
  EXPECT_EQ(writer.WriteFrame(frame, 60 * 400000LL, true), kFail);
  EXPECT_EQ(writer.WriteFrame(frame, 61 * 400000LL, true), kFail);
  EXPECT_EQ(writer.Close(), kFail);
  const std::wstring message = L"SEVERE: cannot write to the AVI file in AviWriter\r\n";  // no name, no cause
  ASSERT_NE(log.Text().find(message), std::wstring::npos);
  EXPECT_EQ(log.Text().find(message), log.Text().rfind(message));
  EXPECT_EQ(writer.Fault(), kFail);
  AviHeaderParser p;
  ASSERT_EQ(Parse(record->File(), p), kOk);
  EXPECT_EQ(p.totalFrames, 50u);  // checkpoints after 25 and 50 frames
  EXPECT_TRUE(record->closed);
}

// A full disk refuses appends, but the headers and indexes near the start can still be updated.
class DiskFullOutput final : public RiffOutput {
 public:
  explicit DiskFullOutput(std::shared_ptr<RecordedWrites> record) : inner_(std::move(record)) {}
  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    return offset + bytes.size() <= limit && inner_.Write(offset, bytes);
  }
  bool Flush() override { return inner_.Flush(); }
  bool Close() override { return inner_.Close(); }
  std::uint64_t limit = UINT64_MAX;

 private:
  RecordingOutput inner_;
};

TEST(AviWriter, ClosingAfterAFullDiskIndexesEveryWholeFrame) {
  ScopedMemoryLog log;
  auto record = std::make_shared<RecordedWrites>();
  auto output = std::make_unique<DiskFullOutput>(record);
  DiskFullOutput* disk = output.get();
  AviWriter writer;
  ASSERT_EQ(writer.Open(std::move(output), AviVideoFormat::Rgb32(8, 8, 25, 1)), kOk);
  const std::vector<std::uint8_t> frame(256, 1);
  for (int i = 0; i < 30; ++i) ASSERT_EQ(writer.WriteFrame(frame, i * 400000LL, true), kOk);
  disk->limit = record->File().size();
  EXPECT_EQ(writer.WriteFrame(frame, 30 * 400000LL, true), kFail);
  EXPECT_EQ(writer.Close(), kFail);
  AviHeaderParser p;
  ASSERT_EQ(Parse(record->File(), p), kOk);
  EXPECT_EQ(p.totalFrames, 30u);  // beyond the checkpoint after 25
}

TEST(AviWriter, AFileOnAFullDiskIsToldByNameAndCause) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  ScopedMemoryLog log;
  AviWriter writer;
  // The headers are written and flushed at once: the device refuses them, as a full disk does.
  EXPECT_EQ(writer.Open(CreateRiffFile("/dev/full"), AviVideoFormat::Rgb32(8, 8, 25, 1)), kDiskFull);
  EXPECT_NE(log.Text().find(L"SEVERE: cannot create the AVI file /dev/full in AviWriter Open: the disk is full\r\n"),
            std::wstring::npos);
  std::unique_ptr<RiffOutput> full = CreateRiffFile("/dev/full");
  ASSERT_NE(full, nullptr);
  const std::vector<std::uint8_t> bytes(64, 1);
  EXPECT_FALSE(full->Write(0, bytes) && full->Flush());
  EXPECT_TRUE(full->DiskFull());
  EXPECT_EQ(WriteFaultMessage(L"cannot write to the AVI file", *full, L"AviWriter"),
            L"SEVERE: cannot write to the AVI file /dev/full in AviWriter: the disk is full\r\n");
}

TEST(AviWriter, AFullIndexRefusesFurtherFramesAndKeepsTheRecorded) {
  ScopedMemoryLog log;
  AviWriterOptions options;
  options.framesPerIndex = 4;
  options.superIndexEntries = 2;
  auto record = std::make_shared<RecordedWrites>();
  AviWriter writer(options);
  ASSERT_EQ(writer.Open(std::make_unique<RecordingOutput>(record), AviVideoFormat::Rgb32(8, 8, 25, 1)), kOk);
  const std::vector<std::uint8_t> frame(256, 1);
  for (int i = 0; i < 8; ++i) ASSERT_EQ(writer.WriteFrame(frame, i * 400000LL, true), kOk);
  EXPECT_EQ(writer.WriteFrame(frame, 8 * 400000LL, true), kFail);
  EXPECT_NE(log.Text().find(L"SEVERE: the AVI file index is full; no more frames recorded in AviWriter WriteFrame\r\n"),
            std::wstring::npos);
  EXPECT_EQ(writer.Close(), kOk);
  AviHeaderParser p;
  ASSERT_EQ(Parse(record->File(), p), kOk);
  EXPECT_EQ(p.totalFrames, 8u);
}

TEST(AviWriter, RefusesWhatItCannotRecord) {
  ScopedMemoryLog log;
  AviWriter writer;
  EXPECT_EQ(writer.WriteFrame({}, 0, true), kUnexpected);
  EXPECT_NE(log.Text().find(L"Logic error: call to WriteFrame with no open AVI file\r\n"), std::wstring::npos);
  EXPECT_EQ(writer.Open(std::make_unique<RecordingOutput>(std::make_shared<RecordedWrites>()),
                        AviVideoFormat::Yuy2(63, 48, 30, 1)),
            kInvalidArg);  // YUY2 pairs pixels: the width must be even
  EXPECT_NE(log.Text().find(L"WARNING: unsupported video format in AviWriter Open\r\n"), std::wstring::npos);
  test::TempFolder folder;
  EXPECT_EQ(writer.Open(folder / "missing" / "x.avi", AviVideoFormat::Yuy2(64, 48, 30, 1)), kFail);
  EXPECT_NE(log.Text().find(L"SEVERE: cannot create the AVI file in AviWriter Open\r\n"), std::wstring::npos);
  EXPECT_FALSE(writer.IsOpen());
}

TEST(AviWriter, AClockLeapIsNotCountedAsDroppedFrames) {
  ScopedMemoryLog log;
  std::vector<Frame> frames = EvenFrames(5, 100, 400000);
  frames.push_back({2LL * 3600 * 10000000, 100});
  frames.push_back({2LL * 3600 * 10000000 + 2 * 400000, 100});  // one frame lost after the leap
  const Recording r = Record(AviVideoFormat::Rgb32(4, 4, 25, 1), frames);
  EXPECT_NE(log.Text().find(L"WARNING: frame times jumped by an hour or more"), std::wstring::npos);
  AviHeaderParser p;
  ASSERT_EQ(Parse(r.record->File(), p), kOk);
  EXPECT_EQ(p.DroppedFrameNumbers(), (std::vector<std::uint32_t>{6}));
}

TEST(AviWriter, FramesThatCouldNotBeKeptTakeAtLeastOneSlotEach) {
  ScopedMemoryLog log;
  auto record = std::make_shared<RecordedWrites>();
  AviWriter writer;
  ASSERT_EQ(writer.Open(std::make_unique<RecordingOutput>(record), AviVideoFormat::Rgb32(4, 4, 25, 1)), kOk);
  const std::vector<std::uint8_t> bytes(64, 1);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(writer.WriteFrame(bytes, i * 400000LL, true), kOk);
  ASSERT_EQ(writer.WriteDroppedFrames(3, 4 * 400000LL), kOk);  // three lost where time has room for two
  ASSERT_EQ(writer.WriteDroppedFrames(1, 9 * 400000LL), kOk);  // one lost after a gap of the camera's
  ASSERT_EQ(writer.WriteFrame(bytes, 10 * 400000LL, true), kOk);
  ASSERT_EQ(writer.Close(), kOk);
  AviHeaderParser p;
  ASSERT_EQ(Parse(record->File(), p), kOk);
  EXPECT_EQ(p.DroppedFrameNumbers(), (std::vector<std::uint32_t>{3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(p.totalFrames, 11u);
}

TEST(AviWriter, WritesARealFileThatParsesFromDisk) {
  ScopedMemoryLog log;
  test::TempFolder folder;
  AviWriter writer;
  ASSERT_EQ(writer.Open(folder / "rec.avi", AviVideoFormat::Yuy2(32, 16, 10000000, 333333)), kOk);
  const std::vector<std::uint8_t> frame(32 * 16 * 2, 0x80);
  for (int i = 0; i < 12; ++i) ASSERT_EQ(writer.WriteFrame(frame, i == 11 ? 12 * 333333LL : i * 333333LL, true), kOk);
  ASSERT_EQ(writer.Close(), kOk);
  AviFileSource source(folder / "rec.avi");
  AviHeaderParser p;
  ASSERT_EQ(p.ParseAviHeader(source), kOk);
  EXPECT_EQ(p.totalFrames, 13u);
  EXPECT_EQ(p.DroppedFrameNumbers(), (std::vector<std::uint32_t>{11}));
  EXPECT_EQ(p.info.frameRate, L"30");
}

// Counts bytes without keeping them, to record half a day cheaply.
class CountingOutput final : public RiffOutput {
 public:
  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    end = std::max(end, offset + bytes.size());
    return true;
  }
  bool Flush() override { return true; }
  bool Close() override { return true; }
  std::uint64_t end = 0;
};

TEST(AviWriter, TheSuperIndexHoldsTwelveHoursAtSixtyFramesPerSecond) {
  ScopedMemoryLog log;
  for (const AviVideoFormat& format :
       {AviVideoFormat::Rgb32(1920, 1080, 60, 1), AviVideoFormat::Yuy2(720, 480, 60000, 1001)}) {
    AviWriter writer;
    ASSERT_EQ(writer.Open(std::make_unique<CountingOutput>(), format), kOk);
    const std::vector<std::uint8_t> frame(format.sizeImage, 0);
    const std::int64_t frames = 12LL * 3600 * format.rate / format.scale;
    for (std::int64_t i = 0; i < frames; ++i) {
      ASSERT_EQ(writer.WriteFrame(frame, i * 10000000LL * format.scale / format.rate + 1, true), kOk) << i;
    }
    EXPECT_EQ(writer.FrameCount(), static_cast<std::uint32_t>(frames));
    EXPECT_EQ(writer.DroppedFrameCount(), 0u);
    EXPECT_EQ(writer.Close(), kOk);
  }
  EXPECT_EQ(log.Text(), L"");
}

}  // namespace
}  // namespace zuna

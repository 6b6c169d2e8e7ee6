#include "video/avi_writer/queued_avi_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "support/memory_log.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_reader.h"

namespace zuna {
namespace {

using namespace std::chrono_literals;

// 30 frames per second of 256 bytes each.
const AviVideoFormat kFormat = AviVideoFormat::Yuy2(16, 8, 30, 1);
constexpr std::uint64_t kFrameBytes = 16 * 8 * 2;
constexpr std::int64_t kFrameTime = 333'333;

// A disk in memory that the test can stall: a write then waits until the test releases it.
struct Disk {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::uint8_t> file;
  std::vector<std::uint8_t> synced;  // what a power cut would leave
  int syncs = 0;
  bool stalled = false;
  bool stuck = false;  // a write is waiting

  void Stall() {
    std::lock_guard<std::mutex> lock(mutex);
    stalled = true;
  }
  void WaitUntilStuck() {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return stuck; });
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    stalled = false;
    changed.notify_all();
  }
};

class StallingOutput final : public RiffOutput {
 public:
  explicit StallingOutput(Disk& disk) : disk_(disk) {}
  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    std::unique_lock<std::mutex> lock(disk_.mutex);
    disk_.stuck = disk_.stalled;
    disk_.changed.notify_all();
    disk_.changed.wait(lock, [this] { return !disk_.stalled; });
    disk_.stuck = false;
    if (offset + bytes.size() > disk_.file.size()) disk_.file.resize(offset + bytes.size());
    std::copy(bytes.begin(), bytes.end(), disk_.file.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
  }
  bool Flush() override { return true; }
  bool Sync() override {
    std::lock_guard<std::mutex> lock(disk_.mutex);
    disk_.synced = disk_.file;
    ++disk_.syncs;
    return true;
  }
  bool Close() override { return true; }

 private:
  Disk& disk_;
};

// The frame sizes of a file as the playback side reads them: 0 for a dropped frame.
std::vector<std::uint32_t> FrameSizes(const std::vector<std::uint8_t>& file) {
  AviMemorySource source(file);
  AviFrameReader reader;
  EXPECT_EQ(reader.Open(source), kOk) << reader.Problem();
  std::vector<std::uint32_t> sizes;
  for (const AviFrameEntry& frame : reader.Frames()) sizes.push_back(frame.size);
  return sizes;
}

class QueuedAviWriterTest : public ::testing::Test {
 protected:
  void Open(std::uint64_t queueFrames) {
    QueuedAviWriterOptions options;
    options.queueBytes = queueFrames * kFrameBytes;
    options.now = [this] { return std::chrono::steady_clock::time_point(now.load()); };
    writer = std::make_unique<QueuedAviWriter>(options);
    ASSERT_EQ(writer->Open(std::make_unique<StallingOutput>(disk), kFormat), kOk);
  }
  Status Submit() {
    const std::vector<std::uint8_t> bytes(kFrameBytes, static_cast<std::uint8_t>(next));
    const Status status = writer->Submit(bytes, next * kFrameTime, true);
    ++next;
    return status;
  }
  // Submits `count` frames; how many the queue kept.
  int SubmitFrames(int count) {
    int kept = 0;
    for (int i = 0; i < count; ++i) kept += Submit() == kOk ? 1 : 0;
    return kept;
  }
  // The disk stalls with the next frame being written.
  void StallAtNextFrame() {
    disk.Stall();
    ASSERT_EQ(Submit(), kOk);
    disk.WaitUntilStuck();
  }

  test::ScopedMemoryLog log;
  Disk disk;
  std::atomic<std::chrono::steady_clock::duration> now{};  // the writer thread's clock
  std::unique_ptr<QueuedAviWriter> writer;
  int next = 0;
};

TEST(FrameWriteQueue, HoldsTwoSecondsOfVideoUpTo256MiB) {
  EXPECT_EQ(FrameWriteQueue::CapacityFor(AviVideoFormat::Yuy2(640, 480, 30000, 1001)), 60u * 640 * 480 * 2);
  EXPECT_EQ(FrameWriteQueue::CapacityFor(AviVideoFormat::Rgb32(1920, 1080, 30, 1)), 256u << 20);
}

TEST_F(QueuedAviWriterTest, AThreeSecondStallLosesNoFrameWhileTheQueueHoldsThem) {
  Open(100);
  EXPECT_EQ(SubmitFrames(10), 10);
  writer->WaitUntilWritten();
  StallAtNextFrame();
  EXPECT_EQ(SubmitFrames(90), 90);  // three seconds, the stalled frame aside
  disk.Release();
  writer->WaitUntilWritten();  // the disk caught up
  EXPECT_EQ(SubmitFrames(10), 10);
  ASSERT_EQ(writer->Close(), kOk);

  const std::vector<std::uint32_t> sizes = FrameSizes(disk.file);
  EXPECT_EQ(sizes, std::vector<std::uint32_t>(111, kFrameBytes));
  const QueuedAviWriterTotals totals = writer->Totals();
  EXPECT_EQ(totals.framesWritten, 111u);
  EXPECT_EQ(totals.framesDropped, 0u);
  EXPECT_EQ(totals.framesDroppedByQueue, 0u);
}

TEST_F(QueuedAviWriterTest, ALongerStallRecordsExactlyTheFramesThatDidNotFitAsDropped) {
  Open(60);
  EXPECT_EQ(SubmitFrames(10), 10);
  writer->WaitUntilWritten();
  StallAtNextFrame();               // frame 10, being written, takes one place
  EXPECT_EQ(SubmitFrames(99), 59);  // frames 11..69 fit, 70..109 do not
  disk.Release();
  writer->WaitUntilWritten();       // the disk caught up
  EXPECT_EQ(SubmitFrames(10), 10);  // 110..119
  ASSERT_EQ(writer->Close(), kOk);

  std::vector<std::uint32_t> expected(120, kFrameBytes);
  std::fill(expected.begin() + 70, expected.begin() + 110, 0);
  EXPECT_EQ(FrameSizes(disk.file), expected);
  const QueuedAviWriterTotals totals = writer->Totals();
  EXPECT_EQ(totals.framesWritten, 120u);
  EXPECT_EQ(totals.framesDropped, 40u);
  EXPECT_EQ(totals.framesDroppedByQueue, 40u);
  EXPECT_NE(log.Text().find(L"WARNING: the disk is not keeping up with the camera"), std::wstring::npos);
  EXPECT_NE(
      log.Text().find(L"WARNING: 40 frames did not fit in the write queue and were recorded as dropped frames\r\n"),
      std::wstring::npos);
}

TEST_F(QueuedAviWriterTest, FramesLostAtTheEndAreStillRecordedAsDropped) {
  Open(20);
  StallAtNextFrame();
  EXPECT_EQ(SubmitFrames(25), 19);
  disk.Release();
  ASSERT_EQ(writer->Close(), kOk);

  std::vector<std::uint32_t> expected(26, kFrameBytes);
  std::fill(expected.begin() + 20, expected.end(), 0);
  EXPECT_EQ(FrameSizes(disk.file), expected);
  EXPECT_EQ(writer->Totals().framesDroppedByQueue, 6u);
}

TEST_F(QueuedAviWriterTest, WrittenFramesReachTheDiskOnceTheIntervalHasPassed) {
  Open(100);
  EXPECT_EQ(SubmitFrames(3), 3);
  now = now.load() + 999ms;
  writer->CheckClock();
  writer->WaitUntilWritten();
  EXPECT_EQ(disk.syncs, 0);

  now = now.load() + 1ms;
  writer->CheckClock();
  writer->WaitUntilWritten();
  EXPECT_GT(disk.syncs, 0);
  EXPECT_EQ(FrameSizes(disk.synced).size(), 3u);  // what a power cut now leaves

  const int syncs = disk.syncs;
  now = now.load() + 10s;
  writer->CheckClock();
  writer->WaitUntilWritten();
  EXPECT_EQ(disk.syncs, syncs);  // nothing new to bring to the disk
  EXPECT_EQ(writer->Close(), kOk);
}

}  // namespace
}  // namespace zuna

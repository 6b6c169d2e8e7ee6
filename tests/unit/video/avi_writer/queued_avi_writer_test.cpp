#include "video/avi_writer/queued_avi_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "support/memory_log.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_reader.h"
#include "video/avi_writer/riff_memory_output.h"

namespace zuna {
namespace {

using namespace std::chrono_literals;

// 30 frames per second of 256 bytes each.
const AviVideoFormat kFormat = AviVideoFormat::Yuy2(16, 8, 30, 1);
constexpr std::uint64_t kFrameBytes = 16 * 8 * 2;
constexpr std::int64_t kFrameTime = 333'333;
// 2024-03-07 21:05:09.1234 UTC: the camera's first stamp.
constexpr FileTime kFirstUtc = 133'543'191'091'234'000;

// Frame k's stamp at exactly 30 frames per second.
FileTime StampOf(int frame) {
  return kFirstUtc + (static_cast<FileTime>(frame) * kTicksPerSecond + 15) / 30;
}

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

// A disk that fills up after the first 100 bytes.
class FillingOutput final : public RiffOutput {
 public:
  bool Write(std::uint64_t offset, ByteSpan bytes) override { return offset + bytes.size() <= 100; }
  bool Flush() override { return true; }
  bool Close() override { return true; }
};

// A file on a disk that refuses what passes `room` bytes, its checkpoints or its close, as told.
class FaultyOutput final : public RiffOutput {
 public:
  FaultyOutput(std::shared_ptr<std::vector<std::uint8_t>> file, std::uint64_t room, bool full,
               std::shared_ptr<std::mutex> hold)
      : file_(std::move(file)), room_(room), full_(full), hold_(std::move(hold)) {}
  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    const std::lock_guard<std::mutex> held(*hold_);  // a test holds the disk while it queues frames
    if (offset + bytes.size() > room_) return Refuse();
    if (offset + bytes.size() > file_->size()) file_->resize(offset + bytes.size());
    std::copy(bytes.begin(), bytes.end(), file_->begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
  }
  bool Flush() override { return true; }
  bool Sync() override { return !failSync || Refuse(); }
  bool Close() override { return !failClose || Refuse(); }
  bool DiskFull() const override { return refused_ && full_; }
  std::filesystem::path Path() const override { return "V:/video/rec.avi"; }
  bool failSync = false;
  bool failClose = false;

 private:
  bool Refuse() {
    refused_ = true;
    return false;
  }
  std::shared_ptr<std::vector<std::uint8_t>> file_;
  std::uint64_t room_;
  bool full_;
  std::shared_ptr<std::mutex> hold_;
  bool refused_ = false;
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

// The frame times file's lines, each without its CR LF.
std::vector<std::string> Lines(const std::vector<std::uint8_t>& file) {
  std::vector<std::string> lines;
  const std::string text(file.begin(), file.end());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// The frame sizes of a file as the playback side reads them: 0 for a dropped frame.
std::vector<std::uint32_t> FrameSizes(const std::vector<std::uint8_t>& file) {
  AviMemorySource source(file);
  AviFrameReader reader;
  EXPECT_EQ(reader.Open(source), kOk) << reader.Problem();
  std::vector<std::uint32_t> sizes;
  for (const AviFrameEntry& frame : reader.Frames()) sizes.push_back(frame.size);
  return sizes;
}

// The size of a file that holds `frames` frames, not yet closed.
std::uint64_t BytesFor(int frames) {
  auto file = std::make_shared<std::vector<std::uint8_t>>();
  AviWriter writer;
  EXPECT_EQ(writer.Open(std::make_unique<RiffMemoryOutput>(file), kFormat), kOk);
  const std::vector<std::uint8_t> bytes(kFrameBytes);
  for (int k = 0; k < frames; ++k) EXPECT_EQ(writer.WriteFrame(bytes, k * kFrameTime, true), kOk);
  EXPECT_EQ(writer.Checkpoint(), kOk);
  return file->size();
}

class QueuedAviWriterTest : public ::testing::Test {
 protected:
  void Open(std::uint64_t queueFrames, std::unique_ptr<RiffOutput> frameTimes = nullptr,
            std::unique_ptr<RiffOutput> video = nullptr) {
    QueuedAviWriterOptions options;
    options.queueBytes = queueFrames * kFrameBytes;
    options.now = [this] { return std::chrono::steady_clock::time_point(now.load()); };
    writer = std::make_unique<QueuedAviWriter>(options);
    if (!frameTimes) frameTimes = std::make_unique<StallingOutput>(timesDisk);
    if (!video) video = std::make_unique<StallingOutput>(disk);
    ASSERT_EQ(writer->Open(std::move(video), kFormat, std::move(frameTimes)), kOk);
  }
  // The video file on a disk with room for `frames` frames.
  std::unique_ptr<FaultyOutput> FaultyVideo(int frames, bool full) {
    return std::make_unique<FaultyOutput>(faultyFile, BytesFor(frames), full, diskHold);
  }
  // Queues `count` frames while the faulty disk takes none, so that all of them reach the queue
  // before the writer thread meets the fault; how many the queue kept.
  int SubmitFramesWhileTheDiskWaits(int count) {
    const std::lock_guard<std::mutex> held(*diskHold);
    return SubmitFrames(count);
  }
  std::shared_ptr<std::mutex> diskHold = std::make_shared<std::mutex>();

  std::shared_ptr<std::vector<std::uint8_t>> faultyFile = std::make_shared<std::vector<std::uint8_t>>();
  Status Submit() {
    const std::vector<std::uint8_t> bytes(kFrameBytes, static_cast<std::uint8_t>(next));
    const Status status = writer->Submit(bytes, next * kFrameTime, true, StampOf(next));
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
  Disk timesDisk;                                          // the frame times file
  std::atomic<std::chrono::steady_clock::duration> now{};  // the writer thread's clock
  std::unique_ptr<QueuedAviWriter> writer;
  int next = 0;
};

TEST(FrameWriteQueue, HoldsTwoSecondsOfVideoUpTo256MiB) {
  EXPECT_EQ(FrameWriteQueue::CapacityFor(AviVideoFormat::Yuy2(640, 480, 30000, 1001)), 60u * 640 * 480 * 2);
  EXPECT_EQ(FrameWriteQueue::CapacityFor(AviVideoFormat::Rgb32(1920, 1080, 30, 1)), 256u << 20);
}

// The camera's thread finds every buffer made before its first frame, and each comes back for reuse:
// it never waits for memory. More frames than buffers in flight are lost, not allocated.
TEST(FrameWriteQueue, MakesItsBuffersInAdvanceAndReusesThem) {
  FrameWriteQueue queue(4 * kFrameBytes + kFrameBytes / 2, kFrameBytes);
  EXPECT_EQ(queue.SpareBuffers(), 4u);
  const std::vector<std::uint8_t> frame(kFrameBytes, 7);
  for (int i = 0; i < 5; ++i) queue.Push(frame, i * kFrameTime, true);
  EXPECT_EQ(queue.SpareBuffers(), 0u);
  EXPECT_EQ(queue.LostFrames(), 1u);
  FrameWriteQueue::Entry entry;
  for (int i = 0; i < 5; ++i) {  // four frames, then the lost one
    ASSERT_EQ(queue.Pop(entry, 0ms), FrameWriteQueue::Next::kEntry);
    if (entry.kind == FrameWriteQueue::Entry::Kind::kFrame) {
      EXPECT_EQ(entry.bytes, frame);
    }
    queue.Done(std::move(entry));
    entry = {};
  }
  EXPECT_EQ(queue.SpareBuffers(), 4u);
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

TEST_F(QueuedAviWriterTest, AFullDiskReachesTheTotalsAndTheUserWithTheFileNamed) {
  Open(100, nullptr, FaultyVideo(40, true));
  EXPECT_EQ(SubmitFrames(40), 40);
  writer->WaitUntilWritten();
  EXPECT_EQ(writer->Totals().videoFault, kOk);
  EXPECT_EQ(SubmitFramesWhileTheDiskWaits(5), 5);
  writer->WaitUntilWritten();
  EXPECT_EQ(writer->Totals().videoFault, kDiskFull);
  EXPECT_EQ(writer->VideoFault(), kDiskFull);
  EXPECT_EQ(writer->Totals().framesLostAfterFault, 5u);  // they reached the queue, not the file
  EXPECT_EQ(Submit(), kDiskFull);                        // later frames are refused at once
  EXPECT_EQ(Submit(), kDiskFull);
  EXPECT_EQ(writer->Totals().framesLostAfterFault, 7u);
  EXPECT_EQ(writer->Totals().framesReceived, 47u);
  EXPECT_EQ(writer->Close(), kFail);
  EXPECT_EQ(writer->Totals().videoFault, kDiskFull);  // the first cause stays
  log.log.Drain();
  EXPECT_NE(
      log.Text().find(L"SEVERE: cannot write to the AVI file V:/video/rec.avi in AviWriter: the disk is full\r\n"),
      std::wstring::npos);
  EXPECT_EQ(writer->Submit(std::vector<std::uint8_t>(kFrameBytes), 0, true), kUnexpected);
}

TEST_F(QueuedAviWriterTest, AnotherWriteFailureIsNotCalledAFullDisk) {
  Open(100, nullptr, FaultyVideo(3, false));
  EXPECT_EQ(SubmitFramesWhileTheDiskWaits(5), 5);
  writer->WaitUntilWritten();
  EXPECT_EQ(writer->Totals().videoFault, kFail);
  writer->Close();
  log.log.Drain();
  EXPECT_NE(log.Text().find(L"SEVERE: cannot write to the AVI file V:/video/rec.avi in AviWriter\r\n"),
            std::wstring::npos);
}

TEST_F(QueuedAviWriterTest, AFailedCheckpointToTheDiskReachesTheTotals) {
  std::unique_ptr<FaultyOutput> video = FaultyVideo(1000, true);
  video->failSync = true;
  Open(100, nullptr, std::move(video));
  EXPECT_EQ(SubmitFrames(3), 3);
  writer->WaitUntilWritten();
  EXPECT_EQ(writer->Totals().videoFault, kOk);
  now = now.load() + 1s;
  writer->CheckClock();
  writer->WaitUntilWritten();
  EXPECT_EQ(writer->Totals().videoFault, kDiskFull);
  writer->Close();
}

TEST_F(QueuedAviWriterTest, AFailedCloseReachesTheTotals) {
  std::unique_ptr<FaultyOutput> video = FaultyVideo(1000, false);
  video->failClose = true;
  Open(100, nullptr, std::move(video));
  EXPECT_EQ(SubmitFrames(3), 3);
  EXPECT_EQ(writer->Close(), kFail);
  EXPECT_EQ(writer->Totals().videoFault, kFail);
  EXPECT_EQ(writer->Totals().framesWritten, 3u);
  EXPECT_NE(log.Text().find(L"SEVERE: cannot finish the AVI file V:/video/rec.avi in AviWriter Close\r\n"),
            std::wstring::npos);
}

}  // namespace
}  // namespace zuna

namespace zuna {
namespace {

TEST(FrameTimesWriter, WritesEachSlotToATenthOfAMillisecondWithItsFlag) {
  EXPECT_EQ(FrameTimesPath("C:/rec/2024-03-07 21h05m.avi"), "C:/rec/2024-03-07 21h05m.frames.csv");
  // 23:59:59.99996 rounds into the next day, the next year too.
  EXPECT_EQ(FrameTimesLine(123456, *ToFileTime({2024, 12, 31, 23, 59, 59, 999}) + 9600, true),
            "123456,2025-01-01 00:00:00.0000,dropped\r\n");

  auto file = std::make_shared<std::vector<std::uint8_t>>();
  FrameTimesWriter times;
  ASSERT_EQ(times.Open(std::make_unique<RiffMemoryOutput>(file), 30000, 1001), kOk);
  times.Add(0, true, kFirstUtc);
  times.Add(2, true, kFirstUtc + 3 * 333'667);  // two slots dropped before the frame
  times.Add(0, true, kUnknownUtc);              // no clock: no line, said once
  times.Add(0, true, kUnknownUtc);
  ASSERT_EQ(times.Close(), kOk);
  EXPECT_EQ(Lines(*file), (std::vector<std::string>{
                              "# ZUNA Video frame times",
                              "frame,utc,flag",
                              "0,2024-03-07 21:05:09.1234,kept",
                              "1,2024-03-07 21:05:09.1568,dropped",
                              "2,2024-03-07 21:05:09.1901,dropped",
                              "3,2024-03-07 21:05:09.2235,kept",
                              "# no UTC time for the frames that follow: the capture graph has no clock",
                          }));
}

TEST_F(QueuedAviWriterTest, FrameTimesListEverySlotWithItsStampAndFlagTheDroppedOnes) {
  Open(60);
  EXPECT_EQ(SubmitFrames(10), 10);
  next += 3;  // the camera skipped three frames
  EXPECT_EQ(SubmitFrames(7), 7);
  writer->WaitUntilWritten();
  StallAtNextFrame();
  EXPECT_EQ(SubmitFrames(99), 59);  // the queue loses the last 40
  disk.Release();
  writer->WaitUntilWritten();
  EXPECT_EQ(SubmitFrames(10), 10);
  ASSERT_EQ(writer->Close(), kOk);

  const std::vector<std::uint32_t> sizes = FrameSizes(disk.file);
  ASSERT_EQ(sizes.size(), 130u);
  std::vector<std::string> expected = {"# ZUNA Video frame times", "frame,utc,flag"};
  for (int k = 0; k < 130; ++k) {
    std::string line = FrameTimesLine(k, StampOf(k), sizes[k] == 0);
    expected.push_back(line.substr(0, line.size() - 2));
  }
  EXPECT_EQ(Lines(timesDisk.file), expected);
  EXPECT_TRUE(writer->Totals().frameTimes);
}

TEST_F(QueuedAviWriterTest, ARecordingCutOffKeepsItsFrameTimesUpToTheLastCheckpoint) {
  Open(100);
  EXPECT_EQ(SubmitFrames(45), 45);
  writer->WaitUntilWritten();
  EXPECT_EQ(Lines(timesDisk.file).size(), 2u + 30);  // the checkpoint after one second of video
  EXPECT_EQ(FrameSizes(disk.file).size(), 30u);      // as the AVI file's
  EXPECT_TRUE(timesDisk.synced.empty());

  now = now.load() + 1s;
  writer->CheckClock();
  writer->WaitUntilWritten();
  EXPECT_EQ(Lines(timesDisk.synced).size(), 2u + 45);  // on the disk with the AVI file
  EXPECT_EQ(FrameSizes(disk.synced).size(), 45u);
  ASSERT_EQ(writer->Close(), kOk);
}

TEST_F(QueuedAviWriterTest, AFrameTimesFileThatCannotBeWrittenIsToldOnceAndTheVideoGoesOn) {
  Open(100, std::make_unique<FillingOutput>());
  EXPECT_EQ(SubmitFrames(70), 70);
  ASSERT_EQ(writer->Close(), kOk);
  EXPECT_EQ(FrameSizes(disk.file).size(), 70u);
  EXPECT_TRUE(writer->Totals().frameTimes);  // begun: its first lines are there
  EXPECT_EQ(writer->Totals().frameTimesFault, kFail);
  EXPECT_EQ(writer->Totals().videoFault, kOk);
  log.log.Drain();  // posted by the writer thread
  const std::wstring message = L"SEVERE: cannot write to the frame times file in FrameTimesWriter\r\n";
  const std::size_t at = log.Text().find(message);
  ASSERT_NE(at, std::wstring::npos);
  EXPECT_EQ(log.Text().find(message, at + 1), std::wstring::npos);
}

}  // namespace
}  // namespace zuna

#pragma once
// An AviWriter behind a write-behind queue, written by a thread of its own: the camera's streaming
// thread hands frames over and never waits for the disk.
//
// Frames the queue cannot keep are recorded as dropped frames at their slots; the user is told when
// the disk first falls behind and, when the recording ends, how many frames it cost. The writer
// thread brings the file up to date on the disk (CheckpointToDisk) whenever frames were written and
// `diskInterval` has passed since it last did, so a power cut loses at most about that much video
// beyond what is still queued.
//
// Beside the file, when given an output for it, the writer thread keeps the frame times file: each
// slot of the AVI file with the UTC time its frame was stamped with, at the same checkpoints.
//
// A write that fails is told to the user by the writer, naming the file; Totals() carries the fault
// from then on, so the recording's owner can see that frames no longer reach the file.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "common/foundation/status.h"
#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/frame_times_writer.h"
#include "video/avi_writer/frame_write_queue.h"

namespace zuna {

struct QueuedAviWriterOptions {
  AviWriterOptions writer;
  std::uint64_t queueBytes = 0;  // 0: FrameWriteQueue::CapacityFor(format)
  std::chrono::milliseconds diskInterval{1000};
  // Where the writer thread reads the time for the disk interval; null: the steady clock.
  std::function<std::chrono::steady_clock::time_point()> now;
};

struct QueuedAviWriterTotals {
  std::uint64_t framesWritten = 0;         // frames in the file, dropped ones included
  std::uint64_t framesDropped = 0;         // dropped-frame entries in the file
  std::uint64_t framesDroppedByQueue = 0;  // of those, frames the queue could not keep
  bool frameTimes = false;                 // the frame times file was begun
  std::uint64_t framesReceived = 0;        // every frame handed to Submit while open
  std::uint64_t framesLostAfterFault = 0;  // frames that came once the file took no more
  // kOk while the file takes every frame; once a write, checkpoint or the close failed or the file
  // can hold no more frames: kDiskFull when the disk had no room left, else another failure. The
  // user was told, naming the file.
  Status videoFault = kOk;
  Status frameTimesFault = kOk;  // likewise for the frame times file
};

class QueuedAviWriter {
 public:
  explicit QueuedAviWriter(QueuedAviWriterOptions options = {});
  ~QueuedAviWriter();
  QueuedAviWriter(const QueuedAviWriter&) = delete;
  QueuedAviWriter& operator=(const QueuedAviWriter&) = delete;

  // Writes the file's headers and starts the writer thread. `frameTimes`, when given, receives the
  // frame times file; the recording goes on without it when it cannot be begun.
  Status Open(std::unique_ptr<RiffOutput> output, const AviVideoFormat& format,
              std::unique_ptr<RiffOutput> frameTimes = nullptr);

  // Streaming thread: copies the frame into the queue with the UTC time it was stamped with
  // (kUnknownUtc when none). kFalse when it did not fit and is recorded as dropped instead;
  // kUnexpected when no recording is open; the fault once the file takes no more frames (the
  // frame is counted as lost after the fault).
  Status Submit(ByteSpan bytes, std::int64_t startTime100ns, bool isKey, FileTime utc = kUnknownUtc);

  // Once the frames submitted before are written, the file is brought up to date on the disk.
  void RequestCheckpoint();
  // The writer thread looks at its clock now instead of at its next wake-up.
  void CheckClock();
  // Waits until everything submitted or requested so far is done.
  void WaitUntilWritten();

  // Writes every queued frame, finishes the file and stops the writer thread.
  Status Close();

  bool IsOpen() const { return open_.load(); }
  // Any thread: Totals().videoFault, without the rest.
  Status VideoFault() const { return videoFault_.load(); }
  // Any thread: what the file holds so far (all of it once closed).
  QueuedAviWriterTotals Totals() const;
  // Bytes the queue holds at most; 0 when not open.
  std::uint64_t QueueCapacity() const { return queue_ ? queue_->Capacity() : 0; }

 private:
  void Run();
  void Handle(FrameWriteQueue::Entry& entry);
  void AddFrameTimes(bool frame, std::uint64_t slots, std::uint64_t dropped, FileTime utc);
  void SyncIfDue(bool force);
  bool NoteVideoResult(Status status);
  void Publish();
  std::chrono::steady_clock::time_point Now() const;

  QueuedAviWriterOptions options_;
  AviWriter writer_;                        // writer thread only, while it runs
  FrameTimesWriter frameTimes_;             // likewise
  std::unique_ptr<FrameWriteQueue> queue_;  // kept after Close: a late frame finds it closed
  std::atomic<bool> open_{false};
  std::thread thread_;
  std::chrono::steady_clock::time_point lastSync_;
  bool unsynced_ = false;  // writer thread: frames written since the last checkpoint to disk
  bool warned_ = false;    // writer thread: the user was told that the disk fell behind

  std::atomic<std::uint64_t> framesWritten_{0};
  std::atomic<std::uint64_t> framesDropped_{0};
  std::atomic<std::uint64_t> framesDroppedByQueue_{0};
  std::atomic<bool> frameTimesBegun_{false};
  std::atomic<std::uint64_t> framesReceived_{0};
  std::atomic<std::uint64_t> framesLostAfterFault_{0};
  std::atomic<Status> videoFault_{kOk};
  std::atomic<Status> frameTimesFault_{kOk};
};

}  // namespace zuna

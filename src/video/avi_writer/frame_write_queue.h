#pragma once
// The write-behind queue between a camera's streaming thread and the thread that writes the file.
//
// The streaming thread copies each frame in and goes on at once: it never waits for the disk. The
// queue holds at most its capacity in frame bytes, counting the frame being written; a frame that
// does not fit is not kept but counted, and consecutive ones become one entry that tells the writer
// how many frames were lost and when the last of them started, so the file records them as dropped.
// One producer and one consumer.
//
// Given the size of a frame, the queue makes its frame buffers and entry slots when it is built,
// each page of them touched once, so that in steady state a push neither allocates memory nor meets
// a fresh page: the streaming thread waits for a copy of its frame and nothing else.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "common/time/file_time.h"
#include "video/avi/riff_bytes.h"
#include "video/avi_writer/avi_video_format.h"

namespace zuna {

class FrameWriteQueue {
 public:
  static constexpr std::uint64_t kMaxBytes = std::uint64_t{256} << 20;
  static constexpr std::uint32_t kSeconds = 2;

  struct Entry {
    enum class Kind { kFrame, kLost, kCheckClock, kCheckpoint };
    Kind kind = Kind::kFrame;
    std::vector<std::uint8_t> bytes;  // kFrame
    std::int64_t startTime100ns = 0;  // kFrame; kLost: of the last frame lost
    bool key = false;
    std::uint64_t lost = 0;  // kLost: frames
    FileTime utc = 0;        // kFrame, kLost (of the last frame lost): when it was stamped; 0 unknown
  };

  enum class Next { kEntry, kIdle, kClosed };

  // Two seconds of video at the stream's rate, or kMaxBytes when that is less (one frame at least).
  static std::uint64_t CapacityFor(const AviVideoFormat& format);

  // `frameBytes` > 0: as many buffers of that size as the capacity holds are made now.
  explicit FrameWriteQueue(std::uint64_t capacityBytes, std::uint64_t frameBytes = 0);

  // Producer: copies the frame in; false when it did not fit (or the queue is closed) and was
  // counted as lost instead.
  bool Push(ByteSpan bytes, std::int64_t startTime100ns, bool key, FileTime utc = 0);
  // Asks the consumer to do something once the entries before it are written.
  void PushControl(Entry::Kind kind);
  // No more entries; the consumer drains what is queued and then gets kClosed.
  void Close();
  // Once closed and drained: the spare buffers' memory goes back (a closed queue needs none).
  void FreeBuffers();

  // Consumer: the next entry, waiting up to `timeout` for one (kIdle when none came).
  Next Pop(Entry& entry, std::chrono::milliseconds timeout);
  // Consumer: the entry from Pop is handled; its bytes are free again.
  void Done(Entry&& entry);

  // Waits until every entry pushed so far is handled.
  void WaitUntilHandled();

  std::uint64_t Capacity() const { return capacity_; }
  std::uint64_t LostFrames() const;
  // Frame buffers ready for the next pushes (made in advance or handed back).
  std::size_t SpareBuffers() const;

 private:
  void Prepare(std::uint64_t frameBytes);
  bool Append(Entry&& entry);
  Entry& Back() { return slots_[(head_ + count_ - 1) % slots_.size()]; }
  void RecordLost(std::int64_t startTime100ns, FileTime utc);
  std::vector<std::uint8_t> TakeBuffer();

  const std::uint64_t capacity_;
  mutable std::mutex mutex_;
  std::condition_variable ready_;    // an entry, or the close
  std::condition_variable handled_;  // an entry was handled
  // The entries in order, a ring: slots_[head_] is the oldest of count_. Grows only when no frame
  // size was given in advance.
  std::vector<Entry> slots_;
  std::size_t head_ = 0;
  std::size_t count_ = 0;
  std::vector<std::vector<std::uint8_t>> spare_;  // buffers to reuse: no allocation per frame
  std::uint64_t heldBytes_ = 0;                   // frames queued or being written
  std::uint64_t spareBytes_ = 0;
  std::uint64_t pushed_ = 0;
  std::uint64_t done_ = 0;
  std::uint64_t lost_ = 0;
  bool closed_ = false;
};

}  // namespace zuna

#include "video/avi_writer/frame_write_queue.h"

#include <algorithm>
#include <new>

namespace zuna {

std::uint64_t FrameWriteQueue::CapacityFor(const AviVideoFormat& format) {
  const std::uint64_t frameBytes = std::max<std::uint32_t>(format.sizeImage, 1);
  if (format.rate == 0 || format.scale == 0) return std::max(kMaxBytes, frameBytes);
  const std::uint64_t frames = (std::uint64_t{kSeconds} * format.rate + format.scale - 1) / format.scale;
  const std::uint64_t twoSeconds = frames * frameBytes;  // no overflow: both factors stay below 2^32
  return std::max(std::min(twoSeconds, kMaxBytes), frameBytes);
}

bool FrameWriteQueue::Push(ByteSpan bytes, std::int64_t startTime100ns, bool key, FileTime utc) {
  std::vector<std::uint8_t> buffer;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    if (bytes.size() > capacity_ - heldBytes_) {
      RecordLost(startTime100ns, utc);
      return false;
    }
    heldBytes_ += bytes.size();
    buffer = TakeBuffer();
  }
  // The copy runs outside the lock, so the writer thread can hand back a buffer meanwhile.
  bool copied = true;
  try {
    buffer.assign(bytes.begin(), bytes.end());
  } catch (const std::bad_alloc&) {
    copied = false;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (copied && !closed_) {
    try {
      entries_.push_back(Entry{Entry::Kind::kFrame, std::move(buffer), startTime100ns, key, 0, utc});
      ++pushed_;
      ready_.notify_one();
      return true;
    } catch (const std::bad_alloc&) {
    }
  }
  heldBytes_ -= bytes.size();
  if (!closed_) RecordLost(startTime100ns, utc);
  return false;
}

// Consecutive lost frames share one entry, so a long stall costs no memory per frame.
void FrameWriteQueue::RecordLost(std::int64_t startTime100ns, FileTime utc) {
  ++lost_;
  if (!entries_.empty() && entries_.back().kind == Entry::Kind::kLost) {
    entries_.back().lost += 1;
    entries_.back().startTime100ns = startTime100ns;
    entries_.back().utc = utc;
    return;
  }
  try {
    entries_.push_back(Entry{Entry::Kind::kLost, {}, startTime100ns, false, 1, utc});
    ++pushed_;
    ready_.notify_one();
  } catch (const std::bad_alloc&) {
    // Still counted; the gap in the frame times marks the lost frame in the file.
  }
}

std::vector<std::uint8_t> FrameWriteQueue::TakeBuffer() {
  if (spare_.empty()) return {};
  std::vector<std::uint8_t> buffer = std::move(spare_.back());
  spare_.pop_back();
  spareBytes_ -= buffer.capacity();
  return buffer;
}

void FrameWriteQueue::PushControl(Entry::Kind kind) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_ || (!entries_.empty() && entries_.back().kind == kind)) return;
  try {
    entries_.push_back(Entry{kind, {}, 0, false, 0});
    ++pushed_;
    ready_.notify_one();
  } catch (const std::bad_alloc&) {
    // The writer thread looks at its clock regularly anyway.
  }
}

void FrameWriteQueue::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  ready_.notify_all();
}

FrameWriteQueue::Next FrameWriteQueue::Pop(Entry& entry, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  ready_.wait_for(lock, timeout, [this] { return !entries_.empty() || closed_; });
  if (entries_.empty()) return closed_ ? Next::kClosed : Next::kIdle;
  entry = std::move(entries_.front());
  entries_.pop_front();
  return Next::kEntry;
}

void FrameWriteQueue::Done(Entry&& entry) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (entry.kind == Entry::Kind::kFrame) {
    heldBytes_ -= entry.bytes.size();
    // Kept for the next frame while the queue's memory stays within its capacity.
    if (heldBytes_ + spareBytes_ + entry.bytes.capacity() <= capacity_) {
      try {
        const std::uint64_t bytes = entry.bytes.capacity();
        spare_.push_back(std::move(entry.bytes));
        spareBytes_ += bytes;
      } catch (const std::bad_alloc&) {
      }
    }
  }
  ++done_;
  handled_.notify_all();
}

void FrameWriteQueue::WaitUntilHandled() {
  std::unique_lock<std::mutex> lock(mutex_);
  handled_.wait(lock, [this] { return done_ == pushed_; });
}

std::uint64_t FrameWriteQueue::LostFrames() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lost_;
}

}  // namespace zuna

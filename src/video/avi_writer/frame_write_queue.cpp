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

FrameWriteQueue::FrameWriteQueue(std::uint64_t capacityBytes, std::uint64_t frameBytes) : capacity_(capacityBytes) {
  if (frameBytes != 0) Prepare(frameBytes);
}

// Zero-filled buffers: their pages are the process's before the first frame arrives. Slots for every
// frame the buffers hold, a lost-frames entry between each two and the control requests.
void FrameWriteQueue::Prepare(std::uint64_t frameBytes) {
  constexpr std::uint64_t kMostBuffers = 1024;
  const std::uint64_t buffers = std::clamp<std::uint64_t>(capacity_ / frameBytes, 1, kMostBuffers);
  try {
    slots_.resize(static_cast<std::size_t>(4 * buffers + 16));
    for (std::uint64_t i = 0; i < buffers; ++i) {
      spare_.emplace_back(static_cast<std::size_t>(frameBytes));
      spareBytes_ += spare_.back().capacity();
    }
  } catch (const std::bad_alloc&) {
    // Fewer buffers ready: the others are made when first needed.
  }
}

// Appends in order; the ring grows only when it is full.
bool FrameWriteQueue::Append(Entry&& entry) {
  if (count_ == slots_.size()) {
    std::vector<Entry> grown(std::max<std::size_t>(16, 2 * slots_.size()));
    for (std::size_t i = 0; i < count_; ++i) grown[i] = std::move(slots_[(head_ + i) % slots_.size()]);
    slots_ = std::move(grown);
    head_ = 0;
  }
  slots_[(head_ + count_) % slots_.size()] = std::move(entry);
  ++count_;
  ++pushed_;
  ready_.notify_one();
  return true;
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
      return Append(Entry{Entry::Kind::kFrame, std::move(buffer), startTime100ns, key, 0, utc});
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
  if (count_ != 0 && Back().kind == Entry::Kind::kLost) {
    Back().lost += 1;
    Back().startTime100ns = startTime100ns;
    Back().utc = utc;
    return;
  }
  try {
    Append(Entry{Entry::Kind::kLost, {}, startTime100ns, false, 1, utc});
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
  if (closed_ || (count_ != 0 && Back().kind == kind)) return;
  try {
    Append(Entry{kind, {}, 0, false, 0});
  } catch (const std::bad_alloc&) {
    // The writer thread looks at its clock regularly anyway.
  }
}

void FrameWriteQueue::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  ready_.notify_all();
}

void FrameWriteQueue::FreeBuffers() {
  std::lock_guard<std::mutex> lock(mutex_);
  spare_.clear();
  spare_.shrink_to_fit();
  spareBytes_ = 0;
}

FrameWriteQueue::Next FrameWriteQueue::Pop(Entry& entry, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  ready_.wait_for(lock, timeout, [this] { return count_ != 0 || closed_; });
  if (count_ == 0) return closed_ ? Next::kClosed : Next::kIdle;
  entry = std::move(slots_[head_]);
  head_ = (head_ + 1) % slots_.size();
  --count_;
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

std::size_t FrameWriteQueue::SpareBuffers() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return spare_.size();
}

std::uint64_t FrameWriteQueue::LostFrames() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lost_;
}

}  // namespace zuna

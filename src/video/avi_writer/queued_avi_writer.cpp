#include "video/avi_writer/queued_avi_writer.h"

#include <new>
#include <string>
#include <system_error>

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr wchar_t kNoThread[] = L"SEVERE: cannot start the AVI writer thread; no recording is possible\r\n";
constexpr wchar_t kFellBehind[] =
    L"WARNING: the disk is not keeping up with the camera; frames that do not fit in the write queue are "
    L"recorded as dropped frames\r\n";

using Kind = FrameWriteQueue::Entry::Kind;

}  // namespace

QueuedAviWriter::QueuedAviWriter(QueuedAviWriterOptions options) : options_(std::move(options)) {}

QueuedAviWriter::~QueuedAviWriter() {
  Close();
}

std::chrono::steady_clock::time_point QueuedAviWriter::Now() const {
  return options_.now ? options_.now() : std::chrono::steady_clock::now();
}

Status QueuedAviWriter::Open(std::unique_ptr<RiffOutput> output, const AviVideoFormat& format,
                             std::unique_ptr<RiffOutput> frameTimes) {
  Close();
  if (Status s = writer_.Open(std::move(output), format); Failed(s)) return s;
  // A failed start is told to the user by the frame times writer.
  frameTimesBegun_ = frameTimes && Succeeded(frameTimes_.Open(std::move(frameTimes), format.rate, format.scale));
  const std::uint64_t capacity = options_.queueBytes != 0 ? options_.queueBytes : FrameWriteQueue::CapacityFor(format);
  framesWritten_ = framesDropped_ = framesDroppedByQueue_ = framesReceived_ = framesLostAfterFault_ = 0;
  videoFault_ = frameTimesFault_ = kOk;
  lastSync_ = Now();
  unsynced_ = warned_ = false;
  try {
    queue_ = std::make_unique<FrameWriteQueue>(capacity, format.sizeImage);
    thread_ = std::thread(&QueuedAviWriter::Run, this);
  } catch (const std::exception&) {  // no memory or no thread
    PostStampedMessage(kNoThread);
    writer_.Close();
    frameTimes_.Close();
    return kFail;
  }
  open_ = true;
  return kOk;
}

Status QueuedAviWriter::Submit(ByteSpan bytes, std::int64_t startTime100ns, bool isKey, FileTime utc) {
  if (!open_) return kUnexpected;
  ++framesReceived_;
  if (const Status fault = videoFault_.load(); Failed(fault)) {
    ++framesLostAfterFault_;
    return fault;
  }
  return queue_->Push(bytes, startTime100ns, isKey, utc) ? kOk : kFalse;
}

void QueuedAviWriter::RequestCheckpoint() {
  if (open_) queue_->PushControl(Kind::kCheckpoint);
}

void QueuedAviWriter::CheckClock() {
  if (open_) queue_->PushControl(Kind::kCheckClock);
}

void QueuedAviWriter::WaitUntilWritten() {
  if (open_) queue_->WaitUntilHandled();
}

Status QueuedAviWriter::Close() {
  if (!open_.exchange(false)) return kOk;
  queue_->Close();
  thread_.join();  // the thread writes what is queued before it ends
  queue_->FreeBuffers();
  const Status status = writer_.Close();
  NoteVideoResult(status);
  frameTimes_.Close();
  Publish();
  if (const std::uint64_t lost = framesDroppedByQueue_.load(); lost != 0) {
    PostStampedMessage(L"WARNING: " + std::to_wstring(lost) +
                       L" frames did not fit in the write queue and were recorded as dropped frames\r\n");
  }
  return status;
}

QueuedAviWriterTotals QueuedAviWriter::Totals() const {
  QueuedAviWriterTotals totals;
  totals.framesWritten = framesWritten_.load();
  totals.framesDropped = framesDropped_.load();
  totals.framesDroppedByQueue = framesDroppedByQueue_.load();
  totals.frameTimes = frameTimesBegun_.load();
  totals.framesReceived = framesReceived_.load();
  totals.framesLostAfterFault = framesLostAfterFault_.load();
  totals.videoFault = videoFault_.load();
  totals.frameTimesFault = frameTimesFault_.load();
  return totals;
}

void QueuedAviWriter::Run() {
  FrameWriteQueue::Entry entry;
  for (;;) {
    const FrameWriteQueue::Next next = queue_->Pop(entry, options_.diskInterval);
    if (next == FrameWriteQueue::Next::kClosed) return;
    if (next == FrameWriteQueue::Next::kIdle) {
      SyncIfDue(false);  // frames stopped coming: what was written still reaches the disk
      continue;
    }
    Handle(entry);
    queue_->Done(std::move(entry));
    entry = {};
  }
}

void QueuedAviWriter::Handle(FrameWriteQueue::Entry& entry) {
  const std::uint64_t slots = writer_.FrameCount(), dropped = writer_.DroppedFrameCount();
  switch (entry.kind) {
    case Kind::kFrame:
      if (!NoteVideoResult(writer_.WriteFrame(entry.bytes, entry.startTime100ns, entry.key))) ++framesLostAfterFault_;
      break;
    case Kind::kLost:
      if (!warned_) PostStampedMessage(kFellBehind);
      warned_ = true;
      if (NoteVideoResult(writer_.WriteDroppedFrames(entry.lost, entry.startTime100ns))) {
        framesDroppedByQueue_ += entry.lost;
      } else {
        framesLostAfterFault_ += entry.lost;
      }
      break;
    case Kind::kCheckClock:
      SyncIfDue(false);
      return;
    case Kind::kCheckpoint:
      SyncIfDue(true);
      return;
  }
  AddFrameTimes(entry.kind == Kind::kFrame, writer_.FrameCount() - slots, writer_.DroppedFrameCount() - dropped,
                entry.utc);
  unsynced_ = true;
  Publish();
  SyncIfDue(false);
}

// The slots an entry added: dropped ones, then its frame when it was kept. The entry's time belongs
// to the last slot, or to the one after it when the entry's frame could not be written.
void QueuedAviWriter::AddFrameTimes(bool frame, std::uint64_t slots, std::uint64_t dropped, FileTime utc) {
  if (slots == 0) return;
  const bool kept = slots > dropped;
  if (frame && !kept && utc != kUnknownUtc) {
    const FileTime period = kTicksPerSecond * writer_.Format().scale / writer_.Format().rate;
    utc = utc > period ? utc - period : kUnknownUtc;
  }
  frameTimes_.Add(dropped, kept, utc);
}

void QueuedAviWriter::SyncIfDue(bool force) {
  const auto now = Now();
  if (!unsynced_ || (!force && now - lastSync_ < options_.diskInterval)) return;
  NoteVideoResult(writer_.CheckpointToDisk());
  frameTimes_.Checkpoint(true);  // a failure stays in its Fault()
  lastSync_ = now;
  unsynced_ = false;
  Publish();
}

// A frame too large to record is refused alone (the writer said so); any other failure means that
// no frame reaches the file any more. The first cause stays. False after such a failure.
bool QueuedAviWriter::NoteVideoResult(Status status) {
  if (Succeeded(status) || status == kInvalidArg) return true;
  Status none = kOk;
  videoFault_.compare_exchange_strong(none, writer_.Fault() != kOk ? writer_.Fault() : status);
  return false;
}

void QueuedAviWriter::Publish() {
  framesWritten_ = writer_.FrameCount();
  framesDropped_ = writer_.DroppedFrameCount();
  frameTimesFault_ = frameTimes_.Fault();
}

}  // namespace zuna

#include "video/avi_writer/avi_writer.h"

#include <algorithm>

#include "common/log/user_messages_log.h"
#include "video/avi/avi_layout.h"
#include "video/avi_writer/avi_writer_layout.h"

namespace zuna {
namespace {

constexpr wchar_t kBadFormat[] = L"WARNING: unsupported video format in AviWriter Open\r\n";
constexpr wchar_t kCannotCreate[] = L"SEVERE: cannot create the AVI file in AviWriter Open\r\n";
constexpr wchar_t kNotOpen[] = L"Logic error: call to WriteFrame with no open AVI file\r\n";
constexpr wchar_t kFrameTooLarge[] = L"WARNING: frame larger than 512 MiB not recorded in AviWriter WriteFrame\r\n";
constexpr wchar_t kTooManyFrames[] =
    L"SEVERE: the AVI file holds as many frames as it can; no more frames recorded in AviWriter WriteFrame\r\n";
constexpr wchar_t kTimeJump[] =
    L"WARNING: frame times jumped by an hour or more; the gap is not counted as dropped frames in AviWriter "
    L"WriteFrame\r\n";

constexpr std::uint64_t kTwelveHours = 12 * 3600;

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) {
  return (a + b - 1) / b;
}

}  // namespace

AviWriter::AviWriter(AviWriterOptions options) : options_(options) {
  options_.framesPerIndex = std::clamp<std::uint32_t>(options_.framesPerIndex, 1, 1u << 20);
  // Offsets in a standard index are 32-bit from the part's start and a frame may follow a full part.
  options_.partBytes = std::clamp<std::uint64_t>(options_.partBytes, 1024, std::uint64_t{1} << 31);
}

AviWriter::~AviWriter() {
  Close();
}

std::uint32_t AviWriter::DefaultSuperIndexEntries(const AviVideoFormat& format, const AviWriterOptions& options) {
  if (format.rate == 0 || format.scale == 0) return 1;
  const std::uint64_t fps = std::max<std::uint64_t>(60, CeilDiv(format.rate, format.scale));
  const std::uint64_t frames = std::min<std::uint64_t>(kTwelveHours * fps, kMaxFrames);
  const std::uint64_t frameBytes = std::max<std::uint64_t>(format.sizeImage, 1) + 8;
  const std::uint64_t perIndex = std::max<std::uint32_t>(options.framesPerIndex, 1);
  const std::uint64_t indexBytes = avi::kIndexHeadBytes + perIndex * 8;
  const std::uint64_t usable =
      options.partBytes > indexBytes + frameBytes ? options.partBytes - indexBytes : frameBytes;
  const std::uint64_t framesPerPart = std::max<std::uint64_t>(1, usable / frameBytes);
  const std::uint64_t entries = CeilDiv(frames, perIndex) + CeilDiv(frames, framesPerPart) + 1;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(entries, kMaxSuperIndexEntries));
}

Status AviWriter::Open(const std::filesystem::path& path, const AviVideoFormat& format) {
  if (!format.IsValid()) {
    PostStampedMessage(kBadFormat);
    return kInvalidArg;
  }
  std::unique_ptr<RiffOutput> output = CreateRiffFile(path);
  if (!output) {
    PostStampedMessage(kCannotCreate);
    return kFail;
  }
  return Open(std::move(output), format);
}

Status AviWriter::Open(std::unique_ptr<RiffOutput> output, const AviVideoFormat& format) {
  Close();
  if (!format.IsValid()) {
    PostStampedMessage(kBadFormat);
    return kInvalidArg;
  }
  if (!output) return kPointer;
  ResetState();
  format_ = format;
  timeline_ = AviFrameTimeline(format.rate, format.scale);
  superCapacity_ = options_.superIndexEntries != 0 ? std::min(options_.superIndexEntries, kMaxSuperIndexEntries)
                                                   : DefaultSuperIndexEntries(format, options_);
  const AviWriterLayout layout = BuildAviWriterLayout(format, superCapacity_);
  superOffset_ = layout.superIndexOffset;
  dmlhOffset_ = layout.dmlhTotalFramesOffset;
  partMovi_ = layout.moviListOffset;
  end_ = layout.bytes.size();
  output_ = std::move(output);
  if (!output_->Write(0, layout.bytes) || !output_->Flush()) {
    PostStampedMessage(WriteFaultMessage(L"cannot create the AVI file", *output_, L"AviWriter Open"));
    NoteFault();
    output_->Close();
    output_.reset();
    return fault_;
  }
  return kOk;
}

void AviWriter::ResetState() {
  failed_ = reported_ = indexFull_ = false;
  fault_ = kOk;
  legacyWritten_ = false;
  legacyOffset_ = 0;
  superUsed_ = superNext_ = 0;
  end_ = partStart_ = partMovi_ = 0;
  firstPart_ = true;
  partChunks_ = firstPartFrames_ = 0;
  index_ = StandardIndex();
  legacy_.clear();
  legacyComplete_ = true;
  slots_ = dropped_ = slotsAtCheckpoint_ = 0;
  largestChunk_ = 0;
}

Status AviWriter::WriteFrame(ByteSpan bytes, std::int64_t startTime100ns, bool isKey) {
  if (!output_) {
    PostStampedMessage(kNotOpen);
    return kUnexpected;
  }
  if (failed_ || indexFull_) return kFail;
  if (bytes.size() > kMaxFrameBytes) {
    PostStampedMessage(kFrameTooLarge);
    return kInvalidArg;
  }
  const AviFrameTimeline::Placement placement = timeline_.Place(startTime100ns, slots_);
  if (placement.discontinuity) PostStampedMessage(kTimeJump);
  if (slots_ + placement.missing + 1 > kMaxFrames) {
    PostStampedMessage(kTooManyFrames);
    return kFail;
  }
  for (std::uint64_t i = 0; i < placement.missing; ++i) {
    if (Status s = AppendChunk({}, false); Failed(s)) return s;
    ++dropped_;
  }
  if (Status s = AppendChunk(bytes, isKey || !format_.compressed); Failed(s)) return s;
  // One second of stream time: slots × scale / rate ≥ 1.
  if ((slots_ - slotsAtCheckpoint_) * format_.scale >= format_.rate) return Checkpoint();
  return kOk;
}

Status AviWriter::WriteDroppedFrames(std::uint64_t count, std::int64_t lastStartTime100ns) {
  if (!output_) {
    PostStampedMessage(kNotOpen);
    return kUnexpected;
  }
  if (count == 0) return kOk;
  if (failed_ || indexFull_) return kFail;
  const AviFrameTimeline::Placement placement = timeline_.Place(lastStartTime100ns, slots_);
  if (placement.discontinuity) PostStampedMessage(kTimeJump);
  const std::uint64_t entries = std::max(count, placement.missing + 1);
  if (slots_ + entries > kMaxFrames) {
    PostStampedMessage(kTooManyFrames);
    return kFail;
  }
  for (std::uint64_t i = 0; i < entries; ++i) {
    if (Status s = AppendChunk({}, false); Failed(s)) return s;
    ++dropped_;
  }
  if ((slots_ - slotsAtCheckpoint_) * format_.scale >= format_.rate) return Checkpoint();
  return kOk;
}

Status AviWriter::AppendChunk(ByteSpan bytes, bool key) {
  const std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
  const std::uint64_t chunkBytes = 8 + static_cast<std::uint64_t>(size) + (size & 1);
  if (Status s = MakeRoom(chunkBytes); Failed(s)) return s;
  std::vector<std::uint8_t> head;
  PutLe32(head, format_.ChunkId());
  PutLe32(head, size);
  static constexpr std::uint8_t kPad[1] = {0};
  if (!Put(end_, head) || !Put(end_ + 8, bytes) || ((size & 1) != 0 && !Put(end_ + 8 + size, kPad))) {
    return Fail();
  }
  const std::uint32_t flaggedSize = key ? size : (size | avi::kNotKeyFrameBit);
  index_.pending.push_back({static_cast<std::uint32_t>(end_ + 8 - partMovi_), flaggedSize});
  ++index_.used;
  if (firstPart_) {
    ++firstPartFrames_;
    if (legacy_.size() < kLegacyIndexLimit) {
      legacy_.push_back({key ? avi::kAviifKeyFrame : 0, static_cast<std::uint32_t>(end_ - (partMovi_ + 8)), size});
    } else {
      legacyComplete_ = false;
    }
  }
  end_ += chunkBytes;
  ++partChunks_;
  ++slots_;
  largestChunk_ = std::max(largestChunk_, size);
  return kOk;
}

Status AviWriter::Checkpoint() {
  return CheckpointWith(false);
}

Status AviWriter::CheckpointToDisk() {
  return CheckpointWith(true);
}

Status AviWriter::CheckpointWith(bool toDisk) {
  if (!output_ || failed_) return kFail;
  if (Status s = FlushAll(toDisk); Failed(s)) return s;  // frames before the index entries that name them
  if (Status s = CommitIndex(); Failed(s)) return s;
  if (Status s = FlushAll(toDisk); Failed(s)) return s;  // index entries before the lengths that count them
  if (Status s = CommitHeaders(); Failed(s)) return s;
  if (Status s = FlushAll(toDisk); Failed(s)) return s;
  slotsAtCheckpoint_ = slots_;
  return kOk;
}

Status AviWriter::Close() {
  if (!output_) return kOk;
  bool ok = !failed_;
  if (ok && firstPart_) ok = Succeeded(CommitIndex()) && Succeeded(WriteLegacyIndex());
  failed_ = false;  // after a failed write, what was written whole still gets its index and headers
  ok = Succeeded(CheckpointWith(true)) && ok;  // a finished recording survives a power cut
  if (!output_->Close()) {
    PostStampedMessage(WriteFaultMessage(L"cannot finish the AVI file", *output_, L"AviWriter Close"));
    NoteFault();
    ok = false;
  }
  output_.reset();
  return ok ? kOk : kFail;
}

bool AviWriter::Put(std::uint64_t offset, ByteSpan bytes) {
  return bytes.empty() || output_->Write(offset, bytes);
}

bool AviWriter::Put32(std::uint64_t offset, std::uint32_t value) {
  std::vector<std::uint8_t> bytes;
  PutLe32(bytes, value);
  return Put(offset, bytes);
}

bool AviWriter::Put64(std::uint64_t offset, std::uint64_t value) {
  std::vector<std::uint8_t> bytes;
  PutLe64(bytes, value);
  return Put(offset, bytes);
}

Status AviWriter::FlushAll(bool toDisk) {
  return (toDisk ? output_->Sync() : output_->Flush()) ? kOk : Fail();
}

Status AviWriter::Fail() {
  if (!reported_) PostStampedMessage(WriteFaultMessage(L"cannot write to the AVI file", *output_, L"AviWriter"));
  reported_ = failed_ = true;
  NoteFault();
  return kFail;
}

// The first cause stays: a disk that filled up is why the later steps failed too.
void AviWriter::NoteFault() {
  if (fault_ == kOk) fault_ = output_->DiskFull() ? kDiskFull : kFail;
}

}  // namespace zuna

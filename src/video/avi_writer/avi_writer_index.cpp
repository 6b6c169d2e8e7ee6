// The AviWriter's indexes, parts and in-place header updates.
#include <algorithm>

#include "common/log/user_messages_log.h"
#include "video/avi/avi_layout.h"
#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/avi_writer_layout.h"

namespace zuna {
namespace {

constexpr wchar_t kIndexFull[] =
    L"SEVERE: the AVI file index is full; no more frames recorded in AviWriter WriteFrame\r\n";

constexpr std::uint32_t kSuperEntryBytes = avi::kSuperIndexLongs * 4;

}  // namespace

std::uint32_t AviWriter::IndexChunkBytes() const {
  return avi::kIndexHeadBytes + options_.framesPerIndex * avi::kStandardIndexLongs * 4;
}

// Starts the next part when this chunk (and the index it may need) would take the part past its
// size; a part always takes at least one chunk, however large.
Status AviWriter::MakeRoom(std::uint64_t chunkBytes) {
  const bool needIndex = !index_.active || index_.used == options_.framesPerIndex;
  const std::uint64_t grown = end_ - partStart_ + chunkBytes + (needIndex ? IndexChunkBytes() : 0);
  if (partChunks_ > 0 && grown > options_.partBytes) {
    if (Status s = Spill(); Failed(s)) return s;
  }
  if (!index_.active || index_.used == options_.framesPerIndex) return StartIndex();
  return kOk;
}

// Reserves a standard index chunk at the end of the file; its entries are filled in place.
Status AviWriter::StartIndex() {
  if (Status s = CommitIndex(); Failed(s)) return s;
  if (superNext_ == superCapacity_) {
    // The file itself stays sound and is closed as usual; only further frames are refused.
    if (!indexFull_) PostStampedMessage(kIndexFull);
    indexFull_ = true;
    return kFail;
  }
  std::vector<std::uint8_t> chunk = StandardIndexHead(format_.ChunkId(), options_.framesPerIndex, partMovi_);
  chunk.resize(IndexChunkBytes(), 0);
  if (!Put(end_, chunk)) return Fail();
  index_ = StandardIndex{true, end_, 0, 0, superNext_++, {}};
  end_ += chunk.size();
  return kOk;
}

// Writes the entries not yet on disk, then the count that makes them valid, then the super index
// entry and count that lead to them.
Status AviWriter::CommitIndex() {
  if (!index_.active || index_.pending.empty()) return kOk;
  std::vector<std::uint8_t> entries;
  entries.reserve(index_.pending.size() * 8);
  for (const IndexEntry& e : index_.pending) {
    PutLe32(entries, e.offset);
    PutLe32(entries, e.size);
  }
  std::vector<std::uint8_t> superEntry;
  PutLe64(superEntry, index_.offset);
  PutLe32(superEntry, IndexChunkBytes());
  PutLe32(superEntry, index_.used);
  const std::uint64_t entriesAt = index_.offset + avi::kIndexHeadBytes + std::uint64_t{index_.written} * 8;
  const std::uint64_t superAt =
      superOffset_ + avi::kIndexHeadBytes + std::uint64_t{index_.superSlot} * kSuperEntryBytes;
  if (!Put(entriesAt, entries) || !Put32(index_.offset + avi::kIndexEntriesInUseOffset, index_.used) ||
      !Put(superAt, superEntry)) {
    return Fail();
  }
  if (index_.superSlot + 1 > superUsed_) {
    if (!Put32(superOffset_ + avi::kIndexEntriesInUseOffset, index_.superSlot + 1)) return Fail();
    superUsed_ = index_.superSlot + 1;
  }
  index_.written = index_.used;
  index_.pending.clear();
  return kOk;
}

// Lengths and sizes that make the committed frames part of the file.
Status AviWriter::CommitHeaders() {
  const std::uint32_t buffer = std::max(largestChunk_, format_.sizeImage);
  const std::uint32_t slots = static_cast<std::uint32_t>(slots_);
  const std::uint64_t moviEnd = firstPart_ && legacyWritten_ ? legacyOffset_ : end_;
  const bool ok = Put32(avi::kLengthOffset, slots) && Put32(dmlhOffset_, slots) &&
                  Put32(avi::kTotalFramesOffset, firstPartFrames_) && Put32(avi::kStrhBufferSizeOffset, buffer) &&
                  Put32(avi::kAvihBufferSizeOffset, buffer) &&
                  Put32(partMovi_ + 4, static_cast<std::uint32_t>(moviEnd - partMovi_ - 8)) &&
                  Put32(partStart_ + 4, static_cast<std::uint32_t>(end_ - partStart_ - 8));
  return ok ? kOk : Fail();
}

// Closes the part at hand for good and opens an "AVIX" part after it.
Status AviWriter::Spill() {
  if (Status s = CommitIndex(); Failed(s)) return s;
  index_.active = false;
  if (firstPart_) {
    if (Status s = WriteLegacyIndex(); Failed(s)) return s;
  }
  if (Status s = CommitHeaders(); Failed(s)) return s;
  const std::vector<std::uint8_t> head = ExtensionPartHead();
  if (!Put(end_, head)) return Fail();
  partStart_ = end_;
  partMovi_ = end_ + 12;
  end_ += head.size();
  firstPart_ = false;
  partChunks_ = 0;
  return kOk;
}

// The AVI 1.0 index of the first part, for readers that know no other; offsets count from "movi".
Status AviWriter::WriteLegacyIndex() {
  if (!legacyComplete_ || legacyWritten_) return kOk;
  std::vector<std::uint8_t> chunk;
  chunk.reserve(8 + legacy_.size() * 16);
  PutLe32(chunk, avi::kIdx1);
  PutLe32(chunk, static_cast<std::uint32_t>(legacy_.size() * 16));
  for (const LegacyEntry& e : legacy_) {
    PutLe32(chunk, format_.ChunkId());
    PutLe32(chunk, e.flags);
    PutLe32(chunk, e.offset);
    PutLe32(chunk, e.size);
  }
  if (!Put(end_, chunk) || !Put32(avi::kAvihFlagsOffset, avi::kAvifHasIndex | avi::kAvifIsInterleaved)) {
    return Fail();
  }
  legacyWritten_ = true;
  legacyOffset_ = end_;
  end_ += chunk.size();
  legacy_.clear();
  legacy_.shrink_to_fit();
  return kOk;
}

}  // namespace zuna

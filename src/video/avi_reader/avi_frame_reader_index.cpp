// The frame reader's three ways of finding the frames: OpenDML indexes, the legacy index, and
// walking the "movi" lists.
#include <algorithm>

#include "video/avi/avi_layout.h"
#include "video/avi_reader/avi_frame_reader.h"

namespace zuna {
namespace {

constexpr std::uint32_t kRec = FourCc("rec ");
constexpr std::uint8_t kIndexOfIndexes = 0x00;
constexpr std::uint8_t kIndexOfChunks = 0x01;
constexpr std::uint32_t kSuperEntryBytes = avi::kSuperIndexLongs * 4;
constexpr std::uint32_t kStandardEntryBytes = avi::kStandardIndexLongs * 4;
constexpr std::uint32_t kLegacyEntryBytes = 16;
constexpr std::uint64_t kEntriesPerRead = 65536;  // index tables are read in pieces of bounded size
constexpr int kMaxListDepth = 4;

std::uint32_t Field32(ByteSpan bytes, std::uint64_t offset) {
  return ReadLe32(bytes, offset).value_or(0);
}

}  // namespace

// The super index (the "indx" chunk's data, without its 8-byte head) leads to one standard index
// per entry, in frame order.
bool AviFrameReader::ReadOpenDmlIndex(AviByteSource& file) {
  const ByteSpan super = superIndex_;
  const std::uint64_t headBytes = avi::kIndexHeadBytes - 8;
  if (super.size() < headBytes || ReadLe16(super, 0) != avi::kSuperIndexLongs || super[3] != kIndexOfIndexes) {
    return false;
  }
  const std::uint64_t entries =
      std::min<std::uint64_t>(Field32(super, 4), (super.size() - headBytes) / kSuperEntryBytes);
  for (std::uint64_t i = 0; i < entries && !stopped_; ++i) {
    const std::uint64_t at = headBytes + i * kSuperEntryBytes;
    const std::uint64_t offset = ReadLe64(super, at).value_or(0);
    const std::uint32_t size = Field32(super, at + 8);
    if (offset == 0 && size == 0) break;  // an entry not yet used
    if (!ReadStandardIndex(file, offset, size)) break;
  }
  if (frames_.empty()) {
    stopped_ = false;
    problem_.clear();  // the next way of finding the frames has its own say
    return false;
  }
  return true;
}

// One standard index chunk at `offset` (its head), `size` bytes long with its head.
bool AviFrameReader::ReadStandardIndex(AviByteSource& file, std::uint64_t offset, std::uint64_t size) {
  std::vector<std::uint8_t> head;
  if (size < avi::kIndexHeadBytes || !ReadAt(file, offset, avi::kIndexHeadBytes, head)) return false;
  const std::uint64_t chunkSize = Field32(head, 4);
  if (ReadLe16(head, avi::kIndexLongsOffset) != avi::kStandardIndexLongs || head[11] != kIndexOfChunks ||
      !IsStreamChunk(Field32(head, 16)) || chunkSize < avi::kIndexHeadBytes - 8) {
    return false;
  }
  const std::uint64_t room = (chunkSize - (avi::kIndexHeadBytes - 8)) / kStandardEntryBytes;
  const std::uint64_t entries = std::min<std::uint64_t>(Field32(head, avi::kIndexEntriesInUseOffset), room);
  const std::uint64_t base = ReadLe64(head, 20).value_or(0);
  std::vector<std::uint8_t> table;
  for (std::uint64_t done = 0; done < entries;) {
    const std::uint64_t count = std::min(entries - done, kEntriesPerRead);
    if (!ReadAt(file, offset + avi::kIndexHeadBytes + done * kStandardEntryBytes,
                static_cast<std::size_t>(count * kStandardEntryBytes), table)) {
      return false;
    }
    for (std::uint64_t e = 0; e < count; ++e) {
      const std::uint32_t where = Field32(table, e * kStandardEntryBytes);
      const std::uint32_t flagged = Field32(table, e * kStandardEntryBytes + 4);
      if (!AddFrame(base + where, flagged & ~avi::kNotKeyFrameBit, (flagged & avi::kNotKeyFrameBit) == 0)) {
        return false;
      }
    }
    done += count;
  }
  return true;
}

// Offsets in "idx1" count from the "movi" list's type code in most files, from the file's start in
// some: the first entry of the stream tells which, by finding its chunk there.
std::optional<std::uint64_t> AviFrameReader::LegacyIndexBase(AviByteSource& file, std::uint32_t id,
                                                             std::uint32_t offset) {
  const std::uint64_t relative = movi_->offset + 8;
  for (const std::uint64_t base : {relative, std::uint64_t{0}}) {
    std::vector<std::uint8_t> head;
    if (ReadAt(file, base + offset, 4, head) && Field32(head, 0) == id) return base;
  }
  return std::nullopt;
}

bool AviFrameReader::ReadLegacyIndex(AviByteSource& file) {
  const std::uint64_t entries = idx1_->size / kLegacyEntryBytes;
  std::optional<std::uint64_t> base;
  std::vector<std::uint8_t> table;
  for (std::uint64_t done = 0; done < entries && !stopped_;) {
    const std::uint64_t count = std::min(entries - done, kEntriesPerRead);
    if (!ReadAt(file, idx1_->offset + 8 + done * kLegacyEntryBytes, static_cast<std::size_t>(count * kLegacyEntryBytes),
                table)) {
      break;  // a cut-off index: the entries read so far stand
    }
    for (std::uint64_t e = 0; e < count; ++e) {
      const std::uint64_t at = e * kLegacyEntryBytes;
      const std::uint32_t id = Field32(table, at);
      const bool palette = IsPaletteChange(id);
      if (!palette && !IsStreamChunk(id)) continue;
      const std::uint32_t flags = Field32(table, at + 4);
      const std::uint32_t offset = Field32(table, at + 8);
      const std::uint32_t size = Field32(table, at + 12);
      if (!base) base = LegacyIndexBase(file, id, offset);
      if (!base) {
        frames_.clear();
        paletteChanges_.clear();
        return false;
      }
      if (palette) {
        AddPaletteChange(*base + offset + 8, size);
        continue;
      }
      if (!AddFrame(*base + offset + 8, size, (flags & avi::kAviifKeyFrame) != 0)) break;
    }
    done += count;
  }
  return !frames_.empty();
}

// The "movi" list of the first part, then that of every "AVIX" part that follows.
void AviFrameReader::WalkMovi(AviByteSource& file) {
  frames_.clear();
  paletteChanges_.clear();
  stopped_ = false;
  problem_.clear();
  const std::uint64_t moviEnd = std::min<std::uint64_t>(firstRiffEnd_, movi_->offset + 8 + std::uint64_t{movi_->size});
  if (!WalkList(file, movi_->offset + 12, moviEnd, 0)) return;
  std::uint64_t part = firstRiffEnd_ + (firstRiffEnd_ & 1);  // parts start on even offsets
  while (part + 12 <= fileSize_ && !stopped_) {
    const std::optional<Chunk> riff = ChunkAt(file, part, fileSize_);
    if (!riff || riff->id != avi::kRiff || riff->listType != avi::kAvix) return;
    const std::uint64_t partEnd = std::min<std::uint64_t>(fileSize_, part + 8 + std::uint64_t{riff->size});
    for (std::uint64_t at = part + 12; at + 12 <= partEnd;) {
      const std::optional<Chunk> chunk = ChunkAt(file, at, partEnd);
      if (!chunk) break;
      if (chunk->id == avi::kList && chunk->listType == avi::kMovi) {
        if (!WalkList(file, at + 12, std::min<std::uint64_t>(partEnd, at + 8 + std::uint64_t{chunk->size}), 0)) {
          return;
        }
      }
      at += 8 + std::uint64_t{chunk->size} + (chunk->size & 1);
    }
    part = partEnd + (partEnd & 1);
  }
}

// The stream's chunks in [begin, end), descending into "rec " lists; false when the list ended early.
bool AviFrameReader::WalkList(AviByteSource& file, std::uint64_t begin, std::uint64_t end, int depth) {
  for (std::uint64_t at = begin; at + 8 <= end;) {
    const std::optional<Chunk> chunk = ChunkAt(file, at, end);
    if (!chunk) return false;
    if (chunk->id == avi::kList && chunk->listType == kRec && depth < kMaxListDepth) {
      const std::uint64_t listEnd = std::min<std::uint64_t>(end, at + 8 + std::uint64_t{chunk->size});
      if (!WalkList(file, at + 12, listEnd, depth + 1)) return false;
    } else if (IsPaletteChange(chunk->id)) {
      AddPaletteChange(at + 8, chunk->size);
    } else if (IsStreamChunk(chunk->id)) {
      // A chunk cut off by the end of the file ends the walk without being a frame.
      if (chunk->size > end - at - 8) return false;
      if (!AddFrame(at + 8, chunk->size, true)) return false;
    }
    at += 8 + std::uint64_t{chunk->size} + (chunk->size & 1);
  }
  return true;
}

}  // namespace zuna

// The frame map of a capture-program file, from its OpenDML super index and standard indexes.
#include <algorithm>

#include "common/log/user_messages_log.h"
#include "video/avi/avi_header_parser.h"
#include "video/avi/avi_layout.h"

namespace zuna {
namespace {

constexpr wchar_t kNoIndexFourCc[] = L"SEVERE: problem reading FOURCC value in file created by ZUNA Video Capture\r\n";
constexpr wchar_t kCannotMove[] = L"SEVERE: cannot set file pointer in file created by ZUNA Video Capture\r\n";
constexpr wchar_t kCannotRead[] = L"SEVERE: cannot read from file created by ZUNA Video Capture\r\n";
constexpr wchar_t kDamagedIndex[] = L"SEVERE: the index of the file created by ZUNA Video Capture is damaged\r\n";
constexpr wchar_t kIndexTooLarge[] =
    L"SEVERE: the super index of the file created by ZUNA Video Capture claims more entries than a recording can "
    L"have\r\n";

constexpr std::uint32_t kSuperEntryBytes = avi::kSuperIndexLongs * 4;
constexpr std::uint32_t kStandardEntryBytes = avi::kStandardIndexLongs * 4;
constexpr std::uint64_t kEntriesPerRead = 65536;  // a standard index is read in pieces of bounded size

Status Damaged() {
  PostStampedMessage(kDamagedIndex);
  return kUnexpected;
}

// True when [offset, offset + length) lies inside a file of `size` bytes.
bool Inside(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
  return offset <= size && length <= size - offset;
}

}  // namespace

Status AviHeaderParser::ReadExactly(AviByteSource& file, std::uint64_t offset, std::size_t count,
                                    std::vector<std::uint8_t>& out) {
  if (!file.Seek(offset)) {
    PostStampedMessage(kCannotMove);
    return kUnexpected;
  }
  if (!file.Read(count, out) || out.size() != count) {
    PostStampedMessage(kCannotRead);
    return kUnexpected;
  }
  return kOk;
}

Status AviHeaderParser::ReadFrameMap(AviByteSource& file, ByteSpan header) {
  const std::uint64_t superOffset =
      static_cast<std::uint64_t>(avi::kBiSizeOffset) + ReadLe32(header, avi::kBiSizeOffset).value_or(0);
  if (!HasFourCc(header, superOffset, avi::kIndx)) {
    PostStampedMessage(kNoIndexFourCc);
    return kUnexpected;
  }
  const std::uint64_t size = fileSize_.value_or(0);  // known: the tag was read
  std::vector<std::uint8_t> head;
  if (Status s = ReadExactly(file, superOffset, avi::kIndexHeadBytes, head); Failed(s)) return s;
  const std::uint32_t chunkSize = ReadLe32(head, 4).value_or(0);
  const std::uint64_t entries = ReadLe32(head, avi::kIndexEntriesInUseOffset).value_or(0);
  const std::uint64_t entryBytes = entries * kSuperEntryBytes;
  if (ReadLe16(head, avi::kIndexLongsOffset) != avi::kSuperIndexLongs || chunkSize < avi::kIndexHeadBytes - 8 ||
      entryBytes > chunkSize - (avi::kIndexHeadBytes - 8) ||
      !Inside(superOffset + avi::kIndexHeadBytes, entryBytes, size)) {
    return Damaged();
  }
  if (entries > kMaxSuperIndexEntries) {  // inside a file large enough, but not one a recording makes
    PostStampedMessage(kIndexTooLarge);
    return kUnexpected;
  }
  std::vector<std::uint8_t> table;
  if (Status s = ReadExactly(file, superOffset + avi::kIndexHeadBytes, entryBytes, table); Failed(s)) return s;
  std::uint32_t mapped = 0;
  for (std::uint64_t i = 0; i < entries && mapped < totalFrames; ++i) {
    const std::uint64_t offset = ReadLe64(table, i * kSuperEntryBytes).value_or(0);
    const std::uint32_t indexSize = ReadLe32(table, i * kSuperEntryBytes + 8).value_or(0);
    if (Status s = ReadStandardIndex(file, offset, indexSize, mapped); Failed(s)) return s;
  }
  // Frames the index does not cover cannot be told apart: counting them as dropped would be wrong.
  if (mapped < totalFrames) return Damaged();
  return kOk;
}

// Maps the entries of one standard index onto the next frames, never beyond totalFrames.
Status AviHeaderParser::ReadStandardIndex(AviByteSource& file, std::uint64_t offset, std::uint32_t size,
                                          std::uint32_t& mapped) {
  if (size < avi::kIndexHeadBytes || !Inside(offset, size, fileSize_.value_or(0))) return Damaged();
  std::vector<std::uint8_t> head;
  if (Status s = ReadExactly(file, offset, avi::kIndexHeadBytes, head); Failed(s)) return s;
  const std::uint64_t entries = ReadLe32(head, avi::kIndexEntriesInUseOffset).value_or(0);
  if (ReadLe16(head, avi::kIndexLongsOffset) != avi::kStandardIndexLongs ||
      entries * kStandardEntryBytes > size - avi::kIndexHeadBytes) {
    return Damaged();
  }
  const std::uint64_t wanted = std::min<std::uint64_t>(entries, totalFrames - mapped);
  std::vector<std::uint8_t> table;
  for (std::uint64_t done = 0; done < wanted;) {
    const std::uint64_t count = std::min(wanted - done, kEntriesPerRead);
    if (Status s = ReadExactly(file, offset + avi::kIndexHeadBytes + done * kStandardEntryBytes,
                               static_cast<std::size_t>(count * kStandardEntryBytes), table);
        Failed(s)) {
      return s;
    }
    for (std::uint64_t e = 0; e < count; ++e) {
      const std::uint32_t chunkSize = ReadLe32(table, e * kStandardEntryBytes + 4).value_or(0);
      const bool key = (chunkSize & avi::kNotKeyFrameBit) == 0;
      frameIsKey[mapped++] = key ? 1 : 0;
      if (key) ++keyFrames;
    }
    done += count;
  }
  return kOk;
}

}  // namespace zuna

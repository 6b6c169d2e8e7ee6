#include "video/pixel_saturation_kernel.h"

#include <cstddef>
#include <cstring>

#include "video/frame_row_copy.h"

namespace zuna {

namespace {

constexpr std::size_t kGroupBytes = 4;
// Bytes worked at once: one vector register of the baseline instruction set.
constexpr std::size_t kBlockBytes = 16;
constexpr std::size_t kBlockGroups = kBlockBytes / kGroupBytes;

struct SaturationRule {
  std::uint8_t level;
  bool rgb32;
  const std::uint8_t* mark;
  std::uint32_t tested;    // the group's tested bytes as a word mask: luma in YUY2, B G R in RGB32
  std::uint32_t markWord;  // the mark in memory order

  bool Reaches(const std::uint8_t* group) const {
    const bool second = rgb32 && group[1] >= level;
    return (group[0] >= level) | second | (group[2] >= level);
  }
};

SaturationRule MakeRule(std::uint8_t level, bool rgb32) {
  SaturationRule rule{level, rgb32, rgb32 ? kSaturationMarkRgb32 : kSaturationMarkYuy2, 0, 0};
  const std::uint8_t tested[4] = {0xFF, static_cast<std::uint8_t>(rgb32 ? 0xFF : 0), 0xFF, 0};
  std::memcpy(&rule.tested, tested, sizeof rule.tested);
  std::memcpy(&rule.markWord, rule.mark, sizeof rule.markWord);
  return rule;
}

// A row that starts on a group boundary and holds whole groups only. The block work is written as
// byte compares and word selects over local arrays, with no branch, so that the compiler turns it into
// a handful of vector instructions; the values it needs are locals so that they stay in registers.
void MarkAlignedRow(const std::uint8_t* source, std::uint8_t* destination, std::size_t rowBytes,
                    const SaturationRule& rule) {
  const std::uint8_t level = rule.level;
  const std::uint32_t tested = rule.tested;
  const std::uint32_t markWord = rule.markWord;
  const auto markBlock = [level, tested, markWord](const std::uint8_t* in, std::uint8_t* out) {
    std::uint8_t bytes[kBlockBytes];
    std::uint8_t reached[kBlockBytes];
    std::memcpy(bytes, in, kBlockBytes);
    for (std::size_t i = 0; i < kBlockBytes; ++i) reached[i] = bytes[i] >= level ? 0xFF : 0;
    std::uint32_t words[kBlockGroups];
    std::uint32_t reachedWords[kBlockGroups];
    std::memcpy(words, bytes, kBlockBytes);
    std::memcpy(reachedWords, reached, kBlockBytes);
    for (std::size_t i = 0; i < kBlockGroups; ++i) {
      const std::uint32_t fill = (reachedWords[i] & tested) != 0 ? ~0u : 0u;
      words[i] = (words[i] & ~fill) | (markWord & fill);
    }
    std::memcpy(out, words, kBlockBytes);
  };
  std::size_t done = 0;
  for (; done + kBlockBytes <= rowBytes; done += kBlockBytes) markBlock(source + done, destination + done);
  const std::size_t rest = rowBytes - done;
  if (rest == 0) return;
  // The last few groups go through a zero-padded block; only their own bytes are written back.
  std::uint8_t in[kBlockBytes] = {};
  std::uint8_t out[kBlockBytes];
  std::memcpy(in, source + done, rest);
  markBlock(in, out);
  std::memcpy(destination + done, out, rest);
}

// Rows that do not start on a group boundary: each byte looks at the whole group it belongs to,
// which may lie partly in the neighbouring row. Bytes after the last whole group stay unmarked.
void MarkUnalignedRow(std::span<const std::uint8_t> input, std::size_t rowStart, std::uint8_t* destination,
                      std::size_t rowBytes, const SaturationRule& rule) {
  const std::size_t wholeGroupsEnd = input.size() / kGroupBytes * kGroupBytes;
  for (std::size_t i = 0; i < rowBytes; ++i) {
    const std::size_t at = rowStart + i;
    const std::size_t groupStart = at / kGroupBytes * kGroupBytes;
    const bool reached = groupStart < wholeGroupsEnd && rule.Reaches(input.data() + groupStart);
    destination[i] = reached ? rule.mark[at - groupStart] : input[at];
  }
}

}  // namespace

Status MarkSaturatedPixels(std::span<const std::uint8_t> input, std::span<std::uint8_t> output,
                           const FrameGeometry& geometry, RowOrder order, FrameSubtype subtype, int threshold) {
  const bool marks = threshold > 0 && (subtype == FrameSubtype::kYuy2 || subtype == FrameSubtype::kRgb32);
  if (!marks) return CopyFrameRows(input, output, geometry, order);
  const Status checked = CheckFrameBuffers(geometry, input, output);
  if (Failed(checked)) return checked;

  const SaturationRule rule = MakeRule(static_cast<std::uint8_t>(threshold & 0xFF), subtype == FrameSubtype::kRgb32);
  const std::size_t rowBytes = static_cast<std::size_t>(geometry.rowBytes);
  if (rowBytes % kGroupBytes != 0) {
    ForEachFrameRow(geometry, order, input.data(), output.data(),
                    [&](int t, const std::uint8_t*, std::uint8_t* destination) {
                      MarkUnalignedRow(input, static_cast<std::size_t>(t) * rowBytes, destination, rowBytes, rule);
                    });
    return kOk;
  }
  ForEachFrameRow(geometry, order, input.data(), output.data(),
                  [&](int, const std::uint8_t* source, std::uint8_t* destination) {
                    MarkAlignedRow(source, destination, rowBytes, rule);
                  });
  return kOk;
}

}  // namespace zuna

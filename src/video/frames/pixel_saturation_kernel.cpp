#include "video/frames/pixel_saturation_kernel.h"

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "video/frames/frame_row_copy.h"

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

// One block of whole groups, portable: byte compares and word selects with no branch.
void MarkBlock(const std::uint8_t* in, std::uint8_t* out, std::uint8_t level, std::uint32_t tested,
               std::uint32_t markWord) {
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
}

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
// x86: a byte reaches the level when max(byte, level) == byte; a group is marked when any of its
// tested bytes does. SSE2 is always there; AVX2 is chosen at run time where the processor has it.
std::size_t MarkBlocksSse2(const std::uint8_t* source, std::uint8_t* destination, std::size_t rowBytes,
                           std::uint8_t level, std::uint32_t tested, std::uint32_t markWord) {
  const __m128i levels = _mm_set1_epi8(static_cast<char>(level));
  const __m128i testedBytes = _mm_set1_epi32(static_cast<int>(tested));
  const __m128i mark = _mm_set1_epi32(static_cast<int>(markWord));
  const __m128i zero = _mm_setzero_si128();
  std::size_t done = 0;
  for (; done + 16 <= rowBytes; done += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + done));
    const __m128i reached = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, levels), v), testedBytes);
    const __m128i keep = _mm_cmpeq_epi32(reached, zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + done),
                     _mm_or_si128(_mm_and_si128(keep, v), _mm_andnot_si128(keep, mark)));
  }
  return done;
}

__attribute__((target("avx2"))) std::size_t MarkBlocksAvx2(const std::uint8_t* source, std::uint8_t* destination,
                                                           std::size_t rowBytes, std::uint8_t level,
                                                           std::uint32_t tested, std::uint32_t markWord) {
  const __m256i levels = _mm256_set1_epi8(static_cast<char>(level));
  const __m256i testedBytes = _mm256_set1_epi32(static_cast<int>(tested));
  const __m256i mark = _mm256_set1_epi32(static_cast<int>(markWord));
  const __m256i zero = _mm256_setzero_si256();
  std::size_t done = 0;
  for (; done + 32 <= rowBytes; done += 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + done));
    const __m256i reached = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_max_epu8(v, levels), v), testedBytes);
    const __m256i keep = _mm256_cmpeq_epi32(reached, zero);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination + done), _mm256_blendv_epi8(mark, v, keep));
  }
  return done;
}

// The whole blocks of a row; returns the bytes done.
std::size_t MarkBlocks(const std::uint8_t* source, std::uint8_t* destination, std::size_t rowBytes, std::uint8_t level,
                       std::uint32_t tested, std::uint32_t markWord) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  std::size_t done = avx2 ? MarkBlocksAvx2(source, destination, rowBytes, level, tested, markWord) : 0;
  return done + MarkBlocksSse2(source + done, destination + done, rowBytes - done, level, tested, markWord);
}
#else
std::size_t MarkBlocks(const std::uint8_t* source, std::uint8_t* destination, std::size_t rowBytes, std::uint8_t level,
                       std::uint32_t tested, std::uint32_t markWord) {
  std::size_t done = 0;
  for (; done + kBlockBytes <= rowBytes; done += kBlockBytes) {
    MarkBlock(source + done, destination + done, level, tested, markWord);
  }
  return done;
}
#endif

// A row that starts on a group boundary and holds whole groups only.
void MarkAlignedRow(const std::uint8_t* source, std::uint8_t* destination, std::size_t rowBytes,
                    const SaturationRule& rule) {
  const std::uint8_t level = rule.level;
  const std::uint32_t tested = rule.tested;
  const std::uint32_t markWord = rule.markWord;
  const std::size_t done = MarkBlocks(source, destination, rowBytes, level, tested, markWord);
  const std::size_t rest = rowBytes - done;
  if (rest == 0) return;
  // The last few groups go through a zero-padded block; only their own bytes are written back.
  std::uint8_t in[kBlockBytes] = {};
  std::uint8_t out[kBlockBytes];
  std::memcpy(in, source + done, rest);
  MarkBlock(in, out, level, tested, markWord);
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

#pragma once
// The row copy shared by the transform filters: `rows` rows of `rowBytes` bytes, read from the input
// at rowBytes intervals and written to the output at outputStride intervals, in the same or the
// reversed order. Every call checks the latched geometry against the real buffers first.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/foundation/status.h"
#include "video/frames/frame_geometry.h"

namespace zuna {

// kOk when the copy fits both buffers and they do not overlap; kFail otherwise (nothing is written).
Status CheckFrameBuffers(const FrameGeometry& geometry, std::span<const std::uint8_t> input,
                         std::span<const std::uint8_t> output);

// Byte offset in the output buffer of the row that receives input row `inputRow`.
constexpr std::size_t OutputRowOffset(const FrameGeometry& g, RowOrder order, int inputRow) {
  const int outputRow = order == RowOrder::kSame ? inputRow : g.rows - 1 - inputRow;
  return static_cast<std::size_t>(outputRow) * static_cast<std::size_t>(g.outputStride);
}

// The number of bytes a row copy writes.
constexpr std::size_t CopiedByteCount(const FrameGeometry& g) {
  return static_cast<std::size_t>(g.rows) * static_cast<std::size_t>(g.rowBytes);
}

// The input of a live stream arrives from memory, not from the cache. A copy made one row at a time
// would wait for each row's lines in turn, so the lines some way ahead are asked for early. Only a
// hint: compilers without the builtin simply copy without it.
inline constexpr std::size_t kPrefetchAheadBytes = 6 * 1024;
inline constexpr std::size_t kCacheLineBytes = 64;

inline void PrefetchInput(const std::uint8_t* input, std::size_t from, std::size_t to) {
#if defined(__GNUC__) || defined(__clang__)
  for (std::size_t at = from; at < to; at += kCacheLineBytes) __builtin_prefetch(input + at);
#else
  (void)input, (void)from, (void)to;
#endif
}

// Calls rowWork(inputRow, source, destination) for every row, each pointer valid for rowBytes bytes.
// Only call after CheckFrameBuffers succeeded for the same buffers.
template <typename RowWork>
void ForEachFrameRow(const FrameGeometry& g, RowOrder order, const std::uint8_t* input, std::uint8_t* output,
                     RowWork&& rowWork) {
  const std::size_t rowBytes = static_cast<std::size_t>(g.rowBytes);
  const std::size_t inputEnd = CopiedByteCount(g);
  for (int t = 0; t < g.rows; ++t) {
    const std::size_t rowStart = static_cast<std::size_t>(t) * rowBytes;
    PrefetchInput(input, std::min(rowStart + kPrefetchAheadBytes, inputEnd),
                  std::min(rowStart + rowBytes + kPrefetchAheadBytes, inputEnd));
    rowWork(t, input + rowStart, output + OutputRowOffset(g, order, t));
  }
}

// The plain copy (time lapse, and the display filters when their feature has nothing to do).
Status CopyFrameRows(std::span<const std::uint8_t> input, std::span<std::uint8_t> output, const FrameGeometry& geometry,
                     RowOrder order);

}  // namespace zuna

#pragma once
// The row copy shared by the transform filters: `rows` rows of `rowBytes` bytes, read from the input
// at rowBytes intervals and written to the output at outputStride intervals, in the same or the
// reversed order. Every call checks the latched geometry against the real buffers first.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/status.h"
#include "video/frame_geometry.h"

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

// Calls rowWork(inputRow, source, destination) for every row, each pointer valid for rowBytes bytes.
// Only call after CheckFrameBuffers succeeded for the same buffers.
template <typename RowWork>
void ForEachFrameRow(const FrameGeometry& g, RowOrder order, const std::uint8_t* input, std::uint8_t* output,
                     RowWork&& rowWork) {
  const std::size_t rowBytes = static_cast<std::size_t>(g.rowBytes);
  for (int t = 0; t < g.rows; ++t) {
    rowWork(t, input + static_cast<std::size_t>(t) * rowBytes, output + OutputRowOffset(g, order, t));
  }
}

// The plain copy (time lapse, and the display filters when their feature has nothing to do).
Status CopyFrameRows(std::span<const std::uint8_t> input, std::span<std::uint8_t> output, const FrameGeometry& geometry,
                     RowOrder order);

}  // namespace zuna

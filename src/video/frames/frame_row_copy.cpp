#include "video/frames/frame_row_copy.h"

#include <cstring>
#include <functional>

namespace zuna {

namespace {

bool Overlap(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  if (a.empty() || b.empty()) return false;
  // std::less gives a total order even for pointers into unrelated buffers.
  const std::less<const std::uint8_t*> before;
  return before(a.data(), b.data() + b.size()) && before(b.data(), a.data() + a.size());
}

}  // namespace

Status CheckFrameBuffers(const FrameGeometry& g, std::span<const std::uint8_t> input,
                         std::span<const std::uint8_t> output) {
  if (g.rows <= 0 || g.rowBytes <= 0 || g.outputStride < g.rowBytes) return kFail;
  if (CopiedByteCount(g) > input.size()) return kFail;
  const std::size_t outputEnd = static_cast<std::size_t>(g.rows - 1) * static_cast<std::size_t>(g.outputStride) +
                                static_cast<std::size_t>(g.rowBytes);
  if (outputEnd > output.size()) return kFail;
  if (Overlap(input, output)) return kFail;
  return kOk;
}

Status CopyFrameRows(std::span<const std::uint8_t> input, std::span<std::uint8_t> output, const FrameGeometry& g,
                     RowOrder order) {
  const Status checked = CheckFrameBuffers(g, input, output);
  if (Failed(checked)) return checked;
  const std::size_t rowBytes = static_cast<std::size_t>(g.rowBytes);
  ForEachFrameRow(g, order, input.data(), output.data(),
                  [rowBytes](int, const std::uint8_t* source, std::uint8_t* destination) {
                    std::memcpy(destination, source, rowBytes);
                  });
  return kOk;
}

}  // namespace zuna

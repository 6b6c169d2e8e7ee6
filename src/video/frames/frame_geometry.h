#pragma once
// The picture layout a transform filter latches from its first sample after insertion into a graph,
// and the rule that decides in which order it writes the rows of its output.
#include "common/foundation/status.h"

namespace zuna {

// What the first sample after an insertion tells: data lengths and buffer sizes of the input and
// output samples, and the picture's row count (the video height at that moment).
struct FrameSizes {
  int inputLength = 0;
  int outputLength = 0;
  int inputSize = 0;
  int outputSize = 0;
  int rows = 0;
};

struct FrameGeometry {
  int inputLength = 0;
  int outputLength = 0;
  int rows = 0;
  int inputSize = 0;
  int outputSize = 0;
  int inputStride = 0;   // inputSize / rows
  int outputStride = 0;  // outputSize / rows
  int rowBytes = 0;      // inputLength / rows: the bytes copied per row
};

// Derives the geometry. Fails (kFail) when the copy it describes could not fit the buffers it was
// measured on: no rows, negative sizes, data longer than its buffer, or rows longer than the output
// stride (the last row would run past the output buffer).
Status DeriveFrameGeometry(const FrameSizes& sizes, FrameGeometry* geometry);

// The filter's latch: armed when the filter is created and at every insertion into a graph, taken on
// the next sample. A geometry that cannot be used is reported once, at the latch, and every later
// sample fails until the next insertion.
class FrameGeometryLatch {
 public:
  void Arm() { recompute_ = true; }
  bool Armed() const { return recompute_; }

  // Call at every sample; latches when armed. kOk while the latched geometry is usable.
  Status OnSample(const FrameSizes& sample);

  const FrameGeometry& Geometry() const { return geometry_; }

 private:
  bool recompute_ = true;
  bool usable_ = false;
  FrameGeometry geometry_;
};

enum class RowOrder { kSame, kReversed };

// The pixel saturation filter keeps the row order when exactly one of its two flags is set.
constexpr RowOrder PixelSaturationRowOrder(bool invertRows, bool hasDownstreamFilter) {
  return invertRows != hasDownstreamFilter ? RowOrder::kSame : RowOrder::kReversed;
}

constexpr RowOrder CrosshairsRowOrder(bool invertRows) {
  return invertRows ? RowOrder::kSame : RowOrder::kReversed;
}

// The time lapse filter follows the pixel saturation rule with both flags always clear.
constexpr RowOrder TimeLapseRowOrder() {
  return PixelSaturationRowOrder(false, false);
}

}  // namespace zuna

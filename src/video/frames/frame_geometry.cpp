#include "video/frames/frame_geometry.h"

#include <string>

#include "common/log/user_messages_log.h"

namespace zuna {

Status DeriveFrameGeometry(const FrameSizes& s, FrameGeometry* geometry) {
  if (geometry == nullptr) return kPointer;
  if (s.rows <= 0 || s.inputLength < 0 || s.outputLength < 0 || s.inputSize < 0 || s.outputSize < 0) return kFail;
  if (s.inputLength > s.inputSize) return kFail;
  FrameGeometry g;
  g.inputLength = s.inputLength;
  g.outputLength = s.outputLength;
  g.rows = s.rows;
  g.inputSize = s.inputSize;
  g.outputSize = s.outputSize;
  g.inputStride = s.inputSize / s.rows;
  g.outputStride = s.outputSize / s.rows;
  g.rowBytes = s.inputLength / s.rows;
  if (g.rowBytes <= 0 || g.rowBytes > g.outputStride) return kFail;
  *geometry = g;
  return kOk;
}

Status FrameGeometryLatch::OnSample(const FrameSizes& sample) {
  if (recompute_) {
    recompute_ = false;
    usable_ = Succeeded(DeriveFrameGeometry(sample, &geometry_));
    if (!usable_) {
      geometry_ = FrameGeometry{};
      PostStampedMessage(L"WARNING: unusable frame geometry in Transform: " + std::to_wstring(sample.rows) +
                         L" rows, input " + std::to_wstring(sample.inputLength) + L" of " +
                         std::to_wstring(sample.inputSize) + L" bytes, output buffer " +
                         std::to_wstring(sample.outputSize) + L" bytes\r\n");
    }
  }
  return usable_ ? kOk : kFail;
}

}  // namespace zuna

#pragma once
// Which frames of the open file are dropped. The playback program fills PlaybackFileFacts from the
// AVI parser; everything here works on frame numbers that may exceed 32 bits.
#include <cstdint>
#include <span>
#include <vector>

namespace zuna {

using FrameNumber = std::int64_t;

// What playback control needs to know of an open file.
struct PlaybackFileFacts {
  FrameNumber totalFrames = 0;
  std::vector<std::uint8_t> frameIsKey;  // 1 key frame, 0 dropped frame; entries past totalFrames are ignored
  bool createdByCapture = false;
};

class FrameMap {
 public:
  FrameMap() = default;
  // A negative total counts as 0; frames the flags do not cover count as key frames, so a short
  // or missing map never invents dropped frames.
  FrameMap(FrameNumber totalFrames, std::span<const std::uint8_t> frameIsKey);

  FrameNumber TotalFrames() const { return total_; }
  bool IsKey(FrameNumber frame) const;
  bool HasDroppedFrames() const { return !dropped_.empty(); }
  FrameNumber DroppedCount() const { return static_cast<FrameNumber>(dropped_.size()); }

  // A dropped frame i with position < i < total.
  bool DroppedAfter(FrameNumber position) const;
  // A dropped frame i with 0 <= i < position.
  bool DroppedBefore(FrameNumber position) const;
  // The first dropped frame after position, or the total when there is none.
  FrameNumber NextDropped(FrameNumber position) const;
  // The last dropped frame i with 0 < i < position, or 0 when there is none.
  FrameNumber PreviousDropped(FrameNumber position) const;

 private:
  FrameNumber total_ = 0;
  std::vector<FrameNumber> dropped_;  // ascending
};

}  // namespace zuna

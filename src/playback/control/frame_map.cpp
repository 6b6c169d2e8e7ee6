#include "playback/control/frame_map.h"

#include <algorithm>

namespace zuna {

FrameMap::FrameMap(FrameNumber totalFrames, std::span<const std::uint8_t> frameIsKey)
    : total_(std::max<FrameNumber>(totalFrames, 0)) {
  const auto described = std::min<FrameNumber>(total_, static_cast<FrameNumber>(frameIsKey.size()));
  for (FrameNumber i = 0; i < described; ++i) {
    if (frameIsKey[static_cast<std::size_t>(i)] == 0) dropped_.push_back(i);
  }
}

bool FrameMap::IsKey(FrameNumber frame) const {
  return !std::binary_search(dropped_.begin(), dropped_.end(), frame);
}

bool FrameMap::DroppedAfter(FrameNumber position) const {
  return NextDropped(position) < total_;
}

bool FrameMap::DroppedBefore(FrameNumber position) const {
  return !dropped_.empty() && dropped_.front() < position;
}

FrameNumber FrameMap::NextDropped(FrameNumber position) const {
  const auto it = std::upper_bound(dropped_.begin(), dropped_.end(), position);
  return it == dropped_.end() ? total_ : *it;
}

FrameNumber FrameMap::PreviousDropped(FrameNumber position) const {
  auto it = std::lower_bound(dropped_.begin(), dropped_.end(), position);
  if (it == dropped_.begin()) return 0;
  --it;
  return *it > 0 ? *it : 0;
}

}  // namespace zuna

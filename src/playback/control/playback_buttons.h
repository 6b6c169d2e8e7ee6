#pragma once
// Which controls each command leaves enabled. Forward One Frame and End of File always follow
// Start Playback; Back One Frame follows Beginning of File.
#include <optional>

#include "playback/control/playback_controls.h"

namespace zuna {

struct ButtonRow {
  bool start = false;
  bool pause = false;
  bool beginning = false;
  bool previousDropped = false;
  bool nextDropped = false;
  bool slider = false;
  bool operator==(const ButtonRow&) const = default;
};

// atEnd: a file is open and the displayed position is its end. No row for RefreshPosition or an
// unknown number.
std::optional<ButtonRow> ButtonRowFor(int command, bool atEnd, bool next, bool previous);

void ApplyButtonRow(const ButtonRow& row, PlaybackControlsState& state);

}  // namespace zuna

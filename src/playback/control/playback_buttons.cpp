#include "playback/control/playback_buttons.h"

#include "playback/control/playback_commands.h"

namespace zuna {

std::optional<ButtonRow> ButtonRowFor(int command, bool atEnd, bool next, bool previous) {
  if (atEnd) return ButtonRow{false, false, true, previous, false, false};
  if (!IsPlaybackCommand(command)) return std::nullopt;
  switch (static_cast<PlaybackCommand>(command)) {
    case PlaybackCommand::kStartPlayback:
      return ButtonRow{false, true, false, false, false, false};
    case PlaybackCommand::kBeginningOfFile:
      return ButtonRow{true, false, false, false, next, true};
    case PlaybackCommand::kEndOfFile:
      return ButtonRow{false, false, true, previous, false, false};
    case PlaybackCommand::kNoFile:
      return ButtonRow{};
    case PlaybackCommand::kRefreshPosition:
      return std::nullopt;
    default:
      return ButtonRow{true, false, true, previous, next, true};
  }
}

void ApplyButtonRow(const ButtonRow& row, PlaybackControlsState& state) {
  state.Enable(PlaybackButton::kStartPlayback, row.start);
  state.Enable(PlaybackButton::kForwardOneFrame, row.start);
  state.Enable(PlaybackButton::kEndOfFile, row.start);
  state.Enable(PlaybackButton::kPause, row.pause);
  state.Enable(PlaybackButton::kBeginningOfFile, row.beginning);
  state.Enable(PlaybackButton::kBackOneFrame, row.beginning);
  state.Enable(PlaybackButton::kPreviousDroppedFrame, row.previousDropped);
  state.Enable(PlaybackButton::kNextDroppedFrame, row.nextDropped);
  state.sliderEnabled = row.slider;
}

}  // namespace zuna

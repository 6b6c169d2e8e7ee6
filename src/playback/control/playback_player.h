#pragma once
// The player side of playback control: carries commands out on the graph and keeps the position
// and the dropped-frame neighbour flags. Main thread only.
#include "common/foundation/common_state.h"
#include "playback/control/frame_map.h"
#include "playback/control/playback_commands.h"
#include "playback/control/playback_graph.h"

namespace zuna {

class PlaybackPlayer {
 public:
  PlaybackPlayer(PlaybackGraph& graph, CommonState& state);

  // A file was opened: position 0, graph stopped, the end at the map's total.
  void Open(FrameMap map);
  void Close();

  // Runs one command and returns the new position. A command that fails leaves the position
  // where it was and returns it, so the frame shown and the number shown stay together.
  FrameNumber ProcessPlaybackCommand(int command);
  // Seeks to a slider position anywhere in the file (clamped to 0 .. the end).
  void SetOpenFilePosition(FrameNumber frame);

  // Pauses a stopped or running graph so the frame at the position is drawn.
  bool PauseToShowFrame();
  // Stops the graph when the file is closed.
  void StopGraph();
  // The graph's position for the play timer; false (reported) when it cannot be read.
  bool ReadGraphPosition(FrameNumber& frame);

  FrameNumber CurrentPosition() const { return position_; }
  FrameNumber LastFrame() const { return map_.TotalFrames(); }
  const FrameMap& Map() const { return map_; }
  PlayerState State() const { return state_; }
  bool NextDroppedExists() const { return nextDroppedExists_; }
  bool PreviousDroppedExists() const { return previousDroppedExists_; }

 private:
  FrameNumber Start();
  FrameNumber PauseAndRead();
  FrameNumber GoToBeginning();
  FrameNumber GoToEnd();
  FrameNumber Step(bool forward, bool toDropped);
  FrameNumber Refresh();

  bool Seek(FrameNumber frame);
  bool PauseGraph();
  bool RunGraph();
  FrameNumber Clamp(FrameNumber frame) const;
  void SetNeighbourFlags();
  FrameNumber Stay();

  PlaybackGraph& graph_;
  CommonState& common_;
  FrameMap map_;
  FrameNumber position_ = 0;
  PlayerState state_ = PlayerState::kStopped;
  bool nextDroppedExists_ = false;
  bool previousDroppedExists_ = false;
};

}  // namespace zuna

#pragma once
// The playback program's menu bar.
#include <functional>

#include "common/windows/menu_model.h"

namespace zuna {

struct PlaybackMenuIds {
  unsigned open, close, information, exit, brightnessContrast, pixelSaturation, magnify, crosshairs, miscellaneous,
      saveWindowPositions, droppedFramesControl, playbackOverview, versionHistory, lightCurve;
};
PlaybackMenuIds TakePlaybackMenuIds(const std::function<unsigned()>& nextIdentifier);

struct PlaybackMenuState {
  bool fileOpen = false;
  bool toolWindowExists[4] = {};  // magnify, brightness/contrast, pixel saturation, crosshairs
  bool toolUnavailable[4] = {};
  // Parts that this build provides; a command whose part is missing stays grey.
  bool fileOpening = false;
  bool optionsWindow = false;
  bool optionsFileWriter = false;
  bool lightCurveWindow = false;
};

MenuModel BuildPlaybackMenu(const PlaybackMenuIds& ids, const PlaybackMenuState& state);

}  // namespace zuna

#pragma once
// Starting and stopping the camera: the graph is rebuilt, never patched. Start builds the preview
// chain for the current device and format (and the recording chain when a file is given) and runs
// the graph; stop stops it and tears it down to the renderer.
#include <functional>
#include <string>

#include "capture/devices/codec_list.h"
#include "capture/devices/video_device_list.h"
#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "video/player/video_player.h"

namespace zuna {

struct CameraParts {
  VideoDeviceList& devices;
  VideoPlayer& player;
  const CodecList& codecs;
  CommonState& state;
};

// `recordingPath` empty: preview only. A failed preview is reported and the graph still runs, so a
// recording is never lost to a display problem; a recording that cannot be rendered fails the
// start (after the preview is run).
Status StartCamera(CameraParts parts, const std::wstring& recordingPath);

// Runs the graph once its chains are rendered and marks it running.
Status RunFilterGraph(VideoPlayer& player);

// Stops a running graph, calls `afterStop` (the recording log is written there, the file being
// complete), then tears the graph down.
Status StopCamera(VideoPlayer& player, const std::function<void()>& afterStop = {});

}  // namespace zuna

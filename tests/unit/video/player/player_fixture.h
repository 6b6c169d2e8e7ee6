#pragma once
// A player over a fake graph with a camera filter, and the log the user would read.
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/foundation/common_state.h"
#include "common/options/option_tables.h"
#include "support/memory_log.h"
#include "video/player/fake_media_graph.h"
#include "video/player/log_checks.h"
#include "video/player/video_player.h"

namespace zuna::test {

class PlayerTest : public ::testing::Test {
 protected:
  VideoPlayer& Make() {
    player = std::make_unique<VideoPlayer>(graph, state, &options);
    return *player;
  }

  // A constructed player with the camera added, as the camera start leaves it before rendering.
  VideoPlayer& MakeWithCamera() {
    Make();
    EXPECT_EQ(player->AddVideoCaptureSourceBaseFilter(camera), kOk);
    return *player;
  }

  void SwitchTools(bool pixelSaturation, bool brightnessContrast, bool crosshairs) {
    state.displayToolOn[kToolPixelSaturation] = pixelSaturation;
    state.displayToolOn[kToolBrightnessContrast] = brightnessContrast;
    state.displayToolOn[kToolCrosshairs] = crosshairs;
  }

  std::vector<std::wstring> PreviewChain() const { return graph.ChainFrom(camera, L"Preview"); }
  std::vector<std::wstring> CaptureChain() const { return graph.ChainFrom(camera, L"Capture"); }

  ScopedMemoryLog log;
  FakeMediaGraph graph;
  CommonState state;
  OptionTables options;
  FilterRef camera = graph.MakeCaptureSource();
  std::unique_ptr<VideoPlayer> player;
};

using Names = std::vector<std::wstring>;

}  // namespace zuna::test

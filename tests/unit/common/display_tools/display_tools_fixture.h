#pragma once
// A program's common foundation with a recording callback for the tool windows.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/foundation/zuna_common.h"
#include "support/fake_window_view.h"
#include "support/memory_log.h"

namespace zuna::test {

class DisplayToolsTest : public ::testing::Test {
 protected:
  DisplayToolsTest() {
    common.Log().SetReady(&sink);
    ProgramCallbacks callbacks;
    callbacks.onDisplayToolChanged = [this](int tool, bool shown) {
      changes.emplace_back(tool, shown);
      return kOk;
    };
    callbacks.saveOptionsFile = [this] {
      ++saves;
      return true;
    };
    callbacks.videoSizeChanged = [this] {
      sizeNotices.push_back({common.State().geometry.Display().width, common.State().geometry.Display().height,
                             common.State().magnifyChangeInProgress});
    };
    callbacks.refreshPausedPicture = [this] {
      ++refreshes;
      return refreshResult;
    };
    common.SetProgramCallbacks(std::move(callbacks));
  }

  std::wstring LogText() {
    common.Log().Drain();
    return sink.text;
  }

  struct SizeNotice {
    int width, height;
    bool magnifying;
  };

  FakeClock clock;
  MemorySink sink;
  ZunaCommon common{ProgramKind::kPlayback, clock, {L"C:\\Z\\", L"C:\\Z\\", L""}};
  FakeWindowView view;
  std::vector<std::pair<int, bool>> changes;
  std::vector<SizeNotice> sizeNotices;
  int saves = 0;
  int refreshes = 0;
  Status refreshResult = kOk;
};

}  // namespace zuna::test

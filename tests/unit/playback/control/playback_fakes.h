#pragma once
// A seeking-and-control graph whose calls can be made to fail, a view that records every state it
// is given, and a host that records what the main window was asked to do.
#include <string>
#include <vector>

#include "common/foundation/common_state.h"
#include "common/windows/menu_model.h"
#include "playback/control/playback_controller.h"
#include "playback/control/playback_graph.h"

namespace zuna::test {

class FakePlaybackGraph final : public PlaybackGraph {
 public:
  bool EnsureMediaSeeking() override { return hasSeeking; }
  Status SetCurrentPosition(FrameNumber frame) override {
    seeks.push_back(frame);
    if (failSeeks > 0) {
      --failSeeks;
      return kFail;
    }
    position = frame;
    return kOk;
  }
  Status GetCurrentPosition(FrameNumber& frame) override {
    if (failGet) return kFail;
    frame = position;
    return kOk;
  }
  bool HasMediaControl() const override { return hasControl; }
  Status Run() override { return Change(L"run", runResult, kRunning); }
  Status Pause() override { return Change(L"pause", pauseResult, kPaused); }
  Status Stop() override { return Change(L"stop", stopResult, kStopped); }
  bool IsRunning() const override { return state == kRunning; }

  enum State { kStopped, kPaused, kRunning };
  bool hasSeeking = true;
  bool hasControl = true;
  int failSeeks = 0;  // the next n seeks fail
  bool failGet = false;
  Status runResult = kOk;
  Status pauseResult = kOk;
  Status stopResult = kOk;

  FrameNumber position = 0;
  State state = kStopped;
  std::vector<FrameNumber> seeks;
  std::vector<std::wstring> calls;

 private:
  Status Change(const wchar_t* name, Status result, State to) {
    calls.emplace_back(name);
    if (Succeeded(result)) state = to;
    return result;
  }
};

class RecordingControlsView final : public PlaybackControlsView {
 public:
  void Apply(const PlaybackControlsState& state) override { applied.push_back(state); }
  void ShowWindow() override { ++shows; }
  const PlaybackControlsState& Last() const { return applied.back(); }

  std::vector<PlaybackControlsState> applied;
  int shows = 0;
};

class FakePlaybackHost final : public PlaybackHost {
 public:
  void ShowVideoSurface(bool show) override { videoShown = show; }
  void StartPlayTimer() override { ++timerStarts, timerRunning = true; }
  void StopPlayTimer() override { timerRunning = false; }
  void PostRefreshPosition() override { ++refreshPosts; }
  bool HasFileSource() const override { return fileSource; }
  void ReleaseFile() override { ++releases, fileSource = false; }
  void SizeMainWindowToDisplay() override { ++mainWindowSizings; }
  void MenuChanged() override { ++menuChanges; }

  bool videoShown = true;
  bool timerRunning = false;
  int timerStarts = 0;
  int refreshPosts = 0;
  bool fileSource = true;
  int releases = 0;
  int mainWindowSizings = 0;
  int menuChanges = 0;
};

// A file map: every frame a key frame except those listed.
inline PlaybackFileFacts FileWithDropped(FrameNumber total, std::vector<FrameNumber> dropped, bool capture = true) {
  PlaybackFileFacts facts;
  facts.totalFrames = total;
  facts.frameIsKey.assign(static_cast<std::size_t>(total) + 1, 1);
  facts.frameIsKey.back() = 0;  // the parser's extra entry
  for (FrameNumber f : dropped) facts.frameIsKey[static_cast<std::size_t>(f)] = 0;
  facts.createdByCapture = capture;
  return facts;
}

}  // namespace zuna::test

namespace zuna::test {

inline int CountOf(const std::wstring& text, const std::wstring& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

}  // namespace zuna::test

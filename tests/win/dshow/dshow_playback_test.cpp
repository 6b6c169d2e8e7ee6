// Playback control over the real DirectShow graph under Wine: a file written by the project's
// AviWriter is opened through the file commands (the dialog scripted), rendered from the "AVI Source
// Filter" into the Null Renderer, and stepped, slid, played and paused through the playback
// controller. After every command the source's own position, read through the video player, must be
// the frame the controller shows; playing must move it on with the clock and reach the end.
//
//   dshow_playback_test
// The last line reads "N passed, M failed"; the exit status is 1 when anything failed.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/log/user_messages_log.h"
#include "common/time/win/win_clock.h"
#include "dshow_test_report.h"
#include "playback/control/video_player_playback_graph.h"
#include "playback/files/playback_files.h"
#include "playback/main/playback_menu.h"
#include "video/avi_writer/avi_writer.h"
#include "video/player/win/dshow_media_graph.h"

namespace {

using namespace zuna;
using namespace zuna::dshow_test;

constexpr int kFrames = 40;

bool WriteTestFile(const std::filesystem::path& path) {
  const AviVideoFormat format = AviVideoFormat::Rgb32(160, 120, 25, 1);
  AviWriter writer;
  if (writer.Open(path, format) != kOk) return false;
  std::vector<std::uint8_t> picture(format.sizeImage);
  for (int i = 0; i < kFrames; ++i) {
    if (i == 5 || i == 6) continue;  // dropped
    std::fill(picture.begin(), picture.end(), static_cast<std::uint8_t>(i));
    if (writer.WriteFrame(picture, std::int64_t{i} * 10'000'000 / 25, true) != kOk) return false;
  }
  return writer.Close() == kOk;
}

class ScriptedPicker final : public FilePicker {
 public:
  FilePick PickFileToOpen(const FileTypeFilter&) override { return {kOk, path}; }
  std::wstring path;
};

class LastStateView final : public PlaybackControlsView {
 public:
  void Apply(const PlaybackControlsState& state) override { last = state; }
  void ShowWindow() override {}
  PlaybackControlsState last;
};

// The main window's part: the play timer is ticked by the test, the refresh runs at once.
class TestHost final : public PlaybackHost {
 public:
  void ShowVideoSurface(bool) override {}
  void StartPlayTimer() override {}
  void StopPlayTimer() override {}
  void PostRefreshPosition() override { refreshPending = true; }
  bool HasFileSource() const override { return player->FileSourceMode(); }
  void ReleaseFile() override { files->Release(); }
  void SizeMainWindowToDisplay() override {}
  void MenuChanged() override {}

  VideoPlayer* player = nullptr;
  PlaybackFiles* files = nullptr;
  bool refreshPending = false;
};

struct Playback {
  Playback(VideoPlayer& p, CommonState& state)
      : player(p),
        graph(p),
        controller(graph, view, host, menu, ids, state),
        files(picker, p, controller, host, state) {
    host.player = &p;
    host.files = &files;
    controller.EnterNoFileState();
  }

  static PlaybackMenuIds Ids() {
    unsigned next = 40000;
    return TakePlaybackMenuIds([&next] { return next++; });
  }

  // Runs a command as the window would, the refresh message included.
  void Run(PlaybackCommand command) {
    controller.RunCommand(command);
    Refresh();
  }
  void Press(PlaybackButton button) {
    controller.OnButtonClicked(button);
    Refresh();
  }
  void Refresh() {
    if (!host.refreshPending) return;
    host.refreshPending = false;
    controller.RunCommand(PlaybackCommand::kRefreshPosition);
  }
  FrameNumber SourceFrame() {
    FrameNumber frame = -1;
    return Succeeded(player.GetCurrentFrame(frame)) ? frame : -1;
  }
  // The source is at the frame shown (the last frame when the end is shown).
  bool AtShownFrame() {
    const FrameNumber shown = controller.DisplayedPosition();
    const FrameNumber expected = shown == kFrames ? kFrames - 1 : shown;
    const FrameNumber source = SourceFrame();
    if (source != expected) std::printf("    shown %lld, source at %lld\n", shown, source);
    return source == expected;
  }

  VideoPlayer& player;
  VideoPlayerPlaybackGraph graph;
  LastStateView view;
  TestHost host;
  PlaybackMenuIds ids = Ids();
  MenuModel menu = BuildPlaybackMenu(ids, PlaybackMenuState{});
  PlaybackController controller;
  ScriptedPicker picker;
  PlaybackFiles files;
};

void TestSteps(Playback& p) {
  Section("open: paused at frame 0");
  CHECK(p.files.Open() == kOk);
  CHECK(LogContains(L"\" is open for playback\r\nFile information:"));
  CHECK(p.controller.FileOpen() && p.controller.DisplayedPosition() == 0);
  CHECK(p.AtShownFrame());

  Section("steps skip the dropped frames, the arrows visit them");
  for (int i = 0; i < 5; ++i) {
    p.Press(PlaybackButton::kForwardOneFrame);
    CHECK(p.AtShownFrame());
  }
  CHECK(p.controller.DisplayedPosition() == 7);
  p.Press(PlaybackButton::kPreviousDroppedFrame);
  CHECK(p.controller.DisplayedPosition() == 6 && p.AtShownFrame());
  p.Press(PlaybackButton::kBackOneFrame);
  CHECK(p.controller.DisplayedPosition() == 4 && p.AtShownFrame());
  p.Press(PlaybackButton::kNextDroppedFrame);
  CHECK(p.controller.DisplayedPosition() == 5 && p.AtShownFrame());

  Section("slider, end, back from the end, beginning");
  p.controller.OnSliderNotification(SliderNotification::kThumbPosition, 23);
  CHECK(p.controller.DisplayedPosition() == 23 && p.AtShownFrame());
  p.Press(PlaybackButton::kEndOfFile);
  CHECK(p.controller.DisplayedPosition() == kFrames && p.AtShownFrame());
  p.Press(PlaybackButton::kBackOneFrame);
  CHECK(p.controller.DisplayedPosition() == kFrames - 1 && p.AtShownFrame());
  p.Press(PlaybackButton::kBeginningOfFile);
  CHECK(p.controller.DisplayedPosition() == 0 && p.AtShownFrame());
}

void TestPlaying(Playback& p) {
  Section("playing from frame 2 moves on with the clock; pausing stops where it is");
  p.controller.OnSliderNotification(SliderNotification::kThumbPosition, 2);
  p.Press(PlaybackButton::kStartPlayback);
  CHECK(p.controller.IsPlaying());
  Sleep(400);  // 10 frames at 25 per second
  p.controller.OnPlayTimerTick();
  const FrameNumber ticked = p.controller.DisplayedPosition();
  std::printf("  after 400 ms: frame %lld\n", ticked);
  CHECK(ticked >= 5 && ticked < 20);  // from frame 2, not from where a stream clock left off
  p.Press(PlaybackButton::kPause);
  const FrameNumber paused = p.controller.DisplayedPosition();
  std::printf("  paused at frame %lld\n", paused);
  CHECK(!p.controller.IsPlaying() && paused >= ticked && paused < kFrames);
  CHECK(p.AtShownFrame());
  p.Press(PlaybackButton::kForwardOneFrame);
  CHECK(p.AtShownFrame());

  Section("playing again runs to the end");
  p.Press(PlaybackButton::kStartPlayback);
  CHECK(p.controller.IsPlaying());
  Sleep(1800);
  p.controller.OnPlayTimerTick();
  CHECK(!p.controller.IsPlaying() && p.controller.DisplayedPosition() == kFrames);
  p.Press(PlaybackButton::kBeginningOfFile);
  CHECK(p.controller.DisplayedPosition() == 0 && p.AtShownFrame());
  CHECK(!LogContains(L"WARNING") && !LogContains(L"SEVERE") && !LogContains(L"Logic error"));
}

void TestClose(Playback& p, dshow::DirectShowMediaGraph& graph) {
  Section("close: only the renderer stays in the graph");
  p.files.Close();
  CHECK(!p.controller.FileOpen());
  std::vector<FilterRef> filters;
  CHECK(Succeeded(graph.EnumerateFilters(&filters)) && filters.size() == 1);
  FrameNumber frame = 0;
  CHECK(Failed(p.player.GetCurrentFrame(frame)));
}

}  // namespace

int wmain() {
  if (!InitializeTestCom()) return 1;
  InstallTestMessages();
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path file = std::filesystem::path(temp) / L"zuna_playback_test.avi";
  if (!CHECK(WriteTestFile(file))) return 1;

  // Made once and never destroyed, as in the program.
  auto* state = new CommonState;
  state->programKind = ProgramKind::kPlayback;
  auto* graph = new dshow::DirectShowMediaGraph(*state);
  auto* player = new VideoPlayer(*graph, *state, nullptr);
  CHECK(!player->ConstructionFailed());
  CHECK(Succeeded(player->SetMediaSeekingInterface()));
  // The Null Renderer: Wine 8's EVR faults on bottom-up RGB32 pictures.
  CHECK(Succeeded(player->RemoveRendererFromGraph()));
  player->SetRendererKind(RendererKind::kNull);
  CHECK(Succeeded(player->AddRendererToGraph()));
  HWND surface = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 160, 120, nullptr, nullptr, nullptr, nullptr);
  CHECK(Succeeded(player->SetClippingWindow(reinterpret_cast<std::uintptr_t>(surface))));
  PrintLog();  // construction: what this platform lacks is no concern here
  auto* playback = new Playback(*player, *state);
  playback->picker.path = file.wstring();

  TestSteps(*playback);
  TestPlaying(*playback);
  TestClose(*playback, *graph);
  PrintLog();
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return ReportTotals();
}

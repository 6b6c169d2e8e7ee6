// "Open", "Close" and "Information" over the video player on a fake graph, with real AVI files
// written by the project's writer and a scripted file dialog.
#include "playback/files/playback_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "../control/playback_fakes.h"
#include "playback/control/video_player_playback_graph.h"
#include "playback/main/playback_menu.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "test_avi_files.h"
#include "video/player/fake_media_graph.h"
#include "video/player/log_checks.h"

namespace zuna::test {
namespace {

using B = PlaybackButton;

class ScriptedPicker final : public FilePicker {
 public:
  FilePick PickFileToOpen(const FileTypeFilter& filter) override {
    filters.push_back(filter);
    return next;
  }
  FilePick next;
  std::vector<FileTypeFilter> filters;
};

// The main window's part: the file's release goes back to the file commands.
class FileHost final : public PlaybackHost {
 public:
  void ShowVideoSurface(bool show) override { videoShown = show; }
  void StartPlayTimer() override { timerRunning = true; }
  void StopPlayTimer() override { timerRunning = false; }
  void PostRefreshPosition() override {}
  bool HasFileSource() const override { return player->FileSourceMode(); }
  void ReleaseFile() override { files->Release(); }
  void SizeMainWindowToDisplay() override { ++sizings; }
  void MenuChanged() override {}

  PlaybackFiles* files = nullptr;
  VideoPlayer* player = nullptr;
  bool videoShown = true;
  bool timerRunning = false;
  int sizings = 0;
};

std::wstring Line(std::size_t blanks, const std::wstring& text) {
  return std::wstring(blanks, L' ') + text;
}

class FilesTest : public ::testing::Test {
 protected:
  FilesTest() {
    host.files = &files;
    host.player = &player;
    EXPECT_EQ(player.SetMediaSeekingInterface(), kOk);
    EXPECT_EQ(player.SetClippingWindow(0x1234), kOk);
    controller.EnterNoFileState();
  }

  static PlaybackMenuIds Ids() {
    unsigned next = 40000;
    return TakePlaybackMenuIds([&next] { return next++; });
  }
  static MenuModel Menu(const PlaybackMenuIds& ids) {
    PlaybackMenuState s;
    s.fileOpening = true;
    return BuildPlaybackMenu(ids, s);
  }

  std::wstring Write(const std::string& name, int frames, const std::vector<int>& dropped = {}) {
    const std::filesystem::path path = folder / name;
    EXPECT_TRUE(WriteTestAvi(path, frames, dropped));
    return path.wstring();
  }
  Status OpenPath(const std::wstring& path) {
    picker.next = {kOk, path};
    return files.Open();
  }
  bool Enabled(const wchar_t* path) {
    const MenuItem* item = menu.FindByPath(path);
    return item != nullptr && item->enabled;
  }
  // True when the texts appear in the log in this order.
  bool InOrder(const std::vector<std::wstring>& texts) {
    std::size_t at = 0;
    for (const std::wstring& text : texts) {
      at = log.Text().find(text, at);
      if (at == std::wstring::npos) return false;
      at += text.size();
    }
    return true;
  }
  const PlaybackControlsState& Controls() { return view.Last(); }

  ScopedMemoryLog log;
  TempFolder folder;
  FakeMediaGraph graph;
  CommonState state;
  VideoPlayer player{graph, state, nullptr};
  VideoPlayerPlaybackGraph playbackGraph{player};
  RecordingControlsView view;
  FileHost host;
  PlaybackMenuIds ids = Ids();
  MenuModel menu = Menu(ids);
  PlaybackController controller{playbackGraph, view, host, menu, ids, state};
  ScriptedPicker picker;
  PlaybackFiles files{picker, player, controller, host, state};
};

TEST_F(FilesTest, OpensTheChosenFileThroughTheDisplayChainPausedAtItsBeginning) {
  const std::wstring path = Write("night.avi", 12);
  ASSERT_EQ(OpenPath(path), kOk);

  ASSERT_EQ(picker.filters.size(), 1u);
  EXPECT_EQ(picker.filters[0].name, L"Audio Video Interleave");
  EXPECT_EQ(picker.filters[0].pattern, L"*.avi");
  const std::vector<std::wstring> names = graph.GraphNames();
  EXPECT_NE(std::find(names.begin(), names.end(), L"AVI Source Filter"), names.end());
  EXPECT_EQ(graph.ChainFrom(player.SourceFilter(), L"Output"), (std::vector<std::wstring>{L"EVR"}));
  EXPECT_EQ(graph.frameSource, player.SourceFilter());
  EXPECT_TRUE(files.Facts().createdByCapture);  // written by the project's writer: a capture-program file

  EXPECT_TRUE(files.IsOpen());
  EXPECT_TRUE(controller.FileOpen());
  EXPECT_EQ(controller.Player().LastFrame(), 12);
  EXPECT_EQ(graph.currentFrame, 0);
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kPaused);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  0"));
  EXPECT_EQ(Controls().sliderMaximum, 12);
  EXPECT_TRUE(Enabled(L"File/Close"));
  EXPECT_TRUE(Enabled(L"File/Information"));

  EXPECT_EQ(state.geometry.Video(), (VideoSize{64, 48}));
  EXPECT_EQ(graph.videoPosition, std::make_pair(64, 48));
  EXPECT_GE(host.sizings, 2);

  EXPECT_TRUE(PostedTimed(log, L"File \"" + path + L"\" is open for playback\r\nFile information:"));
  EXPECT_TRUE(InOrder({L"is open for playback", L"\r\n\tCodec         \t\tNONE (YUY2 internal decoder)",
                       L"\r\n\tTotal Frames  \t\t12", L"\r\n\tKey Frames    \t\t12", L"\r\n\tDropped Frames\t\t0",
                       L"\r\n\tFrame size    \t\t64 x 48", L"\r\n\tFrame rate    \t\t30.00 fps",
                       L"\r\n\tFile size     \t\t", L" bytes", L"\r\n "}));
  EXPECT_FALSE(Posted(log, L"SEVERE"));
  EXPECT_FALSE(Posted(log, L"WARNING"));
}

TEST_F(FilesTest, StepsThroughTheSourcesFramePositions) {
  ASSERT_EQ(OpenPath(Write("steps.avi", 12)), kOk);
  controller.OnButtonClicked(B::kForwardOneFrame);
  controller.OnButtonClicked(B::kForwardOneFrame);
  EXPECT_EQ(graph.currentFrame, 2);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  2"));
  EXPECT_EQ(Controls().sliderPosition, 2);
  controller.OnButtonClicked(B::kBackOneFrame);
  EXPECT_EQ(graph.currentFrame, 1);
  controller.OnSliderNotification(SliderNotification::kThumbPosition, 9);
  EXPECT_EQ(graph.currentFrame, 9);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  9"));
  controller.OnButtonClicked(B::kEndOfFile);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number: EOF"));
  EXPECT_FALSE(host.videoShown);
}

TEST_F(FilesTest, PlayingAfterAPauseRestartsTheGraphAtTheFrameSought) {
  ASSERT_EQ(OpenPath(Write("play.avi", 30)), kOk);
  controller.OnButtonClicked(B::kForwardOneFrame);
  controller.OnButtonClicked(B::kStartPlayback);
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kRunning);
  EXPECT_EQ(graph.streamStartFrame, 1);
  EXPECT_TRUE(host.timerRunning);
  EXPECT_TRUE(controller.IsPlaying());
  graph.currentFrame = 7;  // the clock moved on
  controller.OnButtonClicked(B::kPause);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  7"));
  EXPECT_FALSE(host.timerRunning);
}

TEST_F(FilesTest, ACancelledDialogOpensNothing) {
  picker.next = {kAbort, L""};
  EXPECT_EQ(files.Open(), kAbort);
  EXPECT_TRUE(PostedTimed(log, L"Cancelled file open\r\n"));
  EXPECT_FALSE(player.SourceFilter());
  EXPECT_FALSE(files.IsOpen());
}

TEST_F(FilesTest, AnItemWithoutAFileSystemPathIsReportedAsAccessDenied) {
  picker.next = {kAccessDenied, L""};
  EXPECT_EQ(files.Open(), kAccessDenied);
  EXPECT_TRUE(InOrder({L"SEVERE: unable to open the selected file\r\n",
                       L"Unable to open AVI file - check file access permissions\r\n"}));
}

TEST_F(FilesTest, NoPathAtAllIsALogicErrorAndNothingMore) {
  picker.next = {kOk, L""};
  EXPECT_EQ(files.Open(), kFileNotFound);
  EXPECT_TRUE(Posted(log, L"SEVERE: internal logic error - should not get to this code with NULL file pathname\r\n"));
  EXPECT_FALSE(Posted(log, L"Cancelled"));
  EXPECT_FALSE(Posted(log, L"Unable"));
}

TEST_F(FilesTest, ARejectedHeaderCancelsTheOpen) {
  const std::filesystem::path bad = folder / "sound.avi";
  TempFolder::WriteFile(bad, std::string("RIFF\x10\0\0\0WAVEfmt ", 16) + std::string(200, 'x'));
  EXPECT_EQ(OpenPath(bad.wstring()), kAbort);
  EXPECT_TRUE(InOrder({L"WARNING: AVI file header FOURCC code is not \"AVI \"; file open aborted\r\n",
                       L"SEVERE: parsing the selected file header failed\r\n", L"Cancelled file open\r\n"}));
  EXPECT_FALSE(Posted(log, L"Unable to open"));
  EXPECT_FALSE(player.SourceFilter());
}

TEST_F(FilesTest, AFileThatCannotBeOpenedIsReported) {
  EXPECT_EQ(OpenPath((folder / "missing.avi").wstring()), kInvalidArg);
  EXPECT_TRUE(InOrder(
      {L"SEVERE: cannot create a HANDLE for the selected file\r\n", L"Unable to open AVI file for playback\r\n"}));
}

TEST_F(FilesTest, AGraphThatCannotBeBuiltLeavesNoFileAndNoSource) {
  graph.failures.insert(L"RenderStream:None");
  EXPECT_EQ(OpenPath(Write("render.avi", 5)), kFail);
  EXPECT_TRUE(InOrder({L"SEVERE: failure to render file stream\r\n", L"SEVERE: cannot render preview stream\r\n",
                       L"Unable to open AVI file for playback\r\n"}));
  EXPECT_EQ(graph.GraphNames(), (std::vector<std::wstring>{L"EVR"}));
  EXPECT_FALSE(files.IsOpen());
  EXPECT_FALSE(controller.FileOpen());
  EXPECT_TRUE(files.Info().filePath.empty());
  EXPECT_FALSE(Enabled(L"File/Close"));
}

TEST_F(FilesTest, ASourceThatCannotBeAddedIsReported) {
  graph.failures.insert(L"AddSourceFilterForFile");
  EXPECT_EQ(OpenPath(Write("add.avi", 5)), kFail);
  EXPECT_TRUE(InOrder({L"SEVERE: failure to add the video file source filter to the filter graph\r\n",
                       L"WARNING: cannot add file source filter to filter graph while attempting to open avi file\r\n",
                       L"Unable to open AVI file for playback\r\n"}));
}

TEST_F(FilesTest, ASourceThatCannotSeekInFramesIsReported) {
  graph.results[L"SetFrameTimeFormat"] = kNoInterface;
  EXPECT_EQ(OpenPath(Write("frames.avi", 5)), kFail);
  EXPECT_TRUE(InOrder(
      {L"SEVERE: cannot set the time format for the video stream\r\n", L"Unable to open AVI file for playback\r\n"}));
  EXPECT_EQ(graph.GraphNames(), (std::vector<std::wstring>{L"EVR"}));
}

TEST_F(FilesTest, OpeningAnotherFileClosesTheFirst) {
  const std::wstring first = Write("first.avi", 5);
  const std::wstring second = Write("second.avi", 8);
  ASSERT_EQ(OpenPath(first), kOk);
  const FilterRef firstSource = player.SourceFilter();
  ASSERT_EQ(OpenPath(second), kOk);
  EXPECT_NE(std::find(graph.released.begin(), graph.released.end(), firstSource), graph.released.end());
  EXPECT_FALSE(graph.InGraph(firstSource));
  EXPECT_EQ(controller.Player().LastFrame(), 8);
  EXPECT_EQ(files.Path(), second);
  EXPECT_FALSE(Posted(log, L"is closed"));
}

TEST_F(FilesTest, InformationAndClose) {
  const std::wstring path = Write("info.avi", 6);
  files.Information();
  EXPECT_TRUE(
      PostedTimed(log, L"INTERNAL ERROR: you should not be able to request file information when no file is open\t\n"));
  ASSERT_EQ(OpenPath(path), kOk);
  files.Information();
  EXPECT_TRUE(PostedTimed(log, L"File information for  " + path));
  EXPECT_TRUE(InOrder({L"File information for  ", L"\r\n\tTotal Frames  \t\t6"}));

  files.Close();
  EXPECT_TRUE(PostedTimed(log, L"File \"" + path + L"\" is closed\r\n"));
  EXPECT_FALSE(files.IsOpen());
  EXPECT_FALSE(controller.FileOpen());
  EXPECT_EQ(graph.GraphNames(), (std::vector<std::wstring>{L"EVR"}));
  EXPECT_FALSE(Enabled(L"File/Close"));
  EXPECT_FALSE(Enabled(L"File/Information"));
  EXPECT_FALSE(state.geometry.HasVideo());
  EXPECT_EQ(state.geometry.Display(), VideoSize{});
  EXPECT_EQ(Controls().frameNumberText, L" ");
  EXPECT_FALSE(Controls().Enabled(B::kStartPlayback));
}

TEST_F(FilesTest, AFileWithDroppedFramesShowsTheDroppedFrameControl) {
  ASSERT_EQ(OpenPath(Write("dropped.avi", 10, {5, 6})), kOk);
  EXPECT_TRUE(InOrder({L"\r\n\tKey Frames    \t\t8", L"\r\n\tDropped Frames\t\t2"}));
  EXPECT_NE(menu.FindByPath(L"Options/Dropped Frames Control"), nullptr);
  EXPECT_EQ(Controls().windowWidth, kControlsWindowWideWidth);
  controller.OnButtonClicked(B::kNextDroppedFrame);
  EXPECT_EQ(graph.currentFrame, 5);
}

TEST_F(FilesTest, AVideoLargerThanTheWorkAreaIsShownSmaller) {
  state.workArea = {0, 0, 70, 60};
  state.frameExtraWidth = 10;
  state.frameExtraHeight = 0;
  ASSERT_EQ(OpenPath(Write("large.avi", 3)), kOk);
  // 64 x 48 in 60 x 60: the width decides, 60 >= 3/4 of 64.
  EXPECT_EQ(state.geometry.Display(), (VideoSize{48, 36}));
  EXPECT_EQ(state.geometry.Video().width, 64);
  EXPECT_EQ(graph.videoPosition, std::make_pair(48, 36));
}

TEST_F(FilesTest, ADisplayToolRebuildsTheGraphOverTheSameFile) {
  EXPECT_EQ(files.RebuildGraphWithSameSourceFile(), kOk);  // no file: nothing to rebuild
  const std::wstring path = Write("tools.avi", 12);
  ASSERT_EQ(OpenPath(path), kOk);
  const FilterRef firstSource = player.SourceFilter();
  state.displayToolOn[kToolPixelSaturation] = true;
  state.displayToolOn[kToolCrosshairs] = true;

  ASSERT_EQ(files.RebuildGraphWithSameSourceFile(), kOk);
  EXPECT_NE(player.SourceFilter(), firstSource);  // a new source over the same file
  EXPECT_EQ(graph.ChainFrom(player.SourceFilter(), L"Output"),
            (std::vector<std::wstring>{L"PixelSaturation", L"Crosshairs", L"EVR"}));
  EXPECT_EQ(graph.frameSource, player.SourceFilter());  // frame seeking follows the new source
  EXPECT_TRUE(files.IsOpen());
  EXPECT_EQ(files.Path(), path);
  EXPECT_FALSE(player.IsRunning());

  state.displayToolOn[kToolPixelSaturation] = false;
  state.displayToolOn[kToolCrosshairs] = false;
  ASSERT_EQ(files.RebuildGraphWithSameSourceFile(), kOk);
  EXPECT_EQ(graph.ChainFrom(player.SourceFilter(), L"Output"), (std::vector<std::wstring>{L"EVR"}));
  EXPECT_FALSE(Posted(log, L"WARNING"));
}

TEST_F(FilesTest, ARebuildThatCannotRenderSaysSo) {
  ASSERT_EQ(OpenPath(Write("rebuild.avi", 5)), kOk);
  graph.failures.insert(L"RenderStream:None");
  EXPECT_EQ(files.RebuildGraphWithSameSourceFile(), kFail);
  EXPECT_TRUE(InOrder({L"SEVERE: cannot render preview stream\r\n", L"WARNING: cannot rebuild filter graph\r\n"}));
}

TEST_F(FilesTest, AFileNamedAtStartOpensWithoutTheDialogAndReplacesTheOpenOne) {
  const std::wstring first = Write("first.avi", 8);
  const std::wstring second = Write("second.avi", 5);
  ASSERT_EQ(files.OpenNamed(first), kOk);
  EXPECT_TRUE(picker.filters.empty());  // no dialog
  EXPECT_TRUE(files.IsOpen());
  EXPECT_EQ(files.Path(), first);
  EXPECT_EQ(controller.Player().LastFrame(), 8);
  EXPECT_TRUE(PostedTimed(log, L"File \"" + first + L"\" is open for playback\r\nFile information:"));
  const FilterRef firstSource = player.SourceFilter();

  ASSERT_EQ(files.OpenNamed(second), kOk);
  EXPECT_EQ(files.Path(), second);
  EXPECT_EQ(controller.Player().LastFrame(), 5);
  EXPECT_FALSE(graph.InGraph(firstSource));  // the first file's source went with its graph
  EXPECT_TRUE(graph.InGraph(player.SourceFilter()));
}

TEST_F(FilesTest, AMissingFileNamedAtStartIsReportedAndOpensNothing) {
  EXPECT_EQ(files.OpenNamed((folder / "gone.avi").wstring()), kInvalidArg);
  EXPECT_TRUE(InOrder(
      {L"SEVERE: cannot create a HANDLE for the selected file\r\n", L"Unable to open AVI file for playback\r\n"}));
  EXPECT_FALSE(files.IsOpen());
}

}  // namespace
}  // namespace zuna::test

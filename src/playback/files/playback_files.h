#pragma once
// The playback program's file commands: "Open" (the file dialog, the header check, the graph built
// through the display chain with frame seeking, then the controls, the report and the window fitted
// to the video), "Close" and "Information". Main thread only.
#include <string>

#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "common/windows/file_picker.h"
#include "playback/control/playback_controller.h"
#include "playback/control/playback_host.h"
#include "playback/files/playback_file_commands.h"
#include "video/avi/avi_file_info.h"
#include "video/player/video_player.h"

namespace zuna {

inline constexpr wchar_t kAviFilterName[] = L"Audio Video Interleave";
inline constexpr wchar_t kAviFilterPattern[] = L"*.avi";

class PlaybackFiles final : public PlaybackFileCommands {
 public:
  PlaybackFiles(FilePicker& picker, VideoPlayer& player, PlaybackController& controller, PlaybackHost& host,
                CommonState& state);

  // "Open": OpenAviFile, then the main window's reaction to its result. Returns that result.
  Status Open() override;
  // The opening sequence alone: kOk; kAccessDenied when the chosen item gave no path; kAbort when
  // the dialog was cancelled or the header rejected; kFileNotFound when there was no path at all; any
  // other failure when the graph could not be built. A failure leaves no file open.
  Status OpenAviFile();
  // A file named at start (the command line, a file opened with the program): the opening sequence
  // without the dialog, then the same reaction as "Open".
  Status OpenNamed(const std::wstring& path) override;
  void Close() override;
  void Information() override;
  // For the host's ReleaseFile: the graph's filters, the file's counts, sizes and path.
  void Release();
  // Shows the video at its size, or smaller when it does not fit the work area.
  void FitMainWindowToVideo();
  // A display tool was shown or hidden: the same file goes through a graph built again, so that the
  // display chain holds the filters of the shown tools. The graph is left stopped at frame 0; the
  // caller puts it back at the player's position. Nothing to do without an open file.
  Status RebuildGraphWithSameSourceFile() override;

  bool IsOpen() const { return open_; }
  const std::wstring& Path() const { return path_; }
  const AviFileInfo& Info() const { return info_; }
  const PlaybackFileFacts& Facts() const { return facts_; }

 private:
  Status PickFile(std::wstring& path);
  Status OpenChosenFile(std::wstring chosen);
  Status ParseFile();
  Status BuildGraph();
  void ReactToOpen(Status result);
  void ShowOpenedFile();

  FilePicker& picker_;
  VideoPlayer& player_;
  PlaybackController& controller_;
  PlaybackHost& host_;
  CommonState& state_;

  bool open_ = false;
  std::wstring path_;  // the whole path; the info's text is cut to its capacity
  AviFileInfo info_;
  PlaybackFileFacts facts_;
};

}  // namespace zuna

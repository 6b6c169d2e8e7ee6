#include "playback/files/playback_files.h"

#include "common/log/user_messages_log.h"
#include "playback/files/video_fit.h"
#include "video/avi/avi_file_report.h"

namespace zuna {

PlaybackFiles::PlaybackFiles(FilePicker& picker, VideoPlayer& player, PlaybackController& controller,
                             PlaybackHost& host, CommonState& state)
    : picker_(picker), player_(player), controller_(controller), host_(host), state_(state) {}

Status PlaybackFiles::Open() {
  const Status result = OpenAviFile();
  ReactToOpen(result);
  return result;
}

Status PlaybackFiles::OpenNamed(const std::wstring& path) {
  facts_.createdByCapture = false;
  path_.clear();
  info_.filePath.clear();
  const Status result = OpenChosenFile(path);
  ReactToOpen(result);
  return result;
}

void PlaybackFiles::ReactToOpen(Status result) {
  if (result == kOk) {
    ShowOpenedFile();
  } else if (result == kAccessDenied) {
    PostStampedMessage(L"Unable to open AVI file - check file access permissions\r\n");
  } else if (result == kAbort) {
    PostStampedMessage(L"Cancelled file open\r\n");
  } else if (result != kFileNotFound) {
    PostStampedMessage(L"Unable to open AVI file for playback\r\n");
    info_.filePath.clear();
  }
}

// The controls at the file's beginning, the renderer and the window at the video's size, the report.
void PlaybackFiles::ShowOpenedFile() {
  controller_.OpenFile(facts_);
  player_.UpdateDisplaySize();
  host_.SizeMainWindowToDisplay();
  PostStampedMessage(L"File \"" + path_ + L"\" is open for playback\r\nFile information:");
  ReportFileInformation(info_);
  FitMainWindowToVideo();
}

void PlaybackFiles::Close() {
  if (!open_) return;  // the command is grey without a file
  PostStampedMessage(L"File \"" + path_ + L"\" is closed\r\n");
  controller_.CloseFile();
}

void PlaybackFiles::Information() {
  if (!open_) {
    PostStampedMessage(L"INTERNAL ERROR: you should not be able to request file information when no file is open\t\n");
    return;
  }
  PostStampedMessage(L"File information for  " + path_);
  ReportFileInformation(info_);
}

void PlaybackFiles::Release() {
  player_.RemoveFilters();
  open_ = false;
  facts_ = PlaybackFileFacts();
  state_.geometry.Clear();
  path_.clear();
  info_.filePath.clear();
}

void PlaybackFiles::FitMainWindowToVideo() {
  const VideoSize video = state_.geometry.Video();
  const VideoFit fit = FitVideo(video.width, video.height, state_.workArea.Width() - state_.frameExtraWidth,
                                state_.workArea.Height() - state_.frameExtraHeight);
  state_.geometry.DrawAt({fit.width, fit.height});
  host_.SizeMainWindowToDisplay();
  player_.UpdateDisplaySize();
}

}  // namespace zuna

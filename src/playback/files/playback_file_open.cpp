// The opening sequence of "Open": dialog, header, graph, frame seeking.
#include <utility>

#include "common/log/user_messages_log.h"
#include "playback/files/playback_files.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_header_parser.h"

namespace zuna {
namespace {

void Report(const wchar_t* text) {
  PostStampedMessage(text);
}

}  // namespace

Status PlaybackFiles::OpenAviFile() {
  facts_.createdByCapture = false;
  path_.clear();
  info_.filePath.clear();
  std::wstring chosen;
  if (Status s = PickFile(chosen); Failed(s)) return s;
  return OpenChosenFile(std::move(chosen));
}

Status PlaybackFiles::OpenChosenFile(std::wstring chosen) {
  controller_.CloseFile();  // releases the open file, its path included
  path_ = std::move(chosen);
  if (Status s = ParseFile(); Failed(s)) return s;
  SetCapped(info_.filePath, path_, AviFileInfo::kFilePathCapacity);
  if (Status s = BuildGraph(); Failed(s)) {
    // Nothing of a half-built graph stays behind: the program is back in the no-file state.
    Release();
    return s;
  }
  open_ = true;
  return kOk;
}

Status PlaybackFiles::RebuildGraphWithSameSourceFile() {
  if (!open_) return kOk;
  if (!player_.FileSourceMode()) {
    Report(L"Logic error: call to RebuildGraphWithSameSourceFile has NULL source filter");
    Report(L"WARNING: cannot rebuild filter graph\r\n");
    return kFail;
  }
  if (Failed(player_.Stop())) Report(L"WARNING: attempt to stop filter graph failed\r\n");
  player_.RemoveFilters();
  if (Status s = BuildGraph(); Failed(s)) {
    Report(L"WARNING: cannot rebuild filter graph\r\n");
    return s;
  }
  return kOk;
}

Status PlaybackFiles::PickFile(std::wstring& path) {
  FilePick pick = picker_.PickFileToOpen({kAviFilterName, kAviFilterPattern});
  if (pick.status == kAccessDenied) {
    Report(L"SEVERE: unable to open the selected file\r\n");
    return kAccessDenied;
  }
  if (Failed(pick.status)) return kAbort;  // not shown, or cancelled
  if (pick.path.empty()) {
    Report(L"SEVERE: internal logic error - should not get to this code with NULL file pathname\r\n");
    return kFileNotFound;
  }
  path = std::move(pick.path);
  return kOk;
}

Status PlaybackFiles::ParseFile() {
  AviHeaderParser parser;
  {
    AviFileSource file{std::filesystem::path(path_)};
    if (!file.IsOpen()) {
      Report(L"SEVERE: cannot create a HANDLE for the selected file\r\n");
      path_.clear();
      return kInvalidArg;
    }
    if (Failed(parser.ParseAviHeader(file))) {
      Report(L"SEVERE: parsing the selected file header failed\r\n");
      path_.clear();
      return kAbort;
    }
  }  // the file is closed before the graph opens it again
  info_ = parser.info;
  facts_.totalFrames = parser.totalFrames;
  facts_.frameIsKey = std::move(parser.frameIsKey);
  facts_.createdByCapture = parser.createdByCapture;
  state_.geometry.NewVideo({parser.videoWidth, parser.videoHeight});
  return kOk;
}

Status PlaybackFiles::BuildGraph() {
  if (Failed(player_.CreateAndAddFileSourceBaseFilter(path_))) {
    Report(L"WARNING: cannot add file source filter to filter graph while attempting to open avi file\r\n");
    return kFail;
  }
  if (Failed(player_.RenderVideoPreviewStream())) {
    Report(L"SEVERE: cannot render preview stream\r\n");
    return kFail;
  }
  // The render reads the size from the renderer's input when the header held none.
  SetCapped(info_.frameSize, FrameSizeText(state_.geometry.Video().width, state_.geometry.Video().height),
            AviFileInfo::kFrameSizeCapacity);
  if (!player_.HasMediaSeeking()) player_.SetMediaSeekingInterface();
  if (!player_.HasMediaSeeking()) {
    Report(L"Logic error: IMediaSeeking interface is NULL in OpenAviFile\r\n");
    return kFail;
  }
  if (Failed(player_.SetFrameTimeFormat())) {
    Report(L"SEVERE: cannot set the time format for the video stream\r\n");
    return kFail;
  }
  return kOk;
}

}  // namespace zuna

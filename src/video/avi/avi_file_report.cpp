#include "video/avi/avi_file_report.h"

#include "common/log/user_messages_log.h"

namespace zuna {

std::vector<std::wstring> FileInformationLines(const AviFileInfo& info) {
  return {
      L"\tCodec         \t\t" + info.codec,
      L"\tTotal Frames  \t\t" + info.totalFrames,
      L"\tKey Frames    \t\t" + info.keyFrames,
      L"\tDropped Frames\t\t" + info.droppedFrames,
      L"\tFrame size    \t\t" + info.frameSize,
      L"\tFrame rate    \t\t" + info.frameRate + L" fps",
      L"\tFile size     \t\t" + (info.fileSize.empty() ? std::wstring(L"unknown") : info.fileSize + L" bytes"),
      L" ",
  };
}

void ReportFileInformation(const AviFileInfo& info) {
  for (const std::wstring& line : FileInformationLines(info)) PostUnstampedMessage(line);
}

}  // namespace zuna

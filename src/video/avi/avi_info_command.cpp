#include "video/avi/avi_info_command.h"

#include "common/log/user_messages_log.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_file_report.h"
#include "video/avi/avi_header_parser.h"

namespace zuna {
namespace {

// The path as text; a name that is not valid in the system's encoding keeps its bytes one by one.
std::wstring PathText(const std::filesystem::path& file) {
  try {
    return file.wstring();
  } catch (...) {
    const std::string bytes = file.string();
    return std::wstring(bytes.begin(), bytes.end());
  }
}

bool ReportAviFile(const std::filesystem::path& file) {
  PostUnstampedMessage(L"File \"" + PathText(file) + L"\"");
  AviFileSource source(file);
  if (!source.IsOpen()) {
    PostStampedMessage(L"SEVERE: cannot create a HANDLE for the selected file\r\n");
    return false;
  }
  AviHeaderParser parser;
  if (Failed(parser.ParseAviHeader(source))) {
    PostUnstampedMessage(L"SEVERE: parsing the selected file header failed\r\n");
    return false;
  }
  ReportFileInformation(parser.info);
  PostUnstampedMessage(DroppedFrameNumbersLine(parser.DroppedFrameNumbers(), parser.createdByCapture));
  return true;
}

}  // namespace

std::wstring DroppedFrameNumbersLine(const std::vector<std::uint32_t>& numbers, bool known) {
  std::wstring line = L"Dropped frame numbers:";
  if (!known) return line + L" unknown";
  if (numbers.empty()) return line + L" none";
  for (std::uint32_t n : numbers) line += L" " + std::to_wstring(n);
  return line;
}

int ReportAviFiles(const std::vector<std::filesystem::path>& files) {
  int status = 0;
  for (const std::filesystem::path& file : files) {
    if (!ReportAviFile(file)) status = 1;
  }
  return status;
}

}  // namespace zuna

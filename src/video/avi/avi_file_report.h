#pragma once
// The file-information report of the playback program: eight lines without time stamp.
#include <string>
#include <vector>

#include "video/avi/avi_file_info.h"

namespace zuna {

std::vector<std::wstring> FileInformationLines(const AviFileInfo& info);

// Posts FileInformationLines to the user-messages log, each without a time stamp.
void ReportFileInformation(const AviFileInfo& info);

}  // namespace zuna

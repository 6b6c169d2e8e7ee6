#pragma once
// What zuna-aviinfo does for each file, posted to the user-messages log: a line naming the file,
// then the file-information report as the playback program posts it and the numbers of the dropped
// frames; or, for a file that is rejected, the messages that reject it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zuna {

// 0 when every file was read, 1 when any was rejected or could not be opened.
int ReportAviFiles(const std::vector<std::filesystem::path>& files);

// "Dropped frame numbers: 5 6 20", "... none", or "... unknown" for files of other writers.
std::wstring DroppedFrameNumbersLine(const std::vector<std::uint32_t>& numbers, bool known);

}  // namespace zuna

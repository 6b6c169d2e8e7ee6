#pragma once
// Running one scenario file from start to the first failed step.
#include <filesystem>
#include <map>
#include <string>

namespace ui_driver {

// NAME=VALUE pairs given on the command line; they take precedence over environment variables
// when a scenario says ${NAME}.
using Definitions = std::map<std::wstring, std::wstring>;

// Prints one line per step and a closing summary; returns the process exit status: 0 when every
// step passed, 1 when one failed or the scenario could not be read.
int RunScenario(const std::filesystem::path& scenario, const Definitions& definitions);

// Writes one line as UTF-8 to standard output at once, so that a watcher sees progress.
void PrintLine(const std::wstring& line);

}  // namespace ui_driver

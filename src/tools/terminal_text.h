#pragma once
// Text for a terminal: the programs' wide texts as UTF-8, each CR LF or lone CR a single line feed.
// Wide texts may be UTF-16 (Windows) or UTF-32; a surrogate pair is one character, a lone surrogate
// becomes U+FFFD. Names from files and folders reach these texts: every other control character
// (C0 but tab and line feed, DEL, C1) is shown as \xHH, so that no name can drive the terminal.
#include <filesystem>
#include <string>
#include <string_view>

namespace zuna {

std::string TerminalText(std::wstring_view text);

// The text as UTF-8, line ends as they are (command-line arguments).
std::string Utf8Text(std::wstring_view text);

// A path for a terminal line: UTF-8 with every control character, line ends too, shown as \xHH.
std::string TerminalPath(const std::filesystem::path& path);

// Paths named on a command line as UTF-8, and back, whatever the system's 8-bit code page.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathUtf8(const std::filesystem::path& path);

}  // namespace zuna

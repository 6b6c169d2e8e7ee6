#pragma once
// Text for a terminal: the programs' wide texts as UTF-8, each CR LF or lone CR a single line feed.
#include <string>
#include <string_view>

namespace zuna {

std::string TerminalText(std::wstring_view text);

}  // namespace zuna

#pragma once
// Names that become parts of file names (prefixes, host names) keep only characters that are safe
// there.
#include <string>

namespace zuna {

// Removes in place every character that is not an ASCII letter, digit, blank, "-" or "_"; the
// extended set also keeps "#", "(", ")", "*", "+", ".", ":", "[", "]", "{" and "}". True when at
// least one character was removed.
bool FilterNameCharacters(std::wstring& text, bool extended);

}  // namespace zuna

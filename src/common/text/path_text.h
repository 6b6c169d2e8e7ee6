#pragma once
// The programs keep folders as Windows path texts ending in a backslash. These helpers turn such a
// text into a filesystem path on the platform at hand, so the same code runs in native tests.
#include <filesystem>
#include <string>
#include <string_view>

namespace zuna {

std::filesystem::path ToFsPath(std::wstring_view windowsPath);
std::wstring WithTrailingBackslash(std::wstring_view folder);

// The folder holding the program's files: the executable's path cut where the word "ZUNA" begins,
// searching backwards from ten characters before the end and never testing the first character;
// the executable's own folder when the word is not found.
std::wstring ProgramFolderFromExecutable(std::wstring_view executablePath);

// True when the current directory lies in a development tree ("\ZUNA_Applications_V_").
bool IsDevelopmentTree(std::wstring_view currentDirectoryWithBackslash);

}  // namespace zuna

#include "common/text/path_text.h"

namespace zuna {

std::filesystem::path ToFsPath(std::wstring_view windowsPath) {
#ifdef _WIN32
  return std::filesystem::path(std::wstring(windowsPath));
#else
  std::wstring text(windowsPath);
  for (auto& c : text) {
    if (c == L'\\') c = L'/';
  }
  return std::filesystem::path(text);
#endif
}

std::wstring WithTrailingBackslash(std::wstring_view folder) {
  std::wstring text(folder);
  if (text.empty() || (text.back() != L'\\' && text.back() != L'/')) text += L'\\';
  return text;
}

std::wstring ProgramFolderFromExecutable(std::wstring_view path) {
  if (path.size() > 10) {
    for (std::size_t i = path.size() - 10; i >= 1; --i) {
      if (path.substr(i, 4) == L"ZUNA") return WithTrailingBackslash(path.substr(0, i));
    }
  }
  const std::size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring_view::npos) return L"";
  return WithTrailingBackslash(path.substr(0, cut));
}

bool IsDevelopmentTree(std::wstring_view currentDirectory) {
  return currentDirectory.find(L"\\ZUNA_Applications_V_") != std::wstring_view::npos;
}

}  // namespace zuna

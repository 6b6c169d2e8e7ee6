#include "common/windows/folder_picker.h"

namespace zuna {

std::optional<std::wstring> PickedFolderText(std::wstring path) {
  if (path.empty()) return std::nullopt;
  if (path.back() != L'\\') path += L'\\';
  // A cut path would name another folder.
  if (path.size() > kMaxPickedFolderLength) return std::nullopt;
  return path;
}

}  // namespace zuna

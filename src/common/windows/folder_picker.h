#pragma once
// The system's folder dialog. The Win32 implementation lives in win/; tests script the answers.
#include <cstddef>
#include <optional>
#include <string>

namespace zuna {

// Longest folder path a picker hands back, backslash included.
inline constexpr std::size_t kMaxPickedFolderLength = 511;

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // The chosen folder's file-system path, or nothing when the user cancelled or any step failed.
  virtual std::optional<std::wstring> PickFolder() = 0;
};

// The chosen path as the windows keep folders: ending in a backslash; nothing when it is empty or
// longer than kMaxPickedFolderLength with the backslash.
std::optional<std::wstring> PickedFolderText(std::wstring path);

}  // namespace zuna

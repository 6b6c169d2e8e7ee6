#include "common/foundation/program_folders.h"

#include <filesystem>

#include "common/log/user_messages_log.h"
#include "common/text/path_text.h"

namespace zuna {

bool CreateProgramFolders(const std::wstring& programFolder, const std::vector<std::wstring>& folderNames,
                          const std::function<bool(const std::wstring&)>& folderExists,
                          const std::function<bool(const std::wstring&)>& createFolder) {
  bool allThere = true;
  for (const auto& name : folderNames) {
    const std::wstring path = programFolder + name + L"\\";
    if (folderExists(path) || createFolder(path)) continue;
    allThere = false;
    PostStampedMessage(L"\r\nUnable to create \"" + name +
                       L"\" directory under the process directory.  Check security settings.\r\n");
  }
  return allThere;
}

bool FolderExists(const std::wstring& windowsPath) {
  std::error_code ec;
  return std::filesystem::is_directory(ToFsPath(windowsPath), ec);
}

bool CreateFolder(const std::wstring& windowsPath) {
  std::error_code ec;
  std::filesystem::create_directory(ToFsPath(windowsPath), ec);
  return !ec && FolderExists(windowsPath);
}

}  // namespace zuna

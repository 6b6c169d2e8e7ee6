#pragma once
// The folders each program keeps beside itself.
#include <functional>
#include <string>
#include <vector>

namespace zuna {

// Creates each missing folder under `programFolder`; posts the failure of each folder that could
// not be created and returns false when any failed.
bool CreateProgramFolders(const std::wstring& programFolder, const std::vector<std::wstring>& folderNames,
                          const std::function<bool(const std::wstring&)>& folderExists,
                          const std::function<bool(const std::wstring&)>& createFolder);

// The default folder functions over std::filesystem.
bool FolderExists(const std::wstring& windowsPath);
bool CreateFolder(const std::wstring& windowsPath);

}  // namespace zuna

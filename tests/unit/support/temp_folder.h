#pragma once
#include <filesystem>
#include <string>

namespace zuna::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as the programs keep folders: a text ending in a separator.
  std::wstring Text() const { return path_.wstring() + L"/"; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  static std::string ReadFile(const std::filesystem::path& path);
  static void WriteFile(const std::filesystem::path& path, const std::string& bytes);

 private:
  std::filesystem::path path_;
};

}  // namespace zuna::test

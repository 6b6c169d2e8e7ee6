#pragma once
// What the steps of one scenario share: its folder, the working folder for new programs, and the
// programs started so far (numbered 1, 2, ... in start order), one of them current.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui_driver {

struct StartedProcess {
  int number = 0;
  std::wstring name;
  PROCESS_INFORMATION info{};
};

class Session {
 public:
  explicit Session(std::filesystem::path scenario_folder);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Relative paths are taken from the scenario file's folder.
  std::filesystem::path Resolve(std::wstring_view path) const;
  void set_work_folder(std::filesystem::path folder) { work_folder_ = std::move(folder); }
  const std::filesystem::path& work_folder() const { return work_folder_; }

  // Starts exe with args in the working folder and makes it current; the error text on failure.
  std::optional<std::wstring> Start(const std::filesystem::path& exe, const std::vector<std::wstring>& args);
  bool Use(int number);
  // The current process, or nullptr before the first start.
  const StartedProcess* Current() const;
  // Ends every started process that still runs, so that a failed scenario leaves nothing behind.
  void TerminateAll();

 private:
  std::filesystem::path scenario_folder_;
  std::filesystem::path work_folder_;
  std::vector<StartedProcess> processes_;
  size_t current_ = 0;  // 1-based; 0 before the first start
};

// The command line for CreateProcess, quoted so that the C runtime splits it back into args.
std::wstring BuildCommandLine(const std::wstring& exe, const std::vector<std::wstring>& args);

}  // namespace ui_driver

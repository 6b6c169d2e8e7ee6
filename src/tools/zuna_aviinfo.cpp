// zuna-aviinfo FILE...: the playback program's file information for each AVI file, and the
// numbers of its dropped frames, on standard output. Exit status 1 when any file was rejected.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/log/user_messages_log.h"
#include "tools/system_clock.h"
#include "tools/terminal_text.h"
#include "tools/utf8_console.h"
#include "video/avi/avi_info_command.h"

namespace {

// Log entries as terminal lines: UTF-8, each CR LF a single line feed.
class StandardOutputSink final : public zuna::UserMessagesSink {
 public:
  void Append(const std::wstring& entry) override {
    const std::string out = zuna::TerminalText(entry);
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  std::wstring Text() const override { return {}; }
  void Clear() override {}
  void RequestDrain() override {}
};

}  // namespace

// Windows passes the file names as wide texts, so that any name can be opened.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
  if (argc < 2) {
    std::fputs("usage: zuna-aviinfo FILE...\n", stderr);
    return 2;
  }
  const zuna::Utf8Console console;
  zuna::SystemClock clock;
  StandardOutputSink sink;
  zuna::UserMessagesLog log(clock);
  log.SetReady(&sink);
  zuna::InstallUserMessagesLog(&log);
  const std::vector<std::filesystem::path> files(argv + 1, argv + argc);
  const int status = zuna::ReportAviFiles(files);
  std::fputs("\n", stdout);
  zuna::InstallUserMessagesLog(nullptr);
  return status;
}

#include "dshow_test_report.h"

#include <objbase.h>

#include <cstdio>

#include "common/log/user_messages_log.h"
#include "common/time/win/win_clock.h"

namespace zuna::dshow_test {
namespace {

class CollectingSink final : public UserMessagesSink {
 public:
  void Append(const std::wstring& entry) override { text_ += entry; }
  std::wstring Text() const override { return text_; }
  void Clear() override { text_.clear(); }
  void RequestDrain() override {}

 private:
  std::wstring text_;
};

WinClock g_clock;
UserMessagesLog g_log(g_clock);
CollectingSink g_sink;

}  // namespace

Tally g_tally;

bool Check(bool condition, const char* what, int line) {
  if (condition) {
    ++g_tally.passed;
  } else {
    ++g_tally.failed;
    std::printf("  FAILED (line %d): %s\n", line, what);
    std::fflush(stdout);
  }
  return condition;
}

bool InitializeTestCom() {
  if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return true;
  std::printf("cannot initialise COM\n0 passed, 1 failed\n");
  return false;
}

void Section(const char* name) {
  std::printf("%s\n", name);
  std::fflush(stdout);
}

int ReportTotals() {
  std::printf("%d passed, %d failed\n", g_tally.passed, g_tally.failed);
  std::fflush(stdout);
  return g_tally.failed == 0 ? 0 : 1;
}

void InstallTestMessages() {
  InstallUserMessagesLog(&g_log);
  g_log.SetReady(&g_sink);
}

bool LogContains(const std::wstring& text) {
  g_log.Drain();
  return g_sink.Text().find(text) != std::wstring::npos;
}

void PrintLog() {
  g_log.Drain();
  std::string narrow;
  for (wchar_t c : g_sink.Text()) narrow += c == L'\r' ? '\n' : (c < 128 ? static_cast<char>(c) : '?');
  std::printf("  log:%s\n", narrow.c_str());
  g_sink.Clear();
}

}  // namespace zuna::dshow_test

#pragma once
// How the DirectShow test programs check and report: a tally of checks (the last line of a program
// reads "N passed, M failed"), section headings, and the user messages the code under test posts.
#include <string>

namespace zuna::dshow_test {

// Counts checks; the program's last line reports the totals.
struct Tally {
  int passed = 0;
  int failed = 0;
};
extern Tally g_tally;
bool Check(bool condition, const char* what, int line);
#define CHECK(condition) ::zuna::dshow_test::Check((condition), #condition, __LINE__)

// COM for the test's main thread; false (with the totals line of a failed run) when it cannot start.
bool InitializeTestCom();
void Section(const char* name);
// Prints the totals line; the program's exit status.
int ReportTotals();

// Collects the user messages of the code under test; the main thread drains them before a check.
void InstallTestMessages();
bool LogContains(const std::wstring& text);
// Prints the collected messages and forgets them.
void PrintLog();

}  // namespace zuna::dshow_test

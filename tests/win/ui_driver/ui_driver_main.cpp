// ui_driver: runs a scenario of steps against the Windows programs, for the tests under Wine.
// Usage: ui_driver [NAME=VALUE...] SCENARIO
#include <windows.h>

#include <string>

#include "ui_driver_run.h"

namespace {

constexpr int kUsageError = 2;

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  ui_driver::Definitions definitions;
  std::wstring scenario;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const size_t equals = arg.find(L'=');
    if (equals != std::wstring::npos && equals > 0 && scenario.empty() && i + 1 < argc) {
      definitions[arg.substr(0, equals)] = arg.substr(equals + 1);
    } else if (scenario.empty()) {
      scenario = arg;
    } else {
      scenario.clear();
      break;
    }
  }
  if (scenario.empty()) {
    ui_driver::PrintLine(L"usage: ui_driver [NAME=VALUE...] SCENARIO");
    return kUsageError;
  }
  return ui_driver::RunScenario(scenario, definitions);
}

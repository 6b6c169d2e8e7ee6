#include "ui_driver_run.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "steps/ui_driver_steps.h"
#include "ui_driver_script.h"
#include "ui_driver_session.h"
#include "ui_driver_text.h"

namespace ui_driver {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::optional<std::wstring> ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), {}};
  if (bytes.starts_with(kUtf8Mark)) bytes.erase(0, kUtf8Mark.size());
  return FromUtf8(bytes);
}

std::optional<std::wstring> Lookup(const Definitions& definitions, std::wstring_view name) {
  if (auto it = definitions.find(std::wstring(name)); it != definitions.end()) return it->second;
  const std::wstring key(name);
  const DWORD size = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(key.c_str(), value.data(), size));
  return value;
}

// The step a line names, checked against its number of words before anything runs.
std::optional<std::wstring> CheckStep(const ScriptLine& line) {
  const StepKind* kind = FindStep(line.words.front());
  if (!kind) return L"unknown step " + Quoted(line.words.front());
  const size_t count = line.words.size() - 1;
  if (count < kind->min_args || count > kind->max_args) return L"usage: " + std::wstring(kind->usage);
  return std::nullopt;
}

int Finish(int passed, int failed) {
  PrintLine(L"ui_driver: " + std::to_wstring(passed) + L" passed, " + std::to_wstring(failed) + L" failed");
  return failed == 0 ? 0 : 1;
}

int FailAt(int line, const std::wstring& why) {
  PrintLine(std::to_wstring(line) + L": FAILED: " + why);
  return Finish(0, 1);
}

}  // namespace

void PrintLine(const std::wstring& line) {
  const std::string bytes = ToUtf8(line) + "\n";
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

int RunScenario(const std::filesystem::path& scenario, const Definitions& definitions) {
  const auto text = ReadText(scenario);
  if (!text) return FailAt(0, L"cannot read " + scenario.wstring());
  std::vector<ScriptLine> lines;
  const auto lookup = [&](std::wstring_view name) { return Lookup(definitions, name); };
  if (auto error = ParseScript(*text, lookup, lines)) return FailAt(error->line, error->message);
  for (const auto& line : lines) {
    if (auto error = CheckStep(line)) return FailAt(line.number, *error);
  }
  std::error_code error;
  Session session(std::filesystem::absolute(scenario, error).parent_path());
  int passed = 0;
  for (const auto& line : lines) {
    const Args args(line.words.begin() + 1, line.words.end());
    const StepResult result = FindStep(line.words.front())->run(session, args);
    const std::wstring prefix = std::to_wstring(line.number) + L": " + line.words.front();
    PrintLine(prefix + (result.passed ? L": " : L": FAILED: ") + result.text);
    if (!result.passed) return Finish(passed, 1);
    ++passed;
  }
  return Finish(passed, 0);
}

}  // namespace ui_driver

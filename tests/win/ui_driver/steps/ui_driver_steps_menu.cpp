// Steps on the menus of the current program, through its automation agent.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "../ui_driver_agent.h"
#include "../ui_driver_text.h"
#include "common/foundation/win/automation_protocol.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

struct ExpectedMenuState {
  bool enabled = true;
  std::optional<bool> checked;
  double seconds = kDefaultTimeoutSeconds;
};

// The agent of the current program, waiting for the program to create it.
HWND WaitForAgent(const Session& session, double seconds, std::wstring& why) {
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) {
    why = kNoProcess;
    return nullptr;
  }
  HWND agent = nullptr;
  if (!PollUntil(seconds, [&] { return (agent = FindAgent(process_id)) != nullptr; })) {
    why = L"the program has no automation agent window (is it a test build?)";
  }
  return agent;
}

// "enabled|disabled [checked|unchecked] [timeout]"
std::optional<ExpectedMenuState> ParseMenuState(const Args& args, std::wstring& why) {
  ExpectedMenuState state;
  const auto enabled = ParseSwitch(args[1], L"enabled", L"disabled");
  if (!enabled) {
    why = L"expected enabled or disabled, not " + Quoted(args[1]);
    return std::nullopt;
  }
  state.enabled = *enabled;
  size_t next = 2;
  if (next < args.size()) {
    state.checked = ParseSwitch(args[next], L"checked", L"unchecked");
    if (state.checked) ++next;
  }
  if (next < args.size()) {
    const auto seconds = ParseSeconds(args[next]);
    if (!seconds || next + 1 != args.size()) {
      why = L"expected checked, unchecked or a timeout, not " + Quoted(args[next]);
      return std::nullopt;
    }
    state.seconds = *seconds;
  }
  return state;
}

bool StateMatches(std::intptr_t answer, const ExpectedMenuState& expected) {
  if ((answer & zuna::kAgentFound) == 0) return false;
  if (((answer & zuna::kAgentEnabled) != 0) != expected.enabled) return false;
  return !expected.checked || ((answer & zuna::kAgentChecked) != 0) == *expected.checked;
}

std::wstring DescribeExpected(const ExpectedMenuState& expected) {
  std::wstring text = expected.enabled ? L"enabled" : L"disabled";
  if (expected.checked) text += *expected.checked ? L", checked" : L", unchecked";
  return text;
}

size_t CountLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return static_cast<size_t>(std::count(std::istreambuf_iterator<char>(in), {}, '\n'));
}

std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// "path|id|enabled|checked" lines without their ids (which may change without the user seeing it),
// carriage returns dropped.
std::vector<std::string> MenuLinesWithoutIds(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(bytes);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const size_t id = line.find('|');
    const size_t enabled = line.find('|', id == std::string::npos ? id : id + 1);
    if (id != std::string::npos && enabled != std::string::npos && line.find('|', enabled + 1) != std::string::npos) {
      line.erase(id, enabled - id);
    }
    lines.push_back(line);
  }
  return lines;
}

// The first line where the listed menus and the expected ones part, or empty when they agree.
std::wstring FirstMenuDifference(const std::vector<std::string>& listed, const std::vector<std::string>& expected) {
  for (size_t i = 0; i < std::max(listed.size(), expected.size()); ++i) {
    const std::string seen = i < listed.size() ? listed[i] : "(nothing)";
    const std::string wanted = i < expected.size() ? expected[i] : "(nothing)";
    if (seen != wanted) {
      return L"menu line " + std::to_wstring(i + 1) + L" is " + Quoted(FromUtf8(seen)) + L", expected " +
             Quoted(FromUtf8(wanted));
    }
  }
  return {};
}

}  // namespace

StepResult RunMenu(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 1);
  if (!seconds) return Failed(NotSeconds(args, 1));
  std::wstring why;
  const HWND agent = WaitForAgent(session, *seconds, why);
  if (!agent) return Failed(why);
  const auto answer = AskAgent(agent, zuna::kAgentInvokeMenu, args[0]);
  if (!answer) return Failed(L"the automation agent did not answer");
  const std::wstring seen = L"menu " + Quoted(args[0]) + L" " + DescribeMenuState(*answer);
  if ((*answer & zuna::kAgentFound) == 0) return Failed(seen);
  if ((*answer & zuna::kAgentEnabled) == 0) return Failed(seen + L", so it was not invoked");
  return Passed(seen + L", invoked");
}

StepResult RunMenuState(Session& session, const Args& args) {
  std::wstring why;
  const auto expected = ParseMenuState(args, why);
  if (!expected) return Failed(why);
  const HWND agent = WaitForAgent(session, expected->seconds, why);
  if (!agent) return Failed(why);
  std::optional<std::intptr_t> answer;
  const bool matched = PollUntil(expected->seconds, [&] {
    answer = AskAgent(agent, zuna::kAgentMenuState, args[0]);
    return answer && StateMatches(*answer, *expected);
  });
  if (!answer) return Failed(L"the automation agent did not answer");
  const std::wstring seen = L"menu " + Quoted(args[0]) + L" " + DescribeMenuState(*answer);
  if (!matched) return Failed(seen + L", expected " + DescribeExpected(*expected));
  return Passed(seen);
}

// Has the agent write a file; the agent runs in another folder, so it gets the full path.
StepResult AgentWritesFile(Session& session, std::uintptr_t request, const std::wstring& name,
                           std::filesystem::path& file) {
  std::wstring why;
  const HWND agent = WaitForAgent(session, kDefaultTimeoutSeconds, why);
  if (!agent) return Failed(why);
  file = session.Resolve(name);
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  const auto answer = AskAgent(agent, request, std::filesystem::absolute(file, error).wstring());
  if (!answer) return Failed(L"the automation agent did not answer");
  if ((*answer & zuna::kAgentFound) == 0) return Failed(L"the automation agent could not write " + file.wstring());
  return Passed(L"");
}

StepResult RunMenuList(Session& session, const Args& args) {
  std::filesystem::path file;
  StepResult result = AgentWritesFile(session, zuna::kAgentListMenu, args[0], file);
  if (!result.passed) return result;
  const std::wstring seen = L"listed " + std::to_wstring(CountLines(file)) + L" menu items in " + file.wstring();
  if (args.size() < 2) return Passed(seen);
  const std::filesystem::path expected = session.Resolve(args[1]);
  if (!std::filesystem::exists(expected)) return Failed(seen + L"; no expected list " + expected.wstring());
  const std::wstring difference =
      FirstMenuDifference(MenuLinesWithoutIds(ReadFileBytes(file)), MenuLinesWithoutIds(ReadFileBytes(expected)));
  if (!difference.empty()) return Failed(seen + L"; " + difference);
  return Passed(seen + L", as in " + expected.filename().wstring());
}

StepResult RunMediaReport(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  std::filesystem::path file;
  StepResult result;
  const std::string wanted = args.size() > 1 ? ToUtf8(args[1]) : std::string();
  const bool found = PollUntil(*seconds, [&] {
    result = AgentWritesFile(session, zuna::kAgentMediaReport, args[0], file);
    return result.passed && ReadFileBytes(file).find(wanted) != std::string::npos;
  });
  if (!result.passed) return result;
  const std::wstring seen = std::to_wstring(CountLines(file)) + L" lines of media report in " + file.wstring();
  if (!found) return Failed(seen + L", without " + Quoted(args[1]));
  return Passed(seen);
}

}  // namespace ui_driver

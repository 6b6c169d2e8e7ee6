#include "ui_driver_agent.h"

#include "common/foundation/win/automation_protocol.h"
#include "ui_driver_windows.h"

namespace ui_driver {

HWND FindAgent(DWORD process_id) {
  const auto agents = FindTopLevel(process_id, MatchBy::kClass, zuna::kAutomationAgentClass);
  return agents.empty() ? nullptr : agents.front();
}

std::optional<std::intptr_t> AskAgent(HWND agent, std::uintptr_t request, std::wstring_view text) {
  COPYDATASTRUCT data{};
  data.dwData = request;
  data.cbData = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(text.data());
  const auto answer =
      SendWithTimeout(agent, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), kAgentTimeoutMilliseconds);
  if (!answer) return std::nullopt;
  return static_cast<std::intptr_t>(*answer);
}

std::wstring DescribeMenuState(std::intptr_t answer) {
  if ((answer & zuna::kAgentFound) == 0) return L"not found";
  std::wstring text = (answer & zuna::kAgentEnabled) ? L"enabled" : L"disabled";
  return text + ((answer & zuna::kAgentChecked) ? L", checked" : L", unchecked");
}

}  // namespace ui_driver

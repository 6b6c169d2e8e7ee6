#pragma once
// Talking to the automation agent that test builds of the programs carry: menus cannot be read from
// another process, so the agent lists and invokes them for the driver.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui_driver {

inline constexpr UINT kAgentTimeoutMilliseconds = 10000;

// The agent window of a process, or nullptr when it has none (yet).
HWND FindAgent(DWORD process_id);

// Sends one request (a kAgent... code with its text) and returns the agent's answer bits, or
// nothing when the agent did not answer within the timeout.
std::optional<std::intptr_t> AskAgent(HWND agent, std::uintptr_t request, std::wstring_view text);

// "enabled, checked" and the like, for the step's report line.
std::wstring DescribeMenuState(std::intptr_t answer);

}  // namespace ui_driver

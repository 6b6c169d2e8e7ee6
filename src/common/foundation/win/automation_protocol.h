#pragma once
// The conversation between tests/win/ui_driver.exe and the automation agent that test builds of
// the programs carry. Menus cannot be read from another process, so the driver asks the agent.
//
// The agent is a hidden top-level window of class kAutomationAgentClass owned by the program's
// main thread; the driver finds it by class and process id and sends it WM_COPYDATA:
//   dwData = kAgentInvokeMenu, data = menu path (UTF-16, "/"-separated, no terminator needed):
//            posts WM_COMMAND for the item to the program's main window.
//            Returns kAgentFound | state bits, 0 when the path is unknown; a grey item is not invoked.
//   dwData = kAgentMenuState, data = menu path: returns kAgentFound | kAgentEnabled | kAgentChecked.
//   dwData = kAgentListMenu,  data = a file path: writes every menu path with its state, one line
//            each ("path|id|enabled|checked", UTF-8); returns kAgentFound on success.
//   dwData = kAgentMediaReport, data = a file path: writes the program's report on its media graph
//            (UTF-8; one filter connection a line, "A -> B", then "Frames shown: N" and
//            "Picture shown: yes|no" since the graph last started); returns kAgentFound.
#include <cstdint>

namespace zuna {

inline constexpr wchar_t kAutomationAgentClass[] = L"ZUNA Automation Agent Class";

inline constexpr std::uintptr_t kAgentInvokeMenu = 0x5A01;
inline constexpr std::uintptr_t kAgentMenuState = 0x5A02;
inline constexpr std::uintptr_t kAgentListMenu = 0x5A03;
inline constexpr std::uintptr_t kAgentMediaReport = 0x5A05;

inline constexpr std::intptr_t kAgentFound = 1;
inline constexpr std::intptr_t kAgentEnabled = 2;
inline constexpr std::intptr_t kAgentChecked = 4;

}  // namespace zuna

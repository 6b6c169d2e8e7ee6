#pragma once
// Test builds only: a hidden window through which tests/win/ui_driver.exe reads and invokes the
// menus of a program (menus cannot be read from another process). See automation_protocol.h.
#include <windows.h>

#include <functional>
#include <string>

#include "common/foundation/status.h"
#include "common/windows/menu_model.h"

namespace zuna {

// `menuOf` returns the model of the window's menu bar as it stands; commands go to `mainWindow`.
void StartAutomationAgent(HINSTANCE instance, HWND mainWindow, std::function<MenuModel*()> menuOf);

// What a program reports to the tests beyond its menus; may be empty.
struct AutomationHooks {
  std::function<std::wstring()> mediaReport;
};
void SetAutomationHooks(AutomationHooks hooks);

}  // namespace zuna

#include "common/foundation/win/automation_agent.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "common/foundation/win/automation_protocol.h"

namespace zuna {
namespace {

struct Agent {
  HWND mainWindow = nullptr;
  std::function<MenuModel*()> menuOf;
  AutomationHooks hooks;
};
Agent g_agent;

std::wstring DataText(const COPYDATASTRUCT* data) {
  if (data == nullptr || data->lpData == nullptr) return {};
  return std::wstring(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
}

LRESULT StateOf(const MenuItem& item) {
  return kAgentFound | (item.enabled ? kAgentEnabled : 0) | (item.checked ? kAgentChecked : 0);
}

// A pop-up that is grey disables everything below it, as it does for a user.
bool PathEnabled(const std::vector<MenuItem*>& chain) {
  for (const MenuItem* item : chain) {
    if (!item->enabled) return false;
  }
  return true;
}

bool WriteUtf8(const std::wstring& path, const std::wstring& all) {
  std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  const int size = static_cast<int>(all.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, all.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) WideCharToMultiByte(CP_UTF8, 0, all.data(), size, bytes.data(), length, nullptr, nullptr);
  file << bytes;
  return static_cast<bool>(file);
}

LRESULT Handle(const COPYDATASTRUCT* data) {
  MenuModel* model = g_agent.menuOf ? g_agent.menuOf() : nullptr;
  if (model == nullptr) return 0;
  const std::wstring text = DataText(data);
  if (data->dwData == kAgentListMenu) return WriteUtf8(text, model->Describe()) ? kAgentFound : 0;
  if (data->dwData == kAgentMediaReport) {
    if (!g_agent.hooks.mediaReport) return 0;
    return WriteUtf8(text, g_agent.hooks.mediaReport()) ? kAgentFound : 0;
  }
  const std::vector<MenuItem*> chain = model->FindChain(text);
  if (chain.empty()) return 0;
  MenuItem* item = chain.back();
  LRESULT state = StateOf(*item);
  if (!PathEnabled(chain)) state &= ~kAgentEnabled;
  if (data->dwData == kAgentInvokeMenu && (state & kAgentEnabled) != 0 && !item->IsPopup()) {
    PostMessageW(g_agent.mainWindow, WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
  }
  return state;
}

LRESULT CALLBACK AgentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) return Handle(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void SetAutomationHooks(AutomationHooks hooks) {
  g_agent.hooks = std::move(hooks);
}

void StartAutomationAgent(HINSTANCE instance, HWND mainWindow, std::function<MenuModel*()> menuOf) {
  g_agent.mainWindow = mainWindow;
  g_agent.menuOf = std::move(menuOf);
  WNDCLASSW wc{};
  wc.lpfnWndProc = AgentProc;
  wc.hInstance = instance;
  wc.lpszClassName = kAutomationAgentClass;
  RegisterClassW(&wc);
  CreateWindowExW(0, kAutomationAgentClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

}  // namespace zuna

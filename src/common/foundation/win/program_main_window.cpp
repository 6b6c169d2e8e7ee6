#include "common/foundation/win/program_main_window.h"

#include "common/foundation/program_folders.h"
#include "common/foundation/zuna_common.h"
#include "common/text/path_text.h"
#include "common/windows/menu_model.h"
#include "common/windows/win/menu_bar.h"
#include "common/windows/win/win_util.h"

namespace zuna {

bool CreateFoldersBesideExecutable(const std::vector<std::wstring>& folderNames, std::wstring& programFolder) {
  programFolder = ProgramFolderFromExecutable(ModulePath());
  return CreateProgramFolders(programFolder, folderNames, FolderExists, CreateFolder);
}

Status ApplyDisplayToolChange(ZunaCommon& common, MenuModel& menu, HWND mainWindow,
                              const std::array<unsigned, 4>& toolMenuIds, int tool, bool shown,
                              const std::function<Status()>& rebuild) {
  if (tool < 0 || tool > 3) return kInvalidArg;
  common.State().displayToolOn[static_cast<std::size_t>(tool)] = shown;
  menu.Check(toolMenuIds[static_cast<std::size_t>(tool)], shown);
  ApplyMenuModel(mainWindow, menu);
  // The graph is built again so that the shown tools' filters go in and the hidden ones come out.
  return rebuild ? rebuild() : kOk;
}

void SizeMainWindowToDisplay(ZunaCommon& common, HWND mainWindow, HWND clippingWindow) {
  const CommonState& state = common.State();
  if (IsIconic(mainWindow)) ShowWindow(mainWindow, SW_RESTORE);
  const LONG style = GetWindowLongW(mainWindow, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(mainWindow, GWL_EXSTYLE);
  RECT r{0, 0, state.displayWidth, state.displayHeight};
  AdjustWindowRectEx(&r, static_cast<DWORD>(style), GetMenu(mainWindow) != nullptr, static_cast<DWORD>(exStyle));
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  SetWindowPos(mainWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  // A menu bar wider than a small video wraps onto more lines and takes rows from the client area.
  RECT client{};
  GetClientRect(mainWindow, &client);
  const int missing = state.displayHeight - client.bottom;
  if (missing > 0) SetWindowPos(mainWindow, nullptr, 0, 0, width, height + missing, SWP_NOMOVE | SWP_NOZORDER);
  MoveWindow(clippingWindow, 0, 0, state.displayWidth, state.displayHeight, TRUE);
  common.Placements().RecordSize(mainWindow, width, height + (missing > 0 ? missing : 0));
}

}  // namespace zuna

#include "common/foundation/win/program_main_window.h"

#include "common/foundation/program_folders.h"
#include "common/foundation/zuna_common.h"
#include "common/text/path_text.h"
#include "common/windows/win/win_util.h"

namespace zuna {

bool CreateFoldersBesideExecutable(const std::vector<std::wstring>& folderNames, std::wstring& programFolder) {
  programFolder = ProgramFolderFromExecutable(ModulePath());
  return CreateProgramFolders(programFolder, folderNames, FolderExists, CreateFolder);
}

void SizeMainWindowToDisplay(ZunaCommon& common, HWND mainWindow, HWND clippingWindow) {
  const VideoSize display = common.State().geometry.Display();
  if (IsIconic(mainWindow)) ShowWindow(mainWindow, SW_RESTORE);
  const LONG style = GetWindowLongW(mainWindow, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(mainWindow, GWL_EXSTYLE);
  RECT r{0, 0, display.width, display.height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(style), GetMenu(mainWindow) != nullptr, static_cast<DWORD>(exStyle));
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  SetWindowPos(mainWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  // A menu bar wider than a small video wraps onto more lines and takes rows from the client area.
  RECT client{};
  GetClientRect(mainWindow, &client);
  const int missing = display.height - client.bottom;
  if (missing > 0) SetWindowPos(mainWindow, nullptr, 0, 0, width, height + missing, SWP_NOMOVE | SWP_NOZORDER);
  MoveWindow(clippingWindow, 0, 0, display.width, display.height, TRUE);
  common.Placements().RecordSize(mainWindow, width, height + (missing > 0 ? missing : 0));
}

}  // namespace zuna

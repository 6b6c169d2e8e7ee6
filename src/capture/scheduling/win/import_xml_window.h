#pragma once
// The "Import XML Events" window: its controls, the hover box for long folder paths, and its
// messages handed to ImportXmlController.
#include <windows.h>

#include <memory>

#include "capture/scheduling/import_xml_controller.h"
#include "common/foundation/win/common_windows.h"
#include "common/windows/win/hover_path.h"
#include "common/windows/win/win_window_view.h"

namespace zuna {

class ImportXmlWindow {
 public:
  // Creates the hidden window; the folder button shows `folderIcon` when there is one.
  bool Create(CommonWindows& common, HFONT font, HICON folderIcon);
  void SetController(ImportXmlController* controller) { controller_ = controller; }
  WinWindowView& View() { return *view_; }
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  CommonWindows* common_ = nullptr;
  HWND window_ = nullptr;
  HoverPath folder_;
  std::unique_ptr<WinWindowView> view_;
  ImportXmlController* controller_ = nullptr;
};

}  // namespace zuna

#pragma once
// The "Import XML Events" window: its controls, the hover box for long folder paths, and its
// messages handed to ImportXmlController.
#include <windows.h>

#include "capture/scheduling/import_xml_controller.h"
#include "common/windows/win/dialog_window.h"

namespace zuna {

class ImportXmlWindow {
 public:
  // Creates the hidden window; the folder button shows `folderIcon` when there is one.
  bool Create(CommonWindows& common, HFONT font, HICON folderIcon);
  void SetController(ImportXmlController* controller);
  WinWindowView& View() { return window_.View(); }
  HWND Window() const { return window_.Window(); }

 private:
  DialogWindow window_;
};

}  // namespace zuna

#include "capture/scheduling/win/import_xml_window.h"

namespace zuna {
namespace {

constexpr int kFolderWidth = 360;

}  // namespace

bool ImportXmlWindow::Create(CommonWindows& common, HFONT font, HICON folderIcon) {
  if (!window_.Create(
          common, font,
          {L"Import XML Events Class", L"Import XML Events", 500, 200, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX})) {
    return false;
  }
  DialogWindow& w = window_;
  w.AddLabel(L"Select Folder with XML based Events:", 15, 10, 360);
  w.AddIconButton(L"Select\r\nFolder", folderIcon, kSelectFolderButton, 15, 36, 70, 50);
  w.AddHoverPath(kImportFolderText, 100, 50, kFolderWidth);
  w.Add(L"BUTTON", L"OK", WS_TABSTOP | BS_PUSHBUTTON, kImportOkButton, 130, 110, 100, 30);
  w.Add(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, kImportCancelButton, 260, 110, 100, 30);
  w.View().Enable(kImportOkButton, false);
  w.AddCornerHelpButton(HelpPage::kImportXmlEvents);
  return true;
}

void ImportXmlWindow::SetController(ImportXmlController* controller) {
  window_.SetHandlers({[controller](int id, int code) {
                         if (code != BN_CLICKED) return;
                         if (id == kSelectFolderButton) controller->OnSelectFolder();
                         if (id == kImportOkButton) controller->OnOk();
                         if (id == kImportCancelButton) controller->Close();
                       },
                       [controller] { controller->Close(); }});
}

}  // namespace zuna

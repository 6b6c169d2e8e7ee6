#pragma once
// The "Import XML Events" window: a folder chosen in the system's folder dialog, whose event files
// of the older XML form are imported into the events folder.
#include <filesystem>
#include <functional>
#include <string>

#include "common/windows/folder_picker.h"
#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"

namespace zuna {

enum ImportXmlControl {
  kSelectFolderButton = 301,
  kImportFolderText,
  kImportOkButton,
  kImportCancelButton,
};

class ImportXmlController final : public ToggledWindow {
 public:
  ImportXmlController(WindowView& view, FolderPicker& picker, std::filesystem::path eventsFolder)
      : ToggledWindow(view), view_(view), picker_(picker), eventsFolder_(std::move(eventsFolder)) {}

  // Shows the folder chosen last in this run of the program.
  void Open() override;
  void Close() { HideClosed(); }

  void OnSelectFolder();
  void OnOk();

  const std::wstring& ImportFolder() const { return importFolder_; }

 private:
  WindowView& view_;
  FolderPicker& picker_;
  std::filesystem::path eventsFolder_;
  std::wstring importFolder_;
};

}  // namespace zuna

#include "capture/scheduling/import_xml_controller.h"

#include "capture/events/xml_event_import.h"
#include "common/log/user_messages_log.h"
#include "common/text/path_text.h"

namespace zuna {

void ImportXmlController::Open() {
  view_.SetText(kImportFolderText, importFolder_);
  view_.Enable(kImportOkButton, importFolder_.size() > 1);
  ShowOpened();
}

void ImportXmlController::OnSelectFolder() {
  const auto picked = picker_.PickFolder();
  if (!picked) return;
  const auto folder = PickedFolderText(*picked);
  if (!folder) return;
  view_.SetText(kImportFolderText, *folder);
  importFolder_ = *folder;
  view_.Enable(kImportOkButton, view_.Text(kImportFolderText).size() > 1);
}

void ImportXmlController::OnOk() {
  Close();
  PostStampedMessage(kImportingXmlEventsMessage);
  const std::wstring folder = view_.Text(kImportFolderText).substr(0, kMaxPickedFolderLength);
  ImportXmlEvents(ToFsPath(folder), eventsFolder_);
}

}  // namespace zuna

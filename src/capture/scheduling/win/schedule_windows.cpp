#include "capture/scheduling/win/schedule_windows.h"

#include "common/text/path_text.h"

namespace zuna {

bool ScheduleWindows::Create() {
  return schedule_.Create(p_.common, p_.font) && list_.Create(p_.common, p_.font, p_.listFont, L"") &&
         import_.Create(p_.common, p_.font, p_.folderIcon);
}

void ScheduleWindows::Start(const std::wstring& eventsFolder) {
  const std::filesystem::path folder = ToFsPath(eventsFolder);
  const Clock& clock = p_.common.Common().GetClock();
  scheduleController_ = std::make_unique<ScheduleEventController>(schedule_.View(), clock, folder, p_.host);
  listController_ =
      std::make_unique<EventListController>(list_.View(), clock, folder, p_.host, prompt_, *scheduleController_);
  importController_ = std::make_unique<ImportXmlController>(import_.View(), picker_, folder);
  scheduleController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.scheduleId, on); });
  scheduleController_->SetEventsChanged([this] { listController_->FillEventList(); });
  listController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.editAndDeleteId, on); });
  importController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.importId, on); });
  list_.View().SetText(kEventsFolderText, eventsFolder);
  schedule_.SetController(scheduleController_.get());
  list_.SetController(listController_.get());
  import_.SetController(importController_.get());
}

bool ScheduleWindows::IsOpen(unsigned id) const {
  if (!scheduleController_) return false;
  if (id == p_.scheduleId) return scheduleController_->IsOpen();
  if (id == p_.editAndDeleteId) return listController_->IsOpen();
  return id == p_.importId && importController_->IsOpen();
}

bool ScheduleWindows::OnCommand(unsigned id) {
  if (!scheduleController_) return false;
  if (id == p_.scheduleId) {
    scheduleController_->Toggle();
  } else if (id == p_.editAndDeleteId) {
    listController_->Toggle();
  } else if (id == p_.importId) {
    importController_->Toggle();
  } else {
    return false;
  }
  return true;
}

}  // namespace zuna

#include "capture/scheduling/event_list_controller.h"

#include <system_error>

#include "capture/events/event_file.h"
#include "capture/scheduling/event_list_rows.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr std::wstring_view kNothingSelected = L"nothing selected";

}  // namespace

void EventListController::Open() {
  FillEventList();
  view_.Enable(kEditButton, false);
  view_.Enable(kDeleteButton, false);
  view_.SetText(kSelectedFileText, kNothingSelected);
  ShowOpened();
}

void EventListController::FillEventList() {
  view_.ClearRows(kEventList);
  const FileTime now = ToFileTime(clock_.UtcNow()).value_or(0);
  for (const auto& listed : ListEvents(eventsFolder_, now, showExpiredEvents_, ascendingTimes_)) {
    view_.AddRow(kEventList, EventListCells(listed));
  }
}

void EventListController::OnSelectionChanged() {
  const std::vector<int> rows = view_.SelectedRows(kEventList);
  view_.Enable(kDeleteButton, !rows.empty());
  view_.Enable(kEditButton, rows.size() == 1);
  if (rows.empty()) {
    view_.SetText(kSelectedFileText, kNothingSelected);
  } else if (rows.size() > 1) {
    view_.SetText(kSelectedFileText, L"multiple events selected");
  } else {
    view_.SetText(kSelectedFileText, view_.CellText(kEventList, rows[0], kFileNameColumn));
  }
}

void EventListController::OnBoxClicked(int id) {
  if (id == kShowExpiredBox) showExpiredEvents_ = view_.IsChecked(kShowExpiredBox);
  if (id == kAscendingBox) ascendingTimes_ = view_.IsChecked(kAscendingBox);
  FillEventList();
}

void EventListController::OnEdit() {
  const std::vector<int> rows = view_.SelectedRows(kEventList);
  if (rows.empty()) return;
  const std::wstring fileName = view_.CellText(kEventList, rows[0], kFileNameColumn);
  if (fileName.empty()) return;
  scheduleWindow_.OpenForEditing(fileName);
}

void EventListController::OnDelete() {
  const std::vector<int> rows = view_.SelectedRows(kEventList);
  if (rows.empty()) return;
  const wchar_t* question = rows.size() == 1 ? L"You are about to delete an event file.  Continue?"
                                             : L"You are about to delete event files.  Continue?";
  if (!prompt_.AskYesNo(question, L"Attention")) return;
  int deleted = 0;
  for (int row : rows) {
    const auto path = EventFilePath(eventsFolder_, view_.CellText(kEventList, row, kFileNameColumn));
    std::error_code error;
    if (path && std::filesystem::remove(*path, error) && !error) {
      ++deleted;
    } else {
      PostStampedMessage(L"WARNING: unable to delete one or more selected event files - write protected?\r\n");
    }
  }
  if (deleted > 0) {
    if (host_.eventPending && host_.eventPending() && host_.cancelPendingEvent) host_.cancelPendingEvent();
    view_.Enable(kEditButton, false);
    view_.Enable(kDeleteButton, false);
    view_.SetText(kSelectedFileText, kNothingSelected);
  }
  if (host_.rebuildSchedule) host_.rebuildSchedule();
  FillEventList();
}

}  // namespace zuna

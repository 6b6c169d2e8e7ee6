#pragma once
// The capture program's scheduling windows, opened and closed from the Events menu: "Schedule
// Event", "View, Edit, Delete Events" and "Import XML Events".
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "capture/scheduling/event_list_controller.h"
#include "capture/scheduling/import_xml_controller.h"
#include "capture/scheduling/schedule_event_controller.h"
#include "capture/scheduling/win/event_list_window.h"
#include "capture/scheduling/win/import_xml_window.h"
#include "capture/scheduling/win/schedule_event_window.h"
#include "common/windows/win/win_folder_picker.h"
#include "common/windows/win/win_prompt.h"

namespace zuna {

class ScheduleWindows {
 public:
  struct Parts {
    CommonWindows& common;
    HFONT font;        // buttons and static texts
    HFONT listFont;    // the event list
    HICON folderIcon;  // the import window's folder button; may be null
    SchedulingHost host;
    std::function<void(unsigned id, bool on)> checkMenuItem;
    unsigned scheduleId, editAndDeleteId, importId;  // the Events menu's commands
  };

  explicit ScheduleWindows(Parts parts) : p_(std::move(parts)) {}

  // The hidden windows, at start-up; false when one could not be created.
  bool Create();
  // Once the events folder exists: the windows start to work.
  void Start(const std::wstring& eventsFolder);
  // The Events menu's commands toggle their windows; false for any other command.
  bool OnCommand(unsigned id);
  // Whether the window of an Events menu command is open (its item carries the check mark).
  bool IsOpen(unsigned id) const;

  // The window whose keyboard navigation (Tab, Enter) the message loop serves.
  HWND NavigationWindow() const { return schedule_.Window(); }
  HWND ScheduleWindow() const { return schedule_.Window(); }
  HWND ListWindow() const { return list_.Window(); }
  HWND ImportWindow() const { return import_.Window(); }

 private:
  Parts p_;
  ScheduleEventWindow schedule_;
  EventListWindow list_;
  ImportXmlWindow import_;
  WinPrompt prompt_;
  WinFolderPicker picker_;
  std::unique_ptr<ScheduleEventController> scheduleController_;
  std::unique_ptr<EventListController> listController_;
  std::unique_ptr<ImportXmlController> importController_;
};

}  // namespace zuna

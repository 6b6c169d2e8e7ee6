#pragma once
// The "View, Edit, Delete Events" window: the event files as a list, handing one to the
// scheduling window for editing, deleting the selected ones.
#include <filesystem>
#include <functional>

#include "capture/scheduling/schedule_event_controller.h"
#include "capture/scheduling/scheduling_host.h"
#include "common/time/clock.h"
#include "common/windows/prompt.h"
#include "common/windows/window_view.h"

namespace zuna {

enum EventListControl {
  kShowExpiredBox = 201,
  kAscendingBox,
  kEventList,
  kEventsFolderText,
  kSelectedFileText,
  kEditButton,
  kDeleteButton,
  kEventListCancelButton,
};

class EventListController {
 public:
  EventListController(WindowView& view, const Clock& clock, std::filesystem::path eventsFolder, SchedulingHost& host,
                      Prompt& prompt, ScheduleEventController& scheduleWindow)
      : view_(view),
        clock_(clock),
        eventsFolder_(std::move(eventsFolder)),
        host_(host),
        prompt_(prompt),
        scheduleWindow_(scheduleWindow) {}

  void SetMenuCheck(std::function<void(bool)> check) { menuCheck_ = std::move(check); }

  // The menu command: opens the window with a fresh list, or closes it.
  void Toggle();
  void Open();
  void Close();

  // Also called after an event was scheduled, whether or not the window is shown.
  void FillEventList();

  void OnSelectionChanged();
  void OnBoxClicked(int id);
  void OnEdit();
  void OnDelete();

  bool IsOpen() const { return open_; }

 private:
  WindowView& view_;
  const Clock& clock_;
  std::filesystem::path eventsFolder_;
  SchedulingHost& host_;
  Prompt& prompt_;
  ScheduleEventController& scheduleWindow_;
  std::function<void(bool)> menuCheck_;
  bool open_ = false;
  bool showExpiredEvents_ = false;
  bool ascendingTimes_ = false;
};

}  // namespace zuna

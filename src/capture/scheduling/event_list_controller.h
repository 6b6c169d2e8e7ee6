#pragma once
// The "View, Edit, Delete Events" window: the event files as a list, handing one to the
// scheduling window for editing, deleting the selected ones.
#include <filesystem>
#include <functional>

#include "capture/scheduling/schedule_event_controller.h"
#include "capture/scheduling/scheduling_host.h"
#include "common/time/clock.h"
#include "common/windows/prompt.h"
#include "common/windows/toggled_window.h"
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

class EventListController final : public ToggledWindow {
 public:
  EventListController(WindowView& view, const Clock& clock, std::filesystem::path eventsFolder, SchedulingHost& host,
                      Prompt& prompt, ScheduleEventController& scheduleWindow)
      : ToggledWindow(view),
        view_(view),
        clock_(clock),
        eventsFolder_(std::move(eventsFolder)),
        host_(host),
        prompt_(prompt),
        scheduleWindow_(scheduleWindow) {}

  // Opens the window with a fresh list.
  void Open() override;
  void Close() { HideClosed(); }

  // Also called after an event was scheduled, whether or not the window is shown.
  void FillEventList();

  void OnSelectionChanged();
  void OnBoxClicked(int id);
  void OnEdit();
  void OnDelete();

 private:
  WindowView& view_;
  const Clock& clock_;
  std::filesystem::path eventsFolder_;
  SchedulingHost& host_;
  Prompt& prompt_;
  ScheduleEventController& scheduleWindow_;
  bool showExpiredEvents_ = false;
  bool ascendingTimes_ = false;
};

}  // namespace zuna

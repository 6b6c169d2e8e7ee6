#pragma once
// The schedule of pending events, rebuilt from the event files whenever something changed. Main
// thread only: the tick, the dialogs and the end of a recording all reach it through the main
// window.
//
// The capture main window calls:
//   LoadEventSchedule   at start-up once the preview runs, after every recording, after an event
//                       was scheduled, edited or deleted;
//   GetCountdown().Tick on every one-second tick while GetCountdown().Armed();
//   StopPendingEventByHand / CancelPendingEvent when the user ends or drops the pending event.
#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "capture/countdown/countdown_state.h"
#include "capture/events/scheduled_event.h"
#include "common/time/clock.h"

namespace zuna {

// Two events closer than this (first end to second start) overlap.
inline constexpr FileTime kEventGap = 30 * kTicksPerSecond;

// What the schedule needs to know of the rest of the program at the moment of the call.
struct ScheduleContext {
  std::size_t deviceCount = 0;
  int currentDeviceIndex = -1;
  bool recording = false;
  bool hibernationSupported = true;
  bool showUtc = false;  // "EventPendingDisplay" is "UTC"
};

// An event became pending. The main window deletes the old tick timer, creates a new one (first
// after 1000 ms, then every 1000 ms), clears the recording-started guard and the start beep, sets
// the titles and texts below and shows the countdown window at its saved position.
struct PendingEventDisplay {
  std::wstring mainWindowTitle;  // "ZUNA Video Capture -- Event pending"
  std::wstring countdownTitle;   // "Event Pending"
  std::wstring countdownLabel;   // by the display mode
  std::wstring startLine;
  std::wstring eventLine;
  std::wstring endLine;
};

struct StoppedEvent {
  CalendarTime eventTime;
  CalendarTime duration;
};

class EventSchedule {
 public:
  EventSchedule(const Clock& clock, std::filesystem::path eventsFolder);

  // Rebuilds the schedule from every event file and makes the earliest event pending. With no
  // device attached nothing happens at all.
  std::optional<PendingEventDisplay> LoadEventSchedule(const ScheduleContext& context);

  // Takes the earliest event as the pending event and arms the countdown.
  std::optional<PendingEventDisplay> StartNextEvent(const ScheduleContext& context);

  // Keeps the list latest first and free of overlaps; false when `event` is rejected.
  bool InsertEvent(ScheduledEvent event);

  // The user stopped the event recording: the tick stops and the event is not loaded again while
  // the program runs.
  void StopPendingEventByHand();
  // The pending event is dropped (a manual start, deleted event files): no event is pending.
  void CancelPendingEvent();

  const std::list<ScheduledEvent>& Events() const { return eventSchedule_; }  // latest first
  const std::optional<ScheduledEvent>& PendingEvent() const { return pendingEvent_; }
  const std::vector<StoppedEvent>& StoppedEvents() const { return stoppedEvents_; }
  bool EventPendingFlag() const { return eventPendingFlag_; }
  Countdown& GetCountdown() { return countdown_; }
  const std::filesystem::path& EventsFolder() const { return eventsFolder_; }

 private:
  bool IsStopped(const ScheduledEvent& event) const;
  void NoEventPending();

  const Clock& clock_;
  std::filesystem::path eventsFolder_;
  std::list<ScheduledEvent> eventSchedule_;
  std::optional<ScheduledEvent> pendingEvent_;
  std::vector<StoppedEvent> stoppedEvents_;
  bool eventPendingFlag_ = false;
  Countdown countdown_;
};

}  // namespace zuna

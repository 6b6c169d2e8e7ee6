#include "capture/events/event_schedule.h"

#include "capture/events/event_file.h"
#include "capture/events/event_folder.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr std::wstring_view kNoScheduledEvents = L"There are no scheduled Events\r\n";

bool SameTime(const CalendarTime& a, const CalendarTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second;
}

bool SameDuration(const CalendarTime& a, const CalendarTime& b) {
  return a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

// Why a file is left out; empty when it can be scheduled.
std::wstring Unschedulable(EventFileReadResult read, const ScheduledEvent& event) {
  if (read == EventFileReadResult::kCannotOpen) return L" cannot be read";
  if (read == EventFileReadResult::kIncomplete) return L" is incomplete";
  if (!event.valid) return L" has no valid event date, time or duration";
  return {};
}

}  // namespace

EventSchedule::EventSchedule(const Clock& clock, std::filesystem::path eventsFolder)
    : clock_(clock), eventsFolder_(std::move(eventsFolder)) {}

std::optional<PendingEventDisplay> EventSchedule::LoadEventSchedule(const ScheduleContext& context) {
  if (context.deviceCount == 0) return std::nullopt;
  eventSchedule_.clear();
  pendingEvent_.reset();

  const std::vector<EventFileEntry> files = ListEventFiles(eventsFolder_);
  if (files.empty()) {
    PostUnstampedMessage(kNoScheduledEvents);
    // The pending event is gone: no recording may count as an event recording any more.
    NoEventPending();
    return std::nullopt;
  }

  bool anyAccepted = false;
  for (const auto& file : files) {
    EventFileRecord record;
    const EventFileReadResult read = ReadEventFileAt(file.path, record);
    const auto now = ToFileTime(clock_.UtcNow());
    if (!now) continue;
    ScheduledEvent event = ToScheduledEvent(record, *now);
    if (const std::wstring why = Unschedulable(read, event); !why.empty()) {
      PostUserMessage(L"WARNING: event file " + file.name + why + L"; it is not scheduled\r\n", !anyAccepted);
      continue;
    }
    if (IsStopped(event)) continue;
    // Expired, or less than 20 seconds of recording left.
    if (!(event.startTime > *now || *now + kMinimumRecordingLeft < event.endTime)) continue;
    if (!InsertEvent(std::move(event))) {
      PostUserMessage(
          L"NOTE: the Event " + file.name + L" is ignored because it overlaps (within one minute) another Event\r\n",
          !anyAccepted);
      continue;
    }
    if (!anyAccepted) PostStampedMessage(L"The following Events are Loaded (scheduled):");
    anyAccepted = true;
    PostUnstampedMessage(L"    " + file.name);
  }
  if (anyAccepted) PostUnstampedMessage(L"");
  return StartNextEvent(context);
}

bool EventSchedule::InsertEvent(ScheduledEvent event) {
  for (auto it = eventSchedule_.begin(); it != eventSchedule_.end(); ++it) {
    if (event.endTime <= it->startTime) continue;  // ends before this later event starts
    // The first event that starts before this one ends must lie 30 s before it.
    if (event.startTime < it->endTime + kEventGap) return false;
    eventSchedule_.insert(it, std::move(event));
    return true;
  }
  eventSchedule_.push_back(std::move(event));
  return true;
}

std::optional<PendingEventDisplay> EventSchedule::StartNextEvent(const ScheduleContext& context) {
  countdown_.ClearEventStarted();
  if (eventSchedule_.empty()) {
    NoEventPending();
    PostStampedMessage(kNoScheduledEvents);
    return std::nullopt;
  }
  pendingEvent_ = std::move(eventSchedule_.back());
  eventSchedule_.pop_back();
  const ScheduledEvent& event = *pendingEvent_;
  if (!context.recording && context.currentDeviceIndex >= static_cast<long long>(context.deviceCount)) {
    PostStampedMessage(L"Logic error: current source index out of range for starting future event\r\n");
  }

  const auto info = countdown_.Start(event.eventTime, event.duration);
  if (!info) {  // a scheduled event always has valid times; never count down to a wrong one
    NoEventPending();
    return std::nullopt;
  }
  PostUnstampedMessage(info->summary);

  bool hibernate = event.hibernate;
  if (hibernate && !context.hibernationSupported) {
    hibernate = false;
    PostStampedMessage(L"Hibernation is not supported even though Event requests it");
  }
  countdown_.SetPowerRequests(hibernate, event.shutdown);
  if (hibernate) {
    PostUnstampedMessage(L"NOTE: computer will be placed in hibernate 30 seconds after recording ends\r\n");
  } else if (event.shutdown) {
    PostUnstampedMessage(L"NOTE: computer will shut down 30 seconds after recording ends\r\n");
  }
  countdown_.Arm();
  eventPendingFlag_ = true;

  return PendingEventDisplay{std::wstring(kEventPendingMainTitle),
                             std::wstring(kCountdownWindowTitle),
                             std::wstring(context.showUtc ? kComputerTimeLabel : kCountdownToStartLabel),
                             info->startLine,
                             info->eventLine,
                             info->endLine};
}

void EventSchedule::StopPendingEventByHand() {
  if (!eventPendingFlag_) return;
  countdown_.Disarm();
  stoppedEvents_.push_back({countdown_.PendingEventTime(), countdown_.PendingDuration()});
}

void EventSchedule::CancelPendingEvent() {
  NoEventPending();
}

bool EventSchedule::IsStopped(const ScheduledEvent& event) const {
  for (const auto& stopped : stoppedEvents_) {
    if (SameTime(stopped.eventTime, event.eventTime) && SameDuration(stopped.duration, event.duration)) return true;
  }
  return false;
}

void EventSchedule::NoEventPending() {
  eventPendingFlag_ = false;
  countdown_.Clear();
}

}  // namespace zuna

#include "capture/scheduling/schedule_event_controller.h"

#include "capture/events/event_file.h"
#include "capture/events/event_file_name.h"
#include "capture/events/scheduled_event.h"
#include "capture/options/filter_name_characters.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr std::wstring_view kNamesMessage =
    L"Allowed characters are 'a' thru 'z', 'A' thru 'Z', '0' thru '9', '-', '_' or blank\r\n";
constexpr std::wstring_view kCommentMessage =
    L"Allowed characters are 'a' thru 'z', 'A' thru 'Z', '0' thru '9', or {}()[].:_-+#* or blank\r\n";
constexpr std::wstring_view kNoDateTimeMessage = L"Unable to get datetime value\r\n";

// A number as "%<width>hu" writes it: right-aligned, blank-padded.
std::wstring Padded(int value, std::size_t width) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < width) text.insert(0, width - text.size(), L' ');
  return text;
}

EventFileRecord RecordOf(const CalendarTime& event, const CalendarTime& duration) {
  EventFileRecord r;
  r.eventYear = Padded(event.year, 4);
  r.eventMonth = Padded(event.month, 2);
  r.eventDay = Padded(event.day, 2);
  r.eventHour = Padded(event.hour, 2);
  r.eventMinute = Padded(event.minute, 2);
  r.eventSecond = Padded(event.second, 2);
  r.durationHour = Padded(duration.hour, 2);
  r.durationMinute = Padded(duration.minute, 2);
  r.durationSecond = Padded(duration.second, 2);
  return r;
}

FileTime InstantOf(const CalendarTime& t) {
  return ToFileTime(t).value_or(0);
}

}  // namespace

void ScheduleEventController::Open() {
  const ScheduleSettings settings = host_.settings ? host_.settings() : ScheduleSettings{};
  view_.SetTitle(L"Schedule Event");
  editingEvent_ = false;
  editedFileName_.clear();
  const CalendarTime now = clock_.UtcNow();
  view_.SetDateTime(kEventPicker, now);
  minimumEventInstant_ = InstantOf(now);
  view_.SetDateTime(kDurationPicker, settings.defaultDuration);
  ShowLabels(settings);
  view_.SetText(kAsteroidEdit, L"");
  view_.SetText(kStarEdit, L"");
  view_.SetText(kCommentEdit, L"");
  view_.Check(kHibernateBox, false);
  view_.Check(kShutdownBox, false);
  view_.Enable(kScheduleButton, false);
  ShowOpened();
}

void ScheduleEventController::OpenForEditing(const std::wstring& fileName) {
  view_.SetTitle(L"Edit Event");
  EventFileRecord record;
  ReadEventFile(eventsFolder_, fileName, record);
  const CalendarTime now = clock_.UtcNow();
  const ScheduledEvent event = ToScheduledEvent(record, InstantOf(now));
  view_.SetText(kAsteroidEdit, record.asteroidName);
  view_.SetText(kStarEdit, record.starName);
  view_.SetText(kCommentEdit, record.comment);
  view_.Check(kHibernateBox, event.hibernate);
  view_.Check(kShutdownBox, event.shutdown);
  if (event.valid) {
    view_.SetDateTime(kEventPicker, event.eventTime);
    // Only the duration picker's time counts; its date is the event's.
    CalendarTime duration = event.eventTime;
    duration.hour = event.duration.hour;
    duration.minute = event.duration.minute;
    duration.second = event.duration.second;
    view_.SetDateTime(kDurationPicker, duration);
  }
  ShowLabels(host_.settings ? host_.settings() : ScheduleSettings{});
  minimumEventInstant_ = InstantOf(now);
  editingEvent_ = true;
  editedFileName_ = fileName.substr(0, 255);
  // An event still to come can be scheduled again as it stands, e.g. with only a new comment.
  view_.Enable(kScheduleButton, event.valid && event.eventInstant > minimumEventInstant_);
  ShowOpened();
}

void ScheduleEventController::ShowLabels(const ScheduleSettings& settings) {
  view_.SetText(kNamesGroupLabel, settings.dateTimeAtEndSaved ? L"Optional File Prefixes (20 chars max each)"
                                                              : L"Optional File Postfixes (20 chars max each)");
  view_.SetText(kGlobalPrefixLabel, settings.dateTimeAtEndSaved ? L"Global Prefix:" : L"Global Postfix:");
  view_.SetText(kGlobalPrefixText, settings.globalPrefix);
}

void ScheduleEventController::Close() {
  minimumEventInstant_ = kNoMinimumEventInstant;
  HideClosed();
}

void ScheduleEventController::OnEventPickerChanged() {
  const auto picked = view_.DateTime(kEventPicker);
  if (!picked) {
    PostStampedMessage(kNoDateTimeMessage);
    return;
  }
  const auto instant = ToFileTime(*picked);
  view_.Enable(kScheduleButton, instant && *instant > minimumEventInstant_);
}

void ScheduleEventController::OnNameChanged(int id) {
  std::wstring text = view_.Text(id);
  if (!FilterNameCharacters(text, false)) return;
  view_.SetText(id, text);
  PostUnstampedMessage(kNamesMessage);
}

void ScheduleEventController::OnCommentChanged() {
  std::wstring text = view_.Text(kCommentEdit);
  if (!FilterNameCharacters(text, true)) return;
  view_.SetText(kCommentEdit, text);
  PostUnstampedMessage(kCommentMessage);
}

void ScheduleEventController::OnPowerBoxClicked(int id) {
  // At most one power action follows a recording.
  if (id == kHibernateBox && view_.IsChecked(kHibernateBox)) view_.Check(kShutdownBox, false);
  if (id == kShutdownBox && view_.IsChecked(kShutdownBox)) view_.Check(kHibernateBox, false);
}

std::wstring ScheduleEventController::EditText(int id, std::size_t maxLength) const {
  return view_.Text(id).substr(0, maxLength);
}

void ScheduleEventController::OnSchedule() {
  auto picked = view_.DateTime(kEventPicker);
  const auto duration = view_.DateTime(kDurationPicker);
  if (!picked || !duration) {
    PostStampedMessage(kNoDateTimeMessage);
    return;
  }
  picked->millisecond = 0;
  const CalendarTime now = clock_.UtcNow();
  const auto instant = ToFileTime(*picked);
  if (!instant || *instant < InstantOf(now) + kMinimumEventLead) {
    view_.SetDateTime(kEventPicker, now);
    PostStampedMessage(
        L"Event time must be at least 5 seconds after\r\nthe current time to allow for camera restart\r\n");
    return;
  }
  EventFileRecord record = RecordOf(*picked, *duration);
  record.hibernate = view_.IsChecked(kHibernateBox) ? L"true" : L"false";
  record.shutdown = view_.IsChecked(kShutdownBox) ? L"true" : L"false";
  record.asteroidName = EditText(kAsteroidEdit, kMaxEventNameLength);
  record.starName = EditText(kStarEdit, kMaxEventNameLength);
  record.comment = EditText(kCommentEdit, kMaxEventCommentLength);

  const ScheduleSettings settings = host_.settings ? host_.settings() : ScheduleSettings{};
  BuildNameSuffix(record.asteroidName, record.starName, settings.globalPrefix, settings.dateTimeAtEndInUse);
  const std::wstring fileName = BuildEventFileName(*picked, settings.dateTimeAtEndInUse);
  if (!WriteEvent(fileName, record)) {
    // Nothing is scheduled: the window stays open with the user's entries.
    PostStampedMessage(L"WARNING: unable to write event file " + fileName + L" - write protected?\r\n");
    return;
  }
  PostStampedMessage(L"Scheduled an event recording: " + fileName + L"\r\n");
  Finish();
}

bool ScheduleEventController::WriteEvent(const std::wstring& fileName, const EventFileRecord& record) {
  if (editingEvent_) return ReplaceEventFile(eventsFolder_, editedFileName_, fileName, record);
  const auto path = EventFilePath(eventsFolder_, fileName);
  return path && WriteEventFile(*path, record);
}

void ScheduleEventController::Finish() {
  Close();
  editingEvent_ = false;
  if (eventsChanged_) eventsChanged_();
  if (host_.rebuildSchedule) host_.rebuildSchedule();
}

}  // namespace zuna

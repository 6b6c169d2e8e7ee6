#pragma once
// The "Schedule Event" window, titled "Edit Event" when the event list hands it an event: the
// event's time and duration, names and comment, the power action after it, written as an event
// file, after which the schedule is rebuilt.
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "capture/events/event_file_record.h"
#include "capture/scheduling/scheduling_host.h"
#include "common/time/clock.h"
#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"

namespace zuna {

enum ScheduleEventControl {
  kEventPicker = 101,
  kDurationPicker,
  kNamesGroupLabel,
  kAsteroidEdit,
  kStarEdit,
  kGlobalPrefixLabel,
  kGlobalPrefixText,
  kCommentEdit,
  kHibernateBox,
  kShutdownBox,
  kScheduleButton,
  kScheduleCancelButton,
};

inline constexpr std::size_t kMaxEventNameLength = 20;
inline constexpr std::size_t kMaxEventCommentLength = 35;
// An event this close to now leaves no time to restart the camera.
inline constexpr FileTime kMinimumEventLead = 5 * kTicksPerSecond;
inline constexpr FileTime kNoMinimumEventInstant = std::numeric_limits<FileTime>::max();

class ScheduleEventController final : public ToggledWindow {
 public:
  ScheduleEventController(WindowView& view, const Clock& clock, std::filesystem::path eventsFolder,
                          SchedulingHost& host)
      : ToggledWindow(view), view_(view), clock_(clock), eventsFolder_(std::move(eventsFolder)), host_(host) {}

  // Called after an event file was written (the event list refills).
  void SetEventsChanged(std::function<void()> changed) { eventsChanged_ = std::move(changed); }

  // The window in its "Schedule Event" form.
  void Open() override;
  // "Cancel" or the close box: nothing is written.
  void Close();
  // The event list's "Edit Selected Event": the window in its "Edit Event" form.
  void OpenForEditing(const std::wstring& fileName);

  void OnEventPickerChanged();
  void OnNameChanged(int id);
  void OnCommentChanged();
  void OnPowerBoxClicked(int id);
  void OnSchedule();

  FileTime MinimumEventInstant() const { return minimumEventInstant_; }
  bool Editing() const { return editingEvent_; }

 private:
  void Dismiss() override { Close(); }
  void ShowLabels(const ScheduleSettings& settings);
  void Finish();
  bool WriteEvent(const std::wstring& fileName, const EventFileRecord& record);
  std::wstring EditText(int id, std::size_t maxLength) const;

  WindowView& view_;
  const Clock& clock_;
  std::filesystem::path eventsFolder_;
  SchedulingHost& host_;
  std::function<void()> eventsChanged_;
  FileTime minimumEventInstant_ = kNoMinimumEventInstant;
  bool editingEvent_ = false;
  std::wstring editedFileName_;
};

}  // namespace zuna

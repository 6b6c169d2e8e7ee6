#pragma once
// What zuna-events does: rebuilds the event schedule of a folder, or imports XML-form event files,
// and prints the user-messages log as the capture program's log window would show it.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "capture/events/event_schedule.h"
#include "common/time/clock.h"

namespace zuna {

// Exit statuses.
inline constexpr int kEventsToolDone = 0;
inline constexpr int kEventsToolFolderUnreadable = 1;
inline constexpr int kEventsToolUsage = 2;

inline constexpr std::string_view kEventsUsageText =
    "usage: zuna-events schedule FOLDER [--now YYYY-MM-DDTHH:MM:SS]\n"
    "       zuna-events import XMLFOLDER EVENTSFOLDER\n";

struct EventsCommandLine {
  enum class Command { kSchedule, kImport, kHelp } command = Command::kHelp;
  std::filesystem::path folder;        // the events folder, or the XML folder for an import
  std::filesystem::path eventsFolder;  // import only
  std::optional<CalendarTime> now;     // schedule only; the computer's UTC time when absent
};

// "YYYY-MM-DDTHH:MM:SS" as a UTC calendar time; nothing unless exactly that form and a real date.
std::optional<CalendarTime> ParseUtcTimeArgument(std::string_view text);

// The arguments after the program name; nothing when they make no valid command line.
std::optional<EventsCommandLine> ParseEventsCommandLine(const std::vector<std::string>& args);

// A clock that always reads `utc`, so that a rebuild can be replayed at any moment. The schedule
// works in UTC only, so local time is the same and the zone unknown.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(const CalendarTime& utc) : utc_(utc) {}
  CalendarTime UtcNow() const override { return utc_; }
  CalendarTime LocalNow() const override { return utc_; }
  TimeZoneRecord TimeZone() const override { return {}; }

 private:
  CalendarTime utc_;
};

// The countdown window's title and its three information lines, as terminal text.
std::string PendingEventText(const PendingEventDisplay& display);

// Runs the whole tool: parses `args`, installs a log that writes to `out` for the time of the run
// (the log installed before is restored), and returns the exit status. `systemClock` gives the
// time when no --now is given. Usage and folder errors go to `err`.
int RunEventsTool(const std::vector<std::string>& args, const Clock& systemClock, std::ostream& out, std::ostream& err);

}  // namespace zuna

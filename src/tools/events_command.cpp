#include "tools/events_command.h"

#include "capture/events/xml_event_import.h"
#include "common/log/user_messages_log.h"
#include "tools/terminal_text.h"

namespace zuna {
namespace {

// A rebuild in the tool sees what the capture program sees with one camera attached and idle.
// Hibernation support cannot be asked of this computer for the observing one, so it is assumed.
constexpr ScheduleContext kToolContext{1, 0, false, true, false};

// Log entries straight to a stream, in the order they are posted (the tool has one thread).
class StreamSink final : public UserMessagesSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  void Append(const std::wstring& entry) override { out_ << TerminalText(entry); }
  std::wstring Text() const override { return {}; }
  void Clear() override {}
  void RequestDrain() override {}

 private:
  std::ostream& out_;
};

// Installs a log writing to `out` and puts the previous one back at the end of the run.
class ScopedStreamLog {
 public:
  ScopedStreamLog(const Clock& clock, std::ostream& out)
      : sink_(out), log_(clock), previous_(InstalledUserMessagesLog()) {
    log_.SetReady(&sink_);
    InstallUserMessagesLog(&log_);
  }
  ~ScopedStreamLog() { InstallUserMessagesLog(previous_); }
  ScopedStreamLog(const ScopedStreamLog&) = delete;
  ScopedStreamLog& operator=(const ScopedStreamLog&) = delete;

 private:
  StreamSink sink_;
  UserMessagesLog log_;
  UserMessagesLog* previous_;
};

// `digits` decimal digits at `at`; nothing when any is not a digit.
std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t digits) {
  int value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The library lists an unreadable folder as an empty one; the tool must tell them apart.
bool FolderReadable(const std::filesystem::path& folder, std::ostream& err) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (!error) return true;
  err << "zuna-events: cannot read the folder \"" << TerminalPath(folder) << "\": " << error.message() << '\n';
  return false;
}

int RunSchedule(const EventsCommandLine& line, const Clock& clock, std::ostream& out, std::ostream& err) {
  if (!FolderReadable(line.folder, err)) return kEventsToolFolderUnreadable;
  std::optional<PendingEventDisplay> display;
  {
    ScopedStreamLog log(clock, out);
    EventSchedule schedule(clock, line.folder);
    display = schedule.LoadEventSchedule(kToolContext);
  }
  out << '\n';  // every log entry starts a line; the last one still needs its end
  if (display) out << '\n' << PendingEventText(*display);
  return kEventsToolDone;
}

int RunImport(const EventsCommandLine& line, const Clock& clock, std::ostream& out, std::ostream& err) {
  if (!FolderReadable(line.folder, err) || !FolderReadable(line.eventsFolder, err)) {
    return kEventsToolFolderUnreadable;
  }
  {
    ScopedStreamLog log(clock, out);
    // The import dialog posts this before it runs the import; the log reads the same here.
    PostStampedMessage(kImportingXmlEventsMessage);
    ImportXmlEvents(line.folder, line.eventsFolder);
  }
  out << '\n';
  return kEventsToolDone;
}

// The schedule command's arguments after the folder.
bool ParseScheduleOptions(const std::vector<std::string>& args, EventsCommandLine& line) {
  if (args.size() == 2) return true;
  if (args.size() != 4 || args[2] != "--now") return false;
  line.now = ParseUtcTimeArgument(args[3]);
  return line.now.has_value();
}

}  // namespace

std::optional<CalendarTime> ParseUtcTimeArgument(std::string_view text) {
  static constexpr std::string_view kForm = "0000-00-00T00:00:00";
  if (text.size() != kForm.size()) return std::nullopt;
  for (std::size_t i = 0; i < kForm.size(); ++i) {
    if (kForm[i] != '0' && text[i] != kForm[i]) return std::nullopt;
  }
  const auto year = DigitsAt(text, 0, 4);
  const auto month = DigitsAt(text, 5, 2);
  const auto day = DigitsAt(text, 8, 2);
  const auto hour = DigitsAt(text, 11, 2);
  const auto minute = DigitsAt(text, 14, 2);
  const auto second = DigitsAt(text, 17, 2);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  const auto instant = ToFileTime(CalendarTime{*year, *month, *day, *hour, *minute, *second, 0});
  if (!instant) return std::nullopt;
  return ToCalendarTime(*instant);  // with its day of the week, as a real clock reads
}

std::optional<EventsCommandLine> ParseEventsCommandLine(const std::vector<std::string>& args) {
  EventsCommandLine line;
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return line;
  if (args.size() >= 2 && args[0] == "schedule") {
    line.command = EventsCommandLine::Command::kSchedule;
    line.folder = PathFromUtf8(args[1]);
    if (ParseScheduleOptions(args, line)) return line;
  } else if (args.size() == 3 && args[0] == "import") {
    line.command = EventsCommandLine::Command::kImport;
    line.folder = PathFromUtf8(args[1]);
    line.eventsFolder = PathFromUtf8(args[2]);
    return line;
  }
  return std::nullopt;
}

std::string PendingEventText(const PendingEventDisplay& display) {
  return TerminalText(display.countdownTitle + L"\r\n" + display.startLine + display.eventLine + display.endLine);
}

int RunEventsTool(const std::vector<std::string>& args, const Clock& systemClock, std::ostream& out,
                  std::ostream& err) {
  const auto line = ParseEventsCommandLine(args);
  if (!line) {
    err << kEventsUsageText;
    return kEventsToolUsage;
  }
  switch (line->command) {
    case EventsCommandLine::Command::kHelp:
      out << kEventsUsageText;
      return kEventsToolDone;
    case EventsCommandLine::Command::kSchedule:
      if (line->now) return RunSchedule(*line, FixedClock(*line->now), out, err);
      return RunSchedule(*line, systemClock, out, err);
    case EventsCommandLine::Command::kImport:
      return RunImport(*line, systemClock, out, err);
  }
  return kEventsToolUsage;
}

}  // namespace zuna

#include "tools/events_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "capture/events/event_file.h"
#include "capture/events/event_test_records.h"
#include "support/fake_clock.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "tools/terminal_text.h"

namespace zuna {
namespace {

TEST(ParseUtcTimeArgument, TakesExactlyTheIsoFormOfARealInstant) {
  const auto t = ParseUtcTimeArgument("2024-03-05T09:08:07");
  ASSERT_TRUE(t);
  EXPECT_EQ(*t, (CalendarTime{2024, 3, 5, 9, 8, 7, 0}));
  EXPECT_EQ(t->dayOfWeek, 2);  // a Tuesday, as a real clock would say
  EXPECT_TRUE(ParseUtcTimeArgument("2024-02-29T23:59:59"));

  for (const char* text :
       {"", "2024-03-05", "2024-03-05 09:08:07", "2024-3-05T09:08:07", "2024-03-05T09:08:07Z", "2024-03-05t09:08:07",
        "+024-03-05T09:08:07", "2024-03-05T9:08:07.", "2023-02-29T00:00:00", "2024-13-01T00:00:00",
        "2024-03-05T24:00:00", "2024-03-05T23:60:00", "1600-12-31T23:59:59"}) {
    EXPECT_FALSE(ParseUtcTimeArgument(text)) << text;
  }
}

TEST(ParseEventsCommandLine, KnowsTheTwoCommandsAndTheirArguments) {
  const auto schedule = ParseEventsCommandLine({"schedule", "events"});
  ASSERT_TRUE(schedule);
  EXPECT_EQ(schedule->command, EventsCommandLine::Command::kSchedule);
  EXPECT_EQ(schedule->folder, "events");
  EXPECT_FALSE(schedule->now);

  const auto replay = ParseEventsCommandLine({"schedule", "events", "--now", "2024-03-05T09:00:00"});
  ASSERT_TRUE(replay && replay->now);
  EXPECT_EQ(*replay->now, (CalendarTime{2024, 3, 5, 9, 0, 0, 0}));

  const auto import = ParseEventsCommandLine({"import", "xml", "events"});
  ASSERT_TRUE(import);
  EXPECT_EQ(import->command, EventsCommandLine::Command::kImport);
  EXPECT_EQ(import->folder, "xml");
  EXPECT_EQ(import->eventsFolder, "events");

  EXPECT_EQ(ParseEventsCommandLine({"--help"})->command, EventsCommandLine::Command::kHelp);
}

TEST(ParseEventsCommandLine, RejectsEverythingElse) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"schedule"},
      {"schedule", "events", "--now"},
      {"schedule", "events", "--now", "tonight"},
      {"schedule", "events", "--later", "2024-03-05T09:00:00"},
      {"schedule", "events", "extra"},
      {"schedule", "events", "--now", "2024-03-05T09:00:00", "extra"},
      {"import", "xml"},
      {"import", "xml", "events", "extra"},
      {"import", "xml", "events", "--now", "2024-03-05T09:00:00"},
      {"list", "events"},
      {"--help", "schedule"},
  };
  for (const auto& args : wrong) EXPECT_FALSE(ParseEventsCommandLine(args)) << args.size();
}

TEST(TerminalText, EndsLinesWithLineFeedsAndWritesUtf8) {
  EXPECT_EQ(TerminalText(L"\r\n12:00:00 (UTC)\r\nA\rB\n"), "\n12:00:00 (UTC)\nA\nB\n");
  EXPECT_EQ(TerminalText(L"Ce\u00e9 \u20ac \U0001F52D"), "Ce\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x94\xAD");
  EXPECT_EQ(TerminalText(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
  // Windows' wide texts are UTF-16: a surrogate pair is one character.
  const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDD2D)};
  EXPECT_EQ(TerminalText(pair), "\xF0\x9F\x94\xAD");
  EXPECT_EQ(Utf8Text(L"a\r\n\u00e4" + pair), "a\r\n\xC3\xA4\xF0\x9F\x94\xAD");
}

TEST(TerminalText, ShowsControlCharactersOfNamesEscaped) {
  const std::wstring name =
      L"File \"evil\x1B]0;pwned\x07\x9B"
      L"2J\x7F.avi\"\r\n";
  EXPECT_EQ(TerminalText(name),
            "File \"evil\\x1B]0;pwned\\x07\\x9B"
            "2J\\x7F.avi\"\n");
  EXPECT_EQ(TerminalText(L"a\tb\x08"), "a\tb\\x08");
  EXPECT_EQ(TerminalPath(PathFromUtf8("dir\x1B[2J/\xC2\x9B"
                                      "1m\n\xC3\xA4")),
            "dir\\x1B[2J/\\x9B"
            "1m\\x0A\xC3\xA4");
}

// The tool run as a user runs it, with the computer's clock standing at 2024-03-05 09:00:00 UTC.
class EventsTool : public ::testing::Test {
 protected:
  EventsTool() { clock.utc = clock.local = {2024, 3, 5, 9, 0, 0, 0}; }

  int Run(const std::vector<std::string>& args) {
    out.str({});
    err.str({});
    return RunEventsTool(args, clock, out, err);
  }

  // An event on 2024-03-05 as the scheduling dialog writes it.
  void WriteEvent(const std::string& name, const std::wstring& hour, const std::wstring& minute,
                  const std::wstring& minutes, bool shutdown = false) {
    EventFileRecord r = test::DialogRecord(L"2024", L" 3", L" 5", hour, minute, L" 0", L" 0", minutes, L" 0");
    r.shutdown = shutdown ? L"true" : L"false";
    ASSERT_TRUE(WriteEventFile(events / name, r));
  }

  test::FakeClock clock;
  test::TempFolder events;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(EventsTool, AWrongCommandLinePrintsTheUsage) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(err.str(), kEventsUsageText);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Run({"schedule", events.Path().string(), "--now", "2024-03-05"}), 2);
  EXPECT_EQ(err.str(), kEventsUsageText);

  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(out.str(), kEventsUsageText);
  EXPECT_EQ(err.str(), "");
}

TEST_F(EventsTool, ScheduleReplaysTheRebuildAtTheGivenInstant) {
  WriteEvent("2024_03_05_10_00_00_.ief", L"10", L" 0", L" 2", true);
  WriteEvent("2024_03_05_11_00_00_.ief", L"11", L" 0", L" 2");
  EXPECT_EQ(Run({"schedule", events.Path().string(), "--now", "2024-03-05T10:30:00"}), 0);
  EXPECT_EQ(err.str(), "");
  // The first event is over at 10:30; the time stamps are those of the replayed instant.
  EXPECT_EQ(out.str(),
            "\n"
            "10:30:00 (UTC)\n"
            "The following Events are Loaded (scheduled):\n"
            "    2024_03_05_11_00_00_.ief\n"
            "\n"
            "Current Event Information (UTC):\n"
            "    Start time:\tMAR 5, 2024  10:59:00\n"
            "    Event time:\tMAR 5, 2024  11:00:00\n"
            "    End time:\tMAR 5, 2024  11:01:00\n"
            "    Recording duration: 2 minutes  \n"  // the words keep their trailing spaces
            "\n"
            "\n"
            "Event Pending\n"
            "    Start time:\tMAR 5, 2024  10:59:00\n"
            "    Event time:\tMAR 5, 2024  11:00:00\n"
            "    End time:\tMAR 5, 2024  11:01:00\n");
}

TEST_F(EventsTool, ScheduleWithoutAnInstantUsesTheComputersClock) {
  WriteEvent("2024_03_05_10_00_00_.ief", L"10", L" 0", L" 2", true);
  EXPECT_EQ(Run({"schedule", events.Path().string()}), 0);
  const std::string text = out.str();
  EXPECT_EQ(text.find("\n09:00:00 (UTC)\nThe following Events are Loaded (scheduled):\n"), 0u) << text;
  EXPECT_NE(text.find("NOTE: computer will shut down 30 seconds after recording ends\n"), std::string::npos);
  EXPECT_NE(text.find("\nEvent Pending\n    Start time:\tMAR 5, 2024  09:59:00\n"), std::string::npos);
}

TEST_F(EventsTool, ScheduleNamesFilesThatCannotBeScheduled) {
  test::TempFolder::WriteFile(events / "notes.ief", "no event here");
  EXPECT_EQ(Run({"schedule", events.Path().string()}), 0);
  const std::string text = out.str();
  EXPECT_NE(text.find("WARNING: event file notes.ief is incomplete; it is not scheduled\n"), std::string::npos) << text;
  EXPECT_NE(text.find("There are no scheduled Events\n"), std::string::npos);
  EXPECT_EQ(text.find("Event Pending"), std::string::npos);
}

TEST_F(EventsTool, AnEmptyFolderHasNoScheduledEvents) {
  EXPECT_EQ(Run({"schedule", events.Path().string()}), 0);
  EXPECT_EQ(out.str(), "\nThere are no scheduled Events\n\n");
}

TEST_F(EventsTool, FolderNamesAreUtf8) {
  const std::string name = "Beobachtungen M\xC3\xA4rz";
  std::filesystem::create_directory(PathFromUtf8(PathUtf8(events.Path()) + "/" + name));
  EXPECT_EQ(Run({"schedule", PathUtf8(events.Path()) + "/" + name}), 0);
  EXPECT_EQ(out.str(), "\nThere are no scheduled Events\n\n");
  EXPECT_EQ(Run({"schedule", PathUtf8(events.Path()) + "/" + name + "x"}), 1);
  EXPECT_NE(err.str().find(name + "x\""), std::string::npos) << err.str();
}

TEST_F(EventsTool, AFolderThatCannotBeReadEndsWithStatusOne) {
  const std::string missing = (events / "missing").string();
  EXPECT_EQ(Run({"schedule", missing}), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("zuna-events: cannot read the folder \"" + missing + "\""), std::string::npos);

  WriteEvent("a.ief", L"10", L" 0", L" 2");
  EXPECT_EQ(Run({"schedule", (events / "a.ief").string()}), 1);  // a file is no folder
}

TEST_F(EventsTool, TheLogInstalledBeforeIsPutBack) {
  test::ScopedMemoryLog log;
  EXPECT_EQ(Run({"schedule", events.Path().string()}), 0);
  EXPECT_EQ(InstalledUserMessagesLog(), &log.log);
  EXPECT_EQ(log.Text(), L"");
}

std::string XmlEvent(const std::string& month) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!--ZUNA event file-->\r\n<Root>\r\n"
         "  <EventYear value=\"2024\" />\r\n  <EventMonth value=\"" +
         month +
         "\" />\r\n  <EventDay value=\"5\" />\r\n  <EventHour value=\"10\" />\r\n"
         "  <EventMinute value=\"0\" />\r\n  <EventSecond value=\"0\" />\r\n  <DurationHours value=\"0\" />\r\n"
         "  <DurationMinutes value=\"2\" />\r\n  <DurationSeconds value=\"0\" />\r\n"
         "  <Hibernate value=\"False\" />\r\n  <Shutdown value=\"False\" />\r\n  <Comment value=\"\" />\r\n"
         "  <AsteroidName value=\"Pallas\" />\r\n  <StarName value=\"TYC 1-2-3\" />\r\n</Root>\r\n";
}

TEST_F(EventsTool, ImportConvertsTheFilesAndCountsThem) {
  test::TempFolder xml;
  test::TempFolder::WriteFile(xml / "a.ief", XmlEvent("3"));
  test::TempFolder::WriteFile(xml / "b.ief", XmlEvent("4"));
  EXPECT_EQ(Run({"import", xml.Path().string(), events.Path().string()}), 0);
  EXPECT_EQ(out.str(),
            "\n09:00:00 (UTC)\nImporting xml based events from selected folder\n2 Event files were imported\n\n");
  EXPECT_TRUE(std::filesystem::exists(events / "2024_03_05_10_00_00_.ief"));
  EXPECT_TRUE(std::filesystem::exists(events / "2024_04_05_10_00_00_.ief"));

  EXPECT_EQ(Run({"import", xml.Path().string(), events.Path().string()}), 0);
  EXPECT_NE(out.str().find("\nNo Event files were imported - all were duplicates\n"), std::string::npos);
}

TEST_F(EventsTool, ImportOfAFolderWithoutEventFilesSaysSo) {
  test::TempFolder xml;
  EXPECT_EQ(Run({"import", xml.Path().string(), events.Path().string()}), 0);
  EXPECT_NE(out.str().find("\n09:00:00 (UTC)\nSelected directory has no event files\n"), std::string::npos)
      << out.str();
}

TEST_F(EventsTool, ImportNeedsBothFolders) {
  test::TempFolder xml;
  test::TempFolder::WriteFile(xml / "a.ief", XmlEvent("3"));
  EXPECT_EQ(Run({"import", (xml / "missing").string(), events.Path().string()}), 1);
  EXPECT_EQ(Run({"import", xml.Path().string(), (events / "missing").string()}), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("missing"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(events / "missing"));
}

}  // namespace
}  // namespace zuna

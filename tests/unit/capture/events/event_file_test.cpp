#include "capture/events/event_file.h"

#include <gtest/gtest.h>

#include "capture/events/event_test_records.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

constexpr char kCeresFile[] =
    "<-ZUNA Event File Version 2.4->\n"
    "    <EventYear 2024>\n"
    "    <EventMonth  5>\n"
    "    <EventDay 17>\n"
    "    <EventHour  3>\n"
    "    <EventMinute  4>\n"
    "    <EventSecond  5>\n"
    "    <DurationHour  0>\n"
    "    <DurationMinute 10>\n"
    "    <DurationSecond  0>\n"
    "    <Hibernate true>\n"
    "    <Shutdown false>\n"
    "    <Comment Ceres [north limit] #2>\n"
    "    <AsteroidName Ceres>\n"
    "    <StarName TYC 1234-5678-1>\n";

EventFileRecord CeresRecord() {
  EventFileRecord r = test::DialogRecord(L"2024", L" 5", L"17", L" 3", L" 4", L" 5", L" 0", L"10", L" 0");
  r.hibernate = L"true";
  r.comment = L"Ceres [north limit] #2";
  r.asteroidName = L"Ceres";
  r.starName = L"TYC 1234-5678-1";
  return r;
}

std::wstring MissingField(const char* tag) {
  return L"\r\nLogic error: options file missing \"" + std::wstring(tag, tag + std::char_traits<char>::length(tag)) +
         L"\" text\r\n";
}

TEST(EventFileWriter, WritesTheVersionFormByteForByte) {
  test::TempFolder folder;
  ASSERT_TRUE(WriteEventFile(folder / "a.ief", CeresRecord()));
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "a.ief"), kCeresFile);

  // Replacing an existing, longer file leaves nothing of it behind.
  test::TempFolder::WriteFile(folder / "b.ief", std::string(2000, 'x'));
  ASSERT_TRUE(WriteEventFile(folder / "b.ief", CeresRecord()));
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "b.ief"), kCeresFile);
}

TEST(EventFileWriter, CutsValuesAtTheirCapacityAndRefusesWhatItCannotCreate) {
  test::TempFolder folder;
  test::ScopedMemoryLog log;
  EventFileRecord r = CeresRecord();
  r.comment = std::wstring(50, L'c');
  r.asteroidName = std::wstring(30, L'a');
  r.eventYear = L"20240000000000";
  ASSERT_TRUE(WriteEventFile(folder / "long.ief", r));
  const std::string text = test::TempFolder::ReadFile(folder / "long.ief");
  EXPECT_NE(text.find("<Comment " + std::string(36, 'c') + ">\n"), std::string::npos);
  EXPECT_NE(text.find("<AsteroidName " + std::string(21, 'a') + ">\n"), std::string::npos);
  EXPECT_NE(text.find("<EventYear 202400000>\n"), std::string::npos);

  EXPECT_FALSE(WriteEventFile({}, r));
  EXPECT_FALSE(WriteEventFile(folder / "no such folder" / "x.ief", r));
  EXPECT_EQ(log.Text(), L"");  // a file that cannot be created is the caller's to report
}

TEST(EventFileWriter, AFailedWriteIsReportedAndIsNoSuccess) {
  // The full device takes the open but refuses the bytes.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no full device here";
  test::ScopedMemoryLog log;
  EXPECT_FALSE(WriteEventFile("/dev/full", CeresRecord()));
  EXPECT_EQ(log.Text(), L"\r\nWriteEventFile::WriteFile error: 28");  // ENOSPC
  EXPECT_TRUE(std::filesystem::exists("/dev/full"));                  // only a regular file is removed
}

TEST(EventFileReader, ReadsBackWhatWasWritten) {
  test::TempFolder folder;
  ASSERT_TRUE(WriteEventFile(folder / "2024_05_17_03_04_05_Ceres.ief", CeresRecord()));
  EventFileRecord read;
  ASSERT_TRUE(ReadEventFile(folder.Path(), L"2024_05_17_03_04_05_Ceres.ief", read));
  const EventFileRecord expected = CeresRecord();
  for (const auto& field : kEventFields) EXPECT_EQ(read.*field.member, expected.*field.member) << field.tag.data();
  EXPECT_EQ(read.eventMonth, L" 5");  // the padding blank survives

  EXPECT_FALSE(ReadEventFile(folder.Path(), L"missing.ief", read));
  EXPECT_FALSE(ReadEventFile(folder.Path(), L"", read));
}

TEST(EventFileReader, FindsFieldsAroundForeignTextAndTakesExactlyTwoCharacters) {
  test::ScopedMemoryLog log;
  std::string text = kCeresFile;
  text.insert(0, "some header line\r\n\r\n");
  // Carriage returns and blank lines between fields.
  for (std::size_t at = text.find(">\n"); at != std::string::npos; at = text.find(">\n", at + 4)) {
    text.replace(at, 2, ">\r\n\r\n");
  }
  // A month written without padding reads as "5>" and a capital T is not "true".
  text.replace(text.find("<EventMonth  5>"), 15, "<EventMonth 5>");
  text.replace(text.find("<Hibernate true>"), 16, "<Hibernate True>");
  EventFileRecord r;
  ASSERT_TRUE(ParseEventFileText(text, r));
  EXPECT_EQ(r.eventMonth, L"5>");
  EXPECT_EQ(r.hibernate, L"false");
  EXPECT_EQ(r.shutdown, L"false");
  EXPECT_EQ(r.comment, L"Ceres [north limit] #2");
  EXPECT_EQ(r.starName, L"TYC 1234-5678-1");
  EXPECT_EQ(log.Text(), L"");
}

TEST(EventFileReader, ReportsTheMarkerOrTheFirstFieldItCannotFind) {
  test::ScopedMemoryLog log;
  EventFileRecord r;
  EXPECT_FALSE(ParseEventFileText("<-ZUNA Event File Version 2.3->\n", r));
  EXPECT_EQ(log.Text(), L"\r\nLogic error: options file missing <-ZUNA Event File Version 2.4-> text\r\n");

  // Lines in another order: the day lies before the month, so the search behind the month misses it.
  log.sink.Clear();
  std::string swapped = kCeresFile;
  swapped.replace(swapped.find("    <EventMonth  5>\n    <EventDay 17>\n"), 38,
                  "    <EventDay 17>\n    <EventMonth  5>\n");
  EXPECT_FALSE(ParseEventFileText(swapped, r));
  EXPECT_EQ(log.Text(), MissingField("EventDay"));
  EXPECT_EQ(r.eventYear, L"2024");  // fields found so far stay
  EXPECT_EQ(r.eventMonth, L" 5");

  // The marker after the fields: nothing in front of it counts.
  log.sink.Clear();
  std::string markerLast = kCeresFile;
  markerLast.erase(0, kEventFileMarker.size());
  markerLast += kEventFileMarker;
  EXPECT_FALSE(ParseEventFileText(markerLast, r));
  EXPECT_EQ(log.Text(), MissingField("EventYear"));

  // The version 2.4 reader knows only the singular duration tags.
  log.sink.Clear();
  std::string plural = kCeresFile;
  plural.replace(plural.find("<DurationHour "), 14, "<DurationHours ");
  EXPECT_FALSE(ParseEventFileText(plural, r));
  EXPECT_EQ(log.Text(), MissingField("DurationHour"));
}

TEST(EventFileReader, ReadsOnlyTheFirst8191BytesAndCutsLongValues) {
  test::TempFolder folder;
  test::ScopedMemoryLog log;
  EventFileRecord r;
  // The star name begins inside the limit and runs past it.
  std::string text = kCeresFile;
  text.erase(text.find("<StarName "));
  text += "<StarName ";
  text += std::string(kEventFileReadLimit - text.size() - 3, ' ') + "abcdef>\n";
  test::TempFolder::WriteFile(folder / "edge.ief", text);
  ASSERT_TRUE(ReadEventFile(folder.Path(), L"edge.ief", r));
  EXPECT_EQ(r.starName, std::wstring(21, L' '));  // cut at its capacity

  // A star name tag that starts beyond byte 8191 is not seen.
  std::string far = kCeresFile;
  far.erase(far.find("    <StarName "));
  far += std::string(kEventFileReadLimit, '\n') + "<StarName x>\n";
  test::TempFolder::WriteFile(folder / "far.ief", far);
  EXPECT_FALSE(ReadEventFile(folder.Path(), L"far.ief", r));
  EXPECT_EQ(log.Text(), MissingField("StarName"));

  // A value without its closing ">" runs to the end of what was read and is cut at capacity.
  std::string open = kCeresFile;
  open.erase(open.find("Ceres [north"));
  open += std::string(100, 'z');
  ParseEventFileText(open, r);
  EXPECT_EQ(r.comment, std::wstring(36, L'z'));
}

TEST(EventFileReader, ValuesEndAtANulByte) {
  std::string text = kCeresFile;
  text.replace(text.find("Ceres>"), 6, std::string("Ce\0res>", 7));
  EventFileRecord r;
  ASSERT_TRUE(ParseEventFileText(text, r));
  EXPECT_EQ(r.asteroidName, L"Ce");
}

}  // namespace
}  // namespace zuna

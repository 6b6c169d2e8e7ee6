#include <gtest/gtest.h>

#include "capture/events/event_file.h"
#include "capture/events/event_file_name.h"
#include "capture/events/xml_event_import.h"
#include "capture/events/xml_event_reader.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

std::string XmlEvent(const std::string& month = "7", const std::string& day = "4",
                     const std::string& hibernate = "False", const std::string& star = "TYC 1-2-3") {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
         "<!--ZUNA event file-->\r\n"
         "<Root>\r\n"
         "  <EventYear value=\"2012\" />\r\n"
         "  <EventMonth value=\"" +
         month +
         "\" />\r\n"
         "  <EventDay value=\"" +
         day +
         "\" />\r\n"
         "  <EventHour value=\"5\" />\r\n"
         "  <EventMinute value=\"6\" />\r\n"
         "  <EventSecond value=\"7\" />\r\n"
         "  <DurationHours value=\"0\" />\r\n"
         "  <DurationMinutes value=\"10\" />\r\n"
         "  <DurationSeconds value=\"30\" />\r\n"
         "  <Hibernate value=\"" +
         hibernate +
         "\" />\r\n"
         "  <Shutdown value=\"True\" />\r\n"
         "  <Comment value=\"near miss\" />\r\n"
         "  <AsteroidName value=\"Pallas\" />\r\n"
         "  <StarName value=\"" +
         star +
         "\" />\r\n"
         "</Root>\r\n";
}

TEST(XmlEventReader, StoresOneDigitValuesBlankPaddedAndTwoAsTheyStand) {
  EventFileRecord r;
  ASSERT_TRUE(ParseXmlEventText(XmlEvent("7", "11"), r));
  EXPECT_EQ(r.eventYear, L"2012");
  EXPECT_EQ(r.eventMonth, L" 7");
  EXPECT_EQ(r.eventDay, L"11");
  EXPECT_EQ(r.eventHour, L" 5");
  EXPECT_EQ(r.durationHour, L" 0");
  EXPECT_EQ(r.durationMinute, L"10");
  EXPECT_EQ(r.durationSecond, L"30");
  EXPECT_EQ(r.hibernate, L"false");
  EXPECT_EQ(r.shutdown, L"true");
  EXPECT_EQ(r.comment, L"near miss");
  EXPECT_EQ(r.asteroidName, L"Pallas");
  EXPECT_EQ(r.starName, L"TYC 1-2-3");
}

TEST(XmlEventReader, OnlyACapitalFMeansFalse) {
  EventFileRecord r;
  for (const char* word : {"false", "", "no", "True"}) {
    ASSERT_TRUE(ParseXmlEventText(XmlEvent("7", "4", word), r));
    EXPECT_EQ(r.hibernate, L"true") << word;
  }
  ASSERT_TRUE(ParseXmlEventText(XmlEvent("7", "4", "Fx"), r));
  EXPECT_EQ(r.hibernate, L"false");
}

TEST(XmlEventReader, APreambleOutOfPlaceIsSilentlyNoEventFile) {
  test::ScopedMemoryLog log;
  EventFileRecord r;
  const std::string good = XmlEvent();
  EXPECT_FALSE(ParseXmlEventText("", r));
  EXPECT_FALSE(ParseXmlEventText("<-ZUNA Event File Version 2.4->\n", r));
  EXPECT_FALSE(ParseXmlEventText("<!--ZUNA-->" + good, r));  // the declaration must come first
  std::string noComment = good;
  noComment.replace(noComment.find("<!--ZUNA"), 8, "<!--Zuna");
  EXPECT_FALSE(ParseXmlEventText(noComment, r));
  std::string noRoot = good;
  noRoot.replace(noRoot.find("<Root>"), 6, "<root>");
  EXPECT_FALSE(ParseXmlEventText(noRoot, r));
  EXPECT_EQ(log.Text(), L"");
}

TEST(XmlEventReader, AMissingElementIsReportedByItsXmlName) {
  test::ScopedMemoryLog log;
  EventFileRecord r;
  std::string text = XmlEvent();
  text.replace(text.find("<DurationMinutes "), 17, "<DurationMinute ");
  EXPECT_FALSE(ParseXmlEventText(text, r));
  EXPECT_EQ(log.Text(), L"\r\nLogic error: options file missing \"DurationMinutes\" text\r\n");
  EXPECT_EQ(r.durationHour, L" 0");

  // Elements are searched only behind the root element.
  log.sink.Clear();
  std::string before = XmlEvent();
  before.insert(0, "<EventYear value=\"1999\" />");
  before.erase(before.find("  <EventYear value=\"2012\" />\r\n"), 30);
  EXPECT_FALSE(ParseXmlEventText(before, r));
  EXPECT_EQ(log.Text(), L"");  // the declaration is no longer at the first "<"
}

TEST(XmlEventReader, ValuesRunningOffTheEndAreCut) {
  EventFileRecord r;
  std::string text = XmlEvent();
  text.erase(text.find("TYC 1-2-3"));
  text += std::string(500, 's');
  ASSERT_TRUE(ParseXmlEventText(text, r));
  EXPECT_EQ(r.starName, std::wstring(21, L's'));

  // The last element's value starts beyond the end of the text.
  std::string cut = XmlEvent();
  cut.erase(cut.find("<StarName ") + 12);
  ASSERT_TRUE(ParseXmlEventText(cut, r));
  EXPECT_EQ(r.starName, L"");
}

class XmlImport : public ::testing::Test {
 protected:
  void SetUp() override { BuildNameSuffix(L"", L"", L"", false); }
  std::vector<std::string> EventNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(events.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  test::TempFolder xml;
  test::TempFolder events;
  test::ScopedMemoryLog log;
};

TEST_F(XmlImport, WritesAVersionFileNamedByDateAndSuffixAndSkipsItTheSecondTime) {
  log.clock.utc = {2024, 1, 2, 10, 11, 12, 0};
  test::TempFolder::WriteFile(xml / "old.ief", XmlEvent());
  EXPECT_EQ(ImportXmlEvents(xml.Path(), events.Path()), 1);
  ASSERT_EQ(EventNames(), std::vector<std::string>{"2012_07_04_05_06_07_.ief"});
  EventFileRecord r;
  ASSERT_TRUE(ReadEventFile(events.Path(), L"2012_07_04_05_06_07_.ief", r));
  EXPECT_EQ(r.eventMonth, L" 7");
  EXPECT_EQ(r.starName, L"TYC 1-2-3");

  EXPECT_EQ(ImportXmlEvents(xml.Path(), events.Path()), 0);
  EXPECT_EQ(log.Text(),
            L"\r\n1 Event file was imported\r\n"
            L"\r\nNo Event files were imported - all were duplicates\r\n");
}

TEST_F(XmlImport, TheDuplicateTestKnowsBothDateOrdersAndTheCurrentSuffix) {
  test::TempFolder::WriteFile(xml / "a.ief", XmlEvent("7", "4"));
  test::TempFolder::WriteFile(xml / "b.ief", XmlEvent("8", "4"));
  test::TempFolder::WriteFile(xml / "c.ief", XmlEvent("9", "4"));
  test::TempFolder::WriteFile(events / "07_04_2012_05_06_07_.ief", "");  // the month-first form
  EXPECT_EQ(ImportXmlEvents(xml.Path(), events.Path()), 2);
  EXPECT_EQ(log.Text(), L"\r\n2 Event files were imported\r\n");

  // Under another suffix the same events are new.
  BuildNameSuffix(L"Pallas", L"", L"", false);
  EXPECT_EQ(ImportXmlEvents(xml.Path(), events.Path()), 3);
  EXPECT_EQ(EventNames(), (std::vector<std::string>{"07_04_2012_05_06_07_.ief", "2012_07_04_05_06_07__Pallas.ief",
                                                    "2012_08_04_05_06_07_.ief", "2012_08_04_05_06_07__Pallas.ief",
                                                    "2012_09_04_05_06_07_.ief", "2012_09_04_05_06_07__Pallas.ief"}));
}

TEST_F(XmlImport, NothingToImportAndFilesOfOtherFormsOrWithBadDates) {
  EXPECT_EQ(ImportXmlEvents(xml.Path(), events.Path()), -1);
  EXPECT_EQ(ImportXmlEvents(xml / "missing", events.Path()), -1);
  EXPECT_EQ(log.Text(),
            L"\r\n21:07:09 (UTC)\r\nSelected directory has no event files"
            L"\r\n21:07:09 (UTC)\r\nSelected directory has no event files");

  log.sink.Clear();
  test::TempFolder::WriteFile(xml / "new.ief", "<-ZUNA Event File Version 2.4->\n");
  test::TempFolder::WriteFile(xml / "notes.txt", XmlEvent());
  // Date fields that would make a path or no date at all.
  test::TempFolder::WriteFile(xml / "path.ief", XmlEvent("/.", "4"));
  test::TempFolder::WriteFile(xml / "date.ief", XmlEvent("2", "30"));
  EXPECT_EQ(ImportXmlEvents(xml.Path(), events.Path()), 0);
  EXPECT_EQ(log.Text(),
            L"\r\nWARNING: XML event file date.ief has no valid event date, time or duration; it is not imported\r\n"
            L"\r\nWARNING: XML event file path.ief has no valid event date, time or duration; it is not imported\r\n"
            L"\r\nNo Event files were imported - all were duplicates\r\n");
  EXPECT_TRUE(EventNames().empty());
}

}  // namespace
}  // namespace zuna

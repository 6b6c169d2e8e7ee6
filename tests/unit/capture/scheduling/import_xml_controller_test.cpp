#include "capture/scheduling/import_xml_controller.h"

#include <gtest/gtest.h>

#include "support/fake_window_view.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

class ScriptedFolderPicker final : public FolderPicker {
 public:
  std::optional<std::wstring> PickFolder() override { return answer; }
  std::optional<std::wstring> answer;
};

std::string XmlEvent(const std::string& hour) {
  return "<?xml version=\"1.0\"?>\r\n<!--ZUNA event file-->\r\n<Root>\r\n"
         "  <EventYear value=\"2012\" />\r\n  <EventMonth value=\"7\" />\r\n  <EventDay value=\"4\" />\r\n"
         "  <EventHour value=\"" +
         hour +
         "\" />\r\n  <EventMinute value=\"6\" />\r\n  <EventSecond value=\"7\" />\r\n"
         "  <DurationHours value=\"0\" />\r\n  <DurationMinutes value=\"10\" />\r\n"
         "  <DurationSeconds value=\"30\" />\r\n  <Hibernate value=\"False\" />\r\n"
         "  <Shutdown value=\"False\" />\r\n  <Comment value=\"x\" />\r\n  <AsteroidName value=\"Pallas\" />\r\n"
         "  <StarName value=\"\" />\r\n</Root>\r\n";
}

class ImportXmlWindow : public ::testing::Test {
 protected:
  ImportXmlWindow() {
    import.SetMenuCheck([this](bool on) { menuChecked = on;
  });
}

test::ScopedMemoryLog log;
test::TempFolder source;
test::TempFolder events;
test::FakeWindowView view;
ScriptedFolderPicker picker;
bool menuChecked = false;
ImportXmlController import{view, picker, events.Path()};
};  // namespace

TEST_F(ImportXmlWindow, OkIsEnabledOnlyOnceAFolderWasChosen) {
  import.Toggle();
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(menuChecked);
  EXPECT_FALSE(view.enabled[kImportOkButton]);
  import.OnSelectFolder();  // cancelled
  EXPECT_FALSE(view.enabled[kImportOkButton]);
  EXPECT_EQ(view.texts[kImportFolderText], L"");

  picker.answer = L"C:\\Events";
  import.OnSelectFolder();
  EXPECT_EQ(view.texts[kImportFolderText], L"C:\\Events\\");
  EXPECT_TRUE(view.enabled[kImportOkButton]);
  picker.answer.reset();
  import.OnSelectFolder();  // a cancelled picker changes nothing
  EXPECT_EQ(view.texts[kImportFolderText], L"C:\\Events\\");
  EXPECT_TRUE(view.enabled[kImportOkButton]);

  import.Toggle();
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(menuChecked);
  view.texts.clear();
  import.Toggle();  // reopened, it shows the folder chosen before
  EXPECT_EQ(view.texts[kImportFolderText], L"C:\\Events\\");
}

TEST_F(ImportXmlWindow, AFolderPathTooLongToKeepIsNoChoice) {
  import.Open();
  picker.answer = L"C:\\" + std::wstring(508, L'x');  // 512 characters with the backslash
  import.OnSelectFolder();
  EXPECT_EQ(view.texts[kImportFolderText], L"");
  EXPECT_FALSE(view.enabled[kImportOkButton]);
  picker.answer = L"C:\\" + std::wstring(507, L'x') + L"\\";  // 511 characters
  import.OnSelectFolder();
  EXPECT_EQ(view.texts[kImportFolderText].size(), kMaxPickedFolderLength);
  EXPECT_TRUE(view.enabled[kImportOkButton]);
}

TEST_F(ImportXmlWindow, OkImportsTheFolderAndASecondRunFindsOnlyDuplicates) {
  test::TempFolder::WriteFile(source / "a.ief", XmlEvent("5"));
  test::TempFolder::WriteFile(source / "b.ief", XmlEvent("6"));
  import.Open();
  picker.answer = source.Path().wstring();
  import.OnSelectFolder();
  import.OnOk();
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(menuChecked);
  EXPECT_NE(log.Text().find(L"Importing xml based events from selected folder"), std::wstring::npos);
  EXPECT_NE(log.Text().find(L"2 Event files were imported\r\n"), std::wstring::npos);
  EXPECT_TRUE(std::filesystem::exists(events / "2012_07_04_05_06_07_.ief"));
  EXPECT_TRUE(std::filesystem::exists(events / "2012_07_04_06_06_07_.ief"));

  log.sink.Clear();
  import.Open();
  import.OnOk();
  EXPECT_NE(log.Text().find(L"No Event files were imported - all were duplicates\r\n"), std::wstring::npos);
}

}  // namespace zuna
}  // namespace zuna

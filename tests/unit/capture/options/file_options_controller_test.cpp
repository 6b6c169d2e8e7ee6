#include "capture/options/file_options_controller.h"

#include <gtest/gtest.h>

#include "options_dialog_fixture.h"

namespace zuna {
namespace {

class ScriptedFolderPicker final : public FolderPicker {
 public:
  std::optional<std::wstring> PickFolder() override { return answer; }
  std::optional<std::wstring> answer;
};

class FileOptions : public test::OptionsDialogFixture {
 protected:
  FileOptions() {
    options.SetText(kVideoDirectoryKey, L"C:\\ZUNA\\VideoFiles\\");
    options.SetText(kUserMessagesDirectoryKey, L"C:\\ZUNA\\MessageFilesVC\\");
  }
  void Type(int edit, std::wstring_view text) {
    view.SetText(edit, text);
    files.OnPrefixChanged(edit);
  }
  ScriptedFolderPicker picker;
  std::wstring computer = L"LAB.PC-01";
  FileOptionsController files{Parts(),
                              {picker, [this] { return computer; }, [] { return std::wstring(L"C:\\ZUNA\\"); }}};
};

TEST(ExampleFileName, PutsThePrefixOnTheSideTheDateLeavesFree) {
  EXPECT_EQ(ExampleFileName(L"moon", true, L".avi"), L"moon_mm_dd_yyyy_hh_mm_ss.avi");
  EXPECT_EQ(ExampleFileName(L"moon", false, L".txt"), L"yyyy_mm_dd_hh_mm_ss_moon.txt");
  EXPECT_EQ(ExampleFileName(L"", true, L".avi"), L"mm_dd_yyyy_hh_mm_ss.avi");
  EXPECT_EQ(ExampleFileName(L"", false, L".avi"), L"yyyy_mm_dd_hh_mm_ss.avi");
}

TEST_F(FileOptions, OpensWithTheOptionsAndTheLabelsOfTheDatePlace) {
  options.SetText(kVideoNamePrefixKey, L"moon");
  options.SetText(kEventFileGlobalPrefixKey, L"obs");
  files.Open();
  EXPECT_EQ(view.Text(kVideoPrefixEdit), L"moon");
  EXPECT_EQ(view.Text(kVideoExampleText), L"yyyy_mm_dd_hh_mm_ss_moon.avi");
  EXPECT_EQ(view.Text(kLogExampleText), L"yyyy_mm_dd_hh_mm_ss.txt");
  EXPECT_EQ(view.Text(kVideoPrefixLabel), L"Postfix");
  EXPECT_EQ(view.Text(kEventPrefixLabel), L"Event file global postfix (12 chars max):");
  EXPECT_EQ(view.Text(kEventPrefixEdit), L"obs");
  EXPECT_EQ(view.Text(kVideoFolderText), L"C:\\ZUNA\\VideoFiles\\");
  files.Cancel();
  options.SetBoolean(kDateTimeAtEndKey, true);
  files.Open();
  EXPECT_EQ(view.Text(kLogPrefixLabel), L"Prefix");
  EXPECT_EQ(view.Text(kEventPrefixLabel), L"Event file global prefix (12 chars max):");
  EXPECT_EQ(view.Text(kVideoExampleText), L"moon_mm_dd_yyyy_hh_mm_ss.avi");
}

TEST_F(FileOptions, ASlashTypedIntoAPrefixIsRemovedWithOneMessage) {
  files.Open();
  Type(kVideoPrefixEdit, L"a/b");
  EXPECT_EQ(view.Text(kVideoPrefixEdit), L"ab");
  EXPECT_EQ(Count(kAllowedCharactersMessage), 1);
  EXPECT_EQ(TextToSave(kVideoNamePrefixKey), L"ab");
  EXPECT_EQ(options.Text(kVideoNamePrefixKey), L"");
  files.OnPrefixChanged(kVideoPrefixEdit);  // the edit's own notice of the filtered text
  EXPECT_EQ(Count(kAllowedCharactersMessage), 1);
  Type(kEventPrefixEdit, L"obs.1234567890");
  EXPECT_EQ(TextToSave(kEventFileGlobalPrefixKey), L"obs12345678");
}

TEST_F(FileOptions, HostNameIsFilteredLoweredAndCutToTwelve) {
  files.Open();
  files.OnHostName();
  EXPECT_EQ(view.Text(kEventPrefixEdit), L"labpc-01");
  EXPECT_EQ(TextToSave(kEventFileGlobalPrefixKey), L"labpc-01");
  EXPECT_EQ(Count(kComputerNameFilteredMessage), 1);
  computer = L"OBSERVATORY-NORTH";
  files.OnHostName();
  EXPECT_EQ(view.Text(kEventPrefixEdit), L"observatory-");
  EXPECT_EQ(Count(kComputerNameFilteredMessage), 1);
}

TEST_F(FileOptions, FoldersComeFromThePickerOrTheDefaults) {
  files.Open();
  picker.answer = L"D:\\Occultations";
  files.OnSelectFolder(kVideoSelectFolderButton);
  EXPECT_EQ(view.Text(kVideoFolderText), L"D:\\Occultations\\");
  EXPECT_EQ(TextToSave(kVideoDirectoryKey), L"D:\\Occultations\\");
  picker.answer.reset();
  files.OnSelectFolder(kLogSelectFolderButton);
  EXPECT_EQ(view.Text(kLogFolderText), L"C:\\ZUNA\\MessageFilesVC\\");
  files.OnUseDefault(kVideoUseDefaultButton);
  EXPECT_EQ(view.Text(kVideoFolderText), L"C:\\ZUNA\\VideoFiles\\");
}

TEST_F(FileOptions, SaveMakesTheEditsTheValuesInUse) {
  files.Open();
  Type(kVideoPrefixEdit, L"moon");
  Type(kEventPrefixEdit, L"obs");
  picker.answer = L"D:\\Rec";
  files.OnSelectFolder(kVideoSelectFolderButton);
  files.OnSave();
  EXPECT_EQ(options.Text(kVideoNamePrefixKey), L"moon");
  EXPECT_EQ(options.Text(kEventFileGlobalPrefixKey), L"obs");
  EXPECT_EQ(options.Text(kVideoDirectoryKey), L"D:\\Rec\\");
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(Count(kFileOptionsSavedMessage), 1);
  EXPECT_FALSE(files.IsOpen());
}

TEST_F(FileOptions, CancelLeavesNothingForAnotherWindowsSaveToWrite) {
  files.Open();
  Type(kVideoPrefixEdit, L"moon");
  files.OnUseDefault(kLogUseDefaultButton);
  files.OnHostName();
  files.Cancel();
  EXPECT_EQ(TextToSave(kVideoNamePrefixKey), L"");
  EXPECT_EQ(TextToSave(kEventFileGlobalPrefixKey), L"");
  EXPECT_EQ(TextToSave(kUserMessagesDirectoryKey), L"C:\\ZUNA\\MessageFilesVC\\");
  EXPECT_EQ(saves, 0);
  files.Open();
  EXPECT_EQ(view.Text(kVideoPrefixEdit), L"");
}

}  // namespace
}  // namespace zuna

#include "common/foundation/zuna_common.h"

#include <gtest/gtest.h>

#include <set>

#include "common/text/path_text.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

TEST(StartFolders, IconsFolderInTheCurrentDirectoryOrItsParent) {
  std::set<std::wstring> existing{L"C:\\ZUNA\\ZunaVideoIcons"};
  auto exists = [&](const std::wstring& p) { return existing.count(p) > 0; };
  StartFolders here = FindStartFolders(L"C:\\ZUNA", exists);
  EXPECT_EQ(here.processDirectory, L"C:\\ZUNA\\");
  EXPECT_EQ(here.iconsFolder, L"C:\\ZUNA\\ZunaVideoIcons\\");
  StartFolders child = FindStartFolders(L"C:\\ZUNA\\x64\\", exists);
  EXPECT_EQ(child.currentDirectory, L"C:\\ZUNA\\x64\\");
  EXPECT_EQ(child.processDirectory, L"C:\\ZUNA\\");
  StartFolders none = FindStartFolders(L"C:\\Other", exists);
  EXPECT_EQ(none.processDirectory, L"C:\\Other\\");
  EXPECT_EQ(none.iconsFolder, L"");
}

class ZunaCommonTest : public ::testing::Test {
 protected:
  test::FakeClock clock;
  test::MemorySink sink;
  test::TempFolder folder;
};

TEST_F(ZunaCommonTest, IdentifiersStartAfterTheLogMenu) {
  ZunaCommon common(ProgramKind::kCapture, clock, {L"C:\\ZUNA\\", L"C:\\ZUNA\\", L""});
  EXPECT_EQ(common.NextIdentifier(), 32771u);
  EXPECT_EQ(common.NextIdentifier(), 32772u);
  EXPECT_FALSE(common.InDevelopmentTree());
  ZunaCommon dev(ProgramKind::kPlayback, clock, {L"C:\\ZUNA_Applications_V_2\\", L"C:\\", L""});
  EXPECT_TRUE(dev.InDevelopmentTree());
}

TEST_F(ZunaCommonTest, SaveClearAndSaveAndClearCommands) {
  ZunaCommon common(ProgramKind::kCapture, clock, {L"C:\\ZUNA\\", L"C:\\ZUNA\\", L""});
  common.Options().RegisterText(L"UserMessagesDirectory", folder.Text());
  common.Options().RegisterBoolean(L"DateTimeAtEnd");
  common.Log().SetReady(&sink);
  clock.utc = {2024, 3, 5, 21, 7, 9, 0};
  clock.local = clock.utc;
  common.ReportTimeZone();  // standard time, bias -60
  const std::wstring path = folder.Text() + L"msg_2024_03_05_20_07_09.txt";

  common.OnSaveMessages();
  const std::wstring saved = sink.text;
  EXPECT_NE(saved.find(L"User messages saved in log file \"" + path + L"\"\r\n"), std::wstring::npos);
  EXPECT_EQ(test::TempFolder::ReadFile(ToFsPath(path)),
            "\r\n21:07:09 (UTC)\r\nComputer local time is W. Europe Standard Time\r\n");

  common.OnSaveMessagesAndClear();
  EXPECT_EQ(sink.text,
            L"\r\n21:07:09 (UTC)\r\nUser messages saved in log file \"" + path + L"\" and all messages cleared\r\n");
  // The same second: the same name, the earlier file overwritten with the whole log of the moment.
  EXPECT_EQ(test::TempFolder::ReadFile(ToFsPath(path)), std::string(saved.begin(), saved.end()));

  common.OnClearMessages();
  EXPECT_EQ(sink.text, L"");
}

TEST_F(ZunaCommonTest, AFailedSaveSaysSoAndClearsNothing) {
  ZunaCommon common(ProgramKind::kCapture, clock, {L"C:\\ZUNA\\", L"C:\\ZUNA\\", L""});
  const std::wstring missing = folder.Text() + L"gone\\";
  common.Options().RegisterText(L"UserMessagesDirectory", missing);
  common.Options().RegisterBoolean(L"DateTimeAtEnd");
  common.Log().SetReady(&sink);
  clock.utc = {2024, 3, 5, 21, 7, 9, 0};
  clock.local = clock.utc;
  const std::wstring path = missing + L"msg_2024_03_05_21_07_09.txt";
  sink.text = L"the night's messages\r\n";

  EXPECT_FALSE(common.OnSaveMessages());
  EXPECT_NE(sink.text.find(L"WARNING: cannot save user messages in log file \"" + path + L"\"\r\n"),
            std::wstring::npos);
  EXPECT_EQ(sink.text.find(L"User messages saved"), std::wstring::npos);

  common.OnSaveMessagesAndClear();
  EXPECT_EQ(sink.text.find(L"the night's messages\r\n"), 0u);
  EXPECT_NE(sink.text.find(L"WARNING: cannot save user messages in log file \"" + path + L"\"; no message cleared\r\n"),
            std::wstring::npos);
}

TEST_F(ZunaCommonTest, ProgramCallbacksAreCalledAndTheirAbsenceReported) {
  ZunaCommon common(ProgramKind::kCapture, clock, {L"C:\\", L"C:\\", L""});
  common.Log().SetReady(&sink);
  clock.utc = {2024, 1, 1, 3, 4, 5, 0};
  EXPECT_FALSE(common.SaveOptionsFile());
  EXPECT_EQ(common.DisplayToolChanged(2, true), kFail);
  EXPECT_EQ(sink.text,
            L"\r\n03:04:05 (UTC)\r\nLogic error: attempt to close common window with 0 function pointer\r\n");
  int saves = 0;
  std::pair<int, bool> lastTool{-1, false};
  common.SetProgramCallbacks({[&](int tool, bool shown) {
                                lastTool = {tool, shown};
                                return kOk;
                              },
                              [&] { return ++saves == 1; }, nullptr});
  EXPECT_TRUE(common.SaveOptionsFile());
  EXPECT_FALSE(common.SaveOptionsFile());
  EXPECT_EQ(common.DisplayToolChanged(3, false), kOk);
  EXPECT_EQ(lastTool, (std::pair<int, bool>{3, false}));
  common.VideoSizeChanged();  // no callback: nothing happens
}

TEST_F(ZunaCommonTest, ItsLogIsTheProcesssLogWhileItLives) {
  {
    ZunaCommon common(ProgramKind::kPlayback, clock, {L"C:\\", L"C:\\", L""});
    EXPECT_EQ(InstalledUserMessagesLog(), &common.Log());
    PostStampedMessage(L"held\r\n");
    EXPECT_EQ(common.Log().PendingCount(), 1u);
  }
  EXPECT_EQ(InstalledUserMessagesLog(), nullptr);
}

}  // namespace
}  // namespace zuna

#include "common/text/path_text.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(ProgramFolder, CutsWhereTheExecutableNameBegins) {
  EXPECT_EQ(ProgramFolderFromExecutable(L"C:\\Astro\\ZUNA Video\\ZUNA_Capture.exe"), L"C:\\Astro\\ZUNA Video\\");
  EXPECT_EQ(ProgramFolderFromExecutable(L"C:\\ZUNA\\ZUNA_Playback.exe"), L"C:\\ZUNA\\");
}

TEST(ProgramFolder, FallsBackToTheExecutablesOwnFolder) {
  EXPECT_EQ(ProgramFolderFromExecutable(L"C:\\Tools\\capture.exe"), L"C:\\Tools\\");
  EXPECT_EQ(ProgramFolderFromExecutable(L"capture.exe"), L"");
  // A word "ZUNA" further than ten characters from the end is in a folder name and is found too:
  // the rule searches backwards from there.
  EXPECT_EQ(ProgramFolderFromExecutable(L"D:\\ZUNA_Apps\\bin\\viewer.exe"), L"D:\\");
}

TEST(DevelopmentTree, IsRecognisedByItsMarker) {
  EXPECT_TRUE(IsDevelopmentTree(L"C:\\src\\ZUNA_Applications_V_2_4\\x64\\"));
  EXPECT_FALSE(IsDevelopmentTree(L"C:\\ZUNA_Applications\\"));
}

TEST(PathText, TrailingBackslashIsAddedOnce) {
  EXPECT_EQ(WithTrailingBackslash(L"C:\\a"), L"C:\\a\\");
  EXPECT_EQ(WithTrailingBackslash(L"C:\\a\\"), L"C:\\a\\");
  EXPECT_EQ(ToFsPath(L"/tmp\\x\\y").generic_string(), "/tmp/x/y");
}

}  // namespace
}  // namespace zuna

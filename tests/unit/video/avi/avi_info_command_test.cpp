#include "video/avi/avi_info_command.h"

#include <gtest/gtest.h>

#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "video/avi_writer/avi_writer.h"

namespace zuna {
namespace {

using test::ScopedMemoryLog;
using test::TempFolder;

void WriteCapture(const std::filesystem::path& path) {
  AviWriter writer;
  ASSERT_EQ(writer.Open(path, AviVideoFormat::Yuy2(8, 4, 25, 1)), kOk);
  const std::vector<std::uint8_t> frame(8 * 4 * 2, 0);
  for (int i : {0, 1, 4, 5}) ASSERT_EQ(writer.WriteFrame(frame, i * 400000LL, true), kOk);
  ASSERT_EQ(writer.Close(), kOk);
}

TEST(AviInfoCommand, ReportsEachFileAndTheNumbersOfItsDroppedFrames) {
  ScopedMemoryLog log;
  TempFolder folder;
  WriteCapture(folder / "a.avi");
  EXPECT_EQ(ReportAviFiles({folder / "a.avi"}), 0);
  const std::wstring& text = log.Text();
  const std::wstring path = (folder / "a.avi").wstring();
  EXPECT_EQ(text.find(L"\r\nFile \"" + path + L"\"\r\n\tCodec         \t\tNONE (YUY2 internal decoder)"), 0u);
  EXPECT_NE(text.find(L"\r\n\tDropped Frames\t\t2\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"\r\n \r\nDropped frame numbers: 2 3"), std::wstring::npos);
}

TEST(AviInfoCommand, NamesTheCodeOfAnyOtherFormat) {
  ScopedMemoryLog log;
  TempFolder folder;
  AviWriter writer;
  ASSERT_EQ(writer.Open(folder / "grey.avi", AviVideoFormat::Compressed(FourCc("Y800"), 8, 8, 4, 25, 1)), kOk);
  ASSERT_EQ(writer.WriteFrame(std::vector<std::uint8_t>(8 * 4, 0), 0, true), kOk);
  ASSERT_EQ(writer.Close(), kOk);
  EXPECT_EQ(ReportAviFiles({folder / "grey.avi"}), 0);
  EXPECT_NE(log.Text().find(L"\tCodec         \t\tDecompressor fourcc code: Y800\r\n"), std::wstring::npos);
}

TEST(AviInfoCommand, ARejectedOrMissingFileMakesTheStatusOne) {
  ScopedMemoryLog log;
  TempFolder folder;
  WriteCapture(folder / "good.avi");
  TempFolder::WriteFile(folder / "bad.avi", "RIFX and more");
  EXPECT_EQ(ReportAviFiles({folder / "good.avi", folder / "bad.avi", folder / "none.avi"}), 1);
  const std::wstring& text = log.Text();
  const auto bad = text.find(L"bad.avi\"");
  ASSERT_NE(bad, std::wstring::npos);
  EXPECT_NE(text.find(L"WARNING: AVI file header is not RIFF formatted; file open aborted\r\n", bad),
            std::wstring::npos);
  EXPECT_NE(text.find(L"\r\nSEVERE: parsing the selected file header failed\r\n", bad), std::wstring::npos);
  EXPECT_NE(text.find(L"SEVERE: cannot create a HANDLE for the selected file\r\n", text.find(L"none.avi\"")),
            std::wstring::npos);
  EXPECT_EQ(ReportAviFiles({folder / "good.avi"}), 0);
}

TEST(AviInfoCommand, DroppedFrameNumbersLine) {
  EXPECT_EQ(DroppedFrameNumbersLine({}, false), L"Dropped frame numbers: unknown");
  EXPECT_EQ(DroppedFrameNumbersLine({}, true), L"Dropped frame numbers: none");
  EXPECT_EQ(DroppedFrameNumbersLine({0, 17, 4000000}, true), L"Dropped frame numbers: 0 17 4000000");
}

}  // namespace
}  // namespace zuna

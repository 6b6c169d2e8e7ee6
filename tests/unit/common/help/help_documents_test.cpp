#include "common/help/help_documents.h"

#include <gtest/gtest.h>

#include "common/help/help_text_layout.h"

namespace zuna {
namespace {

std::vector<std::wstring> LinesOf(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(L"\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::wstring::npos) break;
    start = end + 2;
  }
  return lines;
}

TEST(HelpDocuments, EveryDocumentBeginsWithItsCentredTitleAndFitsTheWindow) {
  const wchar_t* const titles[] = {L"Video Capture Overview",
                                   L"Brightness/Contrast Overview",
                                   L"Pixel Saturation Overview",
                                   L"Magnify Overview",
                                   L"Crosshairs Overview",
                                   L"Video Device Select Overview",
                                   L"Video Device Properties Overview",
                                   L"File Options Overview",
                                   L"Codec Select Overview",
                                   L"Default Recording Duration Overview",
                                   L"Performance Options Overview",
                                   L"Miscellaneous Options Overview",
                                   L"Time Lapse Recording Overview",
                                   L"Schedule Event Overview",
                                   L"View, Edit, and Delete Overview",
                                   L"Event Pending Options Overview",
                                   L"Capture Version History",
                                   L"Video Playback Overview",
                                   L"Playback Version History",
                                   L"Miscellaneous Options Overview",
                                   L"Import XML based Events Overview",
                                   L"Light Curve Overview"};
  for (int id = 0; id < kHelpDocumentCount; ++id) {
    SCOPED_TRACE(id);
    EXPECT_EQ(HelpDocumentTitle(id), titles[id]);
    for (ProgramKind program : {ProgramKind::kCapture, ProgramKind::kPlayback}) {
      const std::vector<std::wstring> lines = LinesOf(HelpDocumentText(id, program));
      ASSERT_GT(lines.size(), 3u);
      const std::wstring title = titles[id];
      EXPECT_EQ(lines[0], std::wstring((kHelpLineWidth - title.size()) / 2, L' ') + title);
      EXPECT_EQ(lines[1], L"");
      for (const std::wstring& line : lines) EXPECT_LE(line.size(), kHelpLineWidth) << line;
    }
  }
  EXPECT_EQ(HelpDocumentText(kHelpDocumentCount, ProgramKind::kCapture), L"");
  EXPECT_EQ(HelpDocumentTitle(-1), L"");
}

TEST(HelpDocuments, BrightnessContrastHasAVariantForEachProgram) {
  const std::wstring capture = HelpDocumentText(1, ProgramKind::kCapture);
  const std::wstring playback = HelpDocumentText(1, ProgramKind::kPlayback);
  EXPECT_NE(capture.find(L"no impact"), std::wstring::npos);
  EXPECT_EQ(playback.find(L"no impact"), std::wstring::npos);
  EXPECT_NE(playback.find(L"paused"), std::wstring::npos);
  EXPECT_EQ(capture.find(L"@"), std::wstring::npos);
}

TEST(HelpTextLayout, WrapsAtBlanksAndIndentsNumberedItems) {
  EXPECT_EQ(WrapParagraph(L"aaa bbb ccc", 7, 0), L"aaa bbb\r\nccc\r\n");
  EXPECT_EQ(WrapParagraph(L"averyveryverylongword x", 5, 0), L"averyveryverylongword\r\nx\r\n");
  EXPECT_EQ(LayOutHelpText(L"T\n\n1. one two three\n\n@playback only\n\nend", ProgramKind::kCapture, 12),
            L"     T\r\n\r\n1. one two\r\n   three\r\n\r\nend\r\n");
}

}  // namespace
}  // namespace zuna

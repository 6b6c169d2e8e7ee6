#include "common/text/ansi_code_page.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(Windows1252, AsciiAndLatin1PassBothWays) {
  const Windows1252CodePage cp;
  EXPECT_EQ(cp.ToAnsi(L"Events\\ZUNA 2.4d"), "Events\\ZUNA 2.4d");
  EXPECT_EQ(cp.ToAnsi(L"K\u00f6ln \u00e9t\u00e9"), "K\xf6ln \xe9t\xe9");
  EXPECT_EQ(cp.FromAnsi("K\xf6ln"), L"K\u00f6ln");
}

TEST(Windows1252, TheEuroBlockMapsAndUnmappableBecomesQuestionMark) {
  const Windows1252CodePage cp;
  EXPECT_EQ(cp.ToAnsi(L"\u20ac\u2013\u0153"), "\x80\x96\x9c");
  EXPECT_EQ(cp.FromAnsi("\x80\x96\x9c"), L"\u20ac\u2013\u0153");
  EXPECT_EQ(cp.ToAnsi(L"\u4e2d\u0394"), "??");
  // Unassigned bytes keep their value rather than vanish.
  EXPECT_EQ(cp.FromAnsi("\x81"), std::wstring(1, static_cast<wchar_t>(0x81)));
}

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
  const Windows1252CodePage cp;
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(cp.ToAnsi(cp.FromAnsi(all)), all);
}

}  // namespace
}  // namespace zuna

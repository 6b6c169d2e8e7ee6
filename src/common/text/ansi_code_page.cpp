#include "common/text/ansi_code_page.h"

#include <array>

namespace zuna {
namespace {

// Code points of bytes 0x80..0x9F in Windows-1252; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::unique_ptr<AnsiCodePage>& Installed() {
  static std::unique_ptr<AnsiCodePage> codePage = std::make_unique<Windows1252CodePage>();
  return codePage;
}

}  // namespace

std::string Windows1252CodePage::ToAnsi(std::wstring_view text) const {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    const auto c = static_cast<std::uint32_t>(wc);
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    // Unassigned bytes come back as the code point of the same value (see FromAnsi).
    char mapped = c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] == 0 ? static_cast<char>(c) : '?';
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
      if (kHigh[i] != 0 && kHigh[i] == c) mapped = static_cast<char>(0x80 + i);
    }
    out.push_back(mapped);
  }
  return out;
}

std::wstring Windows1252CodePage::FromAnsi(std::string_view bytes) const {
  std::wstring out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b <= 0x9F) {
      const char16_t c = kHigh[b - 0x80];
      out.push_back(c != 0 ? static_cast<wchar_t>(c) : static_cast<wchar_t>(b));
    } else {
      out.push_back(static_cast<wchar_t>(b));
    }
  }
  return out;
}

const AnsiCodePage& ProcessCodePage() {
  return *Installed();
}

void SetProcessCodePage(std::unique_ptr<AnsiCodePage> codePage) {
  if (codePage) Installed() = std::move(codePage);
}

}  // namespace zuna

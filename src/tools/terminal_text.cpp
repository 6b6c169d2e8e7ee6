#include "tools/terminal_text.h"

#include <cstdio>

namespace zuna {
namespace {

// C0 controls, DEL and C1 controls: what a terminal may take as part of an escape sequence.
bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void PutEscaped(std::string& out, char32_t c) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned>(c));
  out += text;
}

void PutUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c < 0xDC00;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c < 0xE000;
}

// The character at `i` (a UTF-16 surrogate pair taken as one), moving `i` to its last unit.
char32_t CharacterAt(std::wstring_view text, std::size_t& i) {
  const auto c = static_cast<char32_t>(text[i]);
  if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
    ++i;
    return 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i]) - 0xDC00);
  }
  return c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c) ? U'\uFFFD' : c;
}

}  // namespace

std::string Utf8Text(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) PutUtf8(out, CharacterAt(text, i));
  return out;
}

std::string TerminalText(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') {
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      out += '\n';
      continue;
    }
    const char32_t c = CharacterAt(text, i);
    if (IsControl(c) && c != U'\n' && c != U'\t') {
      PutEscaped(out, c);
    } else {
      PutUtf8(out, c);
    }
  }
  return out;
}

std::string TerminalPath(const std::filesystem::path& path) {
  const std::string bytes = PathUtf8(path);
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0u;
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {  // a C1 control in UTF-8
      PutEscaped(out, next);
      ++i;
    } else if (IsControl(byte)) {
      PutEscaped(out, byte);
    } else {
      out += bytes[i];
    }
  }
  return out;
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string PathUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace zuna

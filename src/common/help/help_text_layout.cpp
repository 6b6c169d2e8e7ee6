#include "common/help/help_text_layout.h"

#include <vector>

namespace zuna {
namespace {

std::vector<std::wstring_view> Lines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(L'\n');
    std::wstring_view line = text.substr(0, end);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::wstring_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// A numbered item ("12. ...") or a bullet ("- ...") keeps its text clear of the mark.
std::size_t HangingIndent(std::wstring_view paragraph) {
  std::size_t digits = 0;
  while (digits < paragraph.size() && paragraph[digits] >= L'0' && paragraph[digits] <= L'9') ++digits;
  if (digits > 0 && paragraph.substr(digits, 2) == L". ") return digits + 2;
  if (paragraph.substr(0, 2) == L"- ") return 2;
  return 0;
}

}  // namespace

std::wstring WrapParagraph(std::wstring_view paragraph, std::size_t width, std::size_t indent) {
  std::wstring out;
  std::wstring line;
  std::size_t pos = 0;
  while (pos < paragraph.size()) {
    const std::size_t end = paragraph.find(L' ', pos);
    const std::wstring_view word = paragraph.substr(pos, end == std::wstring_view::npos ? end : end - pos);
    pos = end == std::wstring_view::npos ? paragraph.size() : end + 1;
    if (word.empty()) continue;
    const bool fresh = line.empty() || line.find_first_not_of(L' ') == std::wstring::npos;
    if (!fresh && line.size() + 1 + word.size() > width) {
      out += line + L"\r\n";
      line.assign(indent, L' ');
    }
    if (!line.empty() && line.find_first_not_of(L' ') != std::wstring::npos) line += L' ';
    line += word;
  }
  if (!line.empty()) out += line + L"\r\n";
  return out;
}

std::wstring LayOutHelpText(std::wstring_view source, ProgramKind program, std::size_t width) {
  const std::vector<std::wstring_view> lines = Lines(source);
  if (lines.empty()) return {};
  const std::wstring_view title = lines.front();
  std::wstring text(title.size() < width ? (width - title.size()) / 2 : 0, L' ');
  text += std::wstring(title) + L"\r\n";
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::wstring_view line = lines[i];
    if (line.empty()) {
      text += L"\r\n";
      continue;
    }
    constexpr std::wstring_view kCapture = L"@capture ";
    constexpr std::wstring_view kPlayback = L"@playback ";
    if (line.substr(0, kCapture.size()) == kCapture) {
      if (program != ProgramKind::kCapture) {
        if (i + 1 < lines.size() && lines[i + 1].empty()) ++i;  // its blank line goes with it
        continue;
      }
      line.remove_prefix(kCapture.size());
    } else if (line.substr(0, kPlayback.size()) == kPlayback) {
      if (program != ProgramKind::kPlayback) {
        if (i + 1 < lines.size() && lines[i + 1].empty()) ++i;
        continue;
      }
      line.remove_prefix(kPlayback.size());
    }
    text += WrapParagraph(line, width, HangingIndent(line));
  }
  return text;
}

}  // namespace zuna

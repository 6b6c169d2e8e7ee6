#include "ui_driver_script.h"

namespace ui_driver {
namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

// The character an escape inside quotes stands for; other backslashes stay as they are so that
// Windows paths survive.
std::optional<wchar_t> Unescape(wchar_t c) {
  switch (c) {
    case L'r':
      return L'\r';
    case L'n':
      return L'\n';
    case L't':
      return L'\t';
    case L'"':
      return L'"';
    case L'\\':
      return L'\\';
    default:
      return std::nullopt;
  }
}

std::wstring_view TrimStart(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<std::wstring> SplitWords(std::wstring_view line, std::vector<std::wstring>& words) {
  words.clear();
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return std::nullopt;
    std::wstring word;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
      const wchar_t c = line[i];
      if (c == L'"') {
        quoted = !quoted;
      } else if (quoted && c == L'\\' && i + 1 < line.size() && Unescape(line[i + 1])) {
        word += *Unescape(line[++i]);
      } else {
        word += c;
      }
    }
    if (quoted) return L"a double quote is not closed";
    words.push_back(std::move(word));
  }
}

std::optional<std::wstring> ExpandVariables(std::wstring& word, const VariableLookup& lookup) {
  size_t start = 0;
  while ((start = word.find(L"${", start)) != std::wstring::npos) {
    const size_t end = word.find(L'}', start);
    if (end == std::wstring::npos) return L"\"${\" without a closing \"}\"";
    const std::wstring name = word.substr(start + 2, end - start - 2);
    const auto value = lookup(name);
    if (!value) return L"${" + name + L"} is not defined";
    word.replace(start, end - start + 1, *value);
    start += value->size();
  }
  return std::nullopt;
}

std::optional<ScriptError> ParseScript(std::wstring_view text, const VariableLookup& lookup,
                                       std::vector<ScriptLine>& steps) {
  steps.clear();
  int number = 0;
  while (!text.empty()) {
    ++number;
    const size_t end = text.find(L'\n');
    std::wstring_view line = text.substr(0, end);
    text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    line = TrimStart(line);
    if (line.empty() || line.front() == L'#') continue;
    ScriptLine step{number, {}};
    if (auto error = SplitWords(line, step.words)) return ScriptError{number, *error};
    for (auto& word : step.words) {
      if (auto error = ExpandVariables(word, lookup)) return ScriptError{number, *error};
    }
    steps.push_back(std::move(step));
  }
  return std::nullopt;
}

}  // namespace ui_driver

#pragma once
// Reading a scenario: one step per line, words separated by blanks, "double quotes" group a word and
// understand \r \n \t \" \\ inside them, ${NAME} is replaced by a definition or environment variable.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui_driver {

struct ScriptLine {
  int number = 0;
  std::vector<std::wstring> words;  // the step name first
};

struct ScriptError {
  int line = 0;
  std::wstring message;
};

// Answers the value of a ${NAME}, or nothing when it is not defined.
using VariableLookup = std::function<std::optional<std::wstring>(std::wstring_view name)>;

// Splits one line into words; the error text when a quote is left open.
std::optional<std::wstring> SplitWords(std::wstring_view line, std::vector<std::wstring>& words);

// Replaces every ${NAME} in word; the error text when a name is unknown or the brace is left open.
std::optional<std::wstring> ExpandVariables(std::wstring& word, const VariableLookup& lookup);

// Every step line of a scenario text; blank lines and lines starting with # are skipped.
std::optional<ScriptError> ParseScript(std::wstring_view text, const VariableLookup& lookup,
                                       std::vector<ScriptLine>& steps);

}  // namespace ui_driver

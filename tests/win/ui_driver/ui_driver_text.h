#pragma once
// Text helpers of the UI driver: encodings, the way texts of controls are compared, and parsing of
// the small values scenario steps take.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui_driver {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Texts of titles, buttons and labels are compared as a user reads them: every "&" removed and
// every line break shown as one blank.
std::wstring NormalizeLabel(std::wstring_view text);
bool LabelMatches(std::wstring_view actual, std::wstring_view wanted);

// The rich edit control ends paragraphs in a lone "\r", so log texts are compared with every
// "\r\n" turned into "\r".
std::wstring CollapseCrLf(std::wstring_view text);

bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// In double quotes, with control characters shown as escapes, for the step's report line.
std::wstring Quoted(std::wstring_view text);
std::wstring Hex(std::uint64_t value);

// Parses one of two words (case-insensitive): true for `yes`, false for `no`.
std::optional<bool> ParseSwitch(std::wstring_view word, std::wstring_view yes, std::wstring_view no);
std::optional<bool> ParseYesNo(std::wstring_view word);
// A non-negative number of seconds, fractions allowed.
std::optional<double> ParseSeconds(std::wstring_view word);
// Decimal (possibly negative) or 0x hexadecimal, taken as a 32-bit unsigned value.
std::optional<std::uint32_t> ParseExitCode(std::wstring_view word);
std::optional<long> ParseInteger(std::wstring_view word);

}  // namespace ui_driver

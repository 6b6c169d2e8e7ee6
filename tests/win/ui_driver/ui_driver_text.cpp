#include "ui_driver_text.h"

#include <windows.h>

#include <cerrno>
#include <cwchar>
#include <cwctype>

namespace ui_driver {

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

std::wstring NormalizeLabel(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'&') continue;
    if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    result += (c == L'\r' || c == L'\n') ? L' ' : c;
  }
  return result;
}

bool LabelMatches(std::wstring_view actual, std::wstring_view wanted) {
  return NormalizeLabel(actual) == NormalizeLabel(wanted);
}

std::wstring CollapseCrLf(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
  }
  return result;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

std::wstring Quoted(std::wstring_view text) {
  std::wstring result = L"\"";
  for (const wchar_t c : text) {
    switch (c) {
      case L'\r':
        result += L"\\r";
        break;
      case L'\n':
        result += L"\\n";
        break;
      case L'\t':
        result += L"\\t";
        break;
      case L'"':
        result += L"\\\"";
        break;
      case L'\\':
        result += L"\\\\";
        break;
      default:
        result += c;
    }
  }
  return result + L"\"";
}

std::wstring Hex(std::uint64_t value) {
  wchar_t buffer[24];
  std::swprintf(buffer, 24, L"0x%llX", static_cast<unsigned long long>(value));
  return buffer;
}

std::optional<bool> ParseSwitch(std::wstring_view word, std::wstring_view yes, std::wstring_view no) {
  if (EqualsNoCase(word, yes)) return true;
  if (EqualsNoCase(word, no)) return false;
  return std::nullopt;
}

std::optional<bool> ParseYesNo(std::wstring_view word) {
  for (const auto& [yes, no] : {std::pair{L"yes", L"no"}, {L"true", L"false"}, {L"on", L"off"}}) {
    if (auto value = ParseSwitch(word, yes, no)) return value;
  }
  return std::nullopt;
}

std::optional<double> ParseSeconds(std::wstring_view word) {
  const std::wstring text(word);
  wchar_t* end = nullptr;
  errno = 0;
  const double value = std::wcstod(text.c_str(), &end);
  if (text.empty() || *end != L'\0' || errno != 0 || !(value >= 0)) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> ParseExitCode(std::wstring_view word) {
  const std::wstring text(word);
  wchar_t* end = nullptr;
  errno = 0;
  const bool negative = !text.empty() && text[0] == L'-';
  const unsigned long long magnitude = std::wcstoull(text.c_str() + (negative ? 1 : 0), &end, 0);
  if (text.size() < (negative ? 2u : 1u) || *end != L'\0' || errno != 0 || magnitude > 0xFFFFFFFFull) {
    return std::nullopt;
  }
  const auto value = static_cast<std::uint32_t>(magnitude);
  return negative ? 0u - value : value;
}

std::optional<long> ParseInteger(std::wstring_view word) {
  const std::wstring text(word);
  wchar_t* end = nullptr;
  errno = 0;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (text.empty() || *end != L'\0' || errno != 0) return std::nullopt;
  return value;
}

}  // namespace ui_driver

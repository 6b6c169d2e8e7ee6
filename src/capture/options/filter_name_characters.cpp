#include "capture/options/filter_name_characters.h"

#include <string_view>

namespace zuna {
namespace {

bool IsPlainNameCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L' ' || c == L'-' ||
         c == L'_';
}

bool IsExtendedNameCharacter(wchar_t c) {
  constexpr std::wstring_view kExtra = L"#()*+.:[]{}";
  return kExtra.find(c) != std::wstring_view::npos;
}

}  // namespace

bool FilterNameCharacters(std::wstring& text, bool extended) {
  const std::size_t before = text.size();
  std::erase_if(
      text, [extended](wchar_t c) { return !IsPlainNameCharacter(c) && !(extended && IsExtendedNameCharacter(c)); });
  return text.size() != before;
}

}  // namespace zuna

#include "common/options/option_tables.h"

#include <algorithm>

namespace zuna {
namespace {

std::wstring Cut(std::wstring_view text, std::size_t capacity) {
  return std::wstring(text.substr(0, std::min(text.size(), capacity)));
}

template <typename Table>
auto FindIn(Table& table, std::wstring_view key) -> decltype(table.data()) {
  for (auto& entry : table) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

}  // namespace

TextOption* OptionTables::RegisterText(std::wstring_view key, std::wstring_view defaultValue) {
  if (TextOption* existing = FindText(key)) return existing;
  if (texts_.size() >= kMaxOptionsPerTable) return nullptr;
  const std::wstring value = Cut(defaultValue, kMaxOptionValueLength);
  texts_.push_back({Cut(key, kMaxOptionKeyLength), value, value});
  return &texts_.back();
}

BooleanOption* OptionTables::RegisterBoolean(std::wstring_view key, bool defaultValue) {
  if (BooleanOption* existing = FindBoolean(key)) return existing;
  if (booleans_.size() >= kMaxOptionsPerTable) return nullptr;
  booleans_.push_back({Cut(key, kMaxOptionKeyLength), defaultValue, defaultValue});
  return &booleans_.back();
}

TextOption* OptionTables::FindText(std::wstring_view key) {
  return FindIn(texts_, key);
}
const TextOption* OptionTables::FindText(std::wstring_view key) const {
  return FindIn(texts_, key);
}
BooleanOption* OptionTables::FindBoolean(std::wstring_view key) {
  return FindIn(booleans_, key);
}
const BooleanOption* OptionTables::FindBoolean(std::wstring_view key) const {
  return FindIn(booleans_, key);
}

std::wstring OptionTables::Text(std::wstring_view key) const {
  const TextOption* option = FindText(key);
  return option ? option->value : std::wstring();
}

bool OptionTables::Boolean(std::wstring_view key) const {
  const BooleanOption* option = FindBoolean(key);
  return option != nullptr && option->value;
}

void OptionTables::SetText(std::wstring_view key, std::wstring_view value) {
  if (TextOption* option = FindText(key)) {
    option->value = Cut(value, kMaxOptionValueLength);
    option->saveValue = option->value;
  }
}

void OptionTables::SetBoolean(std::wstring_view key, bool value) {
  if (BooleanOption* option = FindBoolean(key)) {
    option->value = value;
    option->saveValue = value;
  }
}

}  // namespace zuna

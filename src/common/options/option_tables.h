#pragma once
// The text and boolean option tables of a program: each option has a value in use and a value to
// save. Keys are compared exactly.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zuna {

struct TextOption {
  std::wstring key;
  std::wstring value;
  std::wstring saveValue;
};

struct BooleanOption {
  std::wstring key;
  bool value = false;
  bool saveValue = false;
  bool readFromFile = false;  // set by the options file reader
};

inline constexpr std::size_t kMaxOptionsPerTable = 64;
inline constexpr std::size_t kMaxOptionKeyLength = 63;
inline constexpr std::size_t kMaxOptionValueLength = 511;

class OptionTables {
 public:
  // Capacity is reserved up front, so pointers returned by registration stay valid.
  OptionTables() {
    texts_.reserve(kMaxOptionsPerTable);
    booleans_.reserve(kMaxOptionsPerTable);
  }

  // Registration refuses a 65th entry and cuts keys and values at their capacities.
  TextOption* RegisterText(std::wstring_view key, std::wstring_view defaultValue = {});
  BooleanOption* RegisterBoolean(std::wstring_view key, bool defaultValue = false);

  TextOption* FindText(std::wstring_view key);
  const TextOption* FindText(std::wstring_view key) const;
  BooleanOption* FindBoolean(std::wstring_view key);
  const BooleanOption* FindBoolean(std::wstring_view key) const;

  // Value in use; empty or false when the key is not registered.
  std::wstring Text(std::wstring_view key) const;
  bool Boolean(std::wstring_view key) const;

  // Sets both the value in use and the value to save.
  void SetText(std::wstring_view key, std::wstring_view value);
  void SetBoolean(std::wstring_view key, bool value);

  const std::vector<TextOption>& TextOptions() const { return texts_; }
  const std::vector<BooleanOption>& BooleanOptions() const { return booleans_; }
  std::vector<TextOption>& TextOptions() { return texts_; }
  std::vector<BooleanOption>& BooleanOptions() { return booleans_; }

 private:
  std::vector<TextOption> texts_;
  std::vector<BooleanOption> booleans_;
};

}  // namespace zuna

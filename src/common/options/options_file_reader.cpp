// Reading the options file. The reader works on the bytes actually read and checks every offset
// against them; a malformed entry ends its section as an unknown key does.
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>

#include "common/foundation/zuna_common.h"
#include "common/log/user_messages_log.h"
#include "common/options/options_file.h"
#include "common/text/ansi_code_page.h"
#include "common/text/path_text.h"

namespace zuna {
namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

// Keys of these lengths or less can be registered; anything longer names no option.
constexpr std::size_t kMaxFileKeyBytes = kMaxOptionKeyLength;

std::size_t FindMarker(std::string_view data, std::string_view marker, std::size_t from, std::size_t lastStart) {
  for (std::size_t i = from; i <= lastStart && i + marker.size() <= data.size(); ++i) {
    if (data.compare(i, marker.size(), marker) == 0) return i;
  }
  return kNotFound;
}

std::wstring Wide(std::string_view bytes) {
  return ProcessCodePage().FromAnsi(bytes);
}

std::wstring Cut(std::wstring text, std::size_t capacity) {
  if (text.size() > capacity) text.resize(capacity);
  return text;
}

// The entries of one section, from "<" to the blank after the key.
class SectionCursor {
 public:
  explicit SectionCursor(std::string_view section) : section_(section) {}

  // Moves to the next entry and returns its key; nothing when no entry with a blank remains.
  std::optional<std::string_view> NextKey() {
    const std::size_t open = section_.find('<', pos_);
    if (open == kNotFound) return std::nullopt;
    const std::size_t blank = section_.find(' ', open + 1);
    if (blank == kNotFound) return std::nullopt;
    pos_ = blank + 1;
    return section_.substr(open + 1, blank - open - 1);
  }

  // The value up to ">" on the same line; a value without its ">" would swallow the next entries.
  std::optional<std::string_view> ValueToClose() {
    const std::size_t close = section_.find('>', pos_);
    if (close == kNotFound) return std::nullopt;
    const std::string_view value = section_.substr(pos_, close - pos_);
    if (value.find('\n') != kNotFound) return std::nullopt;
    pos_ = close + 1;
    return value;
  }

  std::optional<char> NextChar() {
    if (pos_ >= section_.size()) return std::nullopt;
    return section_[pos_++];
  }

  // An optional "-" and at least one digit, within the 32-bit range.
  std::optional<std::int32_t> Integer() {
    bool negative = false;
    if (pos_ < section_.size() && section_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    const std::size_t start = pos_;
    std::int64_t magnitude = 0;
    while (pos_ < section_.size() && section_[pos_] >= '0' && section_[pos_] <= '9') {
      magnitude = magnitude * 10 + (section_[pos_] - '0');
      if (magnitude > std::int64_t{1} << 31) return std::nullopt;
      ++pos_;
    }
    if (pos_ == start) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }

  // The comma and the blank between two placement values.
  bool Skip(std::size_t count) {
    if (section_.size() - pos_ < count) return false;
    pos_ += count;
    return true;
  }

 private:
  std::string_view section_;
  std::size_t pos_ = 0;
};

std::optional<std::wstring> KnownLengthKey(std::string_view key) {
  if (key.size() > kMaxFileKeyBytes) return std::nullopt;
  return Wide(key);
}

// Left, top, width and height; the right and bottom edges they give must be 32-bit values too.
std::optional<Rect> ReadPlacement(SectionCursor& cursor) {
  std::int32_t v[4];
  for (int i = 0; i < 4; ++i) {
    if (i > 0 && !cursor.Skip(2)) return std::nullopt;
    const std::optional<std::int32_t> value = cursor.Integer();
    if (!value) return std::nullopt;
    v[i] = *value;
  }
  const std::int64_t right = std::int64_t{v[0]} + v[2];
  const std::int64_t bottom = std::int64_t{v[1]} + v[3];
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (right < kMin || right > kMax || bottom < kMin || bottom > kMax) return std::nullopt;
  return Rect{v[0], v[1], static_cast<int>(right), static_cast<int>(bottom)};
}

void ReadWindowSection(std::string_view section, PlacementTable& placements) {
  SectionCursor cursor(section);
  while (const std::optional<std::string_view> key = cursor.NextKey()) {
    const std::optional<std::wstring> name = KnownLengthKey(*key);
    PlacementEntry* entry = name ? placements.FindKey(*name) : nullptr;
    // A window this program does not have (one of the other program, or of a later version) must not
    // cost the positions after it.
    if (entry == nullptr) continue;
    const std::optional<Rect> rect = ReadPlacement(cursor);
    if (!rect) return;
    entry->fileRect = *rect;
    entry->currentRect = *rect;
    entry->loadedFromFile = true;
  }
}

void ReadTextSection(std::string_view section, OptionTables& options) {
  SectionCursor cursor(section);
  while (const std::optional<std::string_view> key = cursor.NextKey()) {
    const std::optional<std::wstring> name = KnownLengthKey(*key);
    TextOption* option = name ? options.FindText(*name) : nullptr;
    if (option == nullptr) return;
    const std::optional<std::string_view> value = cursor.ValueToClose();
    if (!value) return;
    option->value = Cut(Wide(*value), kMaxOptionValueLength);
    option->saveValue = option->value;
  }
}

void ReadBooleanSection(std::string_view section, OptionTables& options) {
  SectionCursor cursor(section);
  while (const std::optional<std::string_view> key = cursor.NextKey()) {
    const std::optional<std::wstring> name = KnownLengthKey(*key);
    BooleanOption* option = name ? options.FindBoolean(*name) : nullptr;
    if (option == nullptr) return;
    const std::optional<char> first = cursor.NextChar();
    if (!first) return;
    option->value = *first == 't';
    option->saveValue = option->value;
    option->readFromFile = true;
  }
}

void ReadOtherSection(std::string_view section, const OtherOptionHandler& handler) {
  SectionCursor cursor(section);
  while (const std::optional<std::string_view> key = cursor.NextKey()) {
    const std::optional<std::string_view> value = cursor.ValueToClose();
    if (!value) return;
    if (handler) handler(Cut(Wide(*key), kOptionsLineLength), Cut(Wide(*value), kOptionsLineLength));
  }
}

bool MissingMarker(std::string_view marker) {
  PostUnstampedMessage(L"Logic error: options file missing " + Wide(marker) + L" text\r\n");
  return false;
}

}  // namespace

bool ParseOptionsText(std::string_view bytes, OptionTables& options, PlacementTable& placements,
                      const OtherOptionHandler& otherOptions) {
  const std::string_view data = bytes.substr(0, std::min(bytes.size(), kOptionsFileReadLimit));

  const std::size_t window = FindMarker(data, kWindowPositionsMarker, 0, kFirstMarkerLastOffset);
  if (window == kNotFound) return MissingMarker(kWindowPositionsMarker);
  const std::size_t windowEnd = window + kWindowPositionsMarker.size();

  const std::size_t text = FindMarker(data, kTextOptionsMarker, windowEnd, kMarkerLastOffset);
  if (text == kNotFound) return MissingMarker(kTextOptionsMarker);
  const std::size_t textEnd = text + kTextOptionsMarker.size();
  ReadWindowSection(data.substr(windowEnd, text - windowEnd), placements);

  const std::size_t boolean = FindMarker(data, kBooleanOptionsMarker, textEnd, kMarkerLastOffset);
  if (boolean == kNotFound) return MissingMarker(kBooleanOptionsMarker);
  const std::size_t booleanEnd = boolean + kBooleanOptionsMarker.size();
  ReadTextSection(data.substr(textEnd, boolean - textEnd), options);

  const std::size_t other = FindMarker(data, kOtherOptionsMarker, booleanEnd, kMarkerLastOffset);
  if (other == kNotFound) return MissingMarker(kOtherOptionsMarker);
  ReadBooleanSection(data.substr(booleanEnd, other - booleanEnd), options);

  ReadOtherSection(data.substr(other + kOtherOptionsMarker.size()), otherOptions);
  return true;
}

bool ReadOptionsFile(std::wstring_view path, OptionTables& options, PlacementTable& placements,
                     const OtherOptionHandler& otherOptions) {
  if (path.empty()) {
    PostUnstampedMessage(L"Logic error: attempting to read options file with 0 file name\r\n");
    return false;
  }
  std::ifstream file(ToFsPath(path), std::ios::binary);
  if (!file) return false;
  // One byte more than is looked at tells whether anything was left unread.
  std::string bytes(kOptionsFileReadLimit + 1, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return false;
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  if (bytes.size() > kOptionsFileReadLimit) {
    PostUnstampedMessage(L"WARNING: options file is longer than 8191 bytes; entries beyond are ignored\r\n");
  }
  return ParseOptionsText(bytes, options, placements, otherOptions);
}

bool ReadOptionsFile(ZunaCommon& common, std::wstring_view path, const OtherOptionHandler& otherOptions) {
  return ReadOptionsFile(path, common.Options(), common.Placements(), otherOptions);
}

std::wstring OptionsFilePath(std::wstring_view processDirectory, bool inDevelopmentTree, std::wstring_view fileName) {
  std::wstring path(processDirectory);
  if (inDevelopmentTree) path += L"Release\\";
  path += L"OptionsFiles\\";
  path += fileName;
  return path;
}

}  // namespace zuna

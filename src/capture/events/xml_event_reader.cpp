#include "capture/events/xml_event_reader.h"

#include <string>

#include "capture/events/event_file.h"

namespace zuna {
namespace {

// An attribute name of five letters, "=" and the opening quote stand between tag and value.
constexpr std::size_t kSkippedBeforeValue = 7;

// Finds the next "<" from `from` and checks that `expected` starts there; npos when it does not.
std::size_t ExpectAtNextTag(std::string_view bytes, std::size_t from, std::string_view expected) {
  const std::size_t at = bytes.find('<', from);
  if (at == std::string_view::npos || bytes.substr(at, expected.size()) != expected) return std::string_view::npos;
  return at;
}

std::wstring TakeXmlValue(std::string_view rest, EventFieldKind kind) {
  switch (kind) {
    case EventFieldKind::kYear:
      return DecodeEventValue(rest.substr(0, 4));
    case EventFieldKind::kTwoDigits:
      // Numbers of one digit get the padding blank that version 2.4 files carry.
      if (rest.size() > 2 && rest[2] == '"') return DecodeEventValue(rest.substr(0, 2));
      return L" " + DecodeEventValue(rest.substr(0, 1));
    case EventFieldKind::kFlag:
      return !rest.empty() && rest[0] == 'F' ? L"false" : L"true";
    case EventFieldKind::kText:
      return DecodeEventValue(rest.substr(0, rest.find('"')));
  }
  return {};
}

}  // namespace

bool ParseXmlEventText(std::string_view bytes, EventFileRecord& record) {
  record = {};
  std::size_t at = ExpectAtNextTag(bytes, 0, "<?xml version");
  if (at == std::string_view::npos) return false;
  at = ExpectAtNextTag(bytes, at + 13, "<!--ZUNA");
  if (at == std::string_view::npos) return false;
  at = ExpectAtNextTag(bytes, at + 8, "<Root");
  if (at == std::string_view::npos) return false;

  std::size_t from = at + 5;
  for (const auto& field : kEventFields) {
    const std::string search = "<" + std::string(field.xmlTag.begin(), field.xmlTag.end()) + " ";
    const std::size_t found = bytes.find(search, from);
    if (found == std::string_view::npos) {
      PostMissingEventField(field.xmlTag);
      return false;
    }
    from = found + search.size();
    const std::size_t valueStart = from + kSkippedBeforeValue;
    const std::string_view rest = valueStart < bytes.size() ? bytes.substr(valueStart) : std::string_view();
    SetEventField(record, field, TakeXmlValue(rest, field.kind));
  }
  return true;
}

bool ReadXmlEventFile(const std::filesystem::path& path, EventFileRecord& record) {
  const auto bytes = ReadEventFileBytes(path);
  if (!bytes) return false;
  return ParseXmlEventText(*bytes, record);
}

}  // namespace zuna

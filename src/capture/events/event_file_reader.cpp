#include <fstream>

#include "capture/events/event_file.h"
#include "common/log/user_messages_log.h"
#include "common/text/ansi_code_page.h"

namespace zuna {
namespace {

std::string Narrow(std::wstring_view ascii) {
  return std::string(ascii.begin(), ascii.end());
}

// The value of a version 2.4 field starting at `rest` (what follows "<TAG ").
std::wstring TakeValue(std::string_view rest, EventFieldKind kind) {
  switch (kind) {
    case EventFieldKind::kYear:
      return DecodeEventValue(rest.substr(0, 4));
    case EventFieldKind::kTwoDigits:
      return DecodeEventValue(rest.substr(0, 2));
    case EventFieldKind::kFlag:
      return !rest.empty() && rest[0] == 't' ? L"true" : L"false";
    case EventFieldKind::kText:
      return DecodeEventValue(rest.substr(0, rest.find('>')));
  }
  return {};
}

}  // namespace

std::wstring DecodeEventValue(std::string_view bytes) {
  return ProcessCodePage().FromAnsi(bytes.substr(0, bytes.find('\0')));
}

void PostMissingEventField(std::wstring_view tag) {
  std::wstring text = L"Logic error: options file missing \"";
  text += tag;
  text += L"\" text\r\n";
  PostUnstampedMessage(text);
}

std::optional<std::string> ReadEventFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes(kEventFileReadLimit, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

std::optional<std::filesystem::path> EventFilePath(const std::filesystem::path& folder, std::wstring_view fileName) {
  // A name that the native encoding cannot hold makes the conversion throw.
  try {
    return folder / std::filesystem::path(std::wstring(fileName));
  } catch (...) {
    return std::nullopt;
  }
}

bool ParseEventFileText(std::string_view bytes, EventFileRecord& record) {
  record = {};
  const std::size_t marker = bytes.find(kEventFileMarker);
  if (marker == std::string_view::npos) {
    PostUnstampedMessage(L"Logic error: options file missing <-ZUNA Event File Version 2.4-> text\r\n");
    return false;
  }
  // Each search starts right behind the text the previous one found.
  std::size_t from = marker + kEventFileMarker.size();
  for (const auto& field : kEventFields) {
    const std::string search = "<" + Narrow(field.tag) + " ";
    const std::size_t found = bytes.find(search, from);
    if (found == std::string_view::npos) {
      PostMissingEventField(field.tag);
      return false;
    }
    from = found + search.size();
    SetEventField(record, field, TakeValue(bytes.substr(from), field.kind));
  }
  return true;
}

EventFileReadResult ReadEventFileAt(const std::filesystem::path& path, EventFileRecord& record) {
  const auto bytes = ReadEventFileBytes(path);
  if (!bytes) return EventFileReadResult::kCannotOpen;
  return ParseEventFileText(*bytes, record) ? EventFileReadResult::kRead : EventFileReadResult::kIncomplete;
}

bool ReadEventFile(const std::filesystem::path& eventsFolder, std::wstring_view fileName, EventFileRecord& record) {
  if (fileName.empty()) return false;
  const auto path = EventFilePath(eventsFolder, fileName);
  if (!path) return false;
  return ReadEventFileAt(*path, record) == EventFileReadResult::kRead;
}

}  // namespace zuna

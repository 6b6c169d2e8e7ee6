#include "capture/events/xml_event_import.h"

#include <optional>
#include <string>

#include "capture/events/event_file.h"
#include "capture/events/event_file_name.h"
#include "capture/events/event_folder.h"
#include "capture/events/scheduled_event.h"
#include "capture/events/xml_event_reader.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

struct ImportNames {
  std::wstring oldForm;  // month_day_year_hh_mm_ss_ + suffix
  std::wstring newForm;  // year_month_day_hh_mm_ss_ + suffix
};

// A field of the record as it goes into a file name: a padding blank becomes "0". Nothing when the
// field is not exactly `width` digits then, so no other text reaches a file name.
std::optional<std::wstring> NamePiece(std::wstring text, std::size_t width) {
  if (!text.empty() && text[0] == L' ') text[0] = L'0';
  if (text.size() != width) return std::nullopt;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
  }
  return text;
}

std::optional<ImportNames> BuildImportNames(const EventFileRecord& r) {
  const auto year = NamePiece(r.eventYear, 4);
  const auto month = NamePiece(r.eventMonth, 2);
  const auto day = NamePiece(r.eventDay, 2);
  const auto hour = NamePiece(r.eventHour, 2);
  const auto minute = NamePiece(r.eventMinute, 2);
  const auto second = NamePiece(r.eventSecond, 2);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  const std::wstring time = *hour + L"_" + *minute + L"_" + *second + L"_" + nameSuffix() + L".ief";
  return ImportNames{*month + L"_" + *day + L"_" + *year + L"_" + time,
                     *year + L"_" + *month + L"_" + *day + L"_" + time};
}

bool Exists(const std::filesystem::path& folder, const std::wstring& name) {
  const auto path = EventFilePath(folder, name);
  std::error_code error;
  return path && std::filesystem::exists(*path, error);
}

// Imports one file; true when it was written.
bool ImportOne(const EventFileEntry& file, const std::filesystem::path& eventsFolder) {
  EventFileRecord record;
  if (!ReadXmlEventFile(file.path, record)) return false;
  const auto names = BuildImportNames(record);
  if (!names || !ToScheduledEvent(record, 0).valid) {
    PostUnstampedMessage(L"WARNING: XML event file " + file.name +
                         L" has no valid event date, time or duration; it is not imported\r\n");
    return false;
  }
  if (Exists(eventsFolder, names->oldForm) || Exists(eventsFolder, names->newForm)) return false;
  const auto target = EventFilePath(eventsFolder, names->newForm);
  return target && WriteEventFile(*target, record);
}

}  // namespace

int ImportXmlEvents(const std::filesystem::path& importFolder, const std::filesystem::path& eventsFolder) {
  const std::vector<EventFileEntry> files = ListEventFiles(importFolder);
  if (files.empty()) {
    PostStampedMessage(L"Selected directory has no event files");
    return -1;
  }
  int imported = 0;
  for (const auto& file : files) {
    if (ImportOne(file, eventsFolder)) ++imported;
  }
  if (imported == 0) {
    PostUnstampedMessage(L"No Event files were imported - all were duplicates\r\n");
  } else if (imported == 1) {
    PostUnstampedMessage(L"1 Event file was imported\r\n");
  } else {
    PostUnstampedMessage(std::to_wstring(imported) + L" Event files were imported\r\n");
  }
  return imported;
}

}  // namespace zuna

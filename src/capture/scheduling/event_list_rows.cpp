#include "capture/scheduling/event_list_rows.h"

#include <algorithm>

#include "capture/events/event_file.h"
#include "capture/events/event_folder.h"

namespace zuna {
namespace {

constexpr const wchar_t* kMonths[] = {L"JAN", L"FEB", L"MAR", L"APR", L"MAY", L"JUN",
                                      L"JUL", L"AUG", L"SEP", L"OCT", L"NOV", L"DEC"};
constexpr wchar_t kCheckMark[] = L"\u2713";

std::wstring MonthAbbreviation(const std::wstring& month) {
  const auto number = ParseEventNumber(month, 2);
  if (!number || *number < 1 || *number > 12) return L"???";
  return kMonths[*number - 1];
}

// A two-character field with its padding blank shown as "0".
std::wstring Zeroed(std::wstring text) {
  std::replace(text.begin(), text.end(), L' ', L'0');
  return text;
}

std::wstring Mark(bool on) {
  return on ? kCheckMark : L"";
}

}  // namespace

const EventListColumn kEventListColumns[kEventListColumnCount] = {
    {L" Date (UTC)", 115, false}, {L"Time (UTC)", 93, false}, {L"Duration", 85, false}, {L"Comment", 293, false},
    {L"Hibernate", 88, true},     {L"Shut down", 88, true},   {L"Expired", 80, true},   {L"", 0, false},
};

std::vector<ListedEvent> ListEvents(const std::filesystem::path& eventsFolder, FileTime now, bool showExpired,
                                    bool ascending) {
  std::vector<ListedEvent> listed;
  for (const auto& file : ListEventFiles(eventsFolder)) {
    EventFileRecord record;
    ReadEventFileAt(file.path, record);  // a row shows what could be read
    ScheduledEvent event = ToScheduledEvent(record, now);
    if (event.expired && !showExpired) continue;
    listed.push_back({std::move(event), file.name});
  }
  // Reversed first, so that the stable sort puts the file read later before an equal start.
  std::reverse(listed.begin(), listed.end());
  std::stable_sort(listed.begin(), listed.end(), [ascending](const ListedEvent& a, const ListedEvent& b) {
    return ascending ? a.event.startTime < b.event.startTime : a.event.startTime > b.event.startTime;
  });
  return listed;
}

std::vector<std::wstring> EventListCells(const ListedEvent& listed) {
  const ScheduledEvent& e = listed.event;
  const EventFileRecord& r = e.eventRecord;
  return {
      L" " + MonthAbbreviation(r.eventMonth) + L" " + r.eventDay + L", " + r.eventYear,
      L" " + Zeroed(r.eventHour) + L":" + Zeroed(r.eventMinute) + L":" + Zeroed(r.eventSecond),
      Zeroed(r.durationHour) + L":" + Zeroed(r.durationMinute) + L":" + Zeroed(r.durationSecond),
      r.comment,
      Mark(e.hibernate),
      Mark(e.shutdown),
      Mark(e.expired),
      listed.fileName,
  };
}

}  // namespace zuna

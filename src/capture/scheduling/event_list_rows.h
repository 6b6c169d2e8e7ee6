#pragma once
// The rows of the "View, Edit, Delete Events" list: which event files are listed, in which order,
// and the texts of their columns.
#include <filesystem>
#include <string>
#include <vector>

#include "capture/events/scheduled_event.h"

namespace zuna {

// Column 7 has no header and no width: it holds the row's file name.
inline constexpr int kEventListColumnCount = 8;
inline constexpr int kFileNameColumn = 7;

struct EventListColumn {
  const wchar_t* header;
  int width;  // pixels
  bool centred;
};
extern const EventListColumn kEventListColumns[kEventListColumnCount];

struct ListedEvent {
  ScheduledEvent event;
  std::wstring fileName;
};

// The event files of `eventsFolder`, without the expired ones unless `showExpired`, ordered by
// recording start (earliest first when `ascending`); of two equal starts the file read later
// comes first.
std::vector<ListedEvent> ListEvents(const std::filesystem::path& eventsFolder, FileTime now, bool showExpired,
                                    bool ascending);

// The eight cell texts of a row.
std::vector<std::wstring> EventListCells(const ListedEvent& listed);

}  // namespace zuna

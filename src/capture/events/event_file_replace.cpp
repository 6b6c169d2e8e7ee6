#include <system_error>

#include "capture/events/event_file.h"
#include "common/log/user_messages_log.h"

namespace zuna {

// The new file is complete on disk before the old one goes: a failed write never loses the event.
bool ReplaceEventFile(const std::filesystem::path& eventsFolder, std::wstring_view oldName, std::wstring_view newName,
                      const EventFileRecord& record) {
  const auto target = EventFilePath(eventsFolder, newName);
  const auto old = EventFilePath(eventsFolder, oldName);
  if (!target) return false;
  std::error_code error;
  if (old && *old == *target) {
    // Same name: written beside it, then renamed over it in one step.
    std::filesystem::path beside = *target;
    beside += L".new";
    if (!WriteEventFile(beside, record)) return false;
    std::filesystem::rename(beside, *target, error);
    if (!error) return true;
    std::error_code ignored;
    std::filesystem::remove(beside, ignored);
    return false;
  }
  if (!WriteEventFile(*target, record)) return false;
  if (!old || !std::filesystem::remove(*old, error) || error) {
    PostStampedMessage(L"WARNING: unable to delete one or more selected event files - write protected?\r\n");
  }
  return true;
}

}  // namespace zuna

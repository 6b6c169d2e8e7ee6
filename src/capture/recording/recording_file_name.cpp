#include "capture/recording/recording_file_name.h"

#include <cwchar>
#include <system_error>

#include "common/log/user_messages_log.h"

namespace zuna {

std::wstring RecordingDateText(const CalendarTime& t, bool dateTimeAtEnd) {
  wchar_t text[64];
  if (dateTimeAtEnd) {
    std::swprintf(text, 64, L"%02d_%02d_%04d_%02d_%02d_%02d", t.month, t.day, t.year, t.hour, t.minute, t.second);
  } else {
    std::swprintf(text, 64, L"%04d_%02d_%02d_%02d_%02d_%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  }
  return text;
}

std::wstring ComposeRecordingName(const RecordingNameParts& parts) {
  const std::wstring date = RecordingDateText(parts.time, parts.dateTimeAtEnd);
  if (parts.dateTimeAtEnd) {
    const std::wstring user = parts.userPart.empty() ? std::wstring() : parts.userPart + L"_";
    return parts.folder + parts.eventPart + user + date;
  }
  const std::wstring user = parts.userPart.empty() ? std::wstring() : L"_" + parts.userPart;
  return parts.folder + date + parts.eventPart + user;
}

std::wstring UniqueRecordingPath(const std::wstring& base, const std::function<bool(const std::wstring&)>& exists) {
  std::wstring path = base + L".avi";
  for (int counter = 2; exists(path); ++counter) path = base + L"_" + std::to_wstring(counter) + L".avi";
  return path;
}

std::optional<std::wstring> RecordingFolder(const std::wstring& videoDirectory,
                                            const std::filesystem::path& currentDirectory) {
  if (!videoDirectory.empty()) return videoDirectory;
  const std::filesystem::path folder = currentDirectory / L"VideoFiles";
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error) && !std::filesystem::create_directory(folder, error)) {
    PostStampedMessage(
        L"\r\nUnable to create \"VideoFiles\" directory under the process directory.  Check security settings.\r\n");
    return std::nullopt;
  }
  return std::wstring(kDefaultVideoFolder);
}

}  // namespace zuna

#include <cerrno>
#include <fstream>

#include "capture/events/event_file.h"
#include "common/log/user_messages_log.h"
#include "common/text/ansi_code_page.h"

namespace zuna {

std::string ComposeEventFileText(const EventFileRecord& record) {
  std::wstring text(kEventFileMarker.begin(), kEventFileMarker.end());
  text += L'\n';
  for (const auto& field : kEventFields) {
    const std::wstring& value = record.*field.member;
    text += L"    <";
    text += field.tag;
    text += L' ';
    text += std::wstring_view(value).substr(0, MaxFieldLength(field));
    text += L">\n";
  }
  return ProcessCodePage().ToAnsi(text);
}

bool WriteEventFile(const std::filesystem::path& path, const EventFileRecord& record) {
  if (path.empty()) return false;
  const std::string bytes = ComposeEventFileText(record);
  // Only a multi-byte code page could get here; a file the readers would cut is not written.
  if (bytes.size() > kEventFileWriteLimit) return false;

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  errno = 0;
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (file.fail()) {
    const int error = errno;
    PostUnstampedMessage(L"WriteEventFile::WriteFile error: " + std::to_wstring(error));
    // A cut-off file could be read as an event with wrong values.
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
    return false;
  }
  return true;
}

}  // namespace zuna

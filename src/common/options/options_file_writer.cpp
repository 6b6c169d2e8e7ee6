// Writing the options file: the sections in fixed order, only entries worth keeping, LF line ends.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/foundation/zuna_common.h"
#include "common/log/user_messages_log.h"
#include "common/options/options_file.h"
#include "common/text/ansi_code_page.h"
#include "common/text/path_text.h"

namespace zuna {
namespace {

// "    <key value>\n", cut so that the line keeps its closing ">" within the line length. A line
// break inside a value would split the entry, so it is written as a blank.
std::wstring EntryLine(std::wstring_view key, std::wstring_view value) {
  constexpr std::size_t kFrame = 8;  // four blanks, "<", the blank, ">" and the line feed
  constexpr std::size_t kRoom = kOptionsLineLength - kFrame;
  key = key.substr(0, std::min(key.size(), kRoom));
  value = value.substr(0, std::min(value.size(), kRoom - key.size()));
  std::wstring line = L"    <";
  line.append(key).append(L" ");
  for (wchar_t c : value) line += c == L'\n' ? L' ' : c;
  line.append(L">\n");
  return line;
}

std::wstring PlacementText(const Rect& r) {
  const std::int64_t width = std::int64_t{r.right} - r.left;
  const std::int64_t height = std::int64_t{r.bottom} - r.top;
  return std::to_wstring(r.left) + L", " + std::to_wstring(r.top) + L", " + std::to_wstring(width) + L", " +
         std::to_wstring(height);
}

bool WindowEntryIsWritten(const PlacementEntry& entry, bool savingWindowPositions) {
  return entry.loadedFromFile || (entry.movedByUser && savingWindowPositions);
}

std::wstring FormatWide(const OptionTables& options, const PlacementTable& placements, bool savingWindowPositions,
                        const std::vector<OptionEntry>& otherEntries) {
  std::wstring text = L"<-Window Positions->\n";
  for (const PlacementEntry& entry : placements.Entries()) {
    if (WindowEntryIsWritten(entry, savingWindowPositions))
      text += EntryLine(entry.key, PlacementText(entry.currentRect));
  }
  text += L"\n<-Text Options->\n";
  for (const TextOption& option : options.TextOptions()) {
    if (!option.saveValue.empty()) text += EntryLine(option.key, option.saveValue);
  }
  text += L"\n<-Boolean Options->\n";
  for (const BooleanOption& option : options.BooleanOptions()) {
    if (option.saveValue) text += EntryLine(option.key, L"true");
  }
  text += L"\n<-Other Options->\n";
  for (const OptionEntry& entry : otherEntries) text += EntryLine(entry.key, entry.value);
  return text;
}

// A file the reader cannot take in whole would lose settings at the next start without a word.
void WarnWhenNotReadBackWhole(std::string_view bytes) {
  for (std::string_view marker : {kTextOptionsMarker, kBooleanOptionsMarker, kOtherOptionsMarker}) {
    const std::size_t at = bytes.find(marker);
    if (at == std::string_view::npos || at > kMarkerLastOffset) {
      PostStampedMessage(
          L"WARNING: options file sections begin beyond byte 4096; they will not be read at start-up\r\n");
      return;
    }
  }
  if (bytes.size() > kOptionsFileReadLimit) {
    PostStampedMessage(
        L"WARNING: options file is longer than 8191 bytes; entries beyond will not be read at start-up\r\n");
  }
}

bool WriteWhole(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.flush();
  const bool written = file.good();
  file.close();
  return written && !file.fail();
}

}  // namespace

std::string FormatOptionsFile(const OptionTables& options, const PlacementTable& placements, bool savingWindowPositions,
                              const std::vector<OptionEntry>& otherEntries) {
  return ProcessCodePage().ToAnsi(FormatWide(options, placements, savingWindowPositions, otherEntries));
}

bool WriteOptionsFile(std::wstring_view path, OptionTables& options, PlacementTable& placements,
                      bool savingWindowPositions, const std::vector<OptionEntry>& otherEntries) {
  if (path.empty()) return false;
  const std::string bytes = FormatOptionsFile(options, placements, savingWindowPositions, otherEntries);
  const std::filesystem::path target = ToFsPath(path);
  std::filesystem::path side = target;
  side += ".new";
  std::error_code error;
  if (!WriteWhole(side, bytes)) {
    std::filesystem::remove(side, error);
    return false;
  }
  std::filesystem::rename(side, target, error);
  if (error) {
    std::filesystem::remove(side, error);
    return false;
  }
  for (PlacementEntry& entry : placements.Entries()) {
    if (WindowEntryIsWritten(entry, savingWindowPositions)) entry.loadedFromFile = true;
  }
  WarnWhenNotReadBackWhole(bytes);
  return true;
}

bool WriteOptionsFile(ZunaCommon& common, std::wstring_view path, const std::vector<OptionEntry>& otherEntries,
                      WindowPositions positions) {
  return WriteOptionsFile(path, common.Options(), common.Placements(), positions == WindowPositions::kWithMoves,
                          otherEntries);
}

}  // namespace zuna

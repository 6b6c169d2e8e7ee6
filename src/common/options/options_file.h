#pragma once
// The options file that both programs keep: four sections in fixed order (window positions, text
// options, boolean options, other options), 8-bit text in the ANSI code page, one entry per line
// ("    <key value>"), LF line ends. Which keys exist belongs to each program; this file fixes the
// syntax, the reader's tolerance and the writer's order.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/options/option_tables.h"
#include "common/windows/window_placement.h"

namespace zuna {

class ZunaCommon;

inline constexpr std::string_view kWindowPositionsMarker = "<-Window Positions->";
inline constexpr std::string_view kTextOptionsMarker = "<-Text Options->";
inline constexpr std::string_view kBooleanOptionsMarker = "<-Boolean Options->";
inline constexpr std::string_view kOtherOptionsMarker = "<-Other Options->";

// What the reader looks at: the first 8191 bytes, the first marker at offsets 0..64 and the
// others at offsets up to 4096. Files from every version of the programs rely on these limits.
inline constexpr std::size_t kOptionsFileReadLimit = 8191;
inline constexpr std::size_t kFirstMarkerLastOffset = 64;
inline constexpr std::size_t kMarkerLastOffset = 4096;

// A written line, line feed included, never exceeds this many characters.
inline constexpr std::size_t kOptionsLineLength = 1023;

// One "<key value>" entry of the other-options section.
struct OptionEntry {
  std::wstring key;
  std::wstring value;
  bool operator==(const OptionEntry&) const = default;
};

// Receives each entry of the other-options section, in file order.
using OtherOptionHandler = std::function<void(const std::wstring& key, const std::wstring& value)>;

// Reads the file at `path` (a Windows path text) into the tables: window entries set both copies of
// their placement and `loadedFromFile`; text and boolean entries set the value in use and the value
// to save; other entries go to `otherOptions`. An unknown key ends its section. False without a
// message when the file is missing or unreadable; false after a logic error message when a section
// marker is missing (entries read before that point are kept).
bool ReadOptionsFile(std::wstring_view path, OptionTables& options, PlacementTable& placements,
                     const OtherOptionHandler& otherOptions = {});

// The same on bytes already in memory; only the first 8191 are looked at.
bool ParseOptionsText(std::string_view bytes, OptionTables& options, PlacementTable& placements,
                      const OtherOptionHandler& otherOptions = {});

// The whole file as it is written: window entries read from the file (or moved by the user while
// window positions are being saved), text options with a value to save, boolean options whose value
// to save is true, then `otherEntries`.
std::string FormatOptionsFile(const OptionTables& options, const PlacementTable& placements, bool savingWindowPositions,
                              const std::vector<OptionEntry>& otherEntries);

// Writes the file and marks every written window entry as read from the file. The text goes to a
// side file first and replaces the old file only when complete, so a failed write leaves the previous
// file intact. False when the file could not be written; the caller posts its own warning.
bool WriteOptionsFile(std::wstring_view path, OptionTables& options, PlacementTable& placements,
                      bool savingWindowPositions, const std::vector<OptionEntry>& otherEntries = {});

// Which window entries a save writes: those read from the file, or also those the user moved (the
// "Save Window Positions" command).
enum class WindowPositions { kAsRead, kWithMoves };

// The program's tables in `common`.
bool ReadOptionsFile(ZunaCommon& common, std::wstring_view path, const OtherOptionHandler& otherOptions = {});
bool WriteOptionsFile(ZunaCommon& common, std::wstring_view path, const std::vector<OptionEntry>& otherEntries = {},
                      WindowPositions positions = WindowPositions::kAsRead);

// processDirectory + ("Release\\" in a development tree) + "OptionsFiles\\" + fileName.
std::wstring OptionsFilePath(std::wstring_view processDirectory, bool inDevelopmentTree, std::wstring_view fileName);

}  // namespace zuna

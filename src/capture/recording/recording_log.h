#pragma once
// The text log written beside every recording, and the two summary lines of what the file holds.
#include <cstddef>
#include <optional>
#include <string>

#include "capture/gps/gps_fix_texts.h"
#include "common/text/ansi_code_page.h"
#include "video/player/media_graph_types.h"

namespace zuna {

// How a recording ended: asked to (the Stop button, the event's end, the program's exit), or by
// itself when its file took no more frames or its camera stopped delivering.
enum class RecordingEnd { kAsked, kFullDisk, kFailedWrite, kStalledCamera };

struct RecordingLogFacts {
  bool eventRecording = false;
  std::wstring eventRecordingText;  // follows "Event recording: "
  std::wstring startMessage;        // "Start recording at hh:mm:ss (UTC)"
  std::wstring stopMessage;         // empty while the recording runs: the log begun at its start
  std::wstring videoFile;           // complete path
  std::optional<GpsFixTexts> gps;   // only a valid fix read at the start
  std::wstring deviceName;
  std::wstring standardName;              // "NTSC_M" .. "UNKNOWN"
  std::optional<std::wstring> frameRate;  // the current format's texts; none without a format
  std::optional<std::wstring> frameSize;
  std::wstring codecName = L"NONE";         // the compressor the recording went through
  std::optional<TimeLapseInUse> timeLapse;  // none: every frame recorded
  bool displayOff = false;
  std::optional<RecordingTotals> totals;  // none when the graph could not tell
  std::wstring frameTimesFile;            // its name beside the video file; empty when none was written
  RecordingEnd end = RecordingEnd::kAsked;
};

// Every line in order, each ending with CR LF.
std::wstring BuildRecordingLogText(const RecordingLogFacts& facts);

// "First frame: hh:mm:ss.mmm (UTC)" ("First frame: none" when no frame came).
std::wstring FirstFrameLine(const RecordingTotals& totals);
// "Time lapse: one frame every N seconds" or "Time lapse: one frame in every N frames".
std::wstring TimeLapseLine(const TimeLapseInUse& timeLapse);
// "Frames recorded: N, dropped: M".
std::wstring FramesLine(const RecordingTotals& totals);
// "Recording stopped early: " and why; empty for a recording that ended when asked to.
std::wstring EarlyEndLine(RecordingEnd end);
// "Frames not recorded after the fault: N".
std::wstring LostFramesLine(const RecordingTotals& totals);

// The AVI path with everything from its last "." replaced by ".txt"; empty without a ".".
std::wstring RecordingLogPath(const std::wstring& videoFile);

// The bytes a log begun at a recording's start keeps on the disk for its completion: a disk that
// fills up during the recording still takes the whole log.
inline constexpr std::size_t kRecordingLogReserve = 4096;

// Writes the whole text in the code page, replacing an older file of that name. A character
// the code page cannot hold posts the NOTE and is written as its replacement; a file that cannot
// be written posts a WARNING naming it. False when the file was not written. With `reserve` the
// file is padded with blanks to that size, room that a later write of the complete log reuses: the
// file is written over in place and then cut to the text's length.
bool WriteRecordingLog(const std::wstring& logPath, const std::wstring& text, const AnsiCodePage& codePage,
                       std::size_t reserve = 0);

}  // namespace zuna

#pragma once
// The text log written beside every recording, and the two summary lines of what the file holds.
#include <optional>
#include <string>

#include "capture/gps/gps_fix_texts.h"
#include "common/text/ansi_code_page.h"
#include "video/player/media_graph_types.h"

namespace zuna {

struct RecordingLogFacts {
  bool eventRecording = false;
  std::wstring eventRecordingText;  // follows "Event recording: "
  std::wstring startMessage;        // "Start recording at hh:mm:ss (UTC)"
  std::wstring stopMessage;
  std::wstring videoFile;          // complete path
  std::optional<GpsFixTexts> gps;  // only a valid fix read at the start
  std::wstring deviceName;
  std::wstring standardName;              // "NTSC_M" .. "UNKNOWN"
  std::optional<std::wstring> frameRate;  // the current format's texts; none without a format
  std::optional<std::wstring> frameSize;
  std::wstring codecName = L"NONE";         // the compressor the recording went through
  std::optional<TimeLapseInUse> timeLapse;  // none: every frame recorded
  bool displayOff = false;
  std::optional<RecordingTotals> totals;  // none when the graph could not tell
  std::wstring frameTimesFile;            // its name beside the video file; empty when none was written
};

// Every line in order, each ending with CR LF.
std::wstring BuildRecordingLogText(const RecordingLogFacts& facts);

// "First frame: hh:mm:ss.mmm (UTC)" ("First frame: none" when no frame came).
std::wstring FirstFrameLine(const RecordingTotals& totals);
// "Time lapse: one frame every N seconds" or "Time lapse: one frame in every N frames".
std::wstring TimeLapseLine(const TimeLapseInUse& timeLapse);
// "Frames recorded: N, dropped: M".
std::wstring FramesLine(const RecordingTotals& totals);

// The AVI path with everything from its last "." replaced by ".txt"; empty without a ".".
std::wstring RecordingLogPath(const std::wstring& videoFile);

// Writes the whole text in the code page, replacing an older file of that name. A character
// the code page cannot hold posts the NOTE and is written as its replacement; a file that cannot
// be written posts a WARNING naming it. False when the file was not written.
bool WriteRecordingLog(const std::wstring& logPath, const std::wstring& text, const AnsiCodePage& codePage);

}  // namespace zuna

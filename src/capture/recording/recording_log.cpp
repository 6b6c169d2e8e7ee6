#include "capture/recording/recording_log.h"

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>

#include "common/log/user_messages_log.h"
#include "common/time/file_time.h"

namespace zuna {
namespace {

void AddLine(std::wstring& text, std::wstring_view line) {
  text += line;
  text += L"\r\n";
}

void AddGpsLine(std::wstring& text, std::wstring_view caption, const std::wstring& value, std::wstring_view missing) {
  AddLine(text, value.empty() ? std::wstring(missing) : std::wstring(caption) + value);
}

// The code page writes '?' for what it cannot hold: more '?' out than in means a lost character.
bool LostCharacters(std::wstring_view text, const std::string& bytes) {
  return std::count(bytes.begin(), bytes.end(), '?') > std::count(text.begin(), text.end(), L'?');
}

}  // namespace

std::wstring BuildRecordingLogText(const RecordingLogFacts& f) {
  std::wstring text;
  AddLine(text, f.eventRecording ? L"Event recording: " + f.eventRecordingText : L"Manual recording");
  AddLine(text, f.startMessage);
  if (!f.stopMessage.empty()) AddLine(text, f.stopMessage);
  AddLine(text, L"Video file:  " + f.videoFile);
  if (f.gps) {
    AddGpsLine(text, L"Latitude: ", f.gps->latitude, L"Latitude value not available");
    AddGpsLine(text, L"Longitude: ", f.gps->longitude, L"Longitude value not available");
    AddGpsLine(text, L"Altitude: ", f.gps->altitude, L"Altitude value not available");
    AddGpsLine(text, L"Number of satellites: ", f.gps->satellites, L"Number of satellites not available");
  }
  AddLine(text, L"Video source device: " + f.deviceName);
  AddLine(text, L"Source device video standard: " + f.standardName);
  AddLine(text, L"Frame rate: " + (f.frameRate ? *f.frameRate : L"device frame rate unknown\r\n"));
  AddLine(text, L"Frame size: " + (f.frameSize ? *f.frameSize : L"device frame size unknown"));
  AddLine(text, L"Codec: " + f.codecName);
  if (f.timeLapse) AddLine(text, TimeLapseLine(*f.timeLapse));
  if (f.displayOff) AddLine(text, L"Video display off during recording");
  if (f.totals) {
    AddLine(text, FirstFrameLine(*f.totals));
    AddLine(text, FramesLine(*f.totals));
  }
  if (f.end != RecordingEnd::kAsked) AddLine(text, EarlyEndLine(f.end));
  if (f.totals && (f.end == RecordingEnd::kFullDisk || f.end == RecordingEnd::kFailedWrite)) {
    AddLine(text, LostFramesLine(*f.totals));
  }
  if (!f.frameTimesFile.empty()) AddLine(text, L"Frame times: " + f.frameTimesFile);
  return text;
}

// Frame skipping keeps one frame in every max(count, 2): a count of 1 keeps every second frame.
std::wstring TimeLapseLine(const TimeLapseInUse& timeLapse) {
  if (timeLapse.intervalMode) {
    return L"Time lapse: one frame every " + std::to_wstring(timeLapse.count) +
           (timeLapse.count == 1 ? L" second" : L" seconds");
  }
  return L"Time lapse: one frame in every " + std::to_wstring(std::max(timeLapse.count, 2)) + L" frames";
}

std::wstring FirstFrameLine(const RecordingTotals& totals) {
  if (!totals.firstFrameKnown) return L"First frame: none";
  const CalendarTime t = ToCalendarTime(totals.firstFrameUtc);
  wchar_t text[64];
  std::swprintf(text, 64, L"First frame: %02d:%02d:%02d.%03d (UTC)", t.hour, t.minute, t.second, t.millisecond);
  return text;
}

std::wstring FramesLine(const RecordingTotals& totals) {
  return L"Frames recorded: " + std::to_wstring(totals.framesWritten) + L", dropped: " +
         std::to_wstring(totals.framesDropped);
}

std::wstring EarlyEndLine(RecordingEnd end) {
  switch (end) {
    case RecordingEnd::kAsked:
      return {};
    case RecordingEnd::kFullDisk:
      return L"Recording stopped early: the disk is full";
    case RecordingEnd::kFailedWrite:
      return L"Recording stopped early: the video file could not be written";
    case RecordingEnd::kStalledCamera:
      return L"Recording stopped early: the video device delivered no frame for 2 seconds";
  }
  return {};
}

std::wstring LostFramesLine(const RecordingTotals& totals) {
  return L"Frames not recorded after the fault: " + std::to_wstring(totals.framesLostAfterFault);
}

std::wstring RecordingLogPath(const std::wstring& videoFile) {
  const std::size_t dot = videoFile.rfind(L'.');
  if (dot == std::wstring::npos) return {};
  return videoFile.substr(0, dot) + L".txt";
}

bool WriteRecordingLog(const std::wstring& logPath, const std::wstring& text, const AnsiCodePage& codePage,
                       std::size_t reserve) {
  std::string bytes = codePage.ToAnsi(text);
  if (LostCharacters(text, bytes)) {
    PostStampedMessage(L"\r\n\r\nNOTE -- wide character buffer has unexpected bad character.\r\n");
  }
  if (bytes.size() < reserve) bytes.resize(reserve, ' ');
  // The path goes to the file system as it is, so no character of it is lost. An existing file is
  // written over in place: its room was kept when the recording began, so a full disk still takes it.
  const std::filesystem::path path(logPath);
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  if (!file.is_open()) file.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
  if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file) file.close();
  std::error_code error;
  // A completed log is shorter than the room kept for it: the rest is cut off.
  if (file && std::filesystem::file_size(path, error) != bytes.size()) {
    std::filesystem::resize_file(path, bytes.size(), error);
  }
  if (!file || error) {
    PostStampedMessage(L"WARNING: cannot write recording log " + logPath + L"\r\n");
    return false;
  }
  return true;
}

}  // namespace zuna

#include "capture/gps/gps_port.h"

#include <algorithm>
#include <cwchar>

#include "common/log/user_messages_log.h"

namespace zuna {

bool GpsPort::ProbeGpsPort(int portIndex, int speedIndex) {
  if (portIndex < 0 || portIndex >= kGpsPortCount || speedIndex < 0 ||
      speedIndex >= static_cast<int>(kGpsSpeeds.size())) {
    return false;
  }
  port_.Close();
  const int baud = kGpsSpeeds[static_cast<std::size_t>(speedIndex)];
  if (!port_.Open(portIndex + 1, baud)) return false;

  std::string data(kGpsProbeReadSize, '\0');
  const std::int64_t first = port_.Read(data.data(), data.size());
  if (first <= 0 || static_cast<std::size_t>(first) > data.size()) {
    port_.Close();
    return false;
  }
  std::size_t received = static_cast<std::size_t>(first);
  if (received < data.size()) {
    // The first read may have caught only the tail of a sentence burst: one more for the rest.
    const std::int64_t second = port_.Read(data.data() + received, data.size() - received);
    if (second > 0 && static_cast<std::size_t>(second) <= data.size() - received) {
      received += static_cast<std::size_t>(second);
    }
  }
  data.resize(received);
  if (!ContainsGgaTag(data)) {
    port_.Close();
    return false;
  }
  refreshReadSize_ = std::max(static_cast<std::size_t>(baud / 8), kGpsMinRefreshReadSize);
  wchar_t line[64];
  std::swprintf(line, 64, L"COM%1d at %d baud\r\n", portIndex + 1, baud);
  PostUnstampedMessage(line);
  return true;
}

void GpsPort::ToggleGpsConnection() {
  if (connected_) {
    DisconnectGps();
    return;
  }
  ConnectGps();
}

void GpsPort::ConnectGps() {
  if (connected_) return;
  connected_ = true;
  PostStampedMessage(L"Attempting to connect with USB GPS receiver.  This may take a minute.");
  if (lastGoodPort_ >= 0 && lastGoodSpeed_ >= 0 && ProbeGpsPort(lastGoodPort_, lastGoodSpeed_)) {
    OnConnected();
    return;
  }
  if (!ScanPorts()) {
    connected_ = false;
    PostStampedMessage(L"No USB GPS receiver found\r\n");
    return;
  }
  OnConnected();
}

bool GpsPort::ScanPorts() {
  host_.ShowStandByNotice(true);
  for (int portIndex = 0; portIndex < kGpsPortCount; ++portIndex) {
    for (int speedIndex = 0; speedIndex < static_cast<int>(kGpsSpeeds.size()); ++speedIndex) {
      if (ProbeGpsPort(portIndex, speedIndex)) {
        lastGoodPort_ = portIndex;
        lastGoodSpeed_ = speedIndex;
        host_.ShowStandByNotice(false);
        return true;
      }
    }
  }
  host_.ShowStandByNotice(false);
  return false;
}

void GpsPort::OnConnected() {
  refreshPaused_ = false;
  PostStampedMessage(L"USB GPS connected\r\n");
  host_.ShowGpsConnected(true);
  host_.StartRefreshTimer();
}

void GpsPort::DisconnectGps() {
  // The timer goes first: a tick still reading must end before the port closes under it.
  host_.StopRefreshTimer();
  port_.Close();
  connected_ = false;
  refreshPaused_ = false;
  buffer_.clear();
  host_.ShowGpsConnected(false);
}

void GpsPort::CloseGpsWindow() {
  DisconnectGps();
  PostStampedMessage(L"GPS connection is closed\r\n");
}

GpsPort::ReadOutcome GpsPort::ReadFixOnce(GpsFixTexts& texts) {
  if (!port_.IsOpen()) return ReadOutcome::kFailed;
  texts.Clear();
  buffer_.assign(refreshReadSize_, '\0');
  const std::int64_t count = port_.Read(buffer_.data(), buffer_.size());
  if (count < 0 || static_cast<std::size_t>(count) > buffer_.size()) {
    buffer_.clear();
    return ReadOutcome::kFailed;
  }
  buffer_.resize(static_cast<std::size_t>(count));
  if (count == 0) {
    PostStampedMessage(L"Zero bytes read for GPS values refresh\r\n");
    return ReadOutcome::kNoBytes;
  }
  GgaFix fix;
  const GgaSearch search = FindLatestGgaFix(buffer_, fix);
  if (search == GgaSearch::kNoSentence) PostStampedMessage(L"Cannot find GPGGA string\r\n");
  if (search != GgaSearch::kFound) return ReadOutcome::kFailed;
  texts = FormatGpsFixTexts(fix);
  buffer_.clear();
  return ReadOutcome::kFix;
}

bool GpsPort::ReadGpsFix(GpsFixTexts& texts) {
  return ReadFixOnce(texts) == ReadOutcome::kFix;
}

bool GpsPort::RefreshGpsWindow(GpsFixTexts& texts) {
  if (!port_.IsOpen()) {
    PostStampedMessage(L"GPS receiver is not connected\r\n\r\n");
    return false;
  }
  for (int attempt = 0; attempt < kGpsFixAttempts; ++attempt) {
    if (ReadGpsFix(texts)) return true;
  }
  PostStampedMessage(L"GPS information is not valid\r\n");
  return false;
}

GpsRecordingFix GpsPort::ReadGpsFixForRecording() {
  GpsRecordingFix result;
  if (!connected_ || !port_.IsOpen()) return result;
  host_.StopRefreshTimer();
  refreshPaused_ = true;
  for (int attempt = 0; attempt < kGpsFixAttempts; ++attempt) {
    const ReadOutcome outcome = ReadFixOnce(result.texts);
    if (outcome == ReadOutcome::kFix) {
      result.valid = true;
      return result;
    }
    // A read that waited its whole time-out for nothing means a silent receiver; more of them
    // would only hold back the recording.
    if (outcome == ReadOutcome::kNoBytes) break;
  }
  result.texts.Clear();
  return result;
}

void GpsPort::ResumeGpsRefresh() {
  if (!refreshPaused_) return;
  refreshPaused_ = false;
  if (connected_ && port_.IsOpen()) host_.StartRefreshTimer();
}

}  // namespace zuna

#pragma once
// The GPS receiver on a serial port: finding it (port and speed scan), connecting and disconnecting,
// reading fixes for the GPS window and for the log of each recording.
//
// Threads: RefreshGpsWindow may run on the refresh timer's thread; everything else runs on the main
// thread. Every main-thread operation that touches the port stops the timer first (the host waits
// for a running tick), so the port is only ever used by one thread at a time.
#include <array>
#include <cstddef>
#include <string>

#include "capture/gps/gps_fix_texts.h"
#include "capture/gps/gps_host.h"
#include "capture/gps/serial_port.h"

namespace zuna {

inline constexpr int kGpsPortCount = 9;  // COM1 to COM9
inline constexpr std::array<int, 4> kGpsSpeeds{38400, 19200, 9600, 4800};
inline constexpr std::size_t kGpsProbeReadSize = 600;
inline constexpr std::size_t kGpsMinRefreshReadSize = 1000;
inline constexpr int kGpsFixAttempts = 101;

// The fix read at a recording's start; only a valid one goes into the recording's log.
struct GpsRecordingFix {
  bool valid = false;
  GpsFixTexts texts;
};

class GpsPort {
 public:
  GpsPort(SerialPort& port, GpsHost& host) : port_(port), host_(host) {}

  // True when "$GPGGA" came on COM<portIndex + 1> at kGpsSpeeds[speedIndex]; the port then stays open.
  bool ProbeGpsPort(int portIndex, int speedIndex);

  // The "USB GPS Receiver..." command: disconnects when connected, else searches and connects.
  void ToggleGpsConnection();
  // Searches and connects unless already connected; never disconnects.
  void ConnectGps();
  void DisconnectGps();
  // The GPS window's Close button and close box.
  void CloseGpsWindow();

  // One read and parse of the latest fix. False when the port is closed, the read failed or brought
  // nothing, or no readable "$GPGGA" sentence came.
  bool ReadGpsFix(GpsFixTexts& texts);

  // The refresh tick: up to kGpsFixAttempts reads; true with the texts to show and keep.
  bool RefreshGpsWindow(GpsFixTexts& texts);

  // A recording's start: pauses the refresh and reads the fix from the connected receiver, which
  // stays connected. ResumeGpsRefresh after the recording ends restarts the refresh.
  GpsRecordingFix ReadGpsFixForRecording();
  void ResumeGpsRefresh();

  bool Connected() const { return connected_; }
  bool PortOpen() const { return port_.IsOpen(); }
  int LastGoodPortIndex() const { return lastGoodPort_; }
  int LastGoodSpeedIndex() const { return lastGoodSpeed_; }
  std::size_t RefreshReadSize() const { return refreshReadSize_; }

 private:
  enum class ReadOutcome { kFix, kNoBytes, kFailed };

  ReadOutcome ReadFixOnce(GpsFixTexts& texts);
  bool ScanPorts();
  void OnConnected();

  SerialPort& port_;
  GpsHost& host_;
  int lastGoodPort_ = -1;  // kept across disconnects, so that a later connect tries it first
  int lastGoodSpeed_ = -1;
  bool connected_ = false;
  bool refreshPaused_ = false;
  std::size_t refreshReadSize_ = kGpsMinRefreshReadSize;
  std::string buffer_;
};

}  // namespace zuna

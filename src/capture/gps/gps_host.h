#pragma once
// What the capture main window does for the GPS receiver: the windows, the menu check mark and the
// refresh timer. The receiver logic (GpsPort) decides when; the host only carries it out.
namespace zuna {

inline constexpr unsigned kGpsRefreshPeriodMs = 5000;

class GpsHost {
 public:
  virtual ~GpsHost() = default;

  // The "Stand by..." notice shown while the port scan blocks the main thread.
  virtual void ShowStandByNotice(bool shown) = 0;

  // Connected: show the GPS window at its remembered position and check "USB GPS Receiver...".
  // Not connected: hide the window and remove the check mark.
  virtual void ShowGpsConnected(bool connected) = 0;

  // The refresh timer: first after kGpsRefreshPeriodMs, then every kGpsRefreshPeriodMs. Each tick
  // (skipped while an event is pending or recording) calls GpsPort::RefreshGpsWindow, then shows
  // the GPS window.
  virtual void StartRefreshTimer() = 0;

  // Deletes the timer and returns only when no tick is running any more, so that the port is never
  // read by a tick and by the caller at the same time. Harmless when no timer exists.
  virtual void StopRefreshTimer() = 0;
};

}  // namespace zuna

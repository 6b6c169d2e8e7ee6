#pragma once
// The GPS receiver's window and everything the receiver logic asks of the capture program: the
// stand-by notice during the port scan, the menu check mark, and the five-second refresh whose
// readings are handed to the main thread.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "capture/gps/gps_port.h"
#include "capture/gps/win/win_serial_port.h"
#include "common/foundation/win/common_windows.h"
#include "common/foundation/win/main_thread_timer.h"
#include "common/windows/win/dialog_window.h"

namespace zuna {

class GpsWindow final : public GpsHost {
 public:
  struct Callbacks {
    std::function<void(bool)> showStandBy;    // the stand-by notice
    std::function<void(bool)> checkMenuItem;  // "USB GPS Receiver..."
  };

  // `refreshMessage` is a private message of `mainWindow`, whose procedure calls OnRefreshMessage.
  GpsWindow(CommonWindows& common, HINSTANCE instance, HWND mainWindow, UINT refreshMessage, Callbacks callbacks);
  ~GpsWindow() override;

  bool Create();
  HWND Window() const { return window_.Window(); }
  GpsPort& Port() { return gps_; }

  // Ticks do nothing while an event is pending or recording.
  void SetEventPending(bool pending) { eventPending_ = pending; }

  // Main thread: the readings a tick posted.
  void OnRefreshMessage(LPARAM lParam);

  void ShowStandByNotice(bool shown) override;
  void ShowGpsConnected(bool connected) override;
  void StartRefreshTimer() override;
  void StopRefreshTimer() override;

 private:
  // On the timer's thread: the readings to post, or nothing while an event is pending.
  std::optional<LPARAM> ReadFix();
  void ShowFix(const GpsFixTexts& texts);
  void Place();

  CommonWindows& common_;
  Callbacks callbacks_;
  WinSerialPort serial_;
  GpsPort gps_{serial_, *this};
  std::atomic<bool> eventPending_{false};
  DialogWindow window_;
  HWND latitude_ = nullptr, longitude_ = nullptr, altitude_ = nullptr, satellites_ = nullptr;
  MainThreadTimer refresh_;  // last: stopped first, while what a tick reads still exists
};

}  // namespace zuna

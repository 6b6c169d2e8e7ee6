#pragma once
// A one-shot timer whose tick reaches the main thread (the Win32 side uses a window timer). The
// crosshair arrows re-arm it for each tick while a button is held.
namespace zuna {

class RepeatTimer {
 public:
  virtual ~RepeatTimer() = default;
  // (Re)arms the timer: one tick after `milliseconds`.
  virtual void Start(int milliseconds) = 0;
  virtual void Stop() = 0;
};

}  // namespace zuna

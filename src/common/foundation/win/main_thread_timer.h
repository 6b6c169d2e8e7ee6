#pragma once
// A timer-queue timer whose ticks reach the main thread: each tick posts a private message to a
// window of the main thread, whose procedure does the tick's work. Posted, never sent: the main
// thread may be waiting for a tick to end.
#include <windows.h>

#include <functional>
#include <optional>

namespace zuna {

class MainThreadTimer {
 public:
  // What a tick may do first on the timer's thread: give the message's lParam (an object the
  // message's handler takes over), or nothing to post no message this time.
  using Prepare = std::function<std::optional<LPARAM>()>;
  // Frees what Prepare gave when the message could not be posted.
  using Discard = std::function<void(LPARAM)>;

  MainThreadTimer(HWND window, UINT message, Prepare prepare = nullptr, Discard discard = nullptr)
      : window_(window), message_(message), prepare_(std::move(prepare)), discard_(std::move(discard)) {}
  // Waits for a tick under way, which may read its owner.
  ~MainThreadTimer() { Stop(true); }
  MainThreadTimer(const MainThreadTimer&) = delete;
  MainThreadTimer& operator=(const MainThreadTimer&) = delete;

  // The first tick after `dueMs`, then one every `periodMs` (0: that one only). A running timer
  // is stopped first, without waiting.
  bool Start(DWORD dueMs, DWORD periodMs);
  // `waitForTick`: returns only when a tick that is running has finished. Without it, a tick under
  // way may still post its message.
  void Stop(bool waitForTick);
  bool Running() const { return timer_ != nullptr; }

 private:
  static void CALLBACK OnTick(PVOID context, BOOLEAN);

  HWND window_;
  UINT message_;
  Prepare prepare_;
  Discard discard_;
  HANDLE timer_ = nullptr;
};

}  // namespace zuna

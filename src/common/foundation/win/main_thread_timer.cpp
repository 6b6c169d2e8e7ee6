#include "common/foundation/win/main_thread_timer.h"

namespace zuna {

bool MainThreadTimer::Start(DWORD dueMs, DWORD periodMs) {
  Stop(false);
  const ULONG flags = periodMs == 0 ? WT_EXECUTEONLYONCE : WT_EXECUTEDEFAULT;
  if (CreateTimerQueueTimer(&timer_, nullptr, OnTick, this, dueMs, periodMs, flags)) return true;
  timer_ = nullptr;
  return false;
}

void MainThreadTimer::Stop(bool waitForTick) {
  if (timer_ == nullptr) return;
  DeleteTimerQueueTimer(nullptr, timer_, waitForTick ? INVALID_HANDLE_VALUE : nullptr);
  timer_ = nullptr;
}

// On a timer-queue thread.
void CALLBACK MainThreadTimer::OnTick(PVOID context, BOOLEAN) {
  const auto* self = static_cast<const MainThreadTimer*>(context);
  LPARAM lParam = 0;
  if (self->prepare_) {
    const std::optional<LPARAM> prepared = self->prepare_();
    if (!prepared) return;
    lParam = *prepared;
  }
  if (!PostMessageW(self->window_, self->message_, 0, lParam) && lParam != 0 && self->discard_) self->discard_(lParam);
}

}  // namespace zuna

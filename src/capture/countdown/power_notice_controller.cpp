#include "capture/countdown/power_notice_controller.h"

namespace zuna {

void PowerNoticeController::Start(PowerAction action) {
  const auto texts = notice_.Start(action);
  if (!texts) return;
  view_.StartTimer();
  view_.SetCount(texts->count);
  view_.SetLabel(texts->label);
  view_.SetCancelText(texts->cancelButton);
  view_.SetExplanation(texts->explanation);
  view_.SetTitle(texts->title);
  view_.Show();
}

void PowerNoticeController::OnTimer() {
  const PowerNoticeStep step = notice_.Tick();
  if (step.count) view_.SetCount(*step.count);
  if (!step.finished) return;
  view_.StopTimer();
  view_.Hide();
  if (CarryOutPowerAction(step.carryOut, power_)) state_.exit.Request();
}

void PowerNoticeController::OnCancel() {
  notice_.Cancel();
  view_.StopTimer();
  view_.Hide();
}

}  // namespace zuna

#include "capture/countdown/power_notice.h"

#include <cwchar>

namespace zuna {

std::optional<PowerNoticeTexts> PowerNotice::Start(PowerAction action) {
  if (action == PowerAction::kNone) return std::nullopt;
  action_ = action;
  count_ = kPowerNoticeSeconds;
  const std::wstring word = action == PowerAction::kHibernate ? L"Hibernate" : L"Shutdown";
  return PowerNoticeTexts{word, word + L" in", L"Cancel " + word, L"unless you select Cancel " + word,
                          std::to_wstring(kPowerNoticeSeconds)};
}

PowerNoticeStep PowerNotice::Tick() {
  PowerNoticeStep step;
  if (!Active()) return step;
  --count_;
  if (count_ > 0) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%02d", count_);
    step.count = text;
    return step;
  }
  step.finished = true;
  step.carryOut = action_;
  action_ = PowerAction::kNone;
  return step;
}

void PowerNotice::Cancel() {
  action_ = PowerAction::kNone;
}

}  // namespace zuna

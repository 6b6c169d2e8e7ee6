#pragma once
// The "Hibernate" / "Shutdown" notice window: 30 seconds counted by a one-second window timer on
// the main thread, then the power action unless the user cancelled.
#include <string_view>

#include "capture/countdown/power_notice.h"
#include "common/foundation/common_state.h"

namespace zuna {

class PowerNoticeView {
 public:
  virtual ~PowerNoticeView() = default;
  virtual void SetTitle(std::wstring_view text) = 0;
  virtual void SetLabel(std::wstring_view text) = 0;
  virtual void SetCount(std::wstring_view text) = 0;
  virtual void SetExplanation(std::wstring_view text) = 0;
  virtual void SetCancelText(std::wstring_view text) = 0;
  virtual void StartTimer() = 0;  // one second, repeating
  virtual void StopTimer() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
};

class PowerNoticeController {
 public:
  PowerNoticeController(PowerNoticeView& view, PowerControl& power, CommonState& state)
      : view_(view), power_(power), state_(state) {}

  // After an automatic event recording whose event asked for hibernation or shutdown.
  void Start(PowerAction action);
  // The window timer. At 0 the window goes and the action is carried out; a shutdown under way
  // sets the exit request.
  void OnTimer();
  // The cancel button: the window goes, nothing else happens.
  void OnCancel();
  bool Active() const { return notice_.Active(); }

 private:
  PowerNoticeView& view_;
  PowerControl& power_;
  CommonState& state_;
  PowerNotice notice_;
};

}  // namespace zuna

#pragma once
// The "Miscellaneous Options" window of the playback program: two boxes over the boolean options
// "DateTimeAtEnd" and "DisableMagnifyClamp". The boxes change the values to be saved; "Save" writes
// them and puts them in effect, "Cancel" and the close box drop them.
#include <functional>

#include "common/foundation/zuna_common.h"
#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"

namespace zuna {

class PlaybackOptionsController final : public ToggledWindow {
 public:
  enum Control { kDateTimeAtEnd = 1, kDisableMagnifyClamp, kSave, kCancel, kHelpButton };

  struct Hooks {
    std::function<void(bool)> checkMenuItem;  // the "Miscellaneous..." check mark
    std::function<void()> closeMagnify;       // so that a changed magnify rule applies at next opening
  };

  PlaybackOptionsController(ZunaCommon& common, WindowView& view, Hooks hooks);

  void Initialize();
  void Open() override;
  void OnBoxClicked();
  void OnSave();
  // "Cancel" and the close box.
  void OnCancel();
  bool MagnifyRuleChanged() const { return magnifyRuleChanged_; }

 private:
  ZunaCommon& common_;
  WindowView& view_;
  Hooks hooks_;
  bool magnifyRuleChanged_ = false;  // kept until the program ends
};

}  // namespace zuna

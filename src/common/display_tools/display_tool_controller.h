#pragma once
// What the four display tool windows share: the menu toggles them, the window's close box and
// Cancel close them; opening switches the tool's display filter on, closing switches it off, and
// either way the program rebuilds its display chain through its callback.
#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "common/windows/window_view.h"

namespace zuna {

class ZunaCommon;

class DisplayToolController {
 public:
  DisplayToolController(ZunaCommon& common, WindowView& view, DisplayTool tool);
  virtual ~DisplayToolController() = default;
  DisplayToolController(const DisplayToolController&) = delete;
  DisplayToolController& operator=(const DisplayToolController&) = delete;

  bool IsOpen() const { return open_; }
  DisplayTool Tool() const { return tool_; }
  // The menu command: closes an open window, else opens it.
  Status Toggle();
  Status Open();
  Status Close();

 protected:
  // Puts the window's values in place before it is shown.
  virtual void Prepare() {}
  // Called once the window shows (the magnifier's clamp needs the window on screen).
  virtual void Shown() {}
  virtual void Closing() {}

  ZunaCommon& common_;
  WindowView& view_;

 private:
  DisplayTool tool_;
  bool open_ = false;
};

}  // namespace zuna

#pragma once
// "Video Magnify": six sizes for the displayed video.
#include "common/display_tools/magnify_controller.h"
#include "common/display_tools/win/tool_window.h"

namespace zuna {

class MagnifyWindow final : public ToolWindow {
 public:
  MagnifyWindow(CommonWindows& common, HWND mainWindow);
  DisplayToolController& Controller() override { return controller_; }
  MagnifyController& Magnify() { return controller_; }

 private:
  Frame Describe() const override;
  void CreateControls() override;
  void OnCommand(int control, int notification) override;
  MagnifyRoom Room() const;

  MagnifyController controller_;
};

}  // namespace zuna

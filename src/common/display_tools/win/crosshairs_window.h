#pragma once
// "Crosshairs": the intensity slider, the arrow buttons that repeat while held (a window timer, so
// the repeat runs on the main thread), the arrow keys and the centring buttons.
#include "common/display_tools/crosshairs_controller.h"
#include "common/display_tools/win/tool_window.h"

namespace zuna {

class CrosshairsWindow final : public ToolWindow, private RepeatTimer {
 public:
  CrosshairsWindow(CommonWindows& common, HWND mainWindow, HICON arrowIcons[4]);
  DisplayToolController& Controller() override { return controller_; }
  CrosshairsController& Crosshairs() { return controller_; }

 private:
  Frame Describe() const override;
  void CreateControls() override;
  void OnCommand(int control, int notification) override;
  void OnSlider(int) override { controller_.OnSliderMoved(); }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // RepeatTimer
  void Start(int milliseconds) override;
  void Stop() override;

  static LRESULT CALLBACK ArrowProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);

  CrosshairsController controller_;
  HICON arrowIcons_[4] = {};
};

}  // namespace zuna

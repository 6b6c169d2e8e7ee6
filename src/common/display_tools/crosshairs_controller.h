#pragma once
// The "Crosshairs" window: the intensity slider, whose range follows the picture's format, and the
// centre moved pixel by pixel with four arrow buttons (held down they repeat), the arrow keys and
// two centring buttons.
#include "common/display_tools/display_tool_controller.h"
#include "common/display_tools/repeat_timer.h"

namespace zuna {

enum class ArrowDirection { kUp, kDown, kLeft, kRight };

// The picture formats the intensity range depends on.
enum class IntensityFormat { kYuy2, kRgb, kOther };

inline constexpr int kArrowRepeatDelayMs = 800;
inline constexpr int kArrowRepeatPeriodMs = 50;

class CrosshairsController final : public DisplayToolController {
 public:
  enum Control {
    kSlider = 1,
    kUp,
    kDown,
    kLeft,
    kRight,
    kCentreRow,
    kCentreColumn,
    kRowText,
    kColumnText,
    kCancel,
    kHelpButton,
    kLabel,
    kRowLabel,
    kColumnLabel
  };

  CrosshairsController(ZunaCommon& common, WindowView& view, RepeatTimer& timer);

  void Initialize();
  // YUY2 55..235, RGB 50..255, anything else 0..0; the intensity goes to the middle.
  void SetIntensityFormat(IntensityFormat format);
  void OnSliderMoved();

  // An arrow button pressed moves one pixel and, held, repeats; released, the repeat ends.
  void OnArrowPressed(ArrowDirection direction);
  void OnArrowReleased();
  void OnRepeatTick();
  // One pixel per key-down message.
  void OnArrowKey(ArrowDirection direction);
  void OnCentreRow();
  void OnCentreColumn();

  int Row() const;
  int Column() const;

 protected:
  void Prepare() override;
  void Closing() override;

 private:
  void Step(ArrowDirection direction);
  void ShowCentre();

  RepeatTimer& timer_;
  bool repeating_ = false;
  ArrowDirection held_ = ArrowDirection::kUp;
};

}  // namespace zuna

#pragma once
// The "Video Magnify" window: six sizes for the displayed video, the ones that would not fit the
// screen disabled unless the "DisableMagnifyClamp" option is set.
#include <array>
#include <functional>
#include <string_view>

#include "common/display_tools/display_tool_controller.h"
#include "common/windows/geometry.h"

namespace zuna {

inline constexpr int kMagnifyChoices = 6;
inline constexpr int kMagnifyNone = 3;
inline constexpr std::array<std::wstring_view, kMagnifyChoices> kMagnifyTexts{L" x 0.25", L" x 0.5", L" x 0.75",
                                                                              L" None",   L" x 1.5", L" x 2.0"};

struct DisplaySize {
  int width = 0;
  int height = 0;
  bool operator==(const DisplaySize&) const = default;
};

// The display size of a video of `width` x `height` at a choice 0..5 (integer arithmetic).
DisplaySize MagnifiedSize(int width, int height, int choice);

// The choice whose size a display of `displayWidth` columns is for a video `width` wide; " None"
// when it is none of them.
int MagnifyChoiceForDisplay(int width, int height, int displayWidth, int displayHeight);

// Which choices fit: the screen less the main window's frame around the video decides, by the
// tighter dimension; " x 0.25" is refused for videos up to 1000 pixels wide.
std::array<bool, kMagnifyChoices> MagnifyChoicesAllowed(int width, int height, int screenWidth, int screenHeight,
                                                        int extraWidth, int extraHeight);

// The step that shows a new video too big for the room beside the main window's frame: x0.75, x0.5
// or x0.25 by the tighter dimension, the largest that fits; " None" when the video fits or even a
// quarter does not.
int ReducedMagnifyChoice(int width, int height, int roomWidth, int roomHeight);

// The screen and the main window's frame around the video, measured when the window is shown.
struct MagnifyRoom {
  int screenWidth = 0;
  int screenHeight = 0;
  int extraWidth = 0;
  int extraHeight = 0;
};

class MagnifyController final : public DisplayToolController {
 public:
  // Controls 0..5 are the radio buttons of the choices.
  enum Control { kHelpButton = 10 };

  MagnifyController(ZunaCommon& common, WindowView& view, std::function<MagnifyRoom()> room);

  void Initialize();
  // A radio button chosen: the display takes that size and the program fits its window to it.
  void OnChoice(int choice);

 protected:
  void Shown() override;

 private:
  void ApplyClamp();

  std::function<MagnifyRoom()> room_;
};

}  // namespace zuna

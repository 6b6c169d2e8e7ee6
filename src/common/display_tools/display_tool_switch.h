#pragma once
// A program's four display tool windows as its Display menu sees them (tools numbered as
// DisplayTool: 0 magnify, 1 brightness/contrast, 2 pixel saturation, 3 crosshairs).
#include "common/foundation/status.h"

namespace zuna {

class DisplayToolSwitch {
 public:
  virtual ~DisplayToolSwitch() = default;

  // False when the tool's window could not be created: its command is then left out or grey.
  virtual bool Exists(int tool) const = 0;
  // The tool's Display command: shows a hidden window, hides a shown one.
  virtual Status Toggle(int tool) = 0;
  virtual Status Close(int tool) = 0;
};

}  // namespace zuna

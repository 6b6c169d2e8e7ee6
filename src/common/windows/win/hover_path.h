#pragma once
// A path display: a sunken one-line text that, when the path is wider than the display, shows the
// whole path in a bordered box beside the resting mouse.
#include <windows.h>

namespace zuna {

class HoverPath {
 public:
  HoverPath() = default;
  HoverPath(const HoverPath&) = delete;
  HoverPath& operator=(const HoverPath&) = delete;

  // The display as a child of `parent`; null when it could not be made. The box goes with the
  // parent window.
  HWND Create(HWND parent, int id, int x, int y, int width, HFONT font);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
  void OnMouse(UINT message);
  int TextWidth() const;

  HWND path_ = nullptr;
  HWND box_ = nullptr;
  int width_ = 0;
  bool tracking_ = false;
};

}  // namespace zuna

#pragma once
// The plot of the Light Curve window, drawn with GDI: the target's brightness against time, the
// fitted square wave, D and R with their 95 % intervals, dropped frames as grey bands. Sizes follow
// the screen's dots per inch. A click reports the point under it.
#include <windows.h>

#include <functional>
#include <optional>

#include "playback/lightcurve/light_curve_plot.h"

namespace zuna {

class LightCurvePlotWindow {
 public:
  LightCurvePlotWindow() = default;
  ~LightCurvePlotWindow();
  LightCurvePlotWindow(const LightCurvePlotWindow&) = delete;
  LightCurvePlotWindow& operator=(const LightCurvePlotWindow&) = delete;

  bool Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
              std::function<void(const std::optional<PlotPoint>&)> clicked);
  // Null: the empty plot with its hint.
  void Show(const LightCurvePlot* plot);
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc, const RECT& client) const;
  // The pixels the data fills: the client area less the axes' margins.
  Rect DataArea(const RECT& client) const;
  int Scaled(int pixelsAt96) const;

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  std::optional<LightCurvePlot> plot_;
  std::function<void(const std::optional<PlotPoint>&)> clicked_;
};

}  // namespace zuna

#include "playback/lightcurve/win/light_curve_plot_window.h"

#include <cwchar>
#include <string>

#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kPlotClass[] = L"ZUNA Light Curve Plot";
constexpr COLORREF kAxisColour = RGB(0, 0, 0);
constexpr COLORREF kGridColour = RGB(225, 225, 225);
constexpr COLORREF kGapColour = RGB(205, 205, 205);
constexpr COLORREF kPointColour = RGB(30, 60, 200);
constexpr COLORREF kFitColour = RGB(255, 0, 0);
constexpr COLORREF kEdgeColour = RGB(150, 0, 150);

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // labels are ASCII
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

// Selects a pen for the scope of a drawing step.
class PenScope {
 public:
  PenScope(HDC dc, int style, int width, COLORREF colour)
      : dc_(dc), pen_(CreatePen(style, width, colour)), old_(SelectObject(dc, pen_)) {}
  ~PenScope() {
    SelectObject(dc_, old_);
    DeleteObject(pen_);
  }
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HGDIOBJ old_;
};

void FillBand(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  const RECT band{left, top, right, bottom};
  FillRect(dc, &band, brush);
  DeleteObject(brush);
}

}  // namespace

LightCurvePlotWindow::~LightCurvePlotWindow() {
  if (font_ != nullptr) DeleteObject(font_);
}

bool LightCurvePlotWindow::Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
                                  std::function<void(const std::optional<PlotPoint>&)> clicked) {
  clicked_ = std::move(clicked);
  RegisterWindowClass(instance, kPlotClass, Proc, 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kPlotClass, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                            nullptr, instance, this);
  if (window_ == nullptr) return false;
  HDC dc = GetDC(window_);
  dpi_ = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc != nullptr) ReleaseDC(window_, dc);
  font_ = CreateFontW(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  return true;
}

void LightCurvePlotWindow::Show(const LightCurvePlot* plot) {
  plot_ = plot != nullptr ? std::optional<LightCurvePlot>(*plot) : std::nullopt;
  InvalidateRect(window_, nullptr, FALSE);
}

int LightCurvePlotWindow::Scaled(int pixelsAt96) const {
  return MulDiv(pixelsAt96, dpi_, 96);
}

Rect LightCurvePlotWindow::DataArea(const RECT& client) const {
  return {client.left + Scaled(64), client.top + Scaled(12), client.right - Scaled(14), client.bottom - Scaled(34)};
}

LRESULT CALLBACK LightCurvePlotWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<LightCurvePlotWindow>(window, message, lParam);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      // Drawn off the screen first, so that a redraw does not flicker.
      HDC memory = CreateCompatibleDC(dc);
      HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
      const HGDIOBJ old = SelectObject(memory, bitmap);
      self->Paint(memory, client);
      BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteObject(bitmap);
      DeleteDC(memory);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      if (self->plot_ && self->clicked_) {
        RECT client;
        GetClientRect(window, &client);
        const PlotScale scale(*self->plot_, self->DataArea(client));
        self->clicked_(scale.NearestPoint(static_cast<short>(LOWORD(lParam))));
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void LightCurvePlotWindow::Paint(HDC dc, const RECT& client) const {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const HGDIOBJ oldFont = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kAxisColour);
  if (!plot_ || plot_->points.empty()) {
    RECT text = client;
    DrawTextW(dc, L"No light curve yet: click the target star on the video, then press Measure.", -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    return;
  }
  const LightCurvePlot& plot = *plot_;
  const Rect area = DataArea(client);
  const PlotScale scale(plot, area);
  for (const TimeSpan& gap : plot.gaps) {
    FillBand(dc, scale.X(gap.from), area.top, scale.X(gap.to) + 1, area.bottom, kGapColour);
  }
  {
    PenScope grid(dc, PS_SOLID, 1, kGridColour);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    for (const PlotTick& t : TimeTicks(plot, 6)) {
      const int x = scale.X(t.value);
      Line(dc, x, area.top, x, area.bottom);
      const std::wstring label = Wide(t.label);
      TextOutW(dc, x, area.bottom + Scaled(4), label.c_str(), static_cast<int>(label.size()));
    }
    SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
    for (const PlotTick& t : ValueTicks(plot, 5)) {
      const int y = scale.Y(t.value);
      Line(dc, area.left, y, area.right, y);
      const std::wstring label = Wide(t.label);
      TextOutW(dc, area.left - Scaled(5), y + Scaled(4), label.c_str(), static_cast<int>(label.size()));
    }
  }
  {
    PenScope axes(dc, PS_SOLID, 1, kAxisColour);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, area.left, area.top, area.right + 1, area.bottom + 1);
  }
  SetTextAlign(dc, TA_RIGHT | TA_TOP);
  const wchar_t* axis = plot.utc ? L"UTC" : L"seconds after the first frame";
  TextOutW(dc, area.right, area.bottom + Scaled(18), axis, static_cast<int>(wcslen(axis)));
  {
    PenScope points(dc, PS_SOLID, 1, kPointColour);
    const PlotPoint* previous = nullptr;
    std::size_t gap = 0;  // points and gaps are both in time order: one walk through both
    for (const PlotPoint& p : plot.points) {
      const int x = scale.X(p.time), y = scale.Y(p.value);
      // No line across a gap: dropped frames are not guessed.
      bool gapBefore = false;
      for (; gap < plot.gaps.size() && plot.gaps[gap].to < p.time; ++gap) {
        gapBefore = gapBefore || (previous != nullptr && plot.gaps[gap].from > previous->time);
      }
      const bool joined = previous != nullptr && !gapBefore;
      if (joined) Line(dc, scale.X(previous->time), scale.Y(previous->value), x, y);
      Rectangle(dc, x - 1, y - 1, x + 2, y + 2);
      previous = &p;
    }
  }
  {
    PenScope fit(dc, PS_SOLID, Scaled(2), kFitColour);
    const int high = scale.Y(plot.baseline), low = scale.Y(plot.eventLevel);
    if (!plot.event) {
      Line(dc, area.left, high, area.right, high);
    } else {
      const int d = plot.d ? scale.X(plot.d->time) : area.left, r = plot.r ? scale.X(plot.r->time) : area.right;
      MoveToEx(dc, area.left, plot.d ? high : low, nullptr);
      LineTo(dc, d, plot.d ? high : low);
      LineTo(dc, d, low);
      LineTo(dc, r, low);
      LineTo(dc, r, plot.r ? high : low);
      LineTo(dc, area.right, plot.r ? high : low);
    }
  }
  PenScope edges(dc, PS_SOLID, Scaled(2), kEdgeColour);
  SetTextColor(dc, kEdgeColour);
  SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
  const int bar = (area.top + area.bottom) / 2, cap = Scaled(5);
  for (const auto& [edge, name] : {std::pair{plot.d, L"D"}, std::pair{plot.r, L"R"}}) {
    if (!edge) continue;
    const int x = scale.X(edge->time), lo = scale.X(edge->lo), hi = scale.X(edge->hi);
    Line(dc, lo, bar, hi + 1, bar);
    Line(dc, lo, bar - cap, lo, bar + cap + 1);
    Line(dc, hi, bar - cap, hi, bar + cap + 1);
    Line(dc, x, bar - 3 * cap, x, bar + 3 * cap);
    TextOutW(dc, x, bar - 3 * cap - Scaled(2), name, 1);
  }
  SelectObject(dc, oldFont);
}

}  // namespace zuna

#include "video/player/win/overlay_drawing.h"

#include <cmath>

namespace zuna {

void DrawOverlay(HDC dc, const VideoOverlay& overlay, double scaleX, double scaleY) {
  const VideoOverlay::CircleList list = overlay.Circles();
  const std::vector<OverlayCircle>& circles = *list;
  if (circles.empty()) return;
  const int savedDc = SaveDC(dc);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  for (const OverlayCircle& c : circles) {
    HPEN pen = CreatePen(c.dotted ? PS_DOT : PS_SOLID, 1, c.colour);
    if (pen == nullptr) continue;
    const HGDIOBJ old = SelectObject(dc, pen);
    // Pixel centres stand at whole picture coordinates: the circle is drawn around the pixel's middle.
    const double cx = (c.x + 0.5) * scaleX, cy = (c.y + 0.5) * scaleY;
    const double rx = c.radius * scaleX, ry = c.radius * scaleY;
    Ellipse(dc, static_cast<int>(std::lround(cx - rx)), static_cast<int>(std::lround(cy - ry)),
            static_cast<int>(std::lround(cx + rx)) + 1, static_cast<int>(std::lround(cy + ry)) + 1);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  RestoreDC(dc, savedDc);
}

}  // namespace zuna

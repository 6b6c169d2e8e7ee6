#pragma once
// Draws the video overlay's circles with GDI over a picture drawn at `scaleX`, `scaleY` screen
// pixels per picture pixel.
#include <windows.h>

#include "video/player/video_overlay.h"

namespace zuna {

void DrawOverlay(HDC dc, const VideoOverlay& overlay, double scaleX, double scaleY);

}  // namespace zuna

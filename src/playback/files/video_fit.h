#pragma once
// How large the main window shows a video: at its own size when it fits the work area, else at the
// largest of 3/4, 1/2 and 1/4 that fits the tighter dimension.
namespace zuna {

struct VideoFit {
  int percent = 100;  // 100, 75, 50 or 25
  int width = 0;      // the display size at that scale
  int height = 0;
};

// `available` sizes are the work area less the window frame. A video too large even at a quarter
// is shown at its own size.
VideoFit FitVideo(int videoWidth, int videoHeight, int availableWidth, int availableHeight);

}  // namespace zuna

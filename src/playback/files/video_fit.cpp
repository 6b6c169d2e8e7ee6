#include "playback/files/video_fit.h"

#include <cstdint>

namespace zuna {
namespace {

int ChoosePercent(std::int64_t available, std::int64_t video) {
  if (available >= 3 * video / 4) return 75;
  if (available >= video / 2) return 50;
  if (available >= video / 4) return 25;
  return 100;
}

}  // namespace

VideoFit FitVideo(int videoWidth, int videoHeight, int availableWidth, int availableHeight) {
  VideoFit fit{100, videoWidth, videoHeight};
  if (videoWidth <= 0 || videoHeight <= 0) return fit;
  if (videoWidth <= availableWidth && videoHeight <= availableHeight) return fit;
  // The tighter dimension decides: compare availableWidth / videoWidth with availableHeight /
  // videoHeight without dividing.
  const std::int64_t widthRoom = std::int64_t{availableWidth} * videoHeight;
  const std::int64_t heightRoom = std::int64_t{availableHeight} * videoWidth;
  fit.percent =
      widthRoom > heightRoom ? ChoosePercent(availableHeight, videoHeight) : ChoosePercent(availableWidth, videoWidth);
  fit.width = static_cast<int>(std::int64_t{videoWidth} * fit.percent / 100);
  fit.height = static_cast<int>(std::int64_t{videoHeight} * fit.percent / 100);
  return fit;
}

}  // namespace zuna

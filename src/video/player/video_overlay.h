#pragma once
// Marks drawn over the video picture (the light curve's star apertures): circles in pixels of the
// picture as shown, set on the main thread and read by the renderer each time it draws.
#include <cstdint>
#include <mutex>
#include <vector>

namespace zuna {

struct OverlayCircle {
  double x = 0;  // centre, picture pixels from the top-left corner
  double y = 0;
  double radius = 0;
  std::uint32_t colour = 0;  // 0x00BBGGRR
  bool dotted = false;
};

class VideoOverlay {
 public:
  void Set(std::vector<OverlayCircle> circles) {
    std::lock_guard<std::mutex> lock(mutex_);
    circles_ = std::move(circles);
  }
  std::vector<OverlayCircle> Circles() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return circles_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<OverlayCircle> circles_;
};

}  // namespace zuna

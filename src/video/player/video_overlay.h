#pragma once
// Marks drawn over the video picture (the light curve's star apertures): circles in pixels of the
// picture as shown, set on the main thread and read by the renderer each time it draws.
#include <cstdint>
#include <memory>
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

// The circles are kept as an unchangeable list that each Set replaces, so that the renderer takes
// them on every frame without copying or allocating.
class VideoOverlay {
 public:
  using CircleList = std::shared_ptr<const std::vector<OverlayCircle>>;

  void Set(std::vector<OverlayCircle> circles) {
    auto list = std::make_shared<const std::vector<OverlayCircle>>(std::move(circles));
    std::lock_guard<std::mutex> lock(mutex_);
    circles_ = std::move(list);
  }
  // Never null.
  CircleList Circles() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return circles_;
  }

 private:
  mutable std::mutex mutex_;
  CircleList circles_ = std::make_shared<const std::vector<OverlayCircle>>();
};

}  // namespace zuna

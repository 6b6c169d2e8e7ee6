#pragma once
// How a program shows its video: the video's own size, the size it is drawn at and the magnifier's
// choice between them. A value changed only through the named operations below, so that a reader
// can find every change of the picture's size by name.
#include <optional>

namespace zuna {

// A point of the picture in its own pixels, pixel centres at whole numbers.
struct PicturePoint {
  double x = 0;
  double y = 0;
};

struct VideoSize {
  int width = 0;
  int height = 0;
  bool operator==(const VideoSize&) const = default;
};

class DisplayGeometry {
 public:
  VideoSize Video() const { return video_; }
  VideoSize Display() const { return display_; }
  // The magnifier's choice (kMagnifyChoices of them); 3 is " None".
  int MagnifyChoice() const { return magnifyChoice_; }
  bool HasVideo() const { return video_.width > 0 && video_.height > 0; }
  // The picture's point under the centre of a window pixel (the picture fills the window at the
  // size drawn at); none while no size is drawn.
  std::optional<PicturePoint> PictureAt(int windowX, int windowY) const {
    if (display_.width <= 0 || display_.height <= 0) return std::nullopt;
    return PicturePoint{(windowX + 0.5) * video_.width / display_.width - 0.5,
                        (windowY + 0.5) * video_.height / display_.height - 0.5};
  }

  // A new video, drawn at its own size.
  void NewVideo(VideoSize video) { video_ = display_ = video; }
  // The source's size changed; the size drawn at follows when the program sizes its windows.
  void SetVideo(VideoSize video) { video_ = video; }
  // The same video drawn at another size (fitted to the screen, or at the video's own size).
  void DrawAt(VideoSize display) { display_ = display; }
  void DrawAtVideoSize() { display_ = video_; }
  // The same video drawn at a magnifier choice's size.
  void Magnify(int choice, VideoSize display) {
    magnifyChoice_ = choice;
    display_ = display;
  }
  // The magnifier's choice that names the size drawn at now.
  void NameMagnifyChoice(int choice) { magnifyChoice_ = choice; }
  // No video: a file was closed.
  void Clear() { video_ = display_ = VideoSize{}; }

 private:
  VideoSize video_{640, 480};
  VideoSize display_{640, 480};
  int magnifyChoice_ = 3;
};

}  // namespace zuna

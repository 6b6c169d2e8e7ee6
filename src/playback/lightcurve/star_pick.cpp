#include "playback/lightcurve/star_pick.h"

#include <cstdio>
#include <vector>

#include "lightcurve/photometry/frame_luma.h"
#include "lightcurve/photometry/star_tracker.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_reader.h"

namespace zuna {
namespace {

// The frame's luminance with every palette change before it applied.
Status LoadFrame(AviByteSource& file, const AviFrameReader& reader, std::uint32_t frame, FrameLuma& luma,
                 std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> change;
  const std::vector<AviPaletteChange>& changes = reader.PaletteChanges();
  for (std::size_t i = 0; i < changes.size() && changes[i].fromFrame <= frame; ++i) {
    if (Succeeded(reader.ReadPaletteChange(file, i, change))) luma.ApplyPaletteChange(change);
  }
  if (Failed(reader.ReadFrame(file, frame, bytes))) return kFail;
  return luma.Load(bytes);
}

}  // namespace

std::optional<StarFix> PickStar(const std::filesystem::path& path, std::uint32_t frame, PlanePoint click,
                                std::string* problem) {
  AviFileSource file(path);
  AviFrameReader reader;
  if (!file.IsOpen() || Failed(reader.Open(file))) return *problem = "the file cannot be read", std::nullopt;
  FrameLuma luma;
  if (Failed(luma.Prepare(reader.Format(), problem))) return std::nullopt;
  if (frame >= reader.FrameCount()) return *problem = "no frame " + std::to_string(frame), std::nullopt;
  if (reader.Frames()[frame].size == 0) {
    return *problem = "frame " + std::to_string(frame) + " was dropped: step to a recorded frame", std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  if (Failed(LoadFrame(file, reader, frame, luma, bytes))) {
    return *problem = "frame " + std::to_string(frame) + " cannot be read", std::nullopt;
  }
  const LumaPlane plane = luma.Plane(-1);
  if (click.x < 0 || click.y < 0 || click.x > plane.Width() - 1 || click.y > plane.Height() - 1) {
    return *problem = "the click is outside the picture", std::nullopt;
  }
  std::optional<StarFix> star = FindStar(plane, click, kStarPickReach, StarTracker::kDetectSnr);
  if (!star) {
    char place[48];
    std::snprintf(place, sizeof place, "%.0f, %.0f", click.x, click.y);
    *problem = std::string("no star near ") + place + ": click on a star";
  }
  return star;
}

}  // namespace zuna

#pragma once
// The luminance of a frame's pixels, from any uncompressed layout the playback program shows: YUY2's
// Y as stored, 32-bit RGB as weighted red, green and blue, and every other layout after the display
// conversion (YUV layouts give YUY2, RGB, grey and palettized ones 32-bit RGB).
//
// Coordinates are those of the picture as shown: x to the right, y downwards from the top-left
// corner, whatever the row order in the file. A plane is the whole frame or one of its fields (the
// even or odd rows), whose row k is frame row 2k + parity.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/foundation/status.h"
#include "video/avi_reader/avi_frame_reader.h"
#include "video/convert/source_picture.h"

namespace zuna {

// The brightest level of the 8-bit luminance: a pixel at it is saturated.
inline constexpr int kSaturatedLuma = 255;

class LumaPlane {
 public:
  enum class Kind { kYuy2, kBgrx };

  LumaPlane() = default;
  LumaPlane(const std::uint8_t* data, std::size_t stride, Kind kind, int width, int frameRows, bool bottomUp,
            int parity);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixel's luminance, 0..255; the caller keeps x and y inside the plane.
  int At(int x, int y) const {
    const int frameRow = parity_ < 0 ? y : 2 * y + parity_;
    const int stored = bottomUp_ ? frameRows_ - 1 - frameRow : frameRow;
    const std::uint8_t* p = data_ + static_cast<std::size_t>(stored) * stride_;
    if (kind_ == Kind::kYuy2) return p[2 * x];
    p += 4 * static_cast<std::size_t>(x);
    return (29 * p[0] + 150 * p[1] + 77 * p[2] + 128) >> 8;
  }
  // `count` pixels of row y from x0 on, into `out`; the caller keeps them inside the plane.
  void CopyRow(int y, int x0, int count, int* out) const {
    const int frameRow = parity_ < 0 ? y : 2 * y + parity_;
    const int stored = bottomUp_ ? frameRows_ - 1 - frameRow : frameRow;
    const std::uint8_t* p = data_ + static_cast<std::size_t>(stored) * stride_;
    if (kind_ == Kind::kYuy2) {
      p += 2 * static_cast<std::size_t>(x0);
      for (int i = 0; i < count; ++i) out[i] = p[2 * i];
      return;
    }
    p += 4 * static_cast<std::size_t>(x0);
    for (int i = 0; i < count; ++i, p += 4) out[i] = (29 * p[0] + 150 * p[1] + 77 * p[2] + 128) >> 8;
  }
  // Plane coordinates of a frame row, and back (pixel centres at whole numbers).
  double PlaneY(double frameY) const { return parity_ < 0 ? frameY : (frameY - parity_) / 2; }
  double FrameY(double planeY) const { return parity_ < 0 ? planeY : 2 * planeY + parity_; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t stride_ = 0;
  Kind kind_ = Kind::kYuy2;
  int width_ = 0;
  int height_ = 0;
  int frameRows_ = 0;
  bool bottomUp_ = false;
  int parity_ = -1;  // -1: the whole frame
};

class FrameLuma {
 public:
  // kOk for a layout read here; kFail with the reason for a compressed stream (naming its
  // four-character code) or a header this cannot read.
  Status Prepare(const AviStreamFormat& format, std::string* problem);
  int Width() const { return width_; }
  int Height() const { return rows_; }

  // A palettized stream's palette change, applied to the frames after it.
  Status ApplyPaletteChange(std::span<const std::uint8_t> change);

  // Takes one frame's bytes (kept until the next Load; they must outlive the planes). kInvalidArg when
  // the frame is shorter than its layout needs.
  Status Load(std::span<const std::uint8_t> frame);
  // The whole frame (parity -1) or the field of even (0) or odd (1) rows of the loaded frame.
  LumaPlane Plane(int parity) const;

 private:
  bool native_ = false;  // YUY2 or 32-bit RGB as stored
  LumaPlane::Kind kind_ = LumaPlane::Kind::kYuy2;
  bool bottomUp_ = false;
  SourcePicture picture_;
  int width_ = 0;
  int rows_ = 0;
  std::size_t frameBytes_ = 0;
  std::size_t stride_ = 0;
  const std::uint8_t* data_ = nullptr;
  std::vector<std::uint8_t> converted_;
};

}  // namespace zuna

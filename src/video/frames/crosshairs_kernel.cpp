#include "video/frames/crosshairs_kernel.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "video/frames/frame_row_copy.h"

namespace zuna {

namespace {

using Colour = std::array<std::uint8_t, 4>;

constexpr std::int64_t kDash = 9;                // dash and gap length in rows, pixels (RGB32) or groups (YUY2)
constexpr std::int64_t kDashPeriod = 2 * kDash;  // one dash and one gap
constexpr std::int64_t kOpenHalf = 5;            // RGB32: the first dash starts 5 past the centre
constexpr std::int64_t kYuy2RowShift = 10;       // YUY2: dash phase of the vertical line
constexpr std::int64_t kYuy2HalfPeriodBytes = 18;
constexpr std::int64_t kYuy2PeriodBytes = 36;

// Mathematical floor division and modulo: positions left of or above the centre are negative.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
  return a - FloorDiv(a, b) * b;
}

// Writes the colour's bytes from `offset`, cut at the row's end.
void PutColour(std::uint8_t* row, std::int64_t rowBytes, std::int64_t offset, const Colour& colour) {
  const std::int64_t count = std::min<std::int64_t>(4, rowBytes - offset);
  for (std::int64_t k = 0; k < count; ++k) row[offset + k] = colour[static_cast<std::size_t>(k)];
}

struct CrossLayout {
  std::int64_t rows;
  std::int64_t rowBytes;
  std::int64_t centreRow;   // the settings' row
  std::int64_t lineRow;     // H: the buffer row of the horizontal line
  std::int64_t lineOffset;  // f: byte offset of the vertical line in every row
  std::int64_t column;
  bool horizontal;
  bool vertical;
  Colour colour;
};

// YUY2: dashes of 9 rows where floor((row + 10 + t) / 9) is odd.
bool Yuy2VerticalDrawn(const CrossLayout& c, std::int64_t t) {
  return FloorMod(FloorDiv(c.centreRow + kYuy2RowShift + t, kDash), 2) == 1;
}

// YUY2: a counter over the row's 4-byte groups toggles the dash state every 36 bytes, phased so that
// the centre column falls in a gap.
void DrawYuy2HorizontalLine(const CrossLayout& c, std::uint8_t* row) {
  std::int64_t counter = kYuy2PeriodBytes - FloorMod(c.lineOffset + kYuy2HalfPeriodBytes, kYuy2PeriodBytes);
  bool on = FloorMod(FloorDiv(c.lineOffset + kYuy2HalfPeriodBytes, kYuy2PeriodBytes), 2) == 1;
  for (std::int64_t at = 0; at < c.rowBytes; at += 4) {
    if (on) PutColour(row, c.rowBytes, at, c.colour);
    if (counter + 4 > kYuy2PeriodBytes - 1) {
      on = !on;
      counter = 0;
    } else {
      counter += 4;
    }
  }
}

// RGB32: position p is drawn when (p - centre - 5) mod 18 < 9, leaving centre - 4 .. centre + 4 open.
bool Rgb32Drawn(std::int64_t position, std::int64_t centre) {
  return FloorMod(position - centre - kOpenHalf, kDashPeriod) < kDash;
}

void DrawRgb32HorizontalLine(const CrossLayout& c, std::uint8_t* row) {
  const std::int64_t pixels = c.rowBytes / 4;
  std::int64_t phase = FloorMod(-c.column - kOpenHalf, kDashPeriod);
  for (std::int64_t p = 0; p < pixels; ++p) {
    if (phase < kDash) PutColour(row, c.rowBytes, 4 * p, c.colour);
    phase = phase + 1 == kDashPeriod ? 0 : phase + 1;
  }
}

CrossLayout MakeLayout(const FrameGeometry& g, FrameSubtype subtype, const CrosshairsSettings& s) {
  CrossLayout c{};
  const auto level = static_cast<std::uint8_t>(s.intensity & 0xFF);
  const std::int64_t bytesPerPixel = subtype == FrameSubtype::kYuy2 ? 2 : 4;
  c.rows = g.rows;
  c.rowBytes = g.rowBytes;
  c.centreRow = s.row;
  c.lineRow = c.rows - s.row;
  c.lineOffset = bytesPerPixel * s.column;
  c.column = s.column;
  c.horizontal = c.lineRow >= 0 && c.lineRow < c.rows;
  c.vertical = c.lineOffset >= 0 && c.lineOffset < c.rowBytes;
  if (subtype == FrameSubtype::kYuy2) {
    const auto chroma = static_cast<std::uint8_t>(level + 15);
    c.colour = {level, chroma, level, chroma};
  } else {
    c.colour = {level, level, level, 128};
  }
  return c;
}

}  // namespace

Status DrawCrosshairs(std::span<const std::uint8_t> input, std::span<std::uint8_t> output, const FrameGeometry& g,
                      RowOrder order, FrameSubtype subtype, const CrosshairsSettings& settings) {
  if (subtype != FrameSubtype::kYuy2 && subtype != FrameSubtype::kRgb32) return CopyFrameRows(input, output, g, order);
  const Status checked = CheckFrameBuffers(g, input, output);
  if (Failed(checked)) return checked;

  const CrossLayout c = MakeLayout(g, subtype, settings);
  const bool yuy2 = subtype == FrameSubtype::kYuy2;
  const std::size_t rowBytes = static_cast<std::size_t>(g.rowBytes);
  ForEachFrameRow(g, order, input.data(), output.data(),
                  [&](int t, const std::uint8_t* source, std::uint8_t* destination) {
                    std::memcpy(destination, source, rowBytes);
                    if (c.vertical && (yuy2 ? Yuy2VerticalDrawn(c, t) : Rgb32Drawn(t, c.lineRow))) {
                      PutColour(destination, c.rowBytes, c.lineOffset, c.colour);
                    }
                    if (c.horizontal && t == c.lineRow) {
                      if (yuy2) {
                        DrawYuy2HorizontalLine(c, destination);
                      } else {
                        DrawRgb32HorizontalLine(c, destination);
                      }
                    }
                  });
  return kOk;
}

}  // namespace zuna

// The picture a program draws, read from its window's pixels and compared with a reference picture
// (a 24- or 32-bit BMP file, as ffmpeg writes a decoded frame).
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

// Blue, green, red per pixel, top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgr;
};

std::uint32_t Le(const std::vector<std::uint8_t>& b, size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b[at + static_cast<size_t>(i)];
  return value;
}

std::optional<Picture> ReadBmp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const std::uint32_t offset = Le(b, 10, 4);
  const auto width = static_cast<std::int32_t>(Le(b, 18, 4));
  const auto height = static_cast<std::int32_t>(Le(b, 22, 4));
  const std::uint32_t bits = Le(b, 28, 2);
  if (width <= 0 || width > 8192 || height == 0 || height > 8192 || height < -8192 || (bits != 24 && bits != 32)) {
    return std::nullopt;
  }
  Picture picture{width, std::abs(height), {}};
  const size_t stride = (static_cast<size_t>(width) * bits / 8 + 3) / 4 * 4;
  if (offset > b.size() || b.size() - offset < stride * static_cast<size_t>(picture.height)) return std::nullopt;
  picture.bgr.resize(static_cast<size_t>(width) * 3 * static_cast<size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    const size_t row = static_cast<size_t>(height > 0 ? picture.height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const size_t from = offset + row * stride + static_cast<size_t>(x) * bits / 8;
      std::memcpy(&picture.bgr[(static_cast<size_t>(y) * width + x) * 3], &b[from], 3);
    }
  }
  return picture;
}

// The window's pixels from its top-left corner, as large as the reference. They are read from the
// screen: a window of another process gives no device context of its own here.
std::optional<Picture> Grab(HWND window, int width, int height) {
  POINT corner{0, 0};
  if (!ClientToScreen(window, &corner)) return std::nullopt;
  HDC source = GetDC(nullptr);
  if (source == nullptr) return std::nullopt;
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::optional<Picture> picture;
  if (memory != nullptr && bitmap != nullptr && bits != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, source, corner.x, corner.y, SRCCOPY)) {
      GdiFlush();
      picture = Picture{width, height, std::vector<std::uint8_t>(static_cast<size_t>(width) * height * 3)};
      const auto* pixels = static_cast<const std::uint8_t*>(bits);
      for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        std::memcpy(&picture->bgr[i * 3], &pixels[i * 4], 3);
    }
    SelectObject(memory, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, source);
  return picture;
}

double MeanDifference(const Picture& a, const Picture& b) {
  double sum = 0;
  for (size_t i = 0; i < a.bgr.size(); ++i) sum += std::abs(static_cast<int>(a.bgr[i]) - static_cast<int>(b.bgr[i]));
  return a.bgr.empty() ? 0 : sum / static_cast<double>(a.bgr.size());
}

std::wstring Format(double value) {
  wchar_t text[32];
  swprintf(text, 32, L"%.2f", value);
  return text;
}

}  // namespace

StepResult RunPicture(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 4);
  if (!seconds) return Failed(NotSeconds(args, 4));
  wchar_t* end = nullptr;
  const double tolerance = std::wcstod(args[3].c_str(), &end);
  if (end == args[3].c_str() || *end != L'\0' || tolerance < 0) return Failed(L"not a tolerance: " + args[3]);
  const auto reference = ReadBmp(session.Resolve(args[2]));
  if (!reference) return Failed(L"cannot read a 24- or 32-bit BMP picture from " + session.Resolve(args[2]).wstring());
  std::wstring why;
  const auto target = WaitForControl(
      session, args[0], L"window of class " + args[1],
      [&](HWND window) { return FindDescendant(window, [&](HWND c) { return HasClass(c, args[1]); }); }, *seconds, why);
  if (!target) return Failed(why);
  // Whatever covers the window would be read with it.
  SetWindowPos(target->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  double difference = 255;
  const bool matched = PollUntil(*seconds, [&] {
    const auto shown = Grab(target->control, reference->width, reference->height);
    if (shown) difference = MeanDifference(*shown, *reference);
    return shown && difference <= tolerance;
  });
  const std::wstring seen = L"mean difference " + Format(difference) + L" per channel over " +
                            std::to_wstring(reference->width) + L" x " + std::to_wstring(reference->height) +
                            L" pixels (tolerance " + Format(tolerance) + L")";
  return matched ? Passed(seen) : Failed(seen);
}

}  // namespace ui_driver

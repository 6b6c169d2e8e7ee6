// What a window shows on the screen: its client area read back from the screen, as the user sees
// it, to tell a drawn picture from a black window, its size, a colour's pixels, and a change.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <vector>

#include "../ui_driver_text.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// The client area as the screen shows it (what covers it included, as for the user).
Pixels Grab(HWND window) {
  Pixels p;
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  p.width = client.right;
  p.height = client.bottom;
  if (p.width <= 0 || p.height <= 0) return p;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = p.width;
  info.bmiHeader.biHeight = -p.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, p.width, p.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* data = static_cast<const std::uint32_t*>(bits);
  p.pixels.assign(data, data + static_cast<size_t>(p.width) * p.height);
  for (auto& px : p.pixels) px &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return p;
}

int Channel(std::uint32_t px, int shift) {
  return static_cast<int>((px >> shift) & 0xFF);
}

// Pixels brighter than the darkest greys of a black window.
size_t LitPixels(const Pixels& p) {
  size_t lit = 0;
  for (auto px : p.pixels) {
    if (Channel(px, 16) > 24 || Channel(px, 8) > 24 || Channel(px, 0) > 24) ++lit;
  }
  return lit;
}

size_t PixelsOfColour(const Pixels& p, int r, int g, int b) {
  size_t count = 0;
  for (auto px : p.pixels) {
    if (std::abs(Channel(px, 16) - r) <= 6 && std::abs(Channel(px, 8) - g) <= 6 && std::abs(Channel(px, 0) - b) <= 6)
      ++count;
  }
  return count;
}

size_t DifferentPixels(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height) return a.pixels.size() + b.pixels.size() + 1;
  size_t count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    if (a.pixels[i] != b.pixels[i]) ++count;
  }
  return count;
}

bool Save(const std::filesystem::path& path, const Pixels& p) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(&p.width), sizeof(int));
  file.write(reinterpret_cast<const char*>(&p.height), sizeof(int));
  file.write(reinterpret_cast<const char*>(p.pixels.data()),
             static_cast<std::streamsize>(p.pixels.size() * sizeof(std::uint32_t)));
  return static_cast<bool>(file);
}

std::optional<Pixels> Load(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  Pixels p;
  if (!file.read(reinterpret_cast<char*>(&p.width), sizeof(int)) ||
      !file.read(reinterpret_cast<char*>(&p.height), sizeof(int)) || p.width < 0 || p.height < 0 || p.width > 16384 ||
      p.height > 16384) {
    return std::nullopt;
  }
  p.pixels.resize(static_cast<size_t>(p.width) * p.height);
  if (!file.read(reinterpret_cast<char*>(p.pixels.data()),
                 static_cast<std::streamsize>(p.pixels.size() * sizeof(std::uint32_t)))) {
    return std::nullopt;
  }
  return p;
}

std::optional<long> Number(const std::wstring& word) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(word.c_str(), &end, 10);
  if (word.empty() || end == nullptr || *end != L'\0') return std::nullopt;
  return value;
}

std::wstring Seen(const Pixels& p) {
  return std::to_wstring(p.width) + L" x " + std::to_wstring(p.height) + L", " + std::to_wstring(LitPixels(p)) +
         L" pixels lit";
}

}  // namespace

// pixels <title> shows [timeout]                     some of the client area is lit (not a black window)
// pixels <title> size <width>x<height> [timeout]     the client area has that size
// pixels <title> save <file>                         keeps the client area for a later "differs"
// pixels <title> differs <file> [timeout]            at least 1% of the pixels differ from the kept ones
// pixels <title> colour <r,g,b> <at least> [timeout] that many pixels have the colour (within 6 a channel)
StepResult RunPixels(Session& session, const Args& args) {
  const std::wstring& mode = args[1];
  const DWORD process_id = CurrentProcessId(session);
  if (process_id == 0) return Failed(kNoProcess);
  const bool takesValue = !EqualsNoCase(mode, L"shows");
  const size_t timeoutAt = EqualsNoCase(mode, L"colour") ? 4 : (takesValue ? 3 : 2);
  const auto seconds = SecondsArg(args, timeoutAt);
  if (!seconds) return Failed(NotSeconds(args, timeoutAt));
  if (takesValue && args.size() < 3) return Failed(L"the mode " + Quoted(mode) + L" needs a value");
  HWND window = WaitForTitledWindow(process_id, args[0], *seconds);
  if (window == nullptr) return Failed(L"no window titled " + Quoted(args[0]));
  Pixels now;
  if (EqualsNoCase(mode, L"save")) {
    now = Grab(window);
    if (!Save(session.Resolve(args[2]), now)) return Failed(L"cannot write " + Quoted(args[2]));
    return Passed(L"kept " + Seen(now) + L" in " + Quoted(args[2]));
  }
  std::function<bool()> probe;
  std::wstring expected;
  if (EqualsNoCase(mode, L"shows")) {
    expected = L"a picture (at least 50 pixels lit)";
    probe = [&] { return LitPixels(now) >= 50; };
  } else if (EqualsNoCase(mode, L"size")) {
    int w = 0, h = 0;
    if (std::swscanf(args[2].c_str(), L"%dx%d", &w, &h) != 2) return Failed(L"expected WIDTHxHEIGHT");
    expected = L"a client area of " + args[2];
    probe = [&, w, h] { return now.width == w && now.height == h; };
  } else if (EqualsNoCase(mode, L"differs")) {
    const auto kept = Load(session.Resolve(args[2]));
    if (!kept) return Failed(L"cannot read the kept picture " + Quoted(args[2]));
    expected = L"a picture that differs from " + Quoted(args[2]);
    probe = [&, kept] { return DifferentPixels(now, *kept) * 100 >= now.pixels.size() && !now.pixels.empty(); };
  } else if (EqualsNoCase(mode, L"colour")) {
    int r = 0, g = 0, b = 0;
    const auto least = args.size() > 3 ? Number(args[3]) : std::nullopt;
    if (std::swscanf(args[2].c_str(), L"%d,%d,%d", &r, &g, &b) != 3 || !least) {
      return Failed(L"expected a colour R,G,B and a number of pixels");
    }
    expected = L"at least " + args[3] + L" pixels of " + args[2];
    probe = [&, r, g, b, least] { return PixelsOfColour(now, r, g, b) >= static_cast<size_t>(*least); };
  } else {
    return Failed(L"expected shows, size, save, differs or colour, not " + Quoted(mode));
  }
  const bool matched = PollUntil(*seconds, [&] {
    now = Grab(window);
    return probe();
  });
  std::wstring seen = Seen(now);
  if (EqualsNoCase(mode, L"colour")) {
    int r = 0, g = 0, b = 0;
    std::swscanf(args[2].c_str(), L"%d,%d,%d", &r, &g, &b);
    seen += L", " + std::to_wstring(PixelsOfColour(now, r, g, b)) + L" of " + args[2];
  }
  if (!matched) return Failed(seen + L"; expected " + expected);
  return Passed(seen);
}

}  // namespace ui_driver

#include "common/windows/win/win_util.h"

#include <vector>

#include "common/log/user_messages_log.h"

namespace zuna {

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

Rect WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return ToRect(r);
}

SIZE FrameExtra(HWND window) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

HICON LoadIconFile(const std::wstring& path, int size) {
  return static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

HFONT MakeFont(const wchar_t* face, int height, int weight) {
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

HFONT FontOrWarning(const wchar_t* face, int height, const wchar_t* warning) {
  HFONT font = MakeFont(face, height);
  if (font == nullptr) PostStampedMessage(warning);
  return font;
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

std::wstring ModulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (got < buffer.size()) return std::wstring(buffer.data(), got);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring CurrentDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  std::wstring text(length, L'\0');
  const DWORD got = GetCurrentDirectoryW(length, text.data());
  text.resize(got);
  return text;
}

bool DirectoryExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Rect PrimaryWorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return {0, 0, 1366, 768};
  return ToRect(r);
}

}  // namespace zuna

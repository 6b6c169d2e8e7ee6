#include "video/avi_writer/win/riff_win32_file.h"

#include <windows.h>

#include <algorithm>

namespace zuna::dshow {
namespace {

constexpr std::size_t kMaxWrite = std::size_t{1} << 30;

class Win32RiffFile final : public RiffOutput {
 public:
  Win32RiffFile(HANDLE file, std::filesystem::path path) : file_(file), path_(std::move(path)) {}
  ~Win32RiffFile() override { Close(); }

  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    while (!bytes.empty()) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      const DWORD count = static_cast<DWORD>(std::min(bytes.size(), kMaxWrite));
      DWORD written = 0;
      if (file_ == INVALID_HANDLE_VALUE || !WriteFile(file_, bytes.data(), count, &written, &at)) return Failed();
      if (written == 0) return false;
      offset += written;
      bytes = bytes.subspan(written);
    }
    return true;
  }

  // Every write went to the system already: there is no buffer of our own to hand over.
  bool Flush() override { return file_ != INVALID_HANDLE_VALUE; }

  bool Sync() override { return file_ != INVALID_HANDLE_VALUE && (FlushFileBuffers(file_) != 0 || Failed()); }

  bool Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = CloseHandle(file_) != 0 || Failed();
    file_ = INVALID_HANDLE_VALUE;
    return closed;
  }

  bool DiskFull() const override { return diskFull_; }
  std::filesystem::path Path() const override { return path_; }

 private:
  bool Failed() {
    const DWORD error = GetLastError();
    diskFull_ = diskFull_ || error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
    return false;
  }

  HANDLE file_;
  std::filesystem::path path_;
  bool diskFull_ = false;
};

}  // namespace

std::unique_ptr<RiffOutput> CreateWin32RiffFile(const std::filesystem::path& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32RiffFile>(file, path);
}

}  // namespace zuna::dshow

#include "video/avi_writer/win/riff_win32_file.h"

#include <windows.h>

#include <algorithm>

namespace zuna::dshow {
namespace {

constexpr std::size_t kMaxWrite = std::size_t{1} << 30;

class Win32RiffFile final : public RiffOutput {
 public:
  explicit Win32RiffFile(HANDLE file) : file_(file) {}
  ~Win32RiffFile() override { Close(); }

  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    while (!bytes.empty()) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      const DWORD count = static_cast<DWORD>(std::min(bytes.size(), kMaxWrite));
      DWORD written = 0;
      if (file_ == INVALID_HANDLE_VALUE || !WriteFile(file_, bytes.data(), count, &written, &at) || written == 0) {
        return false;
      }
      offset += written;
      bytes = bytes.subspan(written);
    }
    return true;
  }

  // Every write went to the system already: there is no buffer of our own to hand over.
  bool Flush() override { return file_ != INVALID_HANDLE_VALUE; }

  bool Sync() override { return file_ != INVALID_HANDLE_VALUE && FlushFileBuffers(file_) != 0; }

  bool Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<RiffOutput> CreateWin32RiffFile(const std::filesystem::path& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32RiffFile>(file);
}

}  // namespace zuna::dshow

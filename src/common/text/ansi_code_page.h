#pragma once
// Conversion between the programs' wide text and the 8-bit text of their files.
// On Windows the system's ANSI code page; the portable implementation is Windows-1252.
#include <memory>
#include <string>
#include <string_view>

namespace zuna {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // Characters without an 8-bit form become '?'.
  virtual std::string ToAnsi(std::wstring_view text) const = 0;
  virtual std::wstring FromAnsi(std::string_view bytes) const = 0;
};

class Windows1252CodePage final : public AnsiCodePage {
 public:
  std::string ToAnsi(std::wstring_view text) const override;
  std::wstring FromAnsi(std::string_view bytes) const override;
};

// The process's code page: Windows-1252 unless a platform installs its own.
const AnsiCodePage& ProcessCodePage();
void SetProcessCodePage(std::unique_ptr<AnsiCodePage> codePage);

}  // namespace zuna

#pragma once
// The tools write UTF-8. A Windows console shows its own 8-bit code page unless told otherwise: while
// a Utf8Console lives the console shows UTF-8, and the code page it had comes back at the end.
// Elsewhere, and when the output goes to a file or a pipe, nothing changes.
namespace zuna {

class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  unsigned previousCodePage_ = 0;
};

}  // namespace zuna

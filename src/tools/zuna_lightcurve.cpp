// zuna-lightcurve FILE --target X,Y ...: the light curve of a star through an AVI file, its D and R.
// See lightcurve_command.h.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define ZUNA_ISATTY _isatty
#define ZUNA_FILENO _fileno
#else
#include <unistd.h>
#define ZUNA_ISATTY isatty
#define ZUNA_FILENO fileno
#endif

#include "tools/lightcurve_command.h"
#include "tools/terminal_text.h"
#include "tools/utf8_console.h"

namespace {

// Files shorter than this are measured before a bar would be worth drawing.
constexpr std::uint32_t kLongFileFrames = 1000;
constexpr int kBarWidth = 40;

// A bar on standard error, redrawn in place, only when it is a terminal.
void ShowProgress(std::uint32_t done, std::uint32_t total) {
  static int shown = -1;
  if (total < kLongFileFrames || !ZUNA_ISATTY(ZUNA_FILENO(stderr))) return;
  const int percent = static_cast<int>(100ULL * done / total);
  if (percent == shown) return;
  shown = percent;
  const int filled = percent * kBarWidth / 100;
  std::fprintf(stderr, "\r[%s%s] %3d %%", std::string(filled, '#').c_str(),
               std::string(kBarWidth - filled, ' ').c_str(), percent);
  if (done == total) std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zuna::Utf8Text(argv[i]));
#else
int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
#endif
  const zuna::Utf8Console console;
  zuna::LightCurveToolHooks hooks;
  hooks.progress = ShowProgress;
  return zuna::RunLightCurveTool(args, std::cout, std::cerr, hooks);
}

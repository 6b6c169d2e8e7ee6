// zuna-events: replays a rebuild of the event schedule of a folder, or imports XML-form event
// files, printing the user-messages log as ZUNA_Capture's log window would show it.
#include <iostream>
#include <string>
#include <vector>

#include "tools/events_command.h"
#include "tools/system_clock.h"
#include "tools/terminal_text.h"
#include "tools/utf8_console.h"

// The arguments reach the command as UTF-8; Windows passes them as wide texts.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zuna::Utf8Text(argv[i]));
#else
int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
#endif
  const zuna::Utf8Console console;
  zuna::SystemClock clock;
  return zuna::RunEventsTool(args, clock, std::cout, std::cerr);
}

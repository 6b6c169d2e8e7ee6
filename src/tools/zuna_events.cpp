// zuna-events: replays a rebuild of the event schedule of a folder, or imports XML-form event
// files, printing the user-messages log as ZUNA_Capture's log window would show it.
#include <iostream>
#include <string>
#include <vector>

#include "tools/events_command.h"
#include "tools/system_clock.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  zuna::SystemClock clock;
  return zuna::RunEventsTool(args, clock, std::cout, std::cerr);
}

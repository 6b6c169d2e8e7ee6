#pragma once
// The checks of the capture program's start-up that ask the system what it allows: whether the
// computer can hibernate and whether the program may shut it down after an event.

namespace zuna {

struct PowerCapabilities {
  bool hibernation = true;
  bool shutdownPrivilege = true;
};

// Asks the system and posts a line for each capability that is missing.
PowerCapabilities CheckPowerCapabilities();

}  // namespace zuna

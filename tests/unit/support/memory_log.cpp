#include "support/memory_log.h"

namespace zuna::test {

ScopedMemoryLog::ScopedMemoryLog(bool ready) : previous_(InstalledUserMessagesLog()) {
  if (ready) log.SetReady(&sink);
  InstallUserMessagesLog(&log);
}

ScopedMemoryLog::~ScopedMemoryLog() { InstallUserMessagesLog(previous_); }

}  // namespace zuna::test

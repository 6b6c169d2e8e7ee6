#include "tools/system_clock.h"

#include <chrono>
#include <cstdint>
#include <ratio>

#include "common/time/file_time.h"

namespace zuna {
namespace {

// Unix time 0 in 100 ns units since 1601.
constexpr FileTime kUnixEpoch = 116'444'736'000'000'000ULL;

}  // namespace

CalendarTime SystemClock::UtcNow() const {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>>(since);
  return ToCalendarTime(kUnixEpoch + static_cast<FileTime>(ticks.count()));
}

}  // namespace zuna

// zuna-events: replays a rebuild of the event schedule of a folder, or imports XML-form event
// files, printing the user-messages log as ZUNA_Capture's log window would show it.
#include <chrono>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/file_time.h"
#include "tools/events_command.h"

namespace {

// Unix time 0 in 100 ns units since 1601.
constexpr zuna::FileTime kUnixEpoch = 116'444'736'000'000'000ULL;

// The computer's UTC time; the schedule needs nothing else of the clock.
class SystemClock final : public zuna::Clock {
 public:
  zuna::CalendarTime UtcNow() const override {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks =
        std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>>(since);
    return zuna::ToCalendarTime(kUnixEpoch + static_cast<zuna::FileTime>(ticks.count()));
  }
  zuna::CalendarTime LocalNow() const override { return UtcNow(); }
  zuna::TimeZoneRecord TimeZone() const override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  SystemClock clock;
  return zuna::RunEventsTool(args, clock, std::cout, std::cerr);
}

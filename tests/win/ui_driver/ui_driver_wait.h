#pragma once
// Every wait of the driver polls: the programs under test run in other processes and tell nobody.
#include <functional>

namespace ui_driver {

inline constexpr double kDefaultTimeoutSeconds = 20;
inline constexpr unsigned kPollMilliseconds = 50;

// Asks probe every 50 ms until it answers true (then true) or seconds have passed (then false).
// probe is always asked at least once, and once more at the deadline.
bool PollUntil(double seconds, const std::function<bool()>& probe);

}  // namespace ui_driver

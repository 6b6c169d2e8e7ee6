#pragma once
// The texts of one GPS fix, as the GPS window shows them and the recording log writes them.
#include <cstddef>
#include <string>

#include "capture/gps/nmea_gga.h"

namespace zuna {

// Capacities of the texts, in wide characters with the terminating zero.
inline constexpr std::size_t kGpsAngleTextCapacity = 50;
inline constexpr std::size_t kGpsShortTextCapacity = 30;

struct GpsFixTexts {
  std::wstring latitude;    // " 48.117300 N"
  std::wstring longitude;   // " 11.516667 E"
  std::wstring altitude;    // " 545.4 M"
  std::wstring satellites;  // " 8"

  void Clear() { *this = GpsFixTexts{}; }
};

// " %.6f %c" for the angles (the letter left out when the sentence had none), " %s M" with the
// altitude's digits as received, " %d" for the satellites.
GpsFixTexts FormatGpsFixTexts(const GgaFix& fix);

}  // namespace zuna

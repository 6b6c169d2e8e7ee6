// Feeds arbitrary receiver bytes to the "$GPGGA" search, the field parse and the fix texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "capture/gps/gps_fix_texts.h"
#include "capture/gps/nmea_gga.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zuna::ContainsGgaTag(bytes);

  zuna::GgaFix fix;
  if (zuna::FindLatestGgaFix(bytes, fix) == zuna::GgaSearch::kFound) {
    Check(fix.latitude >= 0 && fix.latitude <= 90 && fix.longitude >= 0 && fix.longitude <= 180);
    Check(fix.satellites >= 0 && fix.satellites <= 999);
    const zuna::GpsFixTexts texts = zuna::FormatGpsFixTexts(fix);
    Check(texts.latitude.size() < zuna::kGpsAngleTextCapacity && texts.longitude.size() < zuna::kGpsAngleTextCapacity);
    Check(texts.altitude.size() < zuna::kGpsShortTextCapacity && texts.satellites.size() < zuna::kGpsShortTextCapacity);
  }

  // The field readers on their own, with the whole input as one field.
  double degrees = 0;
  if (zuna::NmeaAngleToDegrees(bytes, 180, degrees)) Check(degrees >= 0 && degrees <= 180);
  std::string altitude;
  if (zuna::NmeaAltitudeText(bytes, altitude)) Check(altitude.size() <= 18);
  return 0;
}

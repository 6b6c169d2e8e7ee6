#include "capture/gps/gps_fix_texts.h"

#include <cwchar>

namespace zuna {
namespace {

std::wstring Limited(std::wstring text, std::size_t capacity) {
  if (text.size() >= capacity) text.resize(capacity - 1);
  return text;
}

std::wstring AngleText(double degrees, char hemisphere) {
  wchar_t buffer[kGpsAngleTextCapacity];
  std::swprintf(buffer, kGpsAngleTextCapacity, L" %.6f ", degrees);
  std::wstring text = buffer;
  if (hemisphere != 0) text.push_back(static_cast<wchar_t>(hemisphere));
  return Limited(std::move(text), kGpsAngleTextCapacity);
}

}  // namespace

GpsFixTexts FormatGpsFixTexts(const GgaFix& fix) {
  GpsFixTexts texts;
  texts.latitude = AngleText(fix.latitude, fix.latitudeHemisphere);
  texts.longitude = AngleText(fix.longitude, fix.longitudeHemisphere);
  // The altitude holds only '-', '.' and digits: widening byte by byte is exact.
  std::wstring altitude = L" ";
  for (char c : fix.altitude) altitude.push_back(static_cast<wchar_t>(c));
  altitude += L" M";
  texts.altitude = Limited(std::move(altitude), kGpsShortTextCapacity);
  texts.satellites = Limited(L" " + std::to_wstring(fix.satellites), kGpsShortTextCapacity);
  return texts;
}

}  // namespace zuna

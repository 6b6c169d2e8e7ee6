#include "capture/gps/nmea_gga.h"

#include <cstdint>

namespace zuna {
namespace {

// Bounds on fields, generous beyond anything a receiver sends; they keep the arithmetic exact.
constexpr std::size_t kMaxAngleIntegerDigits = 5;  // dddmm
constexpr std::size_t kMaxAngleFractionDigits = 12;
constexpr std::size_t kMaxAltitudeIntegerDigits = 6;
constexpr std::size_t kMaxAltitudeFractionDigits = 9;
constexpr std::size_t kMaxSatelliteDigits = 3;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// Digits only, at most 18 of them, so the value fits.
std::uint64_t DigitsValue(std::string_view digits) {
  std::uint64_t value = 0;
  for (char c : digits) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  return value;
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "*hh" closing `body`: the exclusive-or of the bytes between "$" and "*".
bool ChecksumMatches(std::string_view body, std::size_t star) {
  if (body.size() != star + 3) return false;
  const int high = HexValue(body[star + 1]);
  const int low = HexValue(body[star + 2]);
  if (high < 0 || low < 0) return false;
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(body[i]);
  return sum == static_cast<unsigned>(high * 16 + low);
}

// Splits "integer.fraction"; false when either part holds a non-digit.
bool SplitNumber(std::string_view field, std::string_view& integer, std::string_view& fraction) {
  const std::size_t dot = field.find('.');
  integer = field.substr(0, dot);
  fraction = dot == std::string_view::npos ? std::string_view() : field.substr(dot + 1);
  return AllDigits(integer) && AllDigits(fraction);
}

// Takes the field after the next separator from `rest`; false when no separator comes first.
bool NextField(std::string_view& rest, std::string_view& field) {
  if (rest.empty() || rest.front() != ',') return false;
  rest.remove_prefix(1);
  const std::size_t end = rest.find(',');
  field = rest.substr(0, end);
  rest.remove_prefix(field.size());
  return true;
}

bool ReadHemisphere(std::string_view field, char positive, char negative, char& letter) {
  if (field.empty()) {
    letter = 0;
    return true;
  }
  if (field.size() != 1 || (field[0] != positive && field[0] != negative)) return false;
  letter = field[0];
  return true;
}

bool ReadSatellites(std::string_view field, int& satellites) {
  if (field.size() > kMaxSatelliteDigits || !AllDigits(field)) return false;
  satellites = static_cast<int>(DigitsValue(field));
  return true;
}

}  // namespace

bool ContainsGgaTag(std::string_view data) {
  return data.find(kGgaTag) != std::string_view::npos;
}

bool NmeaAngleToDegrees(std::string_view field, int maxDegrees, double& degrees) {
  degrees = 0;
  if (field.empty()) return true;
  std::string_view integer, fraction;
  if (!SplitNumber(field, integer, fraction) || integer.empty() || integer.size() > kMaxAngleIntegerDigits ||
      fraction.size() > kMaxAngleFractionDigits) {
    return false;
  }
  const std::uint64_t whole = DigitsValue(integer);
  const std::uint64_t wholeDegrees = whole / 100;
  const std::uint64_t wholeMinutes = whole % 100;
  if (wholeMinutes >= 60) return false;
  // The fraction digits as they stand, whatever their number: ".0380" and ".038" are the same minutes.
  double scale = 1;
  for (std::size_t i = 0; i < fraction.size(); ++i) scale *= 10;
  const double minutes = static_cast<double>(wholeMinutes) + static_cast<double>(DigitsValue(fraction)) / scale;
  degrees = static_cast<double>(wholeDegrees) + minutes / 60;
  return degrees <= maxDegrees;
}

bool NmeaAltitudeText(std::string_view field, std::string& text) {
  if (field.empty()) {
    text = "0.0";
    return true;
  }
  const bool negative = field.front() == '-';
  if (negative) field.remove_prefix(1);
  std::string_view integer, fraction;
  if (!SplitNumber(field, integer, fraction) || integer.empty() || integer.size() > kMaxAltitudeIntegerDigits ||
      fraction.size() > kMaxAltitudeFractionDigits) {
    return false;
  }
  // The integer part loses its leading zeros like any number; the fraction keeps every digit.
  text = negative ? "-" : "";
  text += std::to_string(DigitsValue(integer));
  text += '.';
  text += fraction.empty() ? std::string_view("0") : fraction;
  return true;
}

std::string_view CompleteSentenceAt(std::string_view data, std::size_t start) {
  if (start >= data.size() || data[start] != '$') return {};
  const std::size_t end = data.find_first_of("\r\n$", start + 1);
  if (end != std::string_view::npos && data[end] == '$') return {};  // interrupted by the next sentence
  const bool terminated = end != std::string_view::npos;
  const std::string_view body = data.substr(start, terminated ? end - start : std::string_view::npos);
  for (char c : body) {
    if (c < 0x20 || c > 0x7E) return {};
  }
  const std::size_t star = body.find('*');
  if (star != std::string_view::npos) return ChecksumMatches(body, star) ? body.substr(0, star) : std::string_view();
  // Without a checksum only the line end shows that nothing was cut off.
  return terminated ? body : std::string_view();
}

bool ParseGgaSentence(std::string_view sentence, GgaFix& fix) {
  if (sentence.substr(0, kGgaTag.size()) != kGgaTag) return false;
  std::string_view rest = sentence.substr(kGgaTag.size());
  std::string_view time, latitude, northSouth, longitude, eastWest, quality, satellites, dilution, altitude;
  // The time and the dilution are not used; their separators must still be there.
  if (!NextField(rest, time) || !NextField(rest, latitude) || !NextField(rest, northSouth) ||
      !NextField(rest, longitude) || !NextField(rest, eastWest) || !NextField(rest, quality) ||
      !NextField(rest, satellites) || !NextField(rest, dilution) || !NextField(rest, altitude)) {
    return false;
  }
  // A receiver without a fix yet says so in the quality field and leaves the position empty; that is
  // no position at all, never latitude and longitude 0.
  if (quality == "0" || latitude.empty() || longitude.empty()) return false;
  GgaFix parsed;
  if (!NmeaAngleToDegrees(latitude, 90, parsed.latitude) ||
      !ReadHemisphere(northSouth, 'N', 'S', parsed.latitudeHemisphere) ||
      !NmeaAngleToDegrees(longitude, 180, parsed.longitude) ||
      !ReadHemisphere(eastWest, 'E', 'W', parsed.longitudeHemisphere) ||
      !ReadSatellites(satellites, parsed.satellites) || !NmeaAltitudeText(altitude, parsed.altitude)) {
    return false;
  }
  fix = parsed;
  return true;
}

GgaSearch FindLatestGgaFix(std::string_view data, GgaFix& fix) {
  bool anyComplete = false;
  std::size_t from = data.size();
  while (from > 0) {
    const std::size_t start = data.rfind(kGgaTag, from - 1);
    if (start == std::string_view::npos) break;
    const std::string_view sentence = CompleteSentenceAt(data, start);
    if (!sentence.empty()) {
      anyComplete = true;
      if (ParseGgaSentence(sentence, fix)) return GgaSearch::kFound;
    }
    from = start;
  }
  return anyComplete ? GgaSearch::kNoValidFix : GgaSearch::kNoSentence;
}

}  // namespace zuna

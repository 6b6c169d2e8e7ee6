#pragma once
// The "$GPGGA" sentence (global positioning fix data) of NMEA 0183: finding complete sentences in
// the bytes a receiver sent, and reading the fields the capture program uses. The bytes are
// untrusted: every field is checked for form and range before it is used.
#include <string>
#include <string_view>

namespace zuna {

inline constexpr std::string_view kGgaTag = "$GPGGA";

// The fields of one fix, ready for the texts. An empty field reads as 0 (a receiver without a fix
// yet sends its sentences with the position fields empty).
struct GgaFix {
  double latitude = 0;          // decimal degrees, without sign: the hemisphere tells the side
  char latitudeHemisphere = 0;  // 'N' or 'S'; 0 when the field was empty
  double longitude = 0;
  char longitudeHemisphere = 0;  // 'E' or 'W'; 0 when the field was empty
  int satellites = 0;
  std::string altitude = "0.0";  // metres: [-]integer.fraction, the fraction digits as received
};

// True when the six characters "$GPGGA" occur in `data`: a receiver talks at this speed.
bool ContainsGgaTag(std::string_view data);

// An angle field "ddmm.mmmm" or "dddmm.mmmm" (any number of minute fraction digits) in decimal
// degrees. False when the field is not of that form, its minutes reach 60 or it exceeds `maxDegrees`.
bool NmeaAngleToDegrees(std::string_view field, int maxDegrees, double& degrees);

// An altitude field "[-]m.f" as text with the digits as received ("12.05" stays "12.05"; a missing
// fraction gives ".0"). False when the field is not of that form.
bool NmeaAltitudeText(std::string_view field, std::string& text);

// The sentence that starts at `start` ("$GPGGA..."), without its checksum and line end, when it is
// complete: ended by a line end, or by a checksum at the end of the data. A sentence interrupted by
// another "$", holding control bytes, or with a wrong checksum is garbled: empty result.
std::string_view CompleteSentenceAt(std::string_view data, std::size_t start);

// Parses a complete sentence as returned by CompleteSentenceAt. False when it is not "$GPGGA", a
// separator is missing before a field, or a used field is malformed.
bool ParseGgaSentence(std::string_view sentence, GgaFix& fix);

enum class GgaSearch {
  kFound,
  kNoSentence,  // no complete, intact "$GPGGA" sentence in the data
  kNoValidFix,  // complete sentences, but none whose fields could be read
};

// The latest sentence of `data` that is complete and readable. A last sentence cut off by the end
// of the read is passed over for the one before it.
GgaSearch FindLatestGgaFix(std::string_view data, GgaFix& fix);

}  // namespace zuna

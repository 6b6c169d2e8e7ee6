#include "capture/gps/nmea_gga.h"

#include <gtest/gtest.h>

#include "capture/gps/gps_fakes.h"
#include "capture/gps/gps_fix_texts.h"

namespace zuna {
namespace {

using test::GgaSentence;
using test::kMunichFields;

TEST(NmeaAngle, DecimalDegreesFromAnyNumberOfFractionDigits) {
  const struct {
    const char* field;
    double degrees;
  } cases[] = {
      {"4807.03", 48 + 7.03 / 60},
      {"4807.038", 48 + 7.038 / 60},
      {"4807.0380", 48 + 7.038 / 60},
      {"4807.03800", 48 + 7.038 / 60},
      {"4807.00001", 48 + 7.00001 / 60},
      {"4807", 48 + 7.0 / 60},
      {"4807.", 48 + 7.0 / 60},
      {"0000.00", 0},
      {"0030.5", 30.5 / 60},
      {"01131.000", 11 + 31.0 / 60},
      {"17959.99999", 179 + 59.99999 / 60},
      {"", 0},
  };
  for (const auto& c : cases) {
    double degrees = -1;
    EXPECT_TRUE(NmeaAngleToDegrees(c.field, 180, degrees)) << c.field;
    EXPECT_NEAR(degrees, c.degrees, 1e-12) << c.field;
  }
}

TEST(NmeaAngle, MalformedOrOutOfRangeFieldsAreRefused) {
  double degrees = 0;
  for (const char* field : {"48a7.0", "4860.00", "-4807.0", "+4807.0", "123456.0", ".5", "48.07.0", "4807.0N",
                            "4807.0000000000001", " 4807.0"}) {
    EXPECT_FALSE(NmeaAngleToDegrees(field, 180, degrees)) << field;
  }
  EXPECT_TRUE(NmeaAngleToDegrees("9000.00", 90, degrees));
  EXPECT_FALSE(NmeaAngleToDegrees("9000.01", 90, degrees));
  EXPECT_TRUE(NmeaAngleToDegrees("18000.0", 180, degrees));
  EXPECT_FALSE(NmeaAngleToDegrees("18000.5", 180, degrees));
}

TEST(NmeaAltitude, FractionDigitsAreKeptAsReceived) {
  const struct {
    const char* field;
    const char* text;
  } cases[] = {{"12.05", "12.05"}, {"545.4", "545.4"}, {"0.005", "0.005"},  {"-3.007", "-3.007"}, {"-0.5", "-0.5"},
               {"100", "100.0"},   {"100.", "100.0"},  {"012.50", "12.50"}, {"", "0.0"}};
  for (const auto& c : cases) {
    std::string text;
    EXPECT_TRUE(NmeaAltitudeText(c.field, text)) << c.field;
    EXPECT_EQ(text, c.text) << c.field;
  }
  std::string text;
  for (const char* field : {"-", "+5.0", "1e3", "12.0.1", "1234567.0", "12.1234567890", "12,5", "--1.0"}) {
    EXPECT_FALSE(NmeaAltitudeText(field, text)) << field;
  }
}

GpsFixTexts ParsedTexts(const std::string& sentence) {
  GgaFix fix;
  EXPECT_EQ(FindLatestGgaFix(sentence, fix), GgaSearch::kFound) << sentence;
  return FormatGpsFixTexts(fix);
}

TEST(GgaSentence, TextsCarryDecimalDegreesHemispheresAndAltitudeDigits) {
  GpsFixTexts texts = ParsedTexts(GgaSentence(kMunichFields));
  EXPECT_EQ(texts.latitude, L" 48.117300 N");
  EXPECT_EQ(texts.longitude, L" 11.516667 E");
  EXPECT_EQ(texts.altitude, L" 545.4 M");
  EXPECT_EQ(texts.satellites, L" 8");

  texts = ParsedTexts(GgaSentence("031502.00,3352.128,S,15112.558,W,1,11,0.8,12.05,M,20.1,M,,"));
  EXPECT_EQ(texts.latitude, L" 33.868800 S");
  EXPECT_EQ(texts.longitude, L" 151.209300 W");
  EXPECT_EQ(texts.altitude, L" 12.05 M");
  EXPECT_EQ(texts.satellites, L" 11");

  texts = ParsedTexts(GgaSentence("031502.00,0012.30,N,00000.60,W,1,4,1.2,-28.0,M,,M,,"));
  EXPECT_EQ(texts.latitude, L" 0.205000 N");
  EXPECT_EQ(texts.longitude, L" 0.010000 W");
  EXPECT_EQ(texts.altitude, L" -28.0 M");
}

TEST(GgaSentence, NoFixYetIsNoPositionAndOtherEmptyFieldsReadAsZero) {
  GgaFix fix;
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,002153.000,,,,,0,00,,,M,,M,,", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,002153.000,4807.038,N,01131.000,E,0,03,,545.4,M,,M,,", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,002153.000,,N,01131.000,E,1,03,,545.4,M,,M,,", fix));
  const GpsFixTexts texts = ParsedTexts(GgaSentence("002153.000,4807.038,N,01131.000,E,1,,,,M,,M,,"));
  EXPECT_EQ(texts.latitude, L" 48.117300 N");
  EXPECT_EQ(texts.altitude, L" 0.0 M");
  EXPECT_EQ(texts.satellites, L" 0");
}

TEST(GgaSentence, MissingSeparatorsAndMalformedFieldsFail) {
  GgaFix fix;
  EXPECT_TRUE(ParseGgaSentence("$GPGGA,1,4807.038,N,01131.000,E,1,08,0.9,545.4", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,1,4807.038,N,01131.000,E,1,08,0.9", fix));  // no altitude field
  EXPECT_FALSE(ParseGgaSentence("$GPGGA", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGA1,4807.038,N,01131.000,E,1,08,0.9,545.4", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGAX,1,4807.038,N,01131.000,E,1,08,0.9,545.4", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPRMC,1,4807.038,N,01131.000,E,1,08,0.9,545.4", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,1,4807.038,E,01131.000,E,1,08,0.9,545.4", fix));   // east latitude
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,1,4807.038,N,01131.000,NE,1,08,0.9,545.4", fix));  // two letters
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,1,4807.038,N,01131.000,E,1,1234,0.9,545.4", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,1,4807.038,N,01131.000,E,1,8x,0.9,545.4", fix));
  EXPECT_FALSE(ParseGgaSentence("$GPGGA,1,4807.038,N,01131.000,E,1,08,0.9,5x5.4", fix));
}

TEST(GgaSearch, CutOffOrGarbledLastSentenceGivesWayToTheOneBefore) {
  const std::string older = GgaSentence("123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
  const std::string newer = GgaSentence("123520,4807.999,N,01131.999,E,1,09,0.9,1545.46,M,46.9,M,,");
  const std::string gsa = "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n";
  const std::string cuts[] = {
      newer.substr(0, 20),                           // cut in the position fields
      newer.substr(0, newer.size() - 7),             // cut in the altitude: "1545" would read as a wrong altitude
      newer.substr(0, newer.size() - 3),             // cut in the checksum
      newer.substr(0, 40) + "7" + newer.substr(41),  // one digit garbled: checksum differs
      newer.substr(0, 30) + gsa,                     // interrupted by the next sentence
      newer.substr(0, 30) + std::string(1, '\0') + newer.substr(31),  // a zero byte inside
  };
  for (const std::string& cut : cuts) {
    GgaFix fix;
    EXPECT_EQ(FindLatestGgaFix("945.4,M,46.9,M,,*47\r\n" + older + gsa + cut, fix), GgaSearch::kFound) << cut;
    EXPECT_EQ(FormatGpsFixTexts(fix).altitude, L" 545.4 M") << cut;
    EXPECT_EQ(FindLatestGgaFix(cut, fix), GgaSearch::kNoSentence) << cut;
  }
  GgaFix fix;
  EXPECT_EQ(FindLatestGgaFix(older + newer, fix), GgaSearch::kFound);
  EXPECT_EQ(FormatGpsFixTexts(fix).altitude, L" 1545.46 M");
}

TEST(GgaSearch, ChecksumIsOptionalButThenTheLineEndMustHaveCome) {
  GgaFix fix;
  const std::string plain = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";
  EXPECT_EQ(FindLatestGgaFix(plain + "\r\n", fix), GgaSearch::kFound);
  EXPECT_EQ(FindLatestGgaFix(plain, fix), GgaSearch::kNoSentence);
  std::string withoutLineEnd = GgaSentence(kMunichFields);
  withoutLineEnd.resize(withoutLineEnd.size() - 2);
  EXPECT_EQ(FindLatestGgaFix(withoutLineEnd, fix), GgaSearch::kFound);
  EXPECT_EQ(FindLatestGgaFix(plain + "*47", fix), GgaSearch::kFound);
  // Complete sentences whatever the case of the checksum digits (these carry no fix yet).
  EXPECT_EQ(FindLatestGgaFix("$GPGGA,002153.000,,,,,0,00,,,M,,M,,*7d\r\n", fix), GgaSearch::kNoValidFix);
  EXPECT_EQ(FindLatestGgaFix("$GPGGA,002153.000,,,,,0,00,,,M,,M,,*7D\r\n", fix), GgaSearch::kNoValidFix);
  EXPECT_EQ(FindLatestGgaFix("$GPGGA,002153.000,,,,,0,00,,,M,,M,,*7E\r\n", fix), GgaSearch::kNoSentence);
  EXPECT_EQ(FindLatestGgaFix(plain + "*47x\r\n", fix), GgaSearch::kNoSentence);
  EXPECT_EQ(FindLatestGgaFix(plain + "*4G\r\n", fix), GgaSearch::kNoSentence);
}

TEST(GgaSearch, NothingToFindOrNothingReadable) {
  GgaFix fix;
  EXPECT_EQ(FindLatestGgaFix("", fix), GgaSearch::kNoSentence);
  EXPECT_EQ(FindLatestGgaFix("$GPGGA", fix), GgaSearch::kNoSentence);
  EXPECT_EQ(FindLatestGgaFix("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n", fix),
            GgaSearch::kNoSentence);
  EXPECT_EQ(FindLatestGgaFix(GgaSentence("123519,4807.038,N,01131.000,E,1,08,0.9"), fix), GgaSearch::kNoValidFix);
  EXPECT_EQ(FindLatestGgaFix(GgaSentence("123519,4867.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,"), fix),
            GgaSearch::kNoValidFix);
}

}  // namespace
}  // namespace zuna

#include <gtest/gtest.h>

#include "support/memory_log.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_file_report.h"
#include "video/avi/avi_header_parser.h"
#include "video/avi/avi_layout.h"
#include "video/avi/avi_test_output.h"
#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/riff_memory_output.h"

namespace zuna {
namespace {

using test::ScopedMemoryLog;

// A capture file of `frames` frames (frames 3 and 4 dropped when asked) made by the writer.
std::vector<std::uint8_t> CaptureFile(int frames = 20, bool drops = false) {
  auto file = std::make_shared<std::vector<std::uint8_t>>();
  AviWriterOptions options;
  options.superIndexEntries = 8;
  options.framesPerIndex = 8;
  AviWriter writer(options);
  writer.Open(std::make_unique<RiffMemoryOutput>(file), AviVideoFormat::Yuy2(16, 8, 30000, 1001));
  const std::vector<std::uint8_t> frame(16 * 8 * 2, 0x10);
  for (int i = 0; i < frames; ++i) {
    if (drops && (i == 3 || i == 4)) continue;
    writer.WriteFrame(frame, i * 333667LL, true);
  }
  writer.Close();
  return *file;
}

void Put32(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t value) {
  StoreLe32(file, offset, value);
}

std::uint32_t TagOffset(const std::vector<std::uint8_t>& file) {
  return 20 + *ReadLe32(file, 16);
}
std::uint32_t SuperIndexOffset() {
  return 212;
}

Status Parse(const std::vector<std::uint8_t>& file, AviHeaderParser& parser) {
  AviMemorySource source(file);
  return parser.ParseAviHeader(source);
}

struct StructureCase {
  std::uint32_t offset;
  const wchar_t* message;
};

class AviStructureChecks : public testing::TestWithParam<StructureCase> {};

// Each broken place gives its own message, and the checks run in file order: breaking a later place
// too does not change the message.
TEST_P(AviStructureChecks, RejectTheFirstBrokenPlaceWithItsMessage) {
  ScopedMemoryLog log;
  std::vector<std::uint8_t> file = CaptureFile();
  file[GetParam().offset] ^= 0x20;
  file[avi::kStrfOffset + 1] ^= 0x20;
  AviHeaderParser p;
  EXPECT_EQ(Parse(file, p), kAbort);
  EXPECT_EQ(log.Text(), log.log.ComposeEntry(GetParam().message, true));
  EXPECT_EQ(p.totalFrames, 0u);
  EXPECT_TRUE(p.frameIsKey.empty());
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, AviStructureChecks,
    testing::Values(
        StructureCase{0, L"WARNING: AVI file header is not RIFF formatted; file open aborted\r\n"},
        StructureCase{8, L"WARNING: AVI file header FOURCC code is not \"AVI \"; file open aborted\r\n"},
        StructureCase{12, L"WARNING: AVI file header chunk is not followed by a LIST structure; file open aborted\r\n"},
        StructureCase{20, L"WARNING: AVI file header LIST structure list type is not \"hdrl\"; file open aborted\r\n"},
        StructureCase{88,
                      L"WARNING: AVI file main header structure is not followed by a LIST structure; file open "
                      L"aborted\r\n"},
        StructureCase{96, L"WARNING: LIST structure list type is not \"strl\"; file open aborted\r\n"},
        StructureCase{100, L"WARNING: stream header structure FOURCC code is not \"strh\"; file open aborted\r\n"},
        StructureCase{164, L"WARNING: stream format structure FOURCC code is not \"strf\"; file open aborted\r\n"}));

TEST(AviHeaderParser, ShortFilesFailTheFirstMissingCheck) {
  ScopedMemoryLog log;
  AviHeaderParser p;
  EXPECT_EQ(Parse({}, p), kAbort);
  EXPECT_NE(log.Text().find(L"is not RIFF formatted"), std::wstring::npos);
  std::vector<std::uint8_t> file = CaptureFile();
  file.resize(90);
  EXPECT_EQ(Parse(file, p), kAbort);
  EXPECT_NE(log.Text().find(L"main header structure is not followed by a LIST"), std::wstring::npos);
}

TEST(AviHeaderParser, ReportsACaptureFileWithItsDroppedFrames) {
  ScopedMemoryLog log;
  const std::vector<std::uint8_t> file = CaptureFile(20, true);
  AviHeaderParser p;
  ASSERT_EQ(Parse(file, p), kOk);
  EXPECT_TRUE(p.createdByCapture);
  EXPECT_EQ(p.totalFrames, 20u);
  EXPECT_EQ(p.keyFrames, 18u);
  EXPECT_EQ(p.droppedFrames, 2u);
  EXPECT_EQ(p.DroppedFrameNumbers(), (std::vector<std::uint32_t>{3, 4}));
  EXPECT_EQ(p.videoWidth, 16);
  EXPECT_EQ(p.videoHeight, 8);
  p.info.filePath = L"C:\\VideoFiles\\x.avi";
  ReportFileInformation(p.info);
  const std::wstring size = FormatWithThousands(file.size(), DefaultNumberLocale());
  EXPECT_EQ(log.Text(),
            L"\r\n\tCodec         \t\tNONE (YUY2 internal decoder)"
            L"\r\n\tTotal Frames  \t\t20"
            L"\r\n\tKey Frames    \t\t18"
            L"\r\n\tDropped Frames\t\t2"
            L"\r\n\tFrame size    \t\t16 x 8"
            L"\r\n\tFrame rate    \t\t29.97 fps"
            L"\r\n\tFile size     \t\t" +
                size + L" bytes\r\n ");
}

TEST(AviHeaderParser, FilesOfOtherWritersHaveUnknownKeyAndDroppedFrames) {
  ScopedMemoryLog log;
  std::vector<std::uint8_t> file = CaptureFile(20, true);
  file[TagOffset(file) + 20] = 'X';  // another artist
  Put32(file, avi::kRateOffset, 10000000);
  Put32(file, avi::kScaleOffset, 400000);
  AviHeaderParser p;
  ASSERT_EQ(Parse(file, p), kOk);
  EXPECT_FALSE(p.createdByCapture);
  EXPECT_EQ(p.info.keyFrames, L"unknown");
  EXPECT_EQ(p.info.droppedFrames, L"unknown");
  EXPECT_EQ(p.info.frameRate, L"25");
  EXPECT_EQ(p.keyFrames, 20u);
  EXPECT_EQ(p.droppedFrames, 0u);
  EXPECT_EQ(p.frameIsKey, std::vector<std::uint8_t>(21, 1));
  EXPECT_TRUE(p.DroppedFrameNumbers().empty());
}

TEST(AviHeaderParser, OnlyTheExactCaptureTagMarksACaptureFile) {
  ScopedMemoryLog log;
  struct Case {
    std::uint32_t size;
    char at18;
    bool capture;
  };
  for (const Case c : {Case{19, 0, true}, Case{18, 0, true}, Case{18, 'X', true}, Case{25, 0, true},
                       Case{19, 's', false}, Case{17, 0, false}, Case{5, 0, false}, Case{0, 0, false}}) {
    std::vector<std::uint8_t> file = CaptureFile();
    const std::uint32_t tag = TagOffset(file);
    Put32(file, tag + 16, c.size);
    file[tag + 20 + 18] = static_cast<std::uint8_t>(c.at18);
    AviHeaderParser p;
    ASSERT_EQ(Parse(file, p), kOk);
    EXPECT_EQ(p.createdByCapture, c.capture) << c.size << " " << c.at18;
  }
}

TEST(AviHeaderParser, FileSizeUsesTheLocaleSeparator) {
  struct Dot final : NumberLocale {
    std::wstring ThousandsSeparator() const override { return L".x"; }
  };
  struct None final : NumberLocale {
    std::wstring ThousandsSeparator() const override { return L""; }
  };
  EXPECT_EQ(FormatWithThousands(1234567, DefaultNumberLocale()), L"1,234,567");
  EXPECT_EQ(FormatWithThousands(123456, DefaultNumberLocale()), L"123,456");
  EXPECT_EQ(FormatWithThousands(999, DefaultNumberLocale()), L"999");
  EXPECT_EQ(FormatWithThousands(0, DefaultNumberLocale()), L"0");
  EXPECT_EQ(FormatWithThousands(18446744073709551615u, DefaultNumberLocale()), L"18,446,744,073,709,551,615");
  EXPECT_EQ(FormatWithThousands(1234567, Dot()), L"1.234.567");
  EXPECT_EQ(FormatWithThousands(1234567, None()), L"1234567");

  ScopedMemoryLog log;
  Dot dot;
  std::vector<std::uint8_t> file = CaptureFile();
  AviHeaderParser p(dot);
  ASSERT_EQ(Parse(file, p), kOk);
  EXPECT_EQ(p.info.fileSize, FormatWithThousands(file.size(), dot));
  EXPECT_NE(p.info.fileSize.find(L'.'), std::wstring::npos);
}

// A source whose size query, moves or reads fail on demand; it reads `bytes` in place.
class FailingSource final : public AviByteSource {
 public:
  explicit FailingSource(const std::vector<std::uint8_t>& bytes) : inner_(bytes) {}
  bool Seek(std::uint64_t offset) override { return seeks++ != failSeek && inner_.Seek(offset); }
  bool Read(std::size_t count, std::vector<std::uint8_t>& out) override {
    return reads++ != failRead && inner_.Read(count, out);
  }
  std::optional<std::uint64_t> Size() override { return sizeKnown ? inner_.Size() : std::nullopt; }
  int failSeek = -1, failRead = -1, seeks = 0, reads = 0;
  bool sizeKnown = true;

 private:
  AviMemorySource inner_;
};

TEST(AviHeaderParser, FailedReadsAndMovesAreReportedByWhereTheyHappen) {
  const std::vector<std::uint8_t> file = CaptureFile();
  struct Case {
    int failSeek, failRead;
    Status status;
    const wchar_t* message;
  };
  for (const Case c : {
           Case{-1, 0, kAbort, L"WARNING: unable to read data from AVI file; file open aborted\r\n"},
           Case{1, -1, kUnexpected, L"SEVERE: unable to set the file pointer in the opened file\r\n"},
           Case{-1, 1, kUnexpected, L"SEVERE: unable to read from the opened file\r\n"},
           Case{2, -1, kUnexpected, L"SEVERE: cannot set file pointer in file created by ZUNA Video Capture\r\n"},
           Case{-1, 3, kUnexpected, L"SEVERE: cannot read from file created by ZUNA Video Capture\r\n"},
           Case{-1, 5, kUnexpected, L"SEVERE: cannot read from file created by ZUNA Video Capture\r\n"},
       }) {
    ScopedMemoryLog log;
    FailingSource source(file);
    source.failSeek = c.failSeek;
    source.failRead = c.failRead;
    AviHeaderParser p;
    EXPECT_EQ(p.ParseAviHeader(source), c.status) << c.failSeek << c.failRead;
    EXPECT_EQ(log.Text(), log.log.ComposeEntry(c.message, true));
  }
}

TEST(AviHeaderParser, AnUnknownFileSizeSkipsTheCaptureTest) {
  ScopedMemoryLog log;
  const std::vector<std::uint8_t> file = CaptureFile();
  FailingSource source(file);
  source.sizeKnown = false;
  AviHeaderParser p;
  ASSERT_EQ(p.ParseAviHeader(source), kOk);
  EXPECT_FALSE(p.createdByCapture);
  EXPECT_EQ(p.info.fileSize, L"");
  EXPECT_EQ(log.Text(),
            log.log.ComposeEntry(L"WARNING: unable to obtain the opened file size\r\n", true) +
                log.log.ComposeEntry(L"INFO: cannot determine file size, thus cannot determine if file is created by "
                                     L"ZUNA Video Capture\r\n",
                                     true));
  log.sink.Clear();
  ReportFileInformation(p.info);
  EXPECT_NE(log.Text().find(L"\tFile size     \t\tunknown\r\n "), std::wstring::npos);
}

TEST(AviHeaderParser, AFormatLongerThanItsBitmapHeaderHidesTheIndex) {
  ScopedMemoryLog log;
  std::vector<std::uint8_t> file = CaptureFile();
  Put32(file, avi::kBiSizeOffset, 40 + 1024);  // as with a palette
  AviHeaderParser p;
  EXPECT_EQ(Parse(file, p), kUnexpected);
  EXPECT_EQ(log.Text(), log.log.ComposeEntry(
                            L"SEVERE: problem reading FOURCC value in file created by ZUNA Video Capture\r\n", true));
}

TEST(AviHeaderParser, AStreamLongerThanTheFileCanHoldIsRejected) {
  ScopedMemoryLog log;
  for (std::uint32_t length : {0xFFFFFFFFu, 100'000'000u}) {
    std::vector<std::uint8_t> file = CaptureFile();
    file[TagOffset(file) + 20] = 'X';  // not a capture file: no index to check it against
    Put32(file, avi::kLengthOffset, length);
    AviHeaderParser p;
    EXPECT_EQ(Parse(file, p), kAbort);
    EXPECT_TRUE(p.frameIsKey.empty());
  }
  EXPECT_NE(log.Text().find(L"WARNING: AVI stream length is larger than the file can hold; file open aborted\r\n"),
            std::wstring::npos);
}

TEST(AviHeaderParser, TheFrameMapNeverGoesBeyondTheStreamLength) {
  ScopedMemoryLog log;
  std::vector<std::uint8_t> file = CaptureFile(20, true);
  Put32(file, avi::kLengthOffset, 4);  // the index lists 20 frames
  AviHeaderParser p;
  ASSERT_EQ(Parse(file, p), kOk);
  EXPECT_EQ(p.totalFrames, 4u);
  EXPECT_EQ(p.frameIsKey, (std::vector<std::uint8_t>{1, 1, 1, 0, 0}));
  EXPECT_EQ(p.droppedFrames, 1u);
}

TEST(AviHeaderParser, DamagedIndexesAreRejectedNotMiscounted) {
  const std::vector<std::uint8_t> good = CaptureFile(20);
  const std::uint32_t super = SuperIndexOffset();
  const std::uint64_t firstIndex = *ReadLe64(good, super + 32);
  struct Damage {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> apply;
  };
  const std::vector<Damage> damages = {
      {"stream longer than the index", [](auto& f) { Put32(f, avi::kLengthOffset, 21); }},
      {"super index entry size", [&](auto& f) { f[super + 8] = 3; }},
      {"super index entries beyond the chunk", [&](auto& f) { Put32(f, super + 12, 9); }},
      {"super index entries beyond the file", [&](auto& f) { Put32(f, super + 12, 0x0FFFFFFF); }},
      {"standard index beyond the file", [&](auto& f) { Put32(f, super + 32 + 4, 0x7FFFFFFF); }},
      {"standard index too small", [&](auto& f) { Put32(f, super + 32 + 8, 16); }},
      {"standard index entry size", [&](auto& f) { f[firstIndex + 8] = 0; }},
      {"standard index entries beyond its chunk", [&](auto& f) { Put32(f, firstIndex + 12, 9); }},
  };
  for (const Damage& d : damages) {
    ScopedMemoryLog log;
    std::vector<std::uint8_t> file = good;
    d.apply(file);
    AviHeaderParser p;
    EXPECT_EQ(Parse(file, p), kUnexpected) << d.what;
    EXPECT_EQ(log.Text(),
              log.log.ComposeEntry(L"SEVERE: the index of the file created by ZUNA Video Capture is damaged\r\n", true))
        << d.what;
  }
}

TEST(AviHeaderParser, ASuperIndexClaimingMoreThanARecordingHasIsRefusedUnread) {
  ScopedMemoryLog log;
  std::vector<std::uint8_t> file = CaptureFile(20);
  const std::uint32_t super = SuperIndexOffset();
  const std::uint32_t entries = AviHeaderParser::kMaxSuperIndexEntries + 1;
  Put32(file, super + 4, 24 + entries * 16);  // its chunk as large, in a file of 1 GiB
  Put32(file, super + 12, entries);
  test::PaddedSource source(file, std::uint64_t{1} << 30);
  AviHeaderParser p;
  EXPECT_EQ(p.ParseAviHeader(source), kUnexpected);
  EXPECT_LT(source.largestRead, 1u << 20);
  EXPECT_NE(log.Text().find(L"SEVERE: the super index of the file created by ZUNA Video Capture claims more entries "
                            L"than a recording can have\r\n"),
            std::wstring::npos);
}

TEST(AviHeaderParser, ImpossibleFrameSizesAreLeftToTheRenderer) {
  ScopedMemoryLog log;
  std::vector<std::uint8_t> file = CaptureFile();
  Put32(file, avi::kWidthOffset, 0xFFFFFFF0u);
  Put32(file, avi::kHeightOffset, 32768);
  AviHeaderParser p;
  ASSERT_EQ(Parse(file, p), kOk);
  EXPECT_EQ(p.videoWidth, 0);
  EXPECT_EQ(p.videoHeight, 32768);
  EXPECT_EQ(p.info.frameSize, L"0 x 32768");
}

TEST(AviFileInfo, FrameRateTexts) {
  EXPECT_EQ(FrameRateText(0, 0), L"29.97");
  EXPECT_EQ(FrameRateText(25, 0), L"29.97");
  EXPECT_EQ(FrameRateText(30000, 1001), L"29.97");
  EXPECT_EQ(FrameRateText(2997, 100), L"29.97");
  EXPECT_EQ(FrameRateText(10000000, 333333), L"30");
  EXPECT_EQ(FrameRateText(10000000, 400000), L"25");
  EXPECT_EQ(FrameRateText(15, 1), L"15.00");
  EXPECT_EQ(FrameRateText(25000, 1001), L"24.97");
  EXPECT_EQ(FrameRateText(10000000, 333667), L"29.97");
  EXPECT_EQ(FrameRateText(1, 3), L"0.33");
  EXPECT_EQ(FrameRateText(0xFFFFFFFFu, 1), L"4294967295.00");
  AviFileInfo info;
  SetFrameRateText(info, 60000, 1001);
  EXPECT_EQ(info.frameRate, L"59.94");
}

TEST(AviFileInfo, CodecTable) {
  EXPECT_EQ(CodecText(FourCc("DIB ")), L"NONE (DIB internal decoder)");
  EXPECT_EQ(CodecText(FourCc("YUY2")), L"NONE (YUY2 internal decoder)");
  EXPECT_EQ(CodecText(FourCc("DVSD")), L"DV Video Encoder");
  EXPECT_EQ(CodecText(FourCc("dvsd")), L"DV Video Encoder");
  EXPECT_EQ(CodecText(FourCc("LAGS")), L"Lagarith Lossless Codec");
  EXPECT_EQ(CodecText(FourCc("lags")), L"Lagarith Lossless Codec");
  EXPECT_EQ(CodecText(FourCc("Lags")), L"Decompressor fourcc code: Lags");
  EXPECT_EQ(CodecText(FourCc("Y800")), L"Decompressor fourcc code: Y800");
  EXPECT_EQ(CodecText(FourCc("Y8  ")), L"Decompressor fourcc code: Y8  ");
  EXPECT_EQ(CodecText(FourCc("MJPG"), FourCc("MJPG")), L"Decompressor fourcc code: MJPG");
  EXPECT_EQ(CodecText(0x00FF4D01u), L"Decompressor fourcc code: ?M??");
}

TEST(AviFileInfo, AnEmptyHandlerIsNamedByTheCompressionCode) {
  EXPECT_EQ(CodecText(0, 0), L"NONE (DIB internal decoder)");
  EXPECT_EQ(CodecText(0, 3), L"NONE (DIB internal decoder)");
  EXPECT_EQ(CodecText(0, FourCc("YUY2")), L"NONE (YUY2 internal decoder)");
  EXPECT_EQ(CodecText(0, FourCc("MJPG")), L"Decompressor fourcc code: MJPG");
  EXPECT_EQ(CodecText(FourCc("I420"), FourCc("YV12")), L"Decompressor fourcc code: I420");
}

TEST(AviFileInfo, TextsAreCutToTheirCapacity) {
  std::wstring field;
  SetCapped(field, L"12345678901", AviFileInfo::kCountCapacity);
  EXPECT_EQ(field, L"123456789");
  SetCapped(field, L"short", AviFileInfo::kCountCapacity);
  EXPECT_EQ(field, L"short");
}

}  // namespace
}  // namespace zuna

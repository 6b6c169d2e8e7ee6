// The codec list: the "NONE" entry, the Lagarith prefix rule and the codec a recording uses.
#include <gtest/gtest.h>

#include "capture/devices/codec_list.h"
#include "capture/devices/fake_device_catalog.h"
#include "support/memory_log.h"
#include "video/player/log_checks.h"

namespace zuna::test {
namespace {

std::vector<std::wstring> Names(const CodecList& list) {
  std::vector<std::wstring> names;
  for (const CodecEntry& entry : list.Entries()) names.push_back(entry.name);
  return names;
}

TEST(LagarithName, PrefixInAnyLetterCase) {
  EXPECT_TRUE(IsLagarithLosslessName(L"Lagarith Lossless Codec"));
  EXPECT_TRUE(IsLagarithLosslessName(L"LAGARITH LOSSLESS Codec v1.3.27 (x64)"));
  EXPECT_TRUE(IsLagarithLosslessName(L"lagarith lossless"));
  EXPECT_FALSE(IsLagarithLosslessName(L"Lagarith"));
  EXPECT_FALSE(IsLagarithLosslessName(L"Lagarith Losslss Codec"));
  EXPECT_FALSE(IsLagarithLosslessName(L"lagarith lossles"));
  EXPECT_FALSE(IsLagarithLosslessName(L" Lagarith Lossless Codec"));
  EXPECT_FALSE(IsLagarithLosslessName(L""));
}

class CodecListTest : public ::testing::Test {
 protected:
  ScopedMemoryLog log;
  FakeCodecCatalog catalog;
  CodecList list{catalog};
};

TEST_F(CodecListTest, OnlyLagarithCompressorsFollowNone) {
  catalog.names = {L"Cinepak Codec by Radius", L"Lagarith Lossless Codec", L"Microsoft Video 1",
                   L"LAGARITH LOSSLESS (old)", L"Lagarith"};
  ASSERT_EQ(list.FindCodecs(), kOk);
  EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"NONE", L"Lagarith Lossless Codec", L"LAGARITH LOSSLESS (old)"}));
  EXPECT_FALSE(list.Entries()[0].filter);
  EXPECT_EQ(list.Entries()[1].filter, FilterRef{701});
  EXPECT_TRUE(list.LagarithInstalled());
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(CodecListTest, RecordingsUseTheFirstLagarithWhenTheDeviceChoseIt) {
  catalog.names = {L"Lagarith Lossless Codec", L"Lagarith Lossless Codec 2"};
  ASSERT_EQ(list.FindCodecs(), kOk);
  VideoSourceInfo device = MakeVideoSourceInfo(L"Grabber");
  EXPECT_EQ(list.RecordingCodec(device), nullptr);
  device.useCodec = 1;
  ASSERT_NE(list.RecordingCodec(device), nullptr);
  EXPECT_EQ(list.RecordingCodec(device)->name, L"Lagarith Lossless Codec");
  device.useCodec = 2;
  EXPECT_EQ(list.RecordingCodec(device), nullptr);
}

TEST_F(CodecListTest, WithoutTheCodecEveryRecordingIsUncompressed) {
  catalog.names = {L"Cinepak Codec by Radius"};
  ASSERT_EQ(list.FindCodecs(), kOk);
  EXPECT_EQ(Names(list), std::vector<std::wstring>{L"NONE"});
  VideoSourceInfo device = MakeVideoSourceInfo(L"Grabber");
  device.useCodec = 1;
  EXPECT_EQ(list.RecordingCodec(device), nullptr);
  EXPECT_FALSE(list.LagarithInstalled());
}

TEST_F(CodecListTest, ACompressorWithoutAFilterIsLeftOut) {
  catalog.names = {L"Lagarith Lossless Codec", L"Lagarith Lossless Codec B"};
  catalog.unbindable = {L"Lagarith Lossless Codec"};
  ASSERT_EQ(list.FindCodecs(), kOk);
  EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"NONE", L"Lagarith Lossless Codec B"}));
}

TEST_F(CodecListTest, SearchingAgainReplacesTheListAndGivesBackFilters) {
  catalog.names = {L"Lagarith Lossless Codec"};
  ASSERT_EQ(list.FindCodecs(), kOk);
  ASSERT_EQ(list.FindCodecs(), kOk);
  EXPECT_EQ(list.Entries().size(), 2u);
  EXPECT_EQ(catalog.released, std::vector<FilterRef>{FilterRef{700}});
}

TEST_F(CodecListTest, SearchFailuresLeaveTheNoneEntry) {
  catalog.listing = CodecListing::kNoSystemEnumerator;
  EXPECT_EQ(list.FindCodecs(), kFail);
  EXPECT_EQ(Names(list), std::vector<std::wstring>{L"NONE"});
  EXPECT_TRUE(Posted(log,
                     L"\r\n\r\nERROR -- Unable to create a system device enumerator to search for codecs.  Report this "
                     L"issue.\r\n"));
  const std::wstring noCategory =
      L"\r\n\r\nERROR -- Unable to create a video compressor enumerator to search for codecs.  Report this issue.\r\n";
  catalog.listing = CodecListing::kNoCategory;
  EXPECT_EQ(list.FindCodecs(), kFail);
  EXPECT_TRUE(Posted(log, noCategory));
  catalog.listing = CodecListing::kListed;  // an empty category reads the same
  ScopedMemoryLog emptyLog;
  EXPECT_EQ(list.FindCodecs(), kFail);
  EXPECT_TRUE(Posted(emptyLog, noCategory));
  EXPECT_EQ(Names(list), std::vector<std::wstring>{L"NONE"});
}

}  // namespace
}  // namespace zuna::test

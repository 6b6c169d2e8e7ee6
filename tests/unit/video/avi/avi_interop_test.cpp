// Other tools must read the writer's files, and the parser must read theirs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_header_parser.h"
#include "video/avi_writer/avi_writer.h"

namespace zuna {
namespace {

using test::ScopedMemoryLog;
using test::TempFolder;

bool Have(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// ffprobe's "key=value" lines for the video stream, after reading every packet.
std::map<std::string, std::string> Probe(const TempFolder& folder, const std::filesystem::path& file) {
  const std::filesystem::path out = folder / "probe.txt";
  const std::string command =
      "ffprobe -v error -count_packets -select_streams v:0 -show_entries "
      "stream=codec_name,width,height,pix_fmt,nb_frames,nb_read_packets -of default=nw=1 '" +
      file.string() + "' > '" + out.string() + "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::map<std::string, std::string> values;
  std::istringstream lines(TempFolder::ReadFile(out));
  for (std::string line; std::getline(lines, line);) {
    const auto eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

// The presentation times, in frames, of the packets ffprobe reads.
std::string PacketTimes(const TempFolder& folder, const std::filesystem::path& file) {
  const std::filesystem::path out = folder / "packets.txt";
  const std::string command = "ffprobe -v error -select_streams v:0 -show_entries packet=pts -of csv=p=0 '" +
                              file.string() + "' > '" + out.string() + "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::string times = TempFolder::ReadFile(out);
  std::replace(times.begin(), times.end(), '\n', ' ');
  return times;
}

void WriteRecording(const std::filesystem::path& path, const AviVideoFormat& format, int frames,
                    AviWriterOptions options = {}) {
  AviWriter writer(options);
  ASSERT_EQ(writer.Open(path, format), kOk);
  std::vector<std::uint8_t> frame(format.sizeImage);
  for (int i = 0; i < frames; ++i) {
    if (i == 5 || i == 6) continue;  // lost by the capture chain
    std::fill(frame.begin(), frame.end(), static_cast<std::uint8_t>(i));
    ASSERT_EQ(writer.WriteFrame(frame, std::int64_t{i} * 10000000 * format.scale / format.rate, true), kOk);
  }
  ASSERT_EQ(writer.Close(), kOk);
}

TEST(AviInterop, FfprobeReadsTheWritersFiles) {
  if (!Have("ffprobe")) GTEST_SKIP() << "ffprobe is not installed";
  ScopedMemoryLog log;
  TempFolder folder;
  struct Case {
    AviVideoFormat format;
    std::string pixelFormat;
  };
  for (const Case& c : {Case{AviVideoFormat::Yuy2(64, 48, 30000, 1001), "yuyv422"},
                        Case{AviVideoFormat::Rgb32(40, 30, 25, 1), "bgra"}}) {
    WriteRecording(folder / "rec.avi", c.format, 40);
    auto v = Probe(folder, folder / "rec.avi");
    EXPECT_EQ(v["codec_name"], "rawvideo");
    EXPECT_EQ(v["width"], std::to_string(c.format.width));
    EXPECT_EQ(v["height"], std::to_string(c.format.height));
    EXPECT_EQ(v["pix_fmt"], c.pixelFormat);
    EXPECT_EQ(v["nb_frames"], "40");        // the stream length counts the dropped frames
    EXPECT_EQ(v["nb_read_packets"], "38");  // which carry no picture
    EXPECT_EQ(PacketTimes(folder, folder / "rec.avi").substr(0, 20), "0 1 2 3 4 7 8 9 10 1");  // the gap stays
  }
}

TEST(AviInterop, FfprobeFollowsTheFurtherParts) {
  if (!Have("ffprobe")) GTEST_SKIP() << "ffprobe is not installed";
  ScopedMemoryLog log;
  TempFolder folder;
  AviWriterOptions options;
  options.partBytes = 256 * 1024;
  options.framesPerIndex = 16;
  WriteRecording(folder / "parts.avi", AviVideoFormat::Yuy2(64, 48, 25, 1), 200, options);
  auto v = Probe(folder, folder / "parts.avi");
  EXPECT_EQ(v["nb_frames"], "200");
  EXPECT_EQ(v["nb_read_packets"], "198");
}

TEST(AviInterop, FilesOfFfmpegParseAsAnotherWritersFiles) {
  if (!Have("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  ScopedMemoryLog log;
  TempFolder folder;
  const std::filesystem::path path = folder / "ffmpeg.avi";
  const std::string command =
      "ffmpeg -v error -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 30 -c:v rawvideo "
      "-pix_fmt yuyv422 -y '" +
      path.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  AviFileSource source(path);
  AviHeaderParser p;
  ASSERT_EQ(p.ParseAviHeader(source), kOk) << std::string(log.Text().begin(), log.Text().end());
  EXPECT_FALSE(p.createdByCapture);
  EXPECT_EQ(p.totalFrames, 30u);
  EXPECT_EQ(p.info.keyFrames, L"unknown");
  EXPECT_EQ(p.info.droppedFrames, L"unknown");
  EXPECT_EQ(p.frameIsKey, std::vector<std::uint8_t>(31, 1));
  EXPECT_EQ(p.info.frameSize, L"64 x 48");
  EXPECT_EQ(p.info.frameRate, L"25.00");
}

}  // namespace
}  // namespace zuna

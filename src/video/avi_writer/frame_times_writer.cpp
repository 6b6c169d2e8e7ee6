#include "video/avi_writer/frame_times_writer.h"

#include <cstdio>

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr std::string_view kNoClock = "# no UTC time for the frames that follow: the capture graph has no clock\r\n";

}  // namespace

std::filesystem::path FrameTimesPath(const std::filesystem::path& videoFile) {
  std::filesystem::path path = videoFile;
  return path.replace_extension(".frames.csv");
}

std::string FrameTimesLine(std::uint64_t frame, FileTime utc, bool dropped) {
  // Rounded to 0.1 ms before the calendar is read, so 59.99996 s goes on to the next minute.
  const FileTime tenths = (utc + 500) / 1000;
  const CalendarTime t = ToCalendarTime(tenths * 1000);
  char text[96];
  std::snprintf(text, sizeof text, "%llu,%04d-%02d-%02d %02d:%02d:%02d.%04d,%s\r\n",
                static_cast<unsigned long long>(frame), t.year, t.month, t.day, t.hour, t.minute, t.second,
                static_cast<int>(tenths % 10'000), dropped ? "dropped" : "kept");
  return text;
}

FrameTimesWriter::~FrameTimesWriter() {
  Close();
}

Status FrameTimesWriter::Open(std::unique_ptr<RiffOutput> output, std::uint32_t rate, std::uint32_t scale) {
  Close();
  if (!output) return kPointer;
  if (rate == 0 || scale == 0) return kInvalidArg;
  output_ = std::move(output);
  rate_ = rate;
  scale_ = scale;
  pending_ = std::string(kFrameTimesFileFirstLine) + "\r\n" + std::string(kFrameTimesFileHeader) + "\r\n";
  end_ = slots_ = slotsAtCheckpoint_ = 0;
  failed_ = toldNoClock_ = false;
  fault_ = kOk;
  return Checkpoint(false);
}

void FrameTimesWriter::Add(std::uint64_t dropped, bool kept, FileTime utc) {
  if (!output_ || failed_) return;
  const std::uint64_t count = dropped + (kept ? 1 : 0);
  for (std::uint64_t i = 0; i < count; ++i) {
    // Slot i stands count - 1 - i frame periods before the last; a double holds that to far below 0.1 ms.
    const double offset =
        static_cast<double>(count - 1 - i) * scale_ / rate_ * static_cast<double>(kTicksPerSecond) + 0.5;
    const bool known = utc != kUnknownUtc && offset < static_cast<double>(utc);
    AddLine(known ? utc - static_cast<FileTime>(offset) : kUnknownUtc, i < dropped);
  }
  // One second of stream time, as the AVI file: slots × scale / rate ≥ 1.
  if ((slots_ - slotsAtCheckpoint_) * scale_ >= rate_) Checkpoint(false);
}

void FrameTimesWriter::AddLine(FileTime utc, bool dropped) {
  if (utc == kUnknownUtc) {
    if (!toldNoClock_) pending_ += kNoClock;
    toldNoClock_ = true;
  } else {
    pending_ += FrameTimesLine(slots_, utc, dropped);
  }
  ++slots_;
}

Status FrameTimesWriter::Checkpoint(bool toDisk) {
  if (!output_ || failed_) return kFail;
  if (!pending_.empty()) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pending_.data());
    if (!output_->Write(end_, ByteSpan(bytes, pending_.size()))) return Fail();
    end_ += pending_.size();
    pending_.clear();
  }
  if (!(toDisk ? output_->Sync() : output_->Flush())) return Fail();
  slotsAtCheckpoint_ = slots_;
  return kOk;
}

Status FrameTimesWriter::Close() {
  if (!output_) return kOk;
  const bool ok = Succeeded(Checkpoint(true));
  const bool closed = output_->Close();
  if (!closed && !failed_) {
    PostStampedMessage(Message());
    fault_ = output_->DiskFull() ? kDiskFull : kFail;
  }
  output_.reset();
  return ok && closed ? kOk : kFail;
}

std::wstring FrameTimesWriter::Message() const {
  return WriteFaultMessage(L"cannot write to the frame times file", *output_, L"FrameTimesWriter");
}

Status FrameTimesWriter::Fail() {
  if (!failed_) {
    PostStampedMessage(Message());
    fault_ = output_->DiskFull() ? kDiskFull : kFail;
  }
  failed_ = true;
  pending_.clear();
  return kFail;
}

}  // namespace zuna

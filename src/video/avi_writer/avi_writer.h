#pragma once
// The capture program's AVI writer: one video stream into an OpenDML (AVI 2.0) file that every
// platform writes alike.
//
// The header list holds the main header, the stream list (header, bitmap format and, directly
// after it, the super index) and the OpenDML extended header; directly after it stands the INFO list
// whose IART entry names the capture program. Frames go into "movi" lists with standard index
// chunks; beyond a part size the file continues in "AVIX" parts. Frames missing from the time
// sequence are recorded as zero-length frames whose index size has bit 31 set, and the stream
// length counts every frame, kept and dropped.
//
// A recording cut off at any moment must stay readable: at every checkpoint the indexes and then
// the headers are brought up to date, so a file cut off later reads with every frame up to the last
// checkpoint. WriteFrame checkpoints by itself after each second of stream time; a caller whose
// frames may stop arriving calls Checkpoint() on its own timer, and CheckpointToDisk() to survive a
// power cut too. Not thread-safe: one caller at a time.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "common/foundation/status.h"
#include "video/avi_reader/avi_frame_timeline.h"
#include "video/avi_writer/avi_video_format.h"
#include "video/avi_writer/riff_output.h"

namespace zuna {

struct AviWriterOptions {
  std::uint64_t partBytes = std::uint64_t{1} << 30;  // a RIFF part grows to this size, then the next begins
  std::uint32_t framesPerIndex = 4096;               // entries of one standard index chunk
  std::uint32_t superIndexEntries = 0;               // 0: room for 12 hours at 60 frames per second
};

class AviWriter {
 public:
  static constexpr std::uint32_t kMaxFrameBytes = 512u << 20;
  static constexpr std::uint32_t kMaxFrames = 99'999'999;  // what the playback program can count
  static constexpr std::uint32_t kMaxSuperIndexEntries = 1u << 20;
  static constexpr std::uint32_t kLegacyIndexLimit = 1u << 20;  // frames listed in the AVI 1.0 index

  explicit AviWriter(AviWriterOptions options = {});
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  Status Open(const std::filesystem::path& path, const AviVideoFormat& format);
  Status Open(std::unique_ptr<RiffOutput> output, const AviVideoFormat& format);

  // Appends one frame; uncompressed frames are always key frames. Frames missing before it, by its
  // start time, are recorded first as dropped frames.
  Status WriteFrame(ByteSpan bytes, std::int64_t startTime100ns, bool isKey);

  // Records `count` frames that were received but could not be kept, the last of them starting at
  // `lastStartTime100ns`: one dropped frame each, or one for every slot up to that time when more.
  Status WriteDroppedFrames(std::uint64_t count, std::int64_t lastStartTime100ns);

  Status Checkpoint();
  // A checkpoint whose every step reaches the disk before the next: a power cut keeps it whole.
  Status CheckpointToDisk();

  // Brings everything up to date, adds the AVI 1.0 index of the first part, and closes the file.
  Status Close();

  bool IsOpen() const { return output_ != nullptr; }
  // kOk until a write, a flush or the close fails; then kDiskFull when the disk had no room left,
  // else kFail. It stays until the next Open.
  Status Fault() const { return fault_; }
  std::uint32_t FrameCount() const { return static_cast<std::uint32_t>(slots_); }
  std::uint32_t DroppedFrameCount() const { return static_cast<std::uint32_t>(dropped_); }
  std::uint32_t SuperIndexCapacity() const { return superCapacity_; }
  const AviVideoFormat& Format() const { return format_; }

  // Super index entries for 12 hours at 60 frames per second (or the stream's rate when higher):
  // one per standard index, which fill by frame count and begin again in every part.
  static std::uint32_t DefaultSuperIndexEntries(const AviVideoFormat& format, const AviWriterOptions& options);

 private:
  struct IndexEntry {
    std::uint32_t offset;
    std::uint32_t size;
  };
  struct LegacyEntry {
    std::uint32_t flags;
    std::uint32_t offset;
    std::uint32_t size;
  };
  struct StandardIndex {
    bool active = false;
    std::uint64_t offset = 0;
    std::uint32_t used = 0;     // entries, on disk or pending
    std::uint32_t written = 0;  // entries on disk
    std::uint32_t superSlot = 0;
    std::vector<IndexEntry> pending;
  };

  Status AppendChunk(ByteSpan bytes, bool key);
  Status MakeRoom(std::uint64_t chunkBytes);
  Status StartIndex();
  Status CommitIndex();
  Status CommitHeaders();
  Status Spill();
  Status WriteLegacyIndex();
  Status CheckpointWith(bool toDisk);
  Status FlushAll(bool toDisk = false);
  bool Put(std::uint64_t offset, ByteSpan bytes);
  bool Put32(std::uint64_t offset, std::uint32_t value);
  bool Put64(std::uint64_t offset, std::uint64_t value);
  Status Fail();
  void NoteFault();
  std::uint32_t IndexChunkBytes() const;
  void ResetState();

  AviWriterOptions options_;
  std::unique_ptr<RiffOutput> output_;
  AviVideoFormat format_;
  AviFrameTimeline timeline_{0, 0};
  bool failed_ = false;    // no more appends
  bool reported_ = false;  // the user was told
  Status fault_ = kOk;
  bool indexFull_ = false;

  std::uint64_t superOffset_ = 0;
  std::uint32_t superCapacity_ = 0;
  std::uint32_t superUsed_ = 0;  // entries in use on disk
  std::uint32_t superNext_ = 0;  // entries given to standard indexes
  std::uint64_t dmlhOffset_ = 0;

  std::uint64_t end_ = 0;
  std::uint64_t partStart_ = 0;
  std::uint64_t partMovi_ = 0;
  bool firstPart_ = true;
  std::uint32_t partChunks_ = 0;
  std::uint32_t firstPartFrames_ = 0;
  StandardIndex index_;
  std::vector<LegacyEntry> legacy_;
  bool legacyComplete_ = true;  // every frame of the first part is listed
  bool legacyWritten_ = false;
  std::uint64_t legacyOffset_ = 0;  // "idx1", where the first part's "movi" list ends

  std::uint64_t slots_ = 0;
  std::uint64_t dropped_ = 0;
  std::uint64_t slotsAtCheckpoint_ = 0;
  std::uint32_t largestChunk_ = 0;
};

}  // namespace zuna

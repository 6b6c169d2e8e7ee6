#include "playback/control/frame_number_line.h"

namespace zuna {
namespace {

std::wstring Blanks(std::size_t count) {
  return std::wstring(count, L' ');
}

}  // namespace

std::wstring FrameNumberLineText(const FrameNumberLineFacts& facts) {
  if (!facts.fileOpen) return L"";
  if (facts.displayed == facts.lastFrame) {
    return Blanks(facts.fileHasDroppedFrames ? 51 : 35) + L"Frame Number: EOF";
  }
  const std::wstring number = std::to_wstring(facts.displayed);
  if (!facts.fileHasDroppedFrames) return Blanks(35) + L"Frame Number:  " + number;
  if (!facts.droppedFramesControl) return Blanks(31) + L"Key Frame Number:  " + number;
  if (facts.isKey) return Blanks(49) + L"Key Frame Number:  " + number;
  return Blanks(49) + L"Dropped Frame Number:  " + number;
}

}  // namespace zuna

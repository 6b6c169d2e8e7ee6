#include "common/display_tools/magnify_controller.h"

#include <cstdint>

#include "common/foundation/zuna_common.h"
#include "common/options/common_option_keys.h"

namespace zuna {

DisplaySize MagnifiedSize(int w, int h, int choice) {
  switch (choice) {
    case 0:
      return {w / 4, h / 4};
    case 1:
      return {w / 2, h / 2};
    case 2:
      return {w * 3 / 4, h * 3 / 4};
    case 4:
      return {w + w / 2, h + h / 2};
    case 5:
      return {2 * w, 2 * h};
    default:
      return {w, h};
  }
}

int MagnifyChoiceForDisplay(int width, int height, int displayWidth, int displayHeight) {
  for (int choice = 0; choice < kMagnifyChoices; ++choice) {
    if (MagnifiedSize(width, height, choice) == DisplaySize{displayWidth, displayHeight}) return choice;
  }
  return kMagnifyNone;
}

std::array<bool, kMagnifyChoices> MagnifyChoicesAllowed(int w, int h, int screenWidth, int screenHeight, int extraWidth,
                                                        int extraHeight) {
  std::array<bool, kMagnifyChoices> allowed{true, true, true, true, true, true};
  if (w <= 0 || h <= 0) return allowed;
  if (w <= 1000) allowed[0] = false;
  const int roomW = screenWidth - extraWidth;
  const int roomH = screenHeight - extraHeight;
  const bool heightDecides = static_cast<double>(roomW) / w > static_cast<double>(roomH) / h;
  const int room = heightDecides ? roomH : roomW;
  const int size = heightDecides ? h : w;
  if (room < 2 * size) allowed[5] = false;
  if (room < size + size / 2) allowed[4] = false;
  if (room < size) allowed[3] = false;
  if (room < size * 3 / 4) allowed[2] = false;
  if (room < size / 2) allowed[1] = false;
  return allowed;
}

int ReducedMagnifyChoice(int w, int h, int roomWidth, int roomHeight) {
  if (w <= 0 || h <= 0 || (w <= roomWidth && h <= roomHeight)) return kMagnifyNone;
  // roomWidth / w against roomHeight / h, without dividing.
  const bool widthDecides = std::int64_t{roomWidth} * h < std::int64_t{roomHeight} * w;
  const std::int64_t room = widthDecides ? roomWidth : roomHeight;
  const std::int64_t size = widthDecides ? w : h;
  if (4 * room >= 3 * size) return 2;
  if (2 * room >= size) return 1;
  if (4 * room >= size) return 0;
  return kMagnifyNone;
}

MagnifyController::MagnifyController(ZunaCommon& common, WindowView& view, std::function<MagnifyRoom()> room)
    : DisplayToolController(common, view, kToolMagnify), room_(std::move(room)) {}

void MagnifyController::Initialize() {
  for (int choice = 0; choice < kMagnifyChoices; ++choice) {
    view_.SetText(choice, kMagnifyTexts[static_cast<std::size_t>(choice)]);
    view_.Check(choice, choice == common_.State().geometry.MagnifyChoice());
  }
}

void MagnifyController::Shown() {
  const int chosen = common_.State().geometry.MagnifyChoice();
  for (int choice = 0; choice < kMagnifyChoices; ++choice) view_.Check(choice, choice == chosen);
  ApplyClamp();
}

void MagnifyController::ApplyClamp() {
  for (int choice = 0; choice < kMagnifyChoices; ++choice) view_.Enable(choice, true);
  if (common_.Options().Boolean(kDisableMagnifyClampKey)) return;
  const CommonState& state = common_.State();
  const MagnifyRoom room = room_ ? room_() : MagnifyRoom{};
  const VideoSize video = state.geometry.Video();
  const auto allowed = MagnifyChoicesAllowed(video.width, video.height, room.screenWidth, room.screenHeight,
                                             room.extraWidth, room.extraHeight);
  for (int choice = 0; choice < kMagnifyChoices; ++choice) {
    if (!allowed[static_cast<std::size_t>(choice)]) view_.Enable(choice, false);
  }
}

void MagnifyController::OnChoice(int choice) {
  if (choice < 0 || choice >= kMagnifyChoices) return;
  CommonState& state = common_.State();
  for (int other = 0; other < kMagnifyChoices; ++other) view_.Check(other, other == choice);
  // Without a video (a playback program with no file open) there is nothing to size.
  if (!state.geometry.HasVideo()) {
    state.geometry.NameMagnifyChoice(choice);
    return;
  }
  const VideoSize video = state.geometry.Video();
  const DisplaySize size = MagnifiedSize(video.width, video.height, choice);
  state.geometry.Magnify(choice, {size.width, size.height});
  state.magnifyChangeInProgress = true;
  common_.VideoSizeChanged();
  state.magnifyChangeInProgress = false;
}

}  // namespace zuna

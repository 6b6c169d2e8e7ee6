#pragma once
// The "Codec Selector" window: the codec the current device records with, chosen from the codec
// list; the choice acts on the next recording and, with the check box, is saved for the device.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/devices/video_source_info.h"
#include "capture/options/capture_option_nodes.h"
#include "capture/options/options_dialog.h"

namespace zuna {

enum CodecSelectorControl {
  kCodecDeviceText = 511,
  kCodecList,
  kSaveSelectionBox,
  kCodecOkButton,
  kCodecCloseButton,
};

inline constexpr std::wstring_view kCodecSavedMessage = L"Codec selection saved in capture options file\r\n";
inline constexpr std::wstring_view kInvalidCodecMessage = L"Selected codec index is not valid\r\n";

struct CodecSelectorParts {
  CaptureOptionNodes& nodes;
  std::function<VideoSourceInfo*()> currentDevice;  // null without one
  std::function<std::vector<std::wstring>()> codecNames;
};

class CodecSelectorController final : public OptionsDialog {
 public:
  CodecSelectorController(OptionsDialogParts parts, CodecSelectorParts codecs)
      : OptionsDialog(std::move(parts)), c_(std::move(codecs)) {}

  void OnSelectionChanged();
  void OnSaveBoxClicked();
  void OnOk();

 private:
  void Fill() override;
  // The selected row when it names a codec; otherwise posts the message and closes.
  std::optional<int> ValidSelection();
  std::optional<int> SavedChoice(const VideoSourceInfo& device) const;

  CodecSelectorParts c_;
  bool filling_ = false;  // the list's own notices while it is filled are no choice
};

}  // namespace zuna

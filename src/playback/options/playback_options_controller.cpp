#include "playback/options/playback_options_controller.h"

namespace zuna {
namespace {

constexpr const wchar_t* kKeys[] = {L"DateTimeAtEnd", L"DisableMagnifyClamp"};
constexpr int kBoxes[] = {PlaybackOptionsController::kDateTimeAtEnd, PlaybackOptionsController::kDisableMagnifyClamp};

}  // namespace

PlaybackOptionsController::PlaybackOptionsController(ZunaCommon& common, WindowView& view, Hooks hooks)
    : ToggledWindow(view), common_(common), view_(view), hooks_(std::move(hooks)) {
  SetMenuCheck(hooks_.checkMenuItem);
}

void PlaybackOptionsController::Initialize() {
  view_.SetText(kDateTimeAtEnd, L" Date/time at end of log file name");
  view_.SetText(kDisableMagnifyClamp, L" Disable Maximum Magnify Restrictions");
  view_.SetText(kSave, L"Save");
  view_.SetText(kCancel, L"Cancel");
  view_.Enable(kSave, false);
}

void PlaybackOptionsController::Open() {
  for (int i = 0; i < 2; ++i) view_.Check(kBoxes[i], common_.Options().Boolean(kKeys[i]));
  view_.Enable(kSave, false);
  ShowOpened();
}

void PlaybackOptionsController::OnBoxClicked() {
  bool differs = false;
  for (int i = 0; i < 2; ++i) {
    BooleanOption* option = common_.Options().FindBoolean(kKeys[i]);
    if (option == nullptr) continue;
    option->saveValue = view_.IsChecked(kBoxes[i]);
    if (option->saveValue != option->value) {
      differs = true;
      if (i == 1) magnifyRuleChanged_ = true;
    }
  }
  view_.Enable(kSave, differs);
}

void PlaybackOptionsController::OnSave() {
  for (const wchar_t* key : kKeys) {
    if (BooleanOption* option = common_.Options().FindBoolean(key)) option->readFromFile = false;
  }
  common_.SaveOptionsFile();  // a failure is posted by the program; the values still take effect
  for (const wchar_t* key : kKeys) {
    if (BooleanOption* option = common_.Options().FindBoolean(key)) option->value = option->saveValue;
  }
  PostStampedMessage(L"Miscellaneous option values saved in playback options file\r\n");
  if (magnifyRuleChanged_ && hooks_.closeMagnify) hooks_.closeMagnify();
  HideClosed();
}

void PlaybackOptionsController::OnCancel() {
  for (const wchar_t* key : kKeys) {
    if (BooleanOption* option = common_.Options().FindBoolean(key)) option->saveValue = option->value;
  }
  HideClosed();
}

}  // namespace zuna

#pragma once
// An options dialog over a fake window, the capture program's keys and a save that can fail.
#include <gtest/gtest.h>

#include <string>

#include "capture/options/capture_option_keys.h"
#include "capture/options/options_dialog.h"
#include "common/options/common_option_keys.h"
#include "support/fake_window_view.h"
#include "support/memory_log.h"

namespace zuna::test {

class OptionsDialogFixture : public ::testing::Test {
 protected:
  OptionsDialogFixture() {
    for (auto key : kCaptureBooleanKeys) options.RegisterBoolean(key);
    for (auto key : kCaptureTextKeys) options.RegisterText(key);
    options.RegisterBoolean(kDateTimeAtEndKey);
    options.RegisterBoolean(kDisableMagnifyClampKey);
  }

  OptionsDialogParts Parts() {
    return {view, options, [this] {
              ++saves;
              return saveWorks;
            }};
  }

  bool SaveValue(std::wstring_view key) const { return options.FindBoolean(key)->saveValue; }
  std::wstring TextToSave(std::wstring_view key) const { return options.FindText(key)->saveValue; }
  int Count(std::wstring_view text) const {
    int n = 0;
    for (auto at = log.Text().find(text); at != std::wstring::npos; at = log.Text().find(text, at + 1)) ++n;
    return n;
  }

  ScopedMemoryLog log;
  FakeWindowView view;
  OptionTables options;
  int saves = 0;
  bool saveWorks = true;
  bool menuChecked = false;
};

}  // namespace zuna::test

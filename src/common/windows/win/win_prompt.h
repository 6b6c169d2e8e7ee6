#pragma once
// Prompt on the system's message box.
#include <windows.h>

#include "common/windows/prompt.h"

namespace zuna {

class WinPrompt final : public Prompt {
 public:
  explicit WinPrompt(HWND owner = nullptr) : owner_(owner) {}
  bool AskYesNo(std::wstring_view text, std::wstring_view title) override;

 private:
  HWND owner_;
};

}  // namespace zuna

#include "common/windows/win/win_prompt.h"

#include <string>

namespace zuna {

bool WinPrompt::AskYesNo(std::wstring_view text, std::wstring_view title) {
  const std::wstring body(text);
  const std::wstring caption(title);
  return MessageBoxW(owner_, body.c_str(), caption.c_str(), MB_ICONINFORMATION | MB_YESNO) == IDYES;
}

}  // namespace zuna

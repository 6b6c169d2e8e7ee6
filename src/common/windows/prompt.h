#pragma once
// The yes/no questions the programs ask in message boxes. Tests script the answers.
#include <string_view>

namespace zuna {

class Prompt {
 public:
  virtual ~Prompt() = default;
  // An information box with Yes and No; true for Yes.
  virtual bool AskYesNo(std::wstring_view text, std::wstring_view title) = 0;
};

}  // namespace zuna

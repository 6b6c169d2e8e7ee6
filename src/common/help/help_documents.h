#pragma once
#include <string>

#include "common/foundation/common_state.h"

namespace zuna {

inline constexpr int kHelpDocumentCount = 22;

// The title of help document `id` (0..21), or empty.
std::wstring HelpDocumentTitle(int id);

// The whole document: the title centred by leading blanks, an overview and, for dialogs, the
// numbered list of their buttons. Document 1 differs between the programs. Empty for other ids.
std::wstring HelpDocumentText(int id, ProgramKind program);

}  // namespace zuna

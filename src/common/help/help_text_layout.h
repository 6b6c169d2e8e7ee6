#pragma once
// How a help document's source text becomes what its window shows: the title centred, paragraphs
// wrapped to the window's line, numbered items indented under their number.
#include <string>
#include <string_view>

#include "common/foundation/common_state.h"

namespace zuna {

// Characters of a line in the help window (800 pixels wide, Courier New 13.5 points, 12-pixel
// margins and the scroll bar).
inline constexpr std::size_t kHelpLineWidth = 64;

// The source: the title on the first line, then paragraphs of one line each, blank lines between
// them. A paragraph beginning "@capture " or "@playback " belongs to that program's variant only.
// Lines end in CR LF.
std::wstring LayOutHelpText(std::wstring_view source, ProgramKind program, std::size_t width = kHelpLineWidth);

// One paragraph broken at blanks into lines of at most `width` characters (a longer word stands
// alone); continuation lines start with `indent` blanks.
std::wstring WrapParagraph(std::wstring_view paragraph, std::size_t width, std::size_t indent);

}  // namespace zuna

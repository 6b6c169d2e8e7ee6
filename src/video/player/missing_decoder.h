#pragma once
// What the user is told when a file's video cannot be shown because no decoder for its compression
// is installed: the four-character code and what to install, in one line.
#include <optional>
#include <string>

#include "video/player/media_graph_types.h"

namespace zuna {

// The line for a stream of that subtype, or none when the subtype is not a four-character code
// (the failure then has another cause).
std::optional<std::wstring> MissingDecoderText(const MediaGuid& subtype);

}  // namespace zuna

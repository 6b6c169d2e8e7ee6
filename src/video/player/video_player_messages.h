#pragma once
// Posting helpers shared by the video player's source files.
#include "common/log/user_messages_log.h"

namespace zuna::player_detail {

// Posts with a time stamp, as every report of the filter-graph layer does unless said otherwise.
inline void Report(const wchar_t* text) {
  PostStampedMessage(text);
}

// Posts and fails: most checks of the layer end this way.
inline Status Fail(const wchar_t* text) {
  Report(text);
  return kFail;
}

}  // namespace zuna::player_detail

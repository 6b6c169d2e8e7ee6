#pragma once
// Names of event files and the name suffix that event files and event recordings share.
// Main thread only: the suffix is one process-wide text.
#include <string>
#include <string_view>

#include "common/time/file_time.h"

namespace zuna {

// Longest parts that enter the suffix: asteroid name, star name, global prefix.
inline constexpr std::size_t kMaxSuffixNameLength = 20;
inline constexpr std::size_t kMaxSuffixGlobalLength = 12;

// Builds `nameSuffix` from the texts that are not empty, joined by "_", with "_" in front when
// `dateTimeAtEnd` is off and behind when it is on; empty when all three are empty. Each part is cut
// at its capacity and loses the characters that cannot stand in a file name.
const std::wstring& BuildNameSuffix(std::wstring_view first, std::wstring_view second, std::wstring_view third,
                                    bool dateTimeAtEnd);

// The result of the last BuildNameSuffix call; empty before the first.
const std::wstring& nameSuffix();

// "yyyy_mm_dd_hh_mm_ss" + nameSuffix + ".ief", or with `dateTimeAtEnd`
// nameSuffix + "mm_dd_yyyy_hh_mm_ss" + ".ief".
std::wstring BuildEventFileName(const CalendarTime& eventTime, bool dateTimeAtEnd);

}  // namespace zuna

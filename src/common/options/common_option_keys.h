#pragma once
// The option keys that the common foundation registers in both programs.
#include <string>
#include <string_view>

#include "common/options/option_tables.h"

namespace zuna {

inline constexpr std::wstring_view kPixelSaturationValueKey = L"PixelSaturationValue";
inline constexpr std::wstring_view kDateTimeAtEndKey = L"DateTimeAtEnd";
inline constexpr std::wstring_view kDisableMagnifyClampKey = L"DisableMagnifyClamp";
// The program's own window renderer shows the video, never the Enhanced Video Renderer.
inline constexpr std::wstring_view kUseWindowRendererKey = L"UseWindowRenderer";

// Registers the common text and boolean keys; a key already registered is kept as it is. False
// when a table refused one.
bool RegisterCommonOptions(OptionTables& options);

// The saturation threshold that "PixelSaturationValue" gives: its decimal value when it lies in
// 0..255, else 255 (empty, -1, or text that is no threshold at all).
int PixelSaturationLevel(const OptionTables& options);

}  // namespace zuna

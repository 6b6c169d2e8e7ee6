#pragma once
// Shows a capture tool window where the user last put it, or where the options file placed it.
#include <windows.h>

namespace zuna {

class ZunaCommon;

void MoveToSavedPlace(ZunaCommon& common, HWND window);

}  // namespace zuna

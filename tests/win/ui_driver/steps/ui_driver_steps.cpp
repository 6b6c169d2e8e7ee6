#include "ui_driver_steps.h"

#include <array>
#include <limits>

namespace ui_driver {
namespace {

constexpr size_t kAny = std::numeric_limits<size_t>::max();

constexpr std::array kSteps{
    StepKind{L"workdir", 1, 1, L"workdir <folder>", RunWorkdir},
    StepKind{L"start", 1, kAny, L"start <exe> [args...]", RunStart},
    StepKind{L"use", 1, 1, L"use <process number>", RunUse},
    StepKind{L"wait-exit", 1, 2, L"wait-exit <code> [timeout]", RunWaitExit},
    StepKind{L"kill", 0, 0, L"kill", RunKill},
    StepKind{L"sleep", 1, 1, L"sleep <milliseconds>", RunSleep},
    StepKind{L"wait-window", 2, 3, L"wait-window class|title <text> [timeout]", RunWaitWindow},
    StepKind{L"no-window", 2, 3, L"no-window class|title <text> [seconds]", RunNoWindow},
    StepKind{L"expect-visible", 2, 3, L"expect-visible <title> yes|no [timeout]", RunExpectVisible},
    StepKind{L"close", 1, 2, L"close <title> [timeout]", RunClose},
    StepKind{L"window-move", 3, 3, L"window-move <title> <x> <y>", RunWindowMove},
    StepKind{L"answer", 1, 2, L"answer yes|no|ok|cancel [timeout]", RunAnswer},
    StepKind{L"drag", 3, 4, L"drag <title> <left> <top> [timeout]", RunDrag},
    StepKind{L"window-at", 3, 4, L"window-at <title> <left> <top> [timeout]", RunWindowAt},
    StepKind{L"window-clear", 1, 3, L"window-clear <title> [<other title>] [timeout]", RunWindowClear},
    StepKind{L"window-beside", 2, 3, L"window-beside <title> <other title> [timeout]", RunWindowBeside},
    StepKind{L"arrow-key", 2, 3, L"arrow-key <title> up|down|left|right [timeout]", RunArrowKey},
    StepKind{L"shown-document", 2, 3, L"shown-document <title> <beginning>|none [timeout]", RunShownDocument},
    StepKind{L"click", 2, 3, L"click <title> <button text> [timeout]", RunClick},
    StepKind{L"check", 3, 4, L"check <title> <check box text> on|off [timeout]", RunCheck},
    StepKind{L"radio", 2, 3, L"radio <title> <radio button text> [timeout]", RunRadio},
    StepKind{L"fill", 3, 4, L"fill <title> <label> <text> [timeout]", RunFill},
    StepKind{L"type", 3, 4, L"type <title> <label> <text> [timeout]", RunType},
    StepKind{L"key", 3, 4, L"key <title> <text-or-label> tab|enter|escape [timeout]", RunKey},
    StepKind{L"focus", 2, 3, L"focus <title> <text-or-label> [timeout]", RunFocus},
    StepKind{L"pick", 3, 4, L"pick <title> <list label> <item text> [timeout]", RunPick},
    StepKind{L"control", 4, 5, L"control <title> <text-or-label> text|enabled|checked|visible <expected> [timeout]",
             RunControl},
    StepKind{L"log-save", 1, 1, L"log-save <file>", RunLogSave},
    StepKind{L"log-contains", 1, 2, L"log-contains <text> [timeout]", RunLogContains},
    StepKind{L"log-not-contains", 1, 2, L"log-not-contains <text> [timeout]", RunLogNotContains},
    StepKind{L"menu", 1, 2, L"menu <path> [timeout]", RunMenu},
    StepKind{L"menu-state", 2, 4, L"menu-state <path> enabled|disabled [checked|unchecked] [timeout]", RunMenuState},
    StepKind{L"menu-list", 1, 2, L"menu-list <file> [<expected file>]", RunMenuList},
    StepKind{L"media-report", 1, 3, L"media-report <file> [<text> [timeout]]", RunMediaReport},
    StepKind{L"file-exists", 1, 2, L"file-exists <path or pattern> [yes|no]", RunFileExists},
    StepKind{L"command", 2, 2, L"command <title> <identifier>", RunCommand},
    StepKind{L"shows-text", 2, 3, L"shows-text <title> <text> [timeout]", RunShowsText},
    StepKind{L"write-file", 2, 2, L"write-file <path> <text>", RunWriteFile},
    StepKind{L"file-contains", 2, 3, L"file-contains <path> <text> [yes|no]", RunFileContains},
    StepKind{L"file-version", 2, 2, L"file-version <path> <version>", RunFileVersion},
    StepKind{L"file-dialog", 2, 3, L"file-dialog <title> <path>|cancel [timeout]", RunFileDialog},
    StepKind{L"folder-dialog", 1, 2, L"folder-dialog <path>|cancel [timeout]", RunFolderDialog},
    StepKind{L"write-avi", 3, 5, L"write-avi <path> rgb32|yuy2|nv12 <frames> [dropped frames, e.g. 5,6] [WxH]",
             RunWriteAvi},
    StepKind{L"pixels", 2, 5,
             L"pixels <title> shows|size <W>x<H>|save <file>|differs <file>|colour <r,g,b> <count> [timeout]",
             RunPixels},
    StepKind{L"write-event", 3, 4,
             L"write-event <path> <seconds from now> <duration seconds> [none|hibernate|shutdown]", RunWriteEvent},
    StepKind{L"avi-frames", 2, 9,
             L"avi-frames <path or pattern> <minimum frames> [log] [frame-times] [tagged] [all-key] [codec=CODE] "
             L"[rate=R] [seconds=S] [drop-every=N]",
             RunAviFrames},
    StepKind{L"datetime", 3, 4, L"datetime <title> <label> now|now+N|now-N|yyyy-mm-ddThh:mm:ss [timeout]", RunDateTime},
    StepKind{L"list-select", 2, 4, L"list-select <title> [<list label>] <row> [timeout]", RunListSelect},
    StepKind{L"list-cell", 4, 6, L"list-cell <title> [<list label>] <row> <column> <text> [timeout]", RunListCell},
    StepKind{L"picture", 4, 5, L"picture <title> <window class> <reference.bmp> <tolerance> [timeout]", RunPicture},
    StepKind{L"slider", 3, 4, L"slider <title> position|maximum|move <number> [timeout]", RunSlider},
    StepKind{L"click-at", 4, 5, L"click-at <title> <window class> <x> <y> [timeout]", RunClickAt},
    StepKind{L"line-time", 4, 5, L"line-time <title> <line beginning> <hh:mm:ss.fff> <tolerance ms> [timeout]",
             RunLineTime},
    StepKind{L"same-line", 3, 3, L"same-line <title> <line beginning> <file>", RunSameLine},
    StepKind{L"wait-utc", 1, 2, L"wait-utc <hh:mm:ss.fff> [seconds after]", RunWaitUtc},
};

}  // namespace

const StepKind* FindStep(std::wstring_view name) {
  for (const auto& step : kSteps) {
    if (step.name == name) return &step;
  }
  return nullptr;
}

}  // namespace ui_driver

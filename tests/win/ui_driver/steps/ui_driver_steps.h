#pragma once
// The steps a scenario line can name. Each step reports what it saw in one line of text.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "../ui_driver_session.h"

namespace ui_driver {

struct StepResult {
  bool passed = false;
  std::wstring text;
};

inline StepResult Passed(std::wstring text) {
  return {true, std::move(text)};
}
inline StepResult Failed(std::wstring text) {
  return {false, std::move(text)};
}

using Args = std::vector<std::wstring>;  // the words after the step name
using StepFunction = StepResult (*)(Session& session, const Args& args);

struct StepKind {
  std::wstring_view name;
  size_t min_args;
  size_t max_args;
  std::wstring_view usage;
  StepFunction run;
};

// The step called name, or nullptr.
const StepKind* FindStep(std::wstring_view name);

// Files and raw commands: ui_driver_steps_files.cpp
StepResult RunFileExists(Session& session, const Args& args);
StepResult RunCommand(Session& session, const Args& args);
StepResult RunShowsText(Session& session, const Args& args);
StepResult RunWriteFile(Session& session, const Args& args);
StepResult RunFileContains(Session& session, const Args& args);
StepResult RunFileVersion(Session& session, const Args& args);

// Processes: ui_driver_steps_process.cpp
StepResult RunWorkdir(Session& session, const Args& args);
StepResult RunStart(Session& session, const Args& args);
StepResult RunUse(Session& session, const Args& args);
StepResult RunWaitExit(Session& session, const Args& args);
StepResult RunKill(Session& session, const Args& args);
StepResult RunSleep(Session& session, const Args& args);

// Top-level windows and message boxes: ui_driver_steps_window.cpp
StepResult RunWaitWindow(Session& session, const Args& args);
StepResult RunNoWindow(Session& session, const Args& args);
StepResult RunExpectVisible(Session& session, const Args& args);
StepResult RunClose(Session& session, const Args& args);
StepResult RunWindowMove(Session& session, const Args& args);
StepResult RunAnswer(Session& session, const Args& args);
StepResult RunDrag(Session& session, const Args& args);
StepResult RunWindowAt(Session& session, const Args& args);
StepResult RunWindowClear(Session& session, const Args& args);
StepResult RunWindowBeside(Session& session, const Args& args);
StepResult RunShownDocument(Session& session, const Args& args);
StepResult RunArrowKey(Session& session, const Args& args);

// Controls inside a window: ui_driver_steps_controls.cpp
StepResult RunClick(Session& session, const Args& args);
StepResult RunCheck(Session& session, const Args& args);
StepResult RunRadio(Session& session, const Args& args);
StepResult RunFill(Session& session, const Args& args);
StepResult RunType(Session& session, const Args& args);
StepResult RunKey(Session& session, const Args& args);
StepResult RunFocus(Session& session, const Args& args);
StepResult RunPick(Session& session, const Args& args);
StepResult RunControl(Session& session, const Args& args);

// The User Messages log: ui_driver_steps_log.cpp
StepResult RunLogSave(Session& session, const Args& args);
StepResult RunLogContains(Session& session, const Args& args);
StepResult RunLogNotContains(Session& session, const Args& args);

// The file-open dialog: ui_driver_steps_dialog.cpp
StepResult RunFileDialog(Session& session, const Args& args);
StepResult RunFolderDialog(Session& session, const Args& args);

// Test AVI files: ui_driver_steps_avi.cpp
StepResult RunWriteAvi(Session& session, const Args& args);
StepResult RunAviFrames(Session& session, const Args& args);
StepResult RunWriteEvent(Session& session, const Args& args);

// Date-time pickers and report lists: ui_driver_steps_pickers.cpp
StepResult RunDateTime(Session& session, const Args& args);
StepResult RunListSelect(Session& session, const Args& args);
StepResult RunListCell(Session& session, const Args& args);

// The picture in a window: ui_driver_steps_picture.cpp
StepResult RunPicture(Session& session, const Args& args);

// Sliders: ui_driver_steps_slider.cpp
StepResult RunSlider(Session& session, const Args& args);

// Result lines, points and UTC times: ui_driver_steps_results.cpp
StepResult RunClickAt(Session& session, const Args& args);
StepResult RunLineTime(Session& session, const Args& args);
StepResult RunSameLine(Session& session, const Args& args);
StepResult RunWaitUtc(Session& session, const Args& args);

// What a window's client area shows on the screen: ui_driver_steps_pixels.cpp
StepResult RunPixels(Session& session, const Args& args);

// Menus through the automation agent: ui_driver_steps_menu.cpp
StepResult RunMenu(Session& session, const Args& args);
StepResult RunMenuState(Session& session, const Args& args);
StepResult RunMenuList(Session& session, const Args& args);
StepResult RunMediaReport(Session& session, const Args& args);

}  // namespace ui_driver

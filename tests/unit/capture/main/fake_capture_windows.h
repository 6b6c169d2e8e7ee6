#pragma once
// The capture program's main window and other windows as a test sees them.
#include <string>
#include <vector>

#include "capture/main/capture_program.h"
#include "capture/recording/fake_recording_host.h"

namespace zuna::test {

class FakeCaptureMainView final : public CaptureMainView {
 public:
  bool CreateMainWindow() override { return created; }
  void ApplyMenu(const MenuModel& applied) override {
    menu = applied;
    ++menuApplied;
  }
  DisplaySize VideoRoom() const override { return room; }
  void SizeVideoSurface() override {}
  void FitToDisplay() override { ++fits; }
  void PlaceMainWindow() override {}
  void ShowMainWindow() override { shown = true; }
  bool ConfirmExitWhileRecording() override {
    ++exitQuestions;
    return exitAnswer;
  }
  void WakeMessageLoop() override { ++wakes; }

  bool created = true;
  MenuModel menu;  // as the user sees it
  int menuApplied = 0;
  DisplaySize room{1366, 700};
  int fits = 0;
  bool shown = false;
  int exitQuestions = 0;
  bool exitAnswer = false;
  int wakes = 0;
};

class FakeCaptureWindows final : public CaptureWindows {
 public:
  FakeCaptureWindows(CaptureProgram*& program, CommonState& common) : program_(program), common_(common) {}

  void CreateDisplayTools() override {}
  bool CreateCaptureModeWindows() override { return true; }
  bool CreateRecordControls() override { return true; }
  void RegisterWindowPositions() override {}
  void CreateStandByNotice() override {}
  void StartScheduleWindows(const std::wstring& folder) override { eventsFolder = folder; }
  RecordingHost& RecordingWindows() override { return host; }

  CaptureWindowsState State() const override { return state; }
  void ShowRecordControls(bool shown) override { recordControlsShown = shown; }
  void SpaceRecordButtons(bool spaced) override { recordButtonsSpaced = spaced; }
  void SetRecordButtons(bool, bool) override {}
  void EnableDeviceWindows(bool enabled) override { deviceWindowsEnabled = enabled; }

  // A tool's window switches its tool and calls the program back, as the display tool windows do.
  void ToggleDisplayTool(int tool) override {
    state.toolOpen[tool] = !state.toolOpen[tool];
    common_.displayToolOn[static_cast<std::size_t>(tool)] = state.toolOpen[tool];
    program_->OnDisplayToolChanged(tool, state.toolOpen[tool]);
  }
  void CloseDisplayTool(int tool) override {
    if (state.toolOpen[tool]) ToggleDisplayTool(tool);
  }
  bool Magnify(int choice) override {
    if (!state.toolExists[kToolMagnify]) return false;
    magnified.push_back(choice);
    return true;
  }
  void ToggleGps() override { ++gpsToggles; }
  bool ToggleMenuWindow(unsigned id) override {
    toggled.push_back(id);
    return true;
  }
  void ToggleDeviceSelection() override { state.deviceSelectionOpen = !state.deviceSelectionOpen; }
  void CancelDeviceSelection() override {
    if (state.deviceSelectionOpen) cancels.push_back(L"device selection");
    state.deviceSelectionOpen = false;
  }
  void ToggleDeviceProperties() override { state.devicePropertiesOpen = !state.devicePropertiesOpen; }
  void ToggleHelp(HelpPage page) override { helpPages.push_back(HelpNumber(page)); }

  CaptureWindowsState state;
  FakeRecordingHost host;
  std::wstring eventsFolder;
  bool recordControlsShown = false;
  bool recordButtonsSpaced = false;
  bool deviceWindowsEnabled = true;
  std::vector<int> magnified;
  int gpsToggles = 0;
  std::vector<unsigned> toggled;
  std::vector<std::wstring> cancels;
  std::vector<int> helpPages;

 private:
  CaptureProgram*& program_;
  CommonState& common_;
};

}  // namespace zuna::test

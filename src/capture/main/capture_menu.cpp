#include "capture/main/capture_menu.h"

namespace zuna {

CaptureMenuIds TakeCaptureMenuIds(const std::function<unsigned()>& next) {
  CaptureMenuIds ids{};
  unsigned* fields[] = {&ids.selectVideoDevice,
                        &ids.videoDeviceProperties,
                        &ids.fileOptions,
                        &ids.durationDefault,
                        &ids.codec,
                        &ids.eventPending,
                        &ids.performance,
                        &ids.miscellaneous,
                        &ids.timeLapseOptions,
                        &ids.gpsReceiver,
                        &ids.saveWindowPositions,
                        &ids.exit,
                        &ids.schedule,
                        &ids.editAndDelete,
                        &ids.importXmlEvents,
                        &ids.brightnessContrast,
                        &ids.pixelSaturation,
                        &ids.magnify,
                        &ids.crosshairs,
                        &ids.captureOverview,
                        &ids.captureVersionHistory};
  for (unsigned* field : fields) *field = next();
  return ids;
}

MenuModel BuildCaptureMenu(const CaptureMenuIds& ids, const CaptureMenuState& s) {
  MenuModel menu;
  MenuItem& file = menu.AddPopup(L"File");
  MenuModel::AddItem(file, L"Exit", ids.exit);

  MenuItem& events = menu.AddPopup(L"Events");
  MenuModel::AddItem(events, L"Schedule...", ids.schedule).enabled = s.eventWindows;
  MenuModel::AddItem(events, L"Edit and Delete...", ids.editAndDelete).enabled = s.eventWindows;
  MenuModel::AddItem(events, L"Import XML Events...", ids.importXmlEvents).enabled = s.eventWindows;

  MenuItem& display = menu.AddPopup(L"Display");
  const bool current = s.currentDevice;
  if (s.toolWindowExists[1]) {
    MenuModel::AddItem(display, L"Brightness/Contrast...", ids.brightnessContrast).enabled =
        current && !s.toolUnavailable[1];
  }
  if (s.toolWindowExists[2]) {
    MenuModel::AddItem(display, L"Pixel Saturation...", ids.pixelSaturation).enabled = current && !s.toolUnavailable[2];
  }
  MenuModel::AddItem(display, L"Magnify...", ids.magnify).enabled = current && s.toolWindowExists[0];
  if (s.toolWindowExists[3]) {
    MenuModel::AddItem(display, L"Crosshairs...", ids.crosshairs).enabled = current && !s.toolUnavailable[3];
  }

  MenuItem& options = menu.AddPopup(L"Options");
  MenuModel::AddItem(options, L"Select Video Device...", ids.selectVideoDevice).enabled =
      s.anyDevice && s.deviceWindows;
  MenuModel::AddItem(options, L"Video Device Properties...", ids.videoDeviceProperties).enabled =
      current && s.propertiesWindow;
  MenuItem& recording = MenuModel::AddItem(options, L"Recording Options", 0);
  MenuModel::AddItem(recording, L"File...", ids.fileOptions).enabled = s.optionsWindows;
  MenuModel::AddItem(recording, L"Codec...", ids.codec).enabled = current && s.codecWindow;
  MenuModel::AddItem(recording, L"Duration Default...", ids.durationDefault).enabled = s.optionsWindows;
  MenuModel::AddItem(options, L"Event Pending...", ids.eventPending).enabled = s.optionsWindows;
  MenuModel::AddItem(options, L"Performance...", ids.performance).enabled = s.optionsWindows;
  MenuModel::AddItem(options, L"Miscellaneous...", ids.miscellaneous).enabled = s.optionsWindows;
  MenuModel::AddItem(options, L"USB GPS Receiver...", ids.gpsReceiver).enabled = s.gpsWindow;
  MenuModel::AddItem(options, L"Save Window Positions", ids.saveWindowPositions).enabled = s.optionsFileWriter;

  MenuItem& help = menu.AddPopup(L"Help");
  MenuModel::AddItem(help, L"Video Capture Overview...", ids.captureOverview);
  MenuModel::AddItem(help, L"Capture Version History...", ids.captureVersionHistory);

  if (s.deviceSelectionOpen) {
    // The magnifier and the properties window act on the device being chosen.
    menu.Check(ids.selectVideoDevice, true);
    menu.Enable(ids.magnify, false);
    menu.Enable(ids.videoDeviceProperties, false);
  }
  if (s.devicePropertiesOpen) {
    // The magnifier and the device selection would change the device whose properties are shown.
    menu.Check(ids.videoDeviceProperties, true);
    menu.Enable(ids.magnify, false);
    menu.Enable(ids.selectVideoDevice, false);
  }
  menu.Check(ids.gpsReceiver, s.gpsConnected);
  const unsigned toolIds[] = {ids.magnify, ids.brightnessContrast, ids.pixelSaturation, ids.crosshairs};
  for (int tool = 0; tool < 4; ++tool) menu.Check(toolIds[tool], s.toolOpen[tool]);
  for (unsigned id : s.openWindows) menu.Check(id, true);
  if (s.recording || s.foldersFailed) GreyCaptureMenus(menu, true);
  return menu;
}

void GreyCaptureMenus(MenuModel& menu, bool grey) {
  for (std::size_t i = 1; i < menu.Bar().size(); ++i) menu.Bar()[i].enabled = !grey;
}

}  // namespace zuna

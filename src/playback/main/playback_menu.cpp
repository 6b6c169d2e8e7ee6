#include "playback/main/playback_menu.h"

namespace zuna {

PlaybackMenuIds TakePlaybackMenuIds(const std::function<unsigned()>& next) {
  PlaybackMenuIds ids{};
  unsigned* fields[] = {&ids.open,
                        &ids.close,
                        &ids.information,
                        &ids.exit,
                        &ids.brightnessContrast,
                        &ids.pixelSaturation,
                        &ids.magnify,
                        &ids.crosshairs,
                        &ids.miscellaneous,
                        &ids.saveWindowPositions,
                        &ids.droppedFramesControl,
                        &ids.playbackOverview,
                        &ids.versionHistory,
                        &ids.lightCurve};
  for (unsigned* field : fields) *field = next();
  return ids;
}

MenuModel BuildPlaybackMenu(const PlaybackMenuIds& ids, const PlaybackMenuState& s) {
  MenuModel menu;
  MenuItem& file = menu.AddPopup(L"File");
  MenuModel::AddItem(file, L"Open", ids.open).enabled = s.fileOpening;
  MenuModel::AddItem(file, L"Close", ids.close).enabled = s.fileOpen;
  MenuModel::AddItem(file, L"Information", ids.information).enabled = s.fileOpen;
  MenuModel::AddItem(file, L"Exit", ids.exit);

  // Tool commands are listed only where their window exists, and act only on an open file.
  MenuItem& display = menu.AddPopup(L"Display");
  if (s.toolWindowExists[1] && !s.toolUnavailable[1]) {
    MenuModel::AddItem(display, L"Brightness/Contrast...", ids.brightnessContrast).enabled = false;
  }
  if (s.toolWindowExists[2] && !s.toolUnavailable[2]) {
    MenuModel::AddItem(display, L"Pixel Saturation...", ids.pixelSaturation).enabled = false;
  }
  MenuModel::AddItem(display, L"Magnify...", ids.magnify).enabled = s.toolWindowExists[0];
  if (s.toolWindowExists[3] && !s.toolUnavailable[3]) {
    MenuModel::AddItem(display, L"Crosshairs...", ids.crosshairs).enabled = false;
  }

  // The measurements made on the open file.
  MenuItem& analysis = menu.AddPopup(L"Analysis");
  MenuModel::AddItem(analysis, L"Light Curve...", ids.lightCurve).enabled = s.lightCurveWindow;

  MenuItem& options = menu.AddPopup(L"Options");
  MenuModel::AddItem(options, L"Miscellaneous...", ids.miscellaneous).enabled = s.optionsWindow;
  MenuModel::AddItem(options, L"Save Window Positions", ids.saveWindowPositions).enabled = s.optionsFileWriter;

  MenuItem& help = menu.AddPopup(L"Help");
  MenuModel::AddItem(help, L"Video Playback Overview...", ids.playbackOverview);
  MenuModel::AddItem(help, L"Playback Version History...", ids.versionHistory);
  return menu;
}

}  // namespace zuna

#include "common/help/help_documents.h"

#include <array>

namespace zuna {
namespace {

constexpr std::size_t kLineWidth = 96;  // characters of the help window's line in its font

struct Document {
  const wchar_t* title;
  const wchar_t* body;
};

const std::array<Document, kHelpDocumentCount>& Documents() {
  static const std::array<Document, kHelpDocumentCount> docs = {{
      {L"Video Capture Overview",
       L"ZUNA Video Capture shows the live picture of a video capture device and records it to AVI files.\r\n"
       L"Beside every recording it writes a text log with the device, video standard, frame rate, frame size,\r\n"
       L"codec, the UTC start and stop times and, when a GPS receiver is connected, the observer's position.\r\n\r\n"
       L"Recordings are started by hand with the Record window, or unattended from scheduled events: the\r\n"
       L"recording starts half the duration before the event time and stops half the duration after it.\r\n\r\n"
       L"Every finding of the program is a line in the User Messages window; save it from its File menu.\r\n"},
      {L"Brightness/Contrast Overview",
       L"The two sliders change the brightness and contrast of the displayed picture.\r\n\r\n"
       L"1. Brightness slider: moves the picture's black level.\r\n"
       L"2. Contrast slider: stretches the picture's grey levels.\r\n"
       L"3. Reset: returns both sliders to their neutral positions.\r\n"},
      {L"Pixel Saturation Overview",
       L"Pixels at or above the threshold are marked in the displayed picture, so that a saturated star,\r\n"
       L"whose brightness can no longer be measured, is seen at once. The marking never reaches a recording.\r\n\r\n"
       L"1. Threshold slider: the brightness from which a pixel counts as saturated.\r\n"
       L"2. Save: keeps the threshold as the default in the options file.\r\n"},
      {L"Magnify Overview",
       L"Changes the size at which the video is displayed: full size, or three quarters, one half or one\r\n"
       L"quarter of it. The recording always keeps the full frame.\r\n"},
      {L"Crosshairs Overview",
       L"Draws a pair of crosshairs over the displayed picture to help keep the target star in place.\r\n"
       L"The crosshairs never reach a recording.\r\n\r\n"
       L"1. Arrow buttons: move the crossing point; hold a button down to repeat.\r\n"
       L"2. Intensity: the brightness of the lines.\r\n"},
      {L"Video Device Select Overview",
       L"Lists the attached video capture devices and their formats. Choose the device to use and, if\r\n"
       L"wanted, make it the default device for the next start.\r\n\r\n"
       L"1. OK: uses the selected device.\r\n2. Cancel: keeps the current device.\r\n"},
      {L"Video Device Properties Overview",
       L"Shows and changes the picture properties, frame rate and frame size of the current device, and\r\n"
       L"saves them as the device's configuration.\r\n\r\n1. Save: keeps the settings.\r\n2. Cancel: restores "
       L"them.\r\n"},
      {L"File Options Overview",
       L"Sets the folders for recordings and saved user messages, and the prefixes or postfixes of the\r\n"
       L"recording and log file names. File names always carry the UTC date and time of the start.\r\n\r\n"
       L"1. Folder buttons: choose a folder.\r\n2. Save: keeps the settings in the options file.\r\n"},
      {L"Codec Select Overview",
       L"Chooses whether the current device records uncompressed frames or through the lossless codec\r\n"
       L"when it is installed.\r\n\r\n1. Save: keeps the choice for this device.\r\n"},
      {L"Default Recording Duration Overview",
       L"The duration offered for a manual recording and for new events.\r\n\r\n1. Save: keeps the duration.\r\n"},
      {L"Performance Options Overview",
       L"Reduces the work of the computer while recording: turn the display off, remove the display\r\n"
       L"filters, or stop the countdown timer during a recording.\r\n\r\n1. Save: keeps the choice.\r\n"},
      {L"Miscellaneous Options Overview",
       L"Options of the capture program: spacing of the record buttons, starting the GPS receiver at start-up,\r\n"
       L"beeps at recording start and stop, and the place of the date and time in file names.\r\n\r\n"
       L"1. Save: keeps the options.\r\n"},
      {L"Time Lapse Recording Overview",
       L"Records only one frame out of a given count, or one frame per given number of seconds.\r\n\r\n"
       L"1. Save: keeps the settings.\r\n"},
      {L"Schedule Event Overview",
       L"Schedules an unattended recording: the predicted UTC time of the event, the duration, and the\r\n"
       L"names of the asteroid and the star. The event is stored as an event file in the Events folder.\r\n\r\n"
       L"1. Schedule: stores the event.\r\n2. Cancel: closes the window.\r\n"},
      {L"View, Edit, and Delete Overview",
       L"Lists the scheduled events.\r\n\r\n1. Edit: changes the selected event.\r\n2. Delete: removes the selected "
       L"event files.\r\n"},
      {L"Event Pending Options Overview",
       L"While an event is pending the countdown window shows either the time left to the recording start\r\n"
       L"or the computer's UTC clock.\r\n\r\n1. OK: uses the choice.\r\n"},
      {L"Capture Version History",
       L"Version 2.4d\r\n  Recordings are written by the program's own OpenDML AVI writer.\r\n"
       L"  User messages are kept whole however long they are.\r\n"},
      {L"Video Playback Overview",
       L"ZUNA Video Playback opens AVI files and shows them one frame at a time or running, with the frame\r\n"
       L"number and whether a frame is a key frame or a frame that the capture chain dropped.\r\n\r\n"
       L"1. Start Playback and Pause.\r\n2. Beginning of File and End of File.\r\n"
       L"3. Back One Frame and Forward One Frame.\r\n4. < and >: previous and next dropped frame.\r\n"},
      {L"Playback Version History",
       L"Version 2.4d\r\n  Files are read by the program's own AVI reader with frame-accurate seeking.\r\n"},
      {L"Miscellaneous Options Overview",
       L"Options of the playback program.\r\n\r\n1. Save: keeps the options.\r\n2. Cancel: closes the window.\r\n"},
      {L"Import XML based Events Overview",
       L"Imports event files of the older XML form from a folder into the Events folder. Events that are\r\n"
       L"already scheduled are not imported twice.\r\n\r\n1. Import: chooses the folder and imports.\r\n"},
  }};
  return docs;
}

std::wstring Centred(const std::wstring& title) {
  const std::size_t blanks = title.size() < kLineWidth ? (kLineWidth - title.size()) / 2 : 0;
  return std::wstring(blanks, L' ') + title + L"\r\n\r\n";
}

}  // namespace

std::wstring HelpDocumentTitle(int id) {
  if (id < 0 || id >= kHelpDocumentCount) return {};
  return Documents()[static_cast<std::size_t>(id)].title;
}

std::wstring HelpDocumentText(int id, ProgramKind program) {
  if (id < 0 || id >= kHelpDocumentCount) return {};
  const Document& doc = Documents()[static_cast<std::size_t>(id)];
  std::wstring text = Centred(doc.title) + doc.body;
  if (id == 1 && program == ProgramKind::kCapture) {
    text += L"\r\nThe values change only the display: they have no impact on a recording.\r\n";
  }
  return text;
}

}  // namespace zuna

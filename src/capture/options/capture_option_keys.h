#pragma once
// The keys that the capture program registers behind the common ones, in registration order.
#include <array>
#include <string_view>

namespace zuna {

inline constexpr std::wstring_view kRecordButtonsSpaceKey = L"RecordButtonsSpace";
inline constexpr std::wstring_view kDisplayOffWhileRecordingKey = L"DisplayOffWhileRecording";
inline constexpr std::wstring_view kRemoveFiltersWhileRecordingKey = L"RemoveFiltersWhileRecording";
inline constexpr std::wstring_view kTimerOffWhileRecordingKey = L"TimerOffWhileRecording";
inline constexpr std::wstring_view kAutostartGpsKey = L"AutostartGPS";
inline constexpr std::wstring_view kEnableStartStopBeepKey = L"EnableStartStopBeep";
inline constexpr std::wstring_view kEnableEventBeepKey = L"EnableEventBeep";
inline constexpr std::wstring_view kTimeLapseTypeKey = L"TimeLapseType";
inline constexpr std::wstring_view kTimeLapseEnableKey = L"TimeLapseEnable";

inline constexpr std::array<std::wstring_view, 9> kCaptureBooleanKeys{kRecordButtonsSpaceKey,
                                                                      kDisplayOffWhileRecordingKey,
                                                                      kRemoveFiltersWhileRecordingKey,
                                                                      kTimerOffWhileRecordingKey,
                                                                      kAutostartGpsKey,
                                                                      kEnableStartStopBeepKey,
                                                                      kEnableEventBeepKey,
                                                                      kTimeLapseTypeKey,
                                                                      kTimeLapseEnableKey};

inline constexpr std::wstring_view kVideoNamePrefixKey = L"VideoNamePrefix";
inline constexpr std::wstring_view kVideoDirectoryKey = L"VideoDirectory";
inline constexpr std::wstring_view kLogfileNamePrefixKey = L"LogfileNamePrefix";
inline constexpr std::wstring_view kUserMessagesDirectoryKey = L"UserMessagesDirectory";
inline constexpr std::wstring_view kEventFileGlobalPrefixKey = L"EventFileGlobalPrefix";
inline constexpr std::wstring_view kDefaultDurationKey = L"DefaultDuration";
inline constexpr std::wstring_view kEventPendingDisplayKey = L"EventPendingDisplay";
inline constexpr std::wstring_view kDefaultVideoSourceKey = L"DefaultVideoSource";
inline constexpr std::wstring_view kTimeLapseCountKey = L"TimeLapseCount";

inline constexpr std::array<std::wstring_view, 9> kCaptureTextKeys{
    kVideoNamePrefixKey,       kVideoDirectoryKey,        kLogfileNamePrefixKey,
    kUserMessagesDirectoryKey, kEventFileGlobalPrefixKey, kDefaultDurationKey,
    kEventPendingDisplayKey,   kDefaultVideoSourceKey,    kTimeLapseCountKey};

// The capture program's windows in the order of their window-position keys.
enum class CaptureWindow {
  kMain,
  kRecordControls,
  kDevices,
  kDeviceFormat,
  kMiscellaneousOptions,
  kCodecSelector,
  kFileOptions,
  kEventDuration,
  kEventPendingOptions,
  kPerformanceOptions,
  kTimeLapse,
  kHibernation,
  kGps,
  kCountdown,
  kScheduleEvent,
  kViewEvents,
  kImportXmlEvents,
};

inline constexpr std::array<std::wstring_view, 17> kCaptureWindowKeys{
    L"MainWindowPosition",
    L"RecordControlsWindowPosition",
    L"DevicesWindowPosition",
    L"DeviceFormatWindowPosition",
    L"MiscellaneousOptionsWindowPosition",
    L"CodecSelectorWindowPosition",
    L"FileOptionsWindowPosition",
    L"EventDurationWindowPosition",
    L"EventPendingOptionsWindowPosition",
    L"PerformanceOptionsWindowPosition",
    L"TimeLapseWindowPosition",
    L"HibernationWindowPosition",
    L"GpsWindowPosition",
    L"CountdownWindowPosition",
    L"ScheduleEventWindowPosition",
    L"ViewEventsWindowPosition",
    L"ImportXmlEventsWindowPosition",
};

}  // namespace zuna

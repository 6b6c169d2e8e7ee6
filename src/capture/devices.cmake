# Capture devices, their formats and properties, the codec list and the camera start.
target_sources(zuna_capture PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/camera_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/codec_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_properties.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_standard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/video_device_formats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/video_device_list.cpp
)
target_link_libraries(zuna_capture PUBLIC zuna_video_player)

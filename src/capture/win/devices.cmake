# The capture devices, the codecs and the filter graph on DirectShow.
target_sources(ZUNA_Capture PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dshow_codec_catalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dshow_device_catalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dshow_moniker_list.cpp
)
target_link_libraries(ZUNA_Capture PRIVATE zuna_video_win)
# DirectShow interfaces have no virtual destructor by design.
target_compile_options(ZUNA_Capture PRIVATE -Wno-non-virtual-dtor)

# AVI reading and writing (library zuna_avi).
zuna_library(zuna_avi
  avi_byte_source.cpp
  avi_codec_table.cpp
  avi_file_info.cpp
  avi_file_report.cpp
  avi_frame_clock.cpp
  avi_frame_map.cpp
  avi_frame_reader.cpp
  avi_frame_reader_index.cpp
  avi_frame_rate.cpp
  avi_frame_timeline.cpp
  avi_header_parser.cpp
  avi_info_command.cpp
  avi_number_locale.cpp
  avi_video_format.cpp
  avi_writer.cpp
  avi_writer_index.cpp
  avi_writer_layout.cpp
  riff_bytes.cpp
  riff_output.cpp
)
target_link_libraries(zuna_avi PUBLIC zuna_common)

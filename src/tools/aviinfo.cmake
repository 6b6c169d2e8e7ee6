# zuna-aviinfo.
add_executable(zuna-aviinfo ${CMAKE_CURRENT_SOURCE_DIR}/zuna_aviinfo.cpp)
target_link_libraries(zuna-aviinfo PRIVATE zuna_avi zuna_terminal_text)
zuna_tool(zuna-aviinfo "ZUNA Video AVI file information")

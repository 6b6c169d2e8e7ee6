# zuna-lightcurve: the command logic is a library of its own so that the unit tests run it.
add_library(zuna_lightcurve_command STATIC ${CMAKE_CURRENT_LIST_DIR}/lightcurve_command.cpp)
target_include_directories(zuna_lightcurve_command PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zuna_lightcurve_command PUBLIC zuna_lightcurve zuna_terminal_text)
target_compile_definitions(zuna_lightcurve_command PRIVATE ZUNA_VERSION_TEXT="${ZUNA_VERSION_TEXT}")
zuna_warnings(zuna_lightcurve_command)

add_executable(zuna-lightcurve ${CMAKE_CURRENT_LIST_DIR}/zuna_lightcurve.cpp)
target_link_libraries(zuna-lightcurve PRIVATE zuna_lightcurve_command)
zuna_tool(zuna-lightcurve "ZUNA Video light curve")

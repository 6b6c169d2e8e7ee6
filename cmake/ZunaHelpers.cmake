# Warnings shared by every target of the project.
function(zuna_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wno-missing-field-initializers)
  endif()
endfunction()

# A portable library of the project: sources relative to the calling directory.
function(zuna_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  zuna_warnings(${name})
endfunction()

# A Windows program of the project: goes to the stage folder beside the icons, with its resources,
# and with the automation agent in test builds.
function(zuna_windows_program target description)
  zuna_warnings(${target})
  zuna_windows_resources(${target} program "${description}")
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stage)
  if(ZUNA_AUTOMATION)
    target_compile_definitions(${target} PRIVATE ZUNA_AUTOMATION)
  endif()
  file(COPY ${PROJECT_SOURCE_DIR}/resources/ZunaVideoIcons DESTINATION ${CMAKE_BINARY_DIR}/stage)
endfunction()

# The Windows resources of a program of the package: the logo as its icon, a manifest
# (resources/windows/zuna_<kind>.manifest, kind program or tool) and the version resource.
function(zuna_windows_resources target kind description)
  set(ZUNA_RC_NAME ${target})
  set(ZUNA_RC_DESCRIPTION "${description}")
  set(ZUNA_RC_ICON ${PROJECT_SOURCE_DIR}/resources/ZunaVideoIcons/ZUNA_logo_large.ico)
  set(ZUNA_RC_MANIFEST ${PROJECT_SOURCE_DIR}/resources/windows/zuna_${kind}.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/zuna_version.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ZUNA_RC_ICON};${ZUNA_RC_MANIFEST}")
  target_sources(${target} PRIVATE ${rc})
  if(MSVC)
    target_link_options(${target} PRIVATE /MANIFEST:NO)  # the resource file carries the manifest
  endif()
endfunction()

# A command-line tool of the package; on Windows it goes to the stage folder beside the programs.
function(zuna_tool target description)
  zuna_warnings(${target})
  if(WIN32)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stage)
    zuna_windows_resources(${target} tool "${description}")
  endif()
endfunction()

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

# A Windows program of the project: goes to the stage folder beside the icons, with the
# automation agent in test builds.
function(zuna_windows_program target)
  zuna_warnings(${target})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stage)
  if(ZUNA_AUTOMATION)
    target_compile_definitions(${target} PRIVATE ZUNA_AUTOMATION)
  endif()
  file(COPY ${PROJECT_SOURCE_DIR}/resources/ZunaVideoIcons DESTINATION ${CMAKE_BINARY_DIR}/stage)
endfunction()

# diff's window-free work (line, byte and directory comparison, the command
# line presets), kept apart from the windows so the unit tests link it alone.
if(NOT TARGET diff_core)
  add_library(diff_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/linediff.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dircmp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cmdline.cpp
  )
  target_include_directories(diff_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(diff_core PUBLIC tamrel_shared)
endif()

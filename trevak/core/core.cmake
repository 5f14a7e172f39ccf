# trevak's window-free work (formats, listing, extraction, writing), kept
# apart from the windows so that it builds natively and the unit tests and
# the fuzzer link it alone.
set(TREVAK_ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/arcformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arcname.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arcreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arcextract.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arcwrite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arcfs_stream.cpp
)
if(WIN32)
  list(APPEND TREVAK_ENGINE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/arcfs_win.cpp)
else()
  list(APPEND TREVAK_ENGINE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/arcfs_posix.cpp)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/names.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/filesys.cmake)
if(NOT TARGET trevak_core)
  add_library(trevak_core STATIC ${TREVAK_ENGINE_SOURCES})
  target_include_directories(trevak_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  # Files are opened, listed and removed through the shared seam; they are
  # replaced, and a stream that loses data reports it, through the tool
  # library.
  target_link_libraries(trevak_core PUBLIC tamrel_filesys tamrel_shared tamrel_names)
endif()

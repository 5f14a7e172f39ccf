# The pager's window-free core: text and line index, rendering, the
# arithmetic of rows, scrolling and pages, the start-up line, search,
# marks, line-range copy and the settings. It builds
# natively and for Windows, so that its unit tests run under the sanitizers.
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/viewcore.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/filesys.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/pieces.cmake)
if(NOT TARGET zodo_core)
  set(ZODO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/lineindex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
    # search
    ${CMAKE_CURRENT_LIST_DIR}/search.cpp
    # marks, row selection and copy
    ${CMAKE_CURRENT_LIST_DIR}/marks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linecopy.cpp
    # display settings and the editor
    ${CMAKE_CURRENT_LIST_DIR}/options.cpp
    )
  add_library(zodo_core STATIC ${ZODO_CORE_SOURCES})
  target_include_directories(zodo_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  # The tool library's byte scan cuts the lines; the file is read through
  # the file system's seam, loaded and cut on every processor.
  target_link_libraries(zodo_core PUBLIC tamrel_shared tamrel_filesys tamrel_pieces)
  # Search compiles and matches through the suite's engine; search, marks
  # and printed pages share their core with the hex viewer.
  target_link_libraries(zodo_core PUBLIC regex tamrel_viewcore)
endif()

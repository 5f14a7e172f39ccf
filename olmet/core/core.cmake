# olmet's window-free core (rows, scrolling, search, marks, printing layout,
# loading), kept apart from the windows so that the unit tests link it alone,
# natively too. The file is read through the file system's seam.
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/viewcore.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/filesys.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/pieces.cmake)
if(NOT TARGET olmet_core)
  add_library(olmet_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/hexrows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hexfile.cpp
  )
  target_include_directories(olmet_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(olmet_core PUBLIC regex tamrel_viewcore tamrel_names tamrel_filesys tamrel_pieces)
endif()

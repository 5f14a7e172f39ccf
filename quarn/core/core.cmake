# quarn's window-free search, kept apart from the windows so that the unit
# tests can link it alone.
if(NOT TARGET quarn_core)
  include(${CMAKE_CURRENT_LIST_DIR}/../../shared/nextline.cmake)
  add_library(quarn_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/search.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fastscan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scanfs.cpp
  )
  target_include_directories(quarn_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(quarn_core PUBLIC tamrel_shared regex tamrel_nextline)
endif()

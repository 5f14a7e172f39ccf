# vantic's window-free engine (compiler, execution cycle, file driver), kept
# apart from the windows so that the unit tests link it alone, natively too.
if(NOT TARGET vantic_core)
  include(${CMAKE_CURRENT_LIST_DIR}/../../shared/nextline.cmake)
  add_library(vantic_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/compile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/execute.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editfiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vregex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/textio.cpp
  )
  target_include_directories(vantic_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(vantic_core PUBLIC regex tamrel_nextline tamrel_shared)
endif()

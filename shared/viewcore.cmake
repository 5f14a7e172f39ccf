# The core the pager and the hex viewer share (shared/viewcore.h): window
# free, so it builds in every tree. Search compiles through the suite's
# regular-expression engine, which the including tree has made.
include(${CMAKE_CURRENT_LIST_DIR}/names.cmake)
if(NOT TARGET tamrel_viewcore)
  add_library(tamrel_viewcore STATIC ${CMAKE_CURRENT_LIST_DIR}/viewcore.cpp)
  target_include_directories(tamrel_viewcore PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(tamrel_viewcore PUBLIC regex tamrel_names)
endif()

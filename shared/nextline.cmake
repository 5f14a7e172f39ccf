# The line cutter that quarn's patterns and vantic's scripts share. Window
# free and runtime free, so any tree (native ones included) can take it in.
if(NOT TARGET tamrel_nextline)
  add_library(tamrel_nextline STATIC ${CMAKE_CURRENT_LIST_DIR}/nextline.cpp)
  target_include_directories(tamrel_nextline PUBLIC ${CMAKE_CURRENT_LIST_DIR})
endif()

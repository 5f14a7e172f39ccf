# The name folding and wildcard matching of shared/names.h. Window free and
# runtime free, so any tree (native ones included) can take it in.
if(NOT TARGET tamrel_names)
  add_library(tamrel_names STATIC ${CMAKE_CURRENT_LIST_DIR}/names.cpp)
  target_include_directories(tamrel_names PUBLIC ${CMAKE_CURRENT_LIST_DIR})
endif()

# Work spread over the processors (shared/pieces.h). Window free and runtime
# free, so any tree (native ones included) can take it in.
if(NOT TARGET tamrel_pieces)
  add_library(tamrel_pieces STATIC ${CMAKE_CURRENT_LIST_DIR}/pieces.cpp)
  target_include_directories(tamrel_pieces PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  find_package(Threads REQUIRED)
  target_link_libraries(tamrel_pieces PUBLIC Threads::Threads)
endif()

# The file-system seam of shared/filesys.h, the side of the system being
# built for. Window free, so any tree (native ones included) can take it in.
if(NOT TARGET tamrel_filesys)
  if(WIN32)
    add_library(tamrel_filesys STATIC ${CMAKE_CURRENT_LIST_DIR}/filesys_win.cpp)
    target_link_libraries(tamrel_filesys PUBLIC kernel32)
  else()
    add_library(tamrel_filesys STATIC ${CMAKE_CURRENT_LIST_DIR}/filesys_posix.cpp)
  endif()
  target_include_directories(tamrel_filesys PUBLIC ${CMAKE_CURRENT_LIST_DIR})
endif()

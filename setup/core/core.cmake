# setup's window-free core: the install and uninstall work (built everywhere,
# so its unit tests also run natively) and, on Windows, its store over
# winfile.ini and the registry.
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/names.cmake)
if(NOT TARGET setup_core)
  add_library(setup_core STATIC ${CMAKE_CURRENT_LIST_DIR}/install.cpp)
  target_include_directories(setup_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(setup_core PUBLIC tamrel_names)
  if(WIN32)
    add_library(setup_store STATIC ${CMAKE_CURRENT_LIST_DIR}/winstore.cpp)
    target_link_libraries(setup_store PUBLIC setup_core tamrel_shared advapi32 kernel32)
  endif()
endif()

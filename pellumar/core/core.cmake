# pellumar's window-free core: listing, launchers, calendar, copy, drive
# figures. It builds natively too, its file-system calls behind platform.h:
# the plain ones on the tool library's filesys seam (platform_files.cpp),
# the shell's own (the system's wildcard search, 8.3 aliases, file identity,
# devices, the current directory, a case-only rename) in platform_win.cpp
# and platform_posix.cpp. The copy writes its files through fileout.
include(${CMAKE_CURRENT_LIST_DIR}/../../shared/names.cmake)
if(NOT TARGET pellumar_core)
  set(PELLUMAR_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/listing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/launch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calendar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filecopy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform_files.cpp)
  if(WIN32)
    list(APPEND PELLUMAR_CORE_SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/platform_win.cpp
      ${CMAKE_CURRENT_LIST_DIR}/registry_win.cpp)
  else()
    list(APPEND PELLUMAR_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform_posix.cpp)
  endif()
  add_library(pellumar_core STATIC ${PELLUMAR_CORE_SOURCES})
  target_include_directories(pellumar_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(pellumar_core PUBLIC tamrel_shared tamrel_names)
  if(WIN32)
    target_link_libraries(pellumar_core PUBLIC advapi32 kernel32)
  endif()
endif()

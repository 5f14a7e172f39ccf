# ombrix's window-free work (dispatch rules and the utilities' engines), kept
# apart from the windows so the unit tests can link it alone. The strings
# engine is strscan.*: a header named strings.h would shadow the C library's
# own for every file that has this folder on its include path.
if(NOT TARGET ombrix_core)
  # The text utilities build everywhere; disk usage and the dispatch rules
  # are Windows' own.
  set(OMBRIX_ENGINE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/wc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/samefile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/textread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filetype.cpp
    ${CMAKE_CURRENT_LIST_DIR}/split.cpp
    ${CMAKE_CURRENT_LIST_DIR}/strscan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csplit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tail.cpp
  )
  if(WIN32)
    list(APPEND OMBRIX_ENGINE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp ${CMAKE_CURRENT_LIST_DIR}/du.cpp)
  endif()
  add_library(ombrix_core STATIC ${OMBRIX_ENGINE_SOURCES})
  target_include_directories(ombrix_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ombrix_core PUBLIC tamrel_shared regex)
  if(WIN32)
    target_link_libraries(ombrix_core PUBLIC advapi32)
  endif()
endif()

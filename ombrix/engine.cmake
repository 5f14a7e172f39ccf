# ombrix's window-free work (dispatch rules and the utilities' engines), kept
# apart from the windows so the unit tests can link it alone. The strings
# engine is strscan.*: a header named strings.h would shadow the C library's
# own for every file that has this folder on its include path.
if(NOT TARGET ombrix_engine)
  add_library(ombrix_engine STATIC
    ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/samefile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/textread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/du.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filetype.cpp
    ${CMAKE_CURRENT_LIST_DIR}/split.cpp
    ${CMAKE_CURRENT_LIST_DIR}/strscan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csplit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tail.cpp
  )
  target_include_directories(ombrix_engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ombrix_engine PUBLIC tamrel_shared regex advapi32)
endif()

# ombrix's window-free work (dispatch rules and the utilities' engines), kept
# apart from the windows so the unit tests can link it alone.
if(NOT TARGET ombrix_engine)
  add_library(ombrix_engine STATIC
    ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wc.cpp
  )
  target_include_directories(ombrix_engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(ombrix_engine PUBLIC tamrel_shared)
endif()

# Helpers shared by every folder's CMakeLists.txt.
#
#   tamrel_unit_test(NAME SOURCES... [LIBS libs...])
#       A googletest program. Natively it runs as is; in the Windows builds it
#       is a console program run under Wine. Its results land in
#       ${TAMREL_RESULTS}/NAME.xml, which scripts/test adds up.
#   tamrel_e2e_test(NAME SOURCES... [DEPENDS targets...])
#       Like a unit test, linked with the window automation library, labelled
#       e2e; it needs the X display that scripts/test provides.
#   tamrel_sanitized_test(NAME SOURCES... [INCLUDE dir] [LIBS libs...])
#       In the native clang tree only: unit tests again over an instrumented
#       copy of the code under test (its sources among SOURCES), stopping at
#       the first report of the address or undefined-behaviour sanitizer.
#   tamrel_program(NAME SOURCES... [LIBS libs...])
#       A Windows GUI program (sources may include its .rc file).

set(TAMREL_RESULTS ${CMAKE_BINARY_DIR}/test-results)
file(MAKE_DIRECTORY ${TAMREL_RESULTS})

set(TAMREL_WIN32_LIBS comctl32 comdlg32 shell32 advapi32 winspool gdi32 user32 kernel32)

function(tamrel_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(WIN32)
    target_link_libraries(${name} PRIVATE ${TAMREL_WIN32_LIBS})
  endif()
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  if(NOT TAMREL_NO_RUN)
    if(WIN32)
      # The program runs under Wine, which reads Windows paths.
      set(xml "Z:${TAMREL_RESULTS}/${name}.xml")
    else()
      set(xml "${TAMREL_RESULTS}/${name}.xml")
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${xml})
    set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 900)
  endif()
endfunction()

function(tamrel_e2e_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  tamrel_unit_test(${name} ${T_UNPARSED_ARGUMENTS} SOURCES ${T_SOURCES}
                   LIBS tamrel_auto ${T_LIBS} DEPENDS ${T_DEPENDS})
  if(NOT TAMREL_NO_RUN)
    set_tests_properties(${name} PROPERTIES LABELS e2e RUN_SERIAL TRUE)
  endif()
endfunction()

set(TAMREL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

function(tamrel_sanitized_test name)
  if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  cmake_parse_arguments(T "" "INCLUDE" "LIBS" ${ARGN})
  tamrel_unit_test(${name} ${T_UNPARSED_ARGUMENTS} LIBS ${T_LIBS})
  if(T_INCLUDE)
    target_include_directories(${name} PRIVATE ${T_INCLUDE})
  endif()
  target_compile_options(${name} PRIVATE ${TAMREL_SANITIZER_FLAGS})
  target_link_options(${name} PRIVATE ${TAMREL_SANITIZER_FLAGS})
  if(NOT TAMREL_NO_RUN)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
      "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
  endif()
endfunction()

function(tamrel_program name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} WIN32 ${T_UNPARSED_ARGUMENTS} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${TAMREL_WIN32_LIBS})
  # windres reports no dependencies, so a changed icon or bitmap beside the
  # script would leave the program with the old picture.
  foreach(source ${T_UNPARSED_ARGUMENTS} ${T_SOURCES})
    if(source MATCHES "\\.rc$")
      file(GLOB art CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.ico ${CMAKE_CURRENT_SOURCE_DIR}/*.bmp)
      set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS "${art}")
    endif()
  endforeach()
endfunction()

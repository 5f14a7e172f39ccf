# The engines without windows, built natively with the address and
# undefined-behaviour sanitizers, their unit tests, and the fuzzers of the
# parsers a user can feed. Included by the top level for the native tree.
set(TAMREL_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(TAMREL_NATIVE_SANITIZED ON)
  # Coverage for the fuzzers, which link the same engine libraries.
  add_compile_options(${TAMREL_SANITIZERS} -fsanitize=fuzzer-no-link)
  add_link_options(${TAMREL_SANITIZERS})
endif()

# The string classes and the tool library, without their window parts.
add_library(tamrel_afxstr STATIC ${CMAKE_SOURCE_DIR}/framework/afxstr.cpp)
target_include_directories(tamrel_afxstr PUBLIC ${CMAKE_SOURCE_DIR}/framework)

set(TAMREL_SHARED ${CMAKE_SOURCE_DIR}/shared)
add_library(tamrel_shared STATIC
  ${TAMREL_SHARED}/message.cpp
  ${TAMREL_SHARED}/outtext.cpp
  ${TAMREL_SHARED}/fileout.cpp
  ${TAMREL_SHARED}/filelist.cpp
  ${TAMREL_SHARED}/bytescan.cpp
  ${TAMREL_SHARED}/sysio.cpp
  ${TAMREL_SHARED}/viewfile.cpp
)
target_include_directories(tamrel_shared PUBLIC ${TAMREL_SHARED})
include(${TAMREL_SHARED}/names.cmake)
include(${TAMREL_SHARED}/filesys.cmake)
target_link_libraries(tamrel_shared PUBLIC tamrel_afxstr tamrel_names tamrel_filesys)

# The engines, from the same lists the Windows builds use. Their unit tests
# run with the sanitizers' halting options.
include(${CMAKE_SOURCE_DIR}/vantic/core/core.cmake)
include(${CMAKE_SOURCE_DIR}/diff/core/core.cmake)
include(${CMAKE_SOURCE_DIR}/quarn/core/core.cmake)
include(${CMAKE_SOURCE_DIR}/ombrix/core/core.cmake)
add_subdirectory(${CMAKE_SOURCE_DIR}/tests/native ${CMAKE_BINARY_DIR}/tests-native)

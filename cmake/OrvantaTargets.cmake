# orvanta_library(NAME SOURCES files... [LINK libs...])
# A static library of the listed sources, with the project's include roots.
function(orvanta_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC orvanta_includes ${ARG_LINK})
endfunction()

# orvanta_test(NAME SOURCES... LINK libs...)
# One GoogleTest executable, its cases registered with CTest one by one.
function(orvanta_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gtest_main Threads::Threads)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  target_compile_definitions(${name} PRIVATE
    ORVANTA_SOURCE_DIR="${PROJECT_SOURCE_DIR}" ORVANTA_BINARY_DIR="${PROJECT_BINARY_DIR}")
endfunction()

add_library(orvanta_includes INTERFACE)
target_include_directories(orvanta_includes INTERFACE
  ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/Interfaces
  ${PROJECT_SOURCE_DIR}/Interfaces/ACF)

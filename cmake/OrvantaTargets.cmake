# orvanta_glob_library(NAME DIR [EXCLUDE regex] [LINK libs...])
# Builds a static library from every .cpp file in DIR (new files are picked up
# at the next build), with the project's include roots.
function(orvanta_glob_library name dir)
  cmake_parse_arguments(ARG "" "EXCLUDE;INCLUDE_ONLY" "LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(ARG_INCLUDE_ONLY)
    list(FILTER sources INCLUDE REGEX "${ARG_INCLUDE_ONLY}")
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  if(sources)
    target_link_libraries(${name} PUBLIC orvanta_includes ${ARG_LINK})
  else()
    target_link_libraries(${name} INTERFACE orvanta_includes ${ARG_LINK})
  endif()
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

# Compiler targets of the signal chain's instruction-set variants, for the
# module's variant files (effect/CMakeLists.txt) and the stage benchmarks.
# No -mfma: the chain's results are defined without fused multiply-adds.
set(ORVANTA_AVX2_OPTIONS -mavx2)
set(ORVANTA_AVX512_OPTIONS -mavx512f -mavx512vl -mavx512dq -mavx512bw -mprefer-vector-width=512)

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

# orvanta_copy_files(TARGET name DESTINATION dir FILES files...)
# A target that copies the files into dir whenever one of them changes.
function(orvanta_copy_files)
  cmake_parse_arguments(ARG "" "TARGET;DESTINATION" "FILES" ${ARGN})
  set(copies)
  foreach(file ${ARG_FILES})
    get_filename_component(file_name ${file} NAME)
    set(copy ${ARG_DESTINATION}/${file_name})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${copy}
      DEPENDS ${file}
      COMMENT "Copying ${file_name} to ${ARG_DESTINATION}"
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${ARG_TARGET} DEPENDS ${copies})
endfunction()

# orvanta_uninstrumented_host_test(TEST)
# A test that runs hosts nobody here built (lv2file, jalv, ...) on this
# build's binaries: in a sanitizer build those binaries need the sanitizer
# runtime loaded first, which the test's scripts preload from
# LV2_HOST_PRELOAD.
function(orvanta_uninstrumented_host_test test)
  if(ORVANTA_SANITIZE)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
      OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "LV2_HOST_PRELOAD=${asan_runtime}")
  endif()
endfunction()

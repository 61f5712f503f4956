# Shared build helpers. Each folder is one library; its tests live in tests/.

# Tests run headless, and leaks inside system libraries that live for the whole process are not ours.
set(VANTREL_TEST_ENVIRONMENT_LSAN "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp:print_suppressions=0")
# Tests write what the program writes into the build tree, never into the user's data folder.
set(VANTREL_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen" "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data"
    "${VANTREL_TEST_ENVIRONMENT_LSAN}")

# Test, replay and benchmark code is compiled without optimisation in the test configuration: it
# runs little itself, and optimising it under the sanitizers was most of the build's time. The
# code under test keeps the configuration's flags.
set(VANTREL_HARNESS_OPTIONS $<$<CONFIG:Debug>:-O0>)

# vantrel_library(NAME [SHARED] [LIBS deps...])
# Builds every .cpp directly in the calling folder into one library.
function(vantrel_library name)
  cmake_parse_arguments(ARG "SHARED" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(ARG_SHARED)
    add_library(${name} SHARED ${sources})
  elseif(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# vantrel_tests(NAME LIBS deps... [SOURCES files...])
# One test program from tests/*.cpp of the calling folder (or the given sources), one ctest entry.
function(vantrel_tests name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${VANTREL_HARNESS_OPTIONS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE VANTREL_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VANTREL_TEST_ENVIRONMENT}" TIMEOUT 900)
endfunction()

# vantrel_fuzz(NAME SOURCES files... LIBS deps... [CORPUS dirs...])
# With VANTREL_FUZZ: a libFuzzer program. Otherwise the same entry point is linked
# with a driver that replays the corpus, run as an ordinary test.
function(vantrel_fuzz name)
  cmake_parse_arguments(ARG "" "" "CORPUS;SOURCES;LIBS" ${ARGN})
  if(VANTREL_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # fuzz/run-all.sh starts each target from its corpus folders listed here.
    file(WRITE ${CMAKE_BINARY_DIR}/fuzz-corpora/${name} "${ARG_CORPUS}")
  else()
    add_executable(${name}_replay ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    target_compile_options(${name}_replay PRIVATE ${VANTREL_HARNESS_OPTIONS})
    target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
    if(ARG_CORPUS)
      add_test(NAME ${name}_replay COMMAND ${name}_replay ${ARG_CORPUS})
      # An allocation the fuzzers' memory limit refuses fails the replay too.
      set_tests_properties(${name}_replay PROPERTIES ENVIRONMENT
                           "${VANTREL_TEST_ENVIRONMENT};ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:max_allocation_size_mb=2048")
    endif()
  endif()
endfunction()

# vantrel_fuzz_definitions(NAME definitions...)
# Compile definitions for a fuzz target, in whichever of its two forms is built.
function(vantrel_fuzz_definitions name)
  if(NOT VANTREL_FUZZ)
    set(name ${name}_replay)
  endif()
  target_compile_definitions(${name} PRIVATE ${ARGN})
endfunction()

# vantrel_bench(NAME SOURCES files... LIBS deps...)
function(vantrel_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VANTREL_BENCH OR VANTREL_FUZZ)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${VANTREL_HARNESS_OPTIONS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Adds every sub-folder of the calling folder that has a CMakeLists.txt.
function(vantrel_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# Small helpers shared by the folders' CMakeLists.

# tundrel_library(NAME SOURCES... DEPS...): one library per src/ folder, included as <folder>/Header.h.
function(tundrel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# tundrel_test(NAME SOURCES... DEPS...): a GoogleTest program registered with CTest.
function(tundrel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT TUNDREL_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  # gtest_discover_tests hands every item of a PROPERTIES list over as an argument of its own, so
  # an ENVIRONMENT list would keep only its first variable; set the environment once the
  # discovered tests are known instead.
  set(environment_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${environment_file} "if(${name}_TESTS)
  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT
    \"SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy;TUNDREL_SOURCE_DIR=${PROJECT_SOURCE_DIR}\")
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_file})
endfunction()

# tundrel_fuzzer(NAME SOURCES... DEPS...): a libFuzzer target, built only with TUNDREL_FUZZ.
function(tundrel_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT TUNDREL_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # One target builds them all, so the fuzzing step does not build the game, tools and benchmarks.
  if(NOT TARGET fuzz_targets)
    add_custom_target(fuzz_targets)
  endif()
  add_dependencies(fuzz_targets ${name})
endfunction()

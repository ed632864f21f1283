# Helpers shared by every folder's CMakeLists.txt.

# qv742_library(NAME SOURCES... [DEPS targets...])
# A static library for one folder of src/, named qv742_NAME; src/ is its include root.
function(qv742_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(qv742_${name} STATIC ${ARG_SOURCES})
  target_include_directories(qv742_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(qv742_${name} PUBLIC ${ARG_DEPS})
endfunction()

# qv742_test(NAME SOURCES... [DEPS targets...])
# One GoogleTest executable; each test case becomes a ctest test.
function(qv742_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Tests find shipped data in the source tree and built programs in the build tree.
  target_compile_definitions(${name} PRIVATE
    QV742_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}" QV742_TEST_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# qv742_fuzzer(NAME SOURCES... [DEPS targets...])
function(qv742_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

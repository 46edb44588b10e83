# vtx_add_test(NAME <name> [COST <seconds>] SOURCES <files...> LIBS <libs...> LABELS <labels...>)
# One place registers every GoogleTest program with ctest. Each case of a
# program is its own ctest test, named <program>.<Suite>.<Case>, so a red run
# names the failing case and `ctest -R <program>` still picks a program. The
# cases are listed when the program is built (gtest_discover_tests); every
# case keeps the program's labels (default "unit"), runs in the program's
# binary folder with a 300 s time-out, and finds the programs it starts
# (vtx-hostsim, vtx) through VTX_BIN_DIR. Programs labelled "gui" run, and
# are listed, on Qt's offscreen platform.
find_package(GTest REQUIRED)
include(GoogleTest)

function(vtx_add_test)
  cmake_parse_arguments(T "" "NAME;COST" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock
                                          Threads::Threads)
  target_compile_definitions(${T_NAME} PRIVATE VTX_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  # In a unity build a test file is included by the unit, so GCC takes the
  # fixtures of its anonymous namespace for a header's and warns of them.
  target_compile_options(${T_NAME} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  # A test program's own sources compile without optimisation, in every
  # build: what they test is the libraries and programs, which keep their
  # build's flags (the default build's are the shipped -O2). The optimiser
  # spends its time on GoogleTest's macros and the tests' fixtures and gains
  # them nothing; without it they compile in a third to a half of the time,
  # and a failing test steps plainly in a debugger.
  target_compile_options(${T_NAME} PRIVATE -O0)
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  # Widget tests need no display: Qt's offscreen platform stands in for it.
  # The programs that make their QApplication in main() need it to list their
  # cases too, hence the launcher, used for listing and running alike.
  set(environment "")
  if("gui" IN_LIST T_LABELS)
    set(environment "ENVIRONMENT QT_QPA_PLATFORM=offscreen")
    set_target_properties(${T_NAME} PROPERTIES
                          CROSSCOMPILING_EMULATOR "/usr/bin/env;QT_QPA_PLATFORM=offscreen")
  endif()
  # Sanitizer builds list slowly: a generous bound for the listing.
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    DISCOVERY_TIMEOUT 120)
  # The labels (a list, which gtest_discover_tests's PROPERTIES would split),
  # time-out and environment go on every listed case from a file ctest reads
  # after the list: ${T_NAME}_TESTS holds the names of the cases.
  # COST: the programs whose cases take many seconds each start first, so a
  # run with no timings of its own yet (a fresh clone) does not end waiting
  # for one of them started last.
  set(cost "")
  if(T_COST)
    set(cost "COST ${T_COST}")
  endif()
  set(properties_file "${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}_properties.cmake")
  file(WRITE "${properties_file}"
    "foreach(test IN LISTS ${T_NAME}_TESTS)\n"
    "  set_tests_properties(\"\${test}\" PROPERTIES LABELS \"${T_LABELS}\" TIMEOUT 300 ${environment} ${cost})\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${properties_file}")
  if("sanitize" IN_LIST T_LABELS)
    set_property(GLOBAL APPEND PROPERTY VTX_SANITIZE_TESTS ${T_NAME})
  endif()
  if("asan" IN_LIST T_LABELS)
    set_property(GLOBAL APPEND PROPERTY VTX_ASAN_TESTS ${T_NAME})
  endif()
endfunction()

# The sanitizer runs. A test that runs threads is labelled "sanitize" and
# runs under ThreadSanitizer and AddressSanitizer; one that only parses
# input (the client's, single-threaded over Qt, which is not built for
# ThreadSanitizer) is labelled "asan" and runs under AddressSanitizer.
# sanitize_tests builds the first set, asan_tests both (and what they
# start), so the sanitizer presets need not build the whole tree.
function(vtx_add_sanitize_target)
  get_property(tests GLOBAL PROPERTY VTX_SANITIZE_TESTS)
  get_property(asanTests GLOBAL PROPERTY VTX_ASAN_TESTS)
  add_custom_target(sanitize_tests)
  add_dependencies(sanitize_tests ${tests} ${ARGN})
  add_custom_target(asan_tests)
  add_dependencies(asan_tests sanitize_tests ${asanTests})
endfunction()

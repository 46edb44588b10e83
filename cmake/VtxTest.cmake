# vtx_add_test(NAME <name> SOURCES <files...> LIBS <libs...> LABELS <labels...>)
# One place registers every GoogleTest program with ctest. Each test program
# runs with the build's bin folder as working directory and finds the
# programs it starts (vtx-hostsim, vtx) through VTX_BIN_DIR. Programs
# labelled "gui" run on Qt's offscreen platform.
find_package(GTest REQUIRED)

function(vtx_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock
                                          Threads::Threads)
  target_compile_definitions(${T_NAME} PRIVATE VTX_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" TIMEOUT 300)
  # Widget tests need no display: Qt's offscreen platform stands in for it.
  if("gui" IN_LIST T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  if("sanitize" IN_LIST T_LABELS)
    set_property(GLOBAL APPEND PROPERTY VTX_SANITIZE_TESTS ${T_NAME})
  endif()
endfunction()

# sanitize_tests: builds every test program labelled "sanitize" (and what
# they start), so the sanitizer presets need not build the whole tree.
function(vtx_add_sanitize_target)
  get_property(tests GLOBAL PROPERTY VTX_SANITIZE_TESTS)
  add_custom_target(sanitize_tests)
  add_dependencies(sanitize_tests ${tests} ${ARGN})
endfunction()

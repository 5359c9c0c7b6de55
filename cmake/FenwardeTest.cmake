# fenwarde_add_test(NAME SOURCES a.cpp ... LIBS lib ... [ENV VAR=value ...])
#
# Builds one QtTest executable and registers it with ctest. Every test runs
# headless, in the C locale and with private settings and data folders, so a
# test run never reads or writes the user's own settings or recovery copies.
function(fenwarde_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    # Header-only helpers shared by the tests.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_dependencies(${name} language_files)
    fenwarde_register_test(${name} ${name} ENV ${T_ENV})
endfunction()

# fenwarde_register_test(NAME EXECUTABLE [ENV VAR=value ...])
#
# Registers one more run of a test executable, under its own name and with
# its own environment, so one build can serve several settings.
function(fenwarde_register_test name executable)
    cmake_parse_arguments(T "" "" "ENV" ${ARGN})
    add_test(NAME ${name} COMMAND ${executable})
    set(config_home ${CMAKE_BINARY_DIR}/test-config/${name})
    set(data_home ${CMAKE_BINARY_DIR}/test-data/${name})
    file(MAKE_DIRECTORY ${config_home} ${data_home})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 60
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;XDG_CONFIG_HOME=${config_home};XDG_DATA_HOME=${data_home};ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1;${T_ENV}")
endfunction()

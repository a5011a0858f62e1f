# quickstack_test(<name> SOURCES ... LIBS ...): one GoogleTest binary, its cases run by CTest.
# Tests that draw run on Qt's offscreen platform, so they need no display. The unit_tests
# target builds them all, without the programs the end-to-end tests run.
include(GoogleTest)
find_package(GTest REQUIRED)
add_custom_target(unit_tests)

function(quickstack_test name)
    cmake_parse_arguments(TEST "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} GTest::gtest GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(QUICKSTACK_SANITIZE)
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/sanitizer_options.cpp)
    endif()
    add_dependencies(unit_tests ${name})
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS unit
        DISCOVERY_TIMEOUT 60)
endfunction()

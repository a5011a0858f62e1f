# quickstack_test(<name> SOURCES ... LIBS ...): one GoogleTest binary, its cases run by CTest.
# Tests that draw run on Qt's offscreen platform, so they need no display.
include(GoogleTest)
find_package(GTest REQUIRED)

function(quickstack_test name)
    cmake_parse_arguments(TEST "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} GTest::gtest GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()

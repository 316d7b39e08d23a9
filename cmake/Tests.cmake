# vantrell_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [LABELS <labels...>])
# Builds one GoogleTest executable and registers it with CTest. Every test runs on
# Qt's offscreen platform, so none needs a display.
function(vantrell_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
        LABELS "${ARG_LABELS}")
endfunction()

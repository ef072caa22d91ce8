# vellico_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENV VAR=value ...])
# One GoogleTest executable per area; each test case becomes its own CTest entry.
function(vellico_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vellico_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    VELLICO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELLICO_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/../shared/fixtures")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}")
endfunction()

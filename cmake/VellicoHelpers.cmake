# vellico_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENV VAR=value ...] [WIDGETS | OWN_MAIN])
# WIDGETS: the executable drives widgets and gets a widget application's main.
# One GoogleTest executable per area; each test case becomes its own CTest entry.
function(vellico_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN;WIDGETS" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_WIDGETS)
    target_link_libraries(${name} PRIVATE vellico_test_widget_main)
  elseif(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE vellico_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vellico_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    VELLICO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELLICO_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/../shared/fixtures")
  # The environment is set by a launcher, not by the ENVIRONMENT property:
  # CMake 3.25's test discovery flattens list-valued properties, so every
  # variable after the first would be lost. The launcher also serves discovery.
  # English whatever the session speaks: the tests compare texts; a test that
  # wants a language installs its translation itself.
  set(launcher ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LANGUAGE=en ${ARG_ENV})
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

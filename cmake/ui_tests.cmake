# Window tests. quillory_ui_tests drives the widgets on the offscreen platform;
# quillory_web_tests (every tests/**/*_web_test.cpp) needs the web engine and
# so a real X display: the suite starts its own Xvfb as a CTest fixture and
# stops it by its process id.
file(GLOB_RECURSE UI_TEST_SOURCES CONFIGURE_DEPENDS tests/ui/*.cpp tests/shell/*.cpp)
set(WEB_TEST_SOURCES ${UI_TEST_SOURCES})
list(FILTER UI_TEST_SOURCES EXCLUDE REGEX "_web_test\\.cpp$")
list(FILTER WEB_TEST_SOURCES INCLUDE REGEX "_web_test\\.cpp$")
file(GLOB UI_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/ui_support/*.cpp)
file(GLOB TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/support/*.cpp)
# gtest_discover_tests splits its PROPERTIES at every semicolon, so each
# binary's ENVIRONMENT holds one variable; the rest (C locale, UTC, the web
# engine's flags) the test main sets itself.

function(quillory_ui_test_binary name sources)
  add_executable(${name} ${sources} ${UI_SUPPORT_SOURCES} ${TEST_SUPPORT_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PRIVATE tests)
  target_link_libraries(${name} PRIVATE quillory_ui Qt6::Test GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    QUILLORY_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QUILLORY_LIST_EXE="$<TARGET_FILE:quillory-list>"
    QUILLORY_EXE="$<TARGET_FILE:quillory>")
  add_dependencies(${name} quillory-list quillory)
endfunction()

find_package(Qt6 REQUIRED COMPONENTS Test)
if(UI_TEST_SOURCES)
  quillory_ui_test_binary(quillory_ui_tests "${UI_TEST_SOURCES}")
  gtest_discover_tests(quillory_ui_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "ui."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
if(WEB_TEST_SOURCES)
  set(xvfb_state ${CMAKE_BINARY_DIR}/xvfb)
  add_test(NAME xvfb.start COMMAND ${CMAKE_SOURCE_DIR}/tests/ui_support/xvfb-fixture start ${xvfb_state})
  add_test(NAME xvfb.stop COMMAND ${CMAKE_SOURCE_DIR}/tests/ui_support/xvfb-fixture stop ${xvfb_state})
  set_tests_properties(xvfb.start PROPERTIES FIXTURES_SETUP xvfb)
  set_tests_properties(xvfb.stop PROPERTIES FIXTURES_CLEANUP xvfb)
  quillory_ui_test_binary(quillory_web_tests "${WEB_TEST_SOURCES}")
  gtest_discover_tests(quillory_web_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "web."
    PROPERTIES FIXTURES_REQUIRED xvfb
    ENVIRONMENT "QUILLORY_TEST_DISPLAY_FILE=${xvfb_state}/display")
endif()

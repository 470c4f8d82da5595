# The test suite, split into binaries by folder: tests/<layer>/ mirrors
# src/<layer>/, and a test that needs a real service lives in a sub-folder
# named after the suite's fixture that starts it:
#
#   tests/{platform,text,net,settings,log,engine,cli}/   quillory_tests
#   tests/{net,cli}/smbd/                                quillory_smb_tests   (smbd)
#   tests/ui/{main,settings,auxiliary}/, tests/shell/    quillory_ui_tests    (offscreen)
#   tests/ui/smbd/                                       quillory_ui_smb_tests (smbd)
#   tests/ui/xvfb/                                       quillory_web_tests   (Xvfb)
#
# Each fixture is a pair of CTest tests that start the service and stop it by
# its process id. gtest_discover_tests splits its PROPERTIES at every
# semicolon, so each binary's ENVIRONMENT holds one variable; the rest the
# test mains set themselves.
include(GoogleTest)
file(GLOB TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/support/*.cpp)

function(quillory_test_binary name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS;LIBS")
  set(sources)
  foreach(folder IN LISTS arg_FOLDERS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  add_executable(${name} ${sources} ${TEST_SUPPORT_SOURCES})
  target_include_directories(${name} PRIVATE tests)
  target_link_libraries(${name} PRIVATE ${arg_LIBS})
  target_compile_definitions(${name} PRIVATE
    QUILLORY_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QUILLORY_LIST_EXE="$<TARGET_FILE:quillory-list>"
    QUILLORY_TEST_SMBD_DIR="${CMAKE_BINARY_DIR}/smbd")
  add_dependencies(${name} quillory-list)
endfunction()

# quillory_fixture(NAME SCRIPT): NAME.start and NAME.stop around the tests
# that require the fixture NAME; the service's state lives in build/NAME.
function(quillory_fixture name script)
  set(state ${CMAKE_BINARY_DIR}/${name})
  add_test(NAME ${name}.start COMMAND ${CMAKE_SOURCE_DIR}/${script} start ${state})
  add_test(NAME ${name}.stop COMMAND ${CMAKE_SOURCE_DIR}/${script} stop ${state})
  set_tests_properties(${name}.start PROPERTIES FIXTURES_SETUP ${name})
  set_tests_properties(${name}.stop PROPERTIES FIXTURES_CLEANUP ${name})
endfunction()

set(layers platform text net settings log engine cli)
quillory_test_binary(quillory_tests FOLDERS ${layers} LIBS quillory_engine GTest::gtest_main)
gtest_discover_tests(quillory_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "LC_ALL=C;TZ=UTC")

quillory_fixture(smbd tests/support/smbd-fixture)
quillory_test_binary(quillory_smb_tests FOLDERS net/smbd cli/smbd LIBS quillory_engine GTest::gtest_main)
gtest_discover_tests(quillory_smb_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "smb."
  PROPERTIES FIXTURES_REQUIRED smbd ENVIRONMENT "LC_ALL=C")

if(build_gui)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  file(GLOB UI_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/ui_support/*.cpp)
  function(quillory_ui_test_binary name)
    quillory_test_binary(${name} ${ARGN} LIBS quillory_ui Qt6::Test GTest::gtest)
    target_sources(${name} PRIVATE ${UI_SUPPORT_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_compile_definitions(${name} PRIVATE QUILLORY_EXE="$<TARGET_FILE:quillory>")
    add_dependencies(${name} quillory)
  endfunction()

  quillory_ui_test_binary(quillory_ui_tests FOLDERS ui/main ui/settings ui/auxiliary shell)
  gtest_discover_tests(quillory_ui_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "ui."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

  quillory_ui_test_binary(quillory_ui_smb_tests FOLDERS ui/smbd)
  gtest_discover_tests(quillory_ui_smb_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "ui_smb."
    PROPERTIES FIXTURES_REQUIRED smbd ENVIRONMENT "QUILLORY_TEST_SMBD=${CMAKE_BINARY_DIR}/smbd")

  quillory_fixture(xvfb tests/ui_support/xvfb-fixture)
  quillory_ui_test_binary(quillory_web_tests FOLDERS ui/xvfb)
  gtest_discover_tests(quillory_web_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "web."
    PROPERTIES FIXTURES_REQUIRED xvfb
    ENVIRONMENT "QUILLORY_TEST_DISPLAY_FILE=${CMAKE_BINARY_DIR}/xvfb/display")
endif()

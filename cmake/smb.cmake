# SMB shares through libsmbclient (Debian libsmbclient-dev), found with
# pkg-config. The share tests need a Samba server of their own: they are
# their own binary, quillory_smb_tests, and the suite starts and stops smbd
# around them as a CTest fixture (tests/support/smbd-fixture).
find_package(PkgConfig REQUIRED)
pkg_check_modules(SMBCLIENT REQUIRED IMPORTED_TARGET smbclient)
target_link_libraries(quillory_engine PUBLIC PkgConfig::SMBCLIENT)

if(TARGET quillory_tests)
  # Every test source with "smb" in its name needs the server.
  get_target_property(all_test_sources quillory_tests SOURCES)
  set(smb_test_sources ${all_test_sources})
  list(FILTER smb_test_sources INCLUDE REGEX "tests/(platform|cli)/[^/]*smb[^/]*\\.cpp$")
  list(FILTER all_test_sources EXCLUDE REGEX "tests/(platform|cli)/[^/]*smb[^/]*\\.cpp$")
  set_property(TARGET quillory_tests PROPERTY SOURCES ${all_test_sources})

  if(smb_test_sources)
    file(GLOB smb_support_sources CONFIGURE_DEPENDS tests/support/*.cpp)
    add_executable(quillory_smb_tests ${smb_test_sources} ${smb_support_sources})
    target_include_directories(quillory_smb_tests PRIVATE tests)
    target_link_libraries(quillory_smb_tests PRIVATE quillory_engine GTest::gtest_main)
    target_compile_definitions(quillory_smb_tests PRIVATE
      QUILLORY_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      QUILLORY_LIST_EXE="$<TARGET_FILE:quillory-list>")
    add_dependencies(quillory_smb_tests quillory-list)

    set(smbd_dir ${CMAKE_BINARY_DIR}/smbd)
    add_test(NAME smbd.start COMMAND ${CMAKE_SOURCE_DIR}/tests/support/smbd-fixture start ${smbd_dir})
    add_test(NAME smbd.stop COMMAND ${CMAKE_SOURCE_DIR}/tests/support/smbd-fixture stop ${smbd_dir})
    set_tests_properties(smbd.start PROPERTIES FIXTURES_SETUP smbd)
    set_tests_properties(smbd.stop PROPERTIES FIXTURES_CLEANUP smbd)
    gtest_discover_tests(quillory_smb_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "smb."
      PROPERTIES FIXTURES_REQUIRED smbd
      ENVIRONMENT "LC_ALL=C;TZ=UTC;QUILLORY_TEST_SMBD=${smbd_dir}")
  endif()
endif()

# The desktop program `quillory`: the windows (src/ui) and the file-manager
# verb and folder browsing (src/shell) in one library that the program, its
# tools and the window tests link, with what the program sets up before Qt
# starts (src/ui/app/desktop_start: the font fallback among it); the program
# itself is src/ui/app/main.cpp and its icon.
file(GLOB_RECURSE UI_SOURCES CONFIGURE_DEPENDS
  src/ui/*.cpp src/ui/*.h src/ui/*.qrc src/shell/*.cpp src/shell/*.h)
list(FILTER UI_SOURCES EXCLUDE REGEX "/src/ui/app/(main\\.cpp|app\\.qrc)$")
add_library(quillory_ui STATIC ${UI_SOURCES})
set_target_properties(quillory_ui PROPERTIES AUTOMOC ON AUTORCC ON)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(quillory_ui PUBLIC
  quillory_engine Qt6::Widgets Qt6::WebEngineWidgets Qt6::PrintSupport Qt6::Concurrent Qt6::Network)
target_link_libraries(quillory_ui PRIVATE PkgConfig::FONTCONFIG)
# Every text a user reads goes through tr(); a plain literal cannot become a
# QString unnoticed.
target_compile_definitions(quillory_ui PRIVATE QT_NO_CAST_FROM_ASCII)

# The translations (Qt Linguist files under translations/) are built into the
# library, so the program and the window tests find them without installing;
# `cmake --build build --target quillory_lupdate` refreshes them from the code.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
file(GLOB QUILLORY_TS_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/*.ts)
qt_add_lrelease(quillory_ui TS_FILES ${QUILLORY_TS_FILES} QM_FILES_OUTPUT_VARIABLE QUILLORY_QM_FILES)
qt_add_resources(quillory_ui quillory_translations PREFIX /translations BASE ${CMAKE_CURRENT_BINARY_DIR}
  FILES ${QUILLORY_QM_FILES})
install(FILES ${QUILLORY_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillory/translations)

set(APP_SOURCES src/ui/app/main.cpp src/ui/app/app.qrc)
add_executable(quillory ${APP_SOURCES})
set_target_properties(quillory PROPERTIES AUTOMOC ON AUTORCC ON)
target_link_libraries(quillory PRIVATE quillory_ui)
target_compile_definitions(quillory PRIVATE QT_NO_CAST_FROM_ASCII)
qt_add_lupdate(quillory TS_FILES ${QUILLORY_TS_FILES} SOURCES ${UI_SOURCES} ${APP_SOURCES}
  INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/src OPTIONS -no-obsolete -locations none)
install(TARGETS quillory RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The user guide beside the program in the build folder, where the program
# looks first; installed, it lives under share/doc/quillory.
configure_file(docs/help.html ${CMAKE_BINARY_DIR}/help.html COPYONLY)
configure_file(packaging/fonts.conf ${CMAKE_BINARY_DIR}/fonts.conf COPYONLY)
install(FILES packaging/fonts.conf DESTINATION ${CMAKE_INSTALL_DATADIR}/quillory)
install(FILES docs/help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillory)
install(FILES packaging/quillory.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/quillory.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# `cpack -G DEB` in the build folder: one package with both programs.
set(CPACK_PACKAGE_NAME quillory)
set(CPACK_PACKAGE_VENDOR "The Quillory developers")
set(CPACK_PACKAGE_CONTACT "The Quillory developers <maintainers@quillory.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillory.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Prints and saves the file list of a folder as HTML or CSV")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillory turns the contents of a folder into a printable file listing: an HTML
document with the user's columns, fonts and colours, previewed, printed or
saved from the desktop program, or a CSV file for a spreadsheet. The command
quillory-list makes the same listings from a terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Libraries are found by dpkg-shlibdeps when it is there; what no library
# names is listed: the web engine's helper process and the X11/Wayland
# platform plugins are loaded at run time, and qpdf is run
# to join the printed pages of a large listing.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6webenginewidgets6, libqt6printsupport6, libqt6webenginecore6-bin, qt6-qpa-plugins, qpdf")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, libqt6webenginecore6, libqt6webenginewidgets6, libqt6webenginecore6-bin, qt6-qpa-plugins, libsqlite3-0, libsmbclient, libfontconfig1, qpdf, libstdc++6, libc6")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-dejavu-core")
include(CPack)

# bench/preview_load/run times the preview's load with this program; it is
# built only when asked for.
add_executable(preview_load EXCLUDE_FROM_ALL bench/preview_load/main.cpp)
target_link_libraries(preview_load PRIVATE quillory_ui)

# bench/gui_bench/run times the desktop program's runs with this program; it
# is built only when asked for.
add_executable(gui_bench EXCLUDE_FROM_ALL bench/gui_bench/main.cpp)
target_link_libraries(gui_bench PRIVATE quillory_ui)

# tools/screenshots/take retakes the README's pictures with this program; it
# is built only when asked for.
add_executable(screenshots EXCLUDE_FROM_ALL tools/screenshots/main.cpp src/ui/app/app.qrc)
set_target_properties(screenshots PROPERTIES AUTORCC ON)
target_link_libraries(screenshots PRIVATE quillory_ui)

# The desktop program `quillory`: the windows (src/ui) and the file-manager
# verb and folder browsing (src/shell) in one library that the program and the
# window tests link; the program itself is only src/ui/app/main.cpp.
file(GLOB_RECURSE UI_SOURCES CONFIGURE_DEPENDS
  src/ui/*.cpp src/ui/*.h src/ui/*.qrc src/shell/*.cpp src/shell/*.h)
list(FILTER UI_SOURCES EXCLUDE REGEX "/src/ui/app/")
add_library(quillory_ui STATIC ${UI_SOURCES})
set_target_properties(quillory_ui PROPERTIES AUTOMOC ON AUTORCC ON)
target_link_libraries(quillory_ui PUBLIC
  quillory_engine Qt6::Widgets Qt6::WebEngineWidgets Qt6::PrintSupport)

file(GLOB APP_SOURCES CONFIGURE_DEPENDS src/ui/app/*.cpp)
add_executable(quillory ${APP_SOURCES})
set_target_properties(quillory PROPERTIES AUTOMOC ON)
target_link_libraries(quillory PRIVATE quillory_ui)
install(TARGETS quillory RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

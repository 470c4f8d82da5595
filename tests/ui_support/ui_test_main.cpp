// The window tests run inside one QApplication. On the offscreen platform for
// plain widgets; with the web engine on the X display that the suite's Xvfb
// fixture started (its number is in the file QUILLORY_TEST_DISPLAY_FILE names).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

#include "ui/app/desktop_start.h"

namespace {

void useFixtureDisplay() {
    const char* file = ::getenv("QUILLORY_TEST_DISPLAY_FILE");
    std::ifstream in(file != nullptr ? file : "");
    std::string number;
    if (file == nullptr || !(in >> number)) return;
    ::setenv("DISPLAY", (":" + number).c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs at build time, where there may be no display.
    const auto listing = [](const char* arg) { return std::strcmp(arg, "--gtest_list_tests") == 0; };
    if (std::any_of(argv + 1, argv + argc, listing)) return RUN_ALL_TESTS();
    // The same for every run, from ctest or by hand: the C locale, UTC, and
    // the web engine as it runs here (as root, without a GPU).
    for (const auto& [name, value] : {std::pair{"LC_ALL", "C"}, {"TZ", "UTC"}, {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                                      {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"}})
        ::setenv(name, value, 1);
    useFixtureDisplay();
    if (::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // As the program starts, so the web engine uses the program's fonts.
    quillory::ui::prepareDesktopProcess();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

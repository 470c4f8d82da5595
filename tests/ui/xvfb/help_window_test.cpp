// Help Contents through the real window: the guide goes to xdg-open, and
// opens in the program's own browser window when there is no xdg-open or it
// ends with an error (3: no tool for the file).
#include <sys/stat.h>

#include <QWebEnginePage>
#include <QWebEngineView>

#include "support/golden.h"
#include "ui/auxiliary/help_file.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

TEST_F(MainWindowTest, HelpOpensItsOwnWindowWhenTheDesktopCannotOpenTheGuide) {
    const struct {
        const char* name;
        const char* exitStatus;  // of the stand-in xdg-open; none on PATH when null
        int windows;             // guide windows open after the row
    } rows[] = {{"Opened", "0", 0}, {"NoTool", "3", 1}, {"NoXdgOpen", nullptr, 2}};
    const auto guideWindows = [&] { return window->findChildren<QWebEngineView*>("helpWindow").size(); };
    const QUrl guide = QUrl::fromLocalFile(ui::helpFilePath());
    for (const auto& row : rows) {
        TempDir bin;
        const std::string record = bin / "record";
        if (row.exitStatus != nullptr) {
            writeFile(bin / "xdg-open",
                      "#!/bin/sh\nprintf %s \"$1\" > '" + record + "'\nexit " + row.exitStatus + "\n");
            ::chmod((bin / "xdg-open").c_str(), 0755);
        }
        const ScopedEnv path("PATH", bin.path().c_str());
        action("mnucontents")->trigger();
        if (row.exitStatus != nullptr) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !readFile(record).empty(); }, 10000));
            EXPECT_EQ(QString::fromStdString(readFile(record)), guide.toLocalFile()) << row.name;
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return guideWindows() == row.windows; }, 10000)) << row.name;
    }
    QTest::qWait(300);  // the first row's xdg-open has long ended: no late window
    EXPECT_EQ(guideWindows(), 2);
    for (const QWebEngineView* shown : window->findChildren<QWebEngineView*>("helpWindow")) {
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->page()->requestedUrl(), guide);
    }
    EXPECT_TRUE(browser.opened.empty());
}

}  // namespace
}  // namespace quillory::test

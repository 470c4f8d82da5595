// The commands that open the other windows: each shows its dialog modally,
// owned by the main window.
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

TEST_F(MainWindowTest, CommandsOpenTheirDialogsModallyOverTheWindow) {
    struct Row {
        const char* command;
        bool toolbar;
        const char* title;
    };
    const Row rows[] = {
        {"tbMapDrive", true, "Map Network Drive"},
        {"tbSettings", true, "Settings"},
        {"mnSettings", false, "Settings"},
    };
    window->show();
    for (const Row& row : rows) {
        QString title;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            title = dialog->windowTitle();
            owner = dialog->parentWidget();
            dialog->reject();
        });
        if (row.toolbar)
            clickTool(row.command);
        else
            action(row.command)->trigger();
        EXPECT_EQ(title, row.title) << row.command;
        EXPECT_EQ(owner, window.get()) << row.command;
    }
}

// The user guide and the web page go to the desktop's default handler; the
// build puts the guide beside the programs, where a build-tree run finds it.
TEST_F(MainWindowTest, HelpCommandsOpenTheGuideAndTheWebPage) {
    action("mnucontents")->trigger();
    action("mnuWebsite")->trigger();
    ASSERT_EQ(browser.opened.size(), 2u);
    EXPECT_TRUE(browser.opened[0].isLocalFile());
    const std::string guide = browser.opened[0].toLocalFile().toStdString();
    EXPECT_TRUE(guide.ends_with("/help.html")) << guide;
    EXPECT_EQ(readFile(guide), readFile(QUILLORY_SOURCE_DIR "/docs/help.html"));
    EXPECT_EQ(browser.opened[1], QUrl("https://quillory.org/"));
}

}  // namespace
}  // namespace quillory::test

// The commands that open the other windows: each shows its dialog modally,
// owned by the main window; the web page goes to the desktop's default
// handler (the user guide's way is help_window_test's).
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

TEST_F(MainWindowTest, CommandsOpenTheirDialogsModallyAndTheWebPage) {
    const std::pair<const char*, const char*> rows[] = {{"tbMapDrive", "Map Network Drive"},
                                                        {"tbSettings", "Settings"}};
    window->show();
    for (const auto& [command, expectedTitle] : rows) {
        QString title;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            title = dialog->windowTitle();
            owner = dialog->parentWidget();
            dialog->reject();
        });
        clickTool(command);
        EXPECT_EQ(title, expectedTitle) << command;
        EXPECT_EQ(owner, window.get()) << command;
    }
    action("mnuWebsite")->trigger();
    EXPECT_EQ(browser.opened, std::vector{QUrl("https://quillory.org/")});
}

}  // namespace
}  // namespace quillory::test

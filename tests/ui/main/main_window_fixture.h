#pragma once
// A main window on a real store in a temp folder (through QUILLORY_SETTINGS),
// with scripted prompts and a recorder in place of the default browser. The
// scratch file and the log go to the temp folder too.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <fstream>
#include <memory>
#include <string>

#include "settings/store.h"
#include "support/golden.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/main/frm_main.h"
#include "ui_support/url_recorder.h"
#include "ui_support/scripted_prompts.h"

namespace quillory::test {

class MainWindowTest : public ::testing::Test {
protected:
    TempDir dir;
    ScopedEnv settingsPath{"QUILLORY_SETTINGS", (dir / "settings.sqlite").c_str()};
    SettingsStore store;
    ScriptedPrompts prompts;
    UrlRecorder browser;
    std::string scratch = dir / "myTmpFile.htm";
    std::unique_ptr<ui::frmMain> window;

    void SetUp() override { makeWindow(); }

    void makeWindow() {
        window = std::make_unique<ui::frmMain>(store, prompts, ui::MainPaths{scratch, dir / "log.txt"});
        browser.watch(window.get());
    }

    // A started run taken to its end through the window's finished handlers.
    void finishRun() { EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isRunning(); }, 60000)); }

    template <class T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* action(const char* name) { return child<QAction>(name); }
    QLineEdit* folderBox() { return child<QLineEdit>("txtFolder"); }
    // A toolbar button clicked with the mouse.
    void clickTool(const char* name) {
        auto* toolbar = child<QToolBar>("Toolbar1");
        QWidget* button = toolbar->widgetForAction(action(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // On the button's round mark: a click beside a short caption hits nothing.
    void click(const char* radioName) {
        QRadioButton* button = child<QRadioButton>(radioName);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // The tick of "Use internal browser" off, so that a shown listing goes to
    // the recorder.
    void useDefaultBrowser() {
        if (action("mnUseInternalBrowser")->isChecked()) action("mnUseInternalBrowser")->trigger();
    }
};

}  // namespace quillory::test

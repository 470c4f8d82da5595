#pragma once
// A settings dialog on a real store in a temp folder, a stand-in main window
// with the quick-option controls, and pickers answered from a script. HOME
// and the XDG folders point into the temp folder, so the folder verb that OK
// adds or removes never touches the real desktop.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QColor>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "log/event_log.h"
#include "settings/store.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/main/main_option_controls.h"
#include "ui/main/quick_options.h"
#include "ui/settings/frm_settings.h"
#include "ui/settings/pickers.h"

namespace quillory::ui::test {

struct ScriptedPickers final : Pickers {
    std::deque<QColor> colours;  // answers; an empty queue cancels
    std::deque<FontChoice> fonts;
    std::vector<QColor> colourStarts;  // what each dialog was given
    std::vector<FontChoice> fontStarts;

    std::optional<QColor> colour(QWidget*, const QColor& start) override {
        colourStarts.push_back(start);
        return next(colours);
    }
    std::optional<FontChoice> font(QWidget*, const FontChoice& start) override {
        fontStarts.push_back(start);
        return next(fonts);
    }

private:
    template <typename T>
    static std::optional<T> next(std::deque<T>& answers) {
        if (answers.empty()) return std::nullopt;
        const T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The main window's quick options: a filter box, six order buttons in one
// exclusive button group and two recursion buttons in a frame of their own.
struct MainWindowStub {
    QWidget window;
    MainOptionControls controls;

    MainWindowStub() {
        auto* layout = new QVBoxLayout(&window);
        controls.txtfilter = new QLineEdit(&window);
        layout->addWidget(controls.txtfilter);
        QRadioButton** order[] = {&controls.optNoOrder,   &controls.optNameOrder, &controls.optSizeOrder,
                                  &controls.optExtOrder,  &controls.optTypeOrder, &controls.optDateOrder};
        auto* orderGroup = new QButtonGroup(&window);
        for (QRadioButton** slot : order) {
            *slot = new QRadioButton(&window);
            orderGroup->addButton(*slot);
            layout->addWidget(*slot);
        }
        // Exclusive through their own frame alone, as sibling option buttons are.
        auto* recursionFrame = new QWidget(&window);
        layout->addWidget(recursionFrame);
        for (QRadioButton** slot : {&controls.optRecurseInfinite, &controls.optNoRecursion})
            *slot = new QRadioButton(recursionFrame);
        controls.optNoOrder->setChecked(true);
        controls.optRecurseInfinite->setChecked(true);
    }
};

template <typename W>
W* control(QWidget& dialog, const QString& name) {
    W* widget = dialog.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

inline void clickOK(QWidget& dialog) { control<QPushButton>(dialog, "cmdOK")->click(); }

class SettingsDialogTest : public ::testing::Test {
protected:
    quillory::test::TempDir home;
    quillory::test::ScopedEnv homeEnv{"HOME", home.path().c_str()};
    quillory::test::ScopedEnv dataEnv{"XDG_DATA_HOME", (home / "data").c_str()};
    quillory::test::ScopedEnv configEnv{"XDG_CONFIG_HOME", (home / "config").c_str()};
    std::string storePath = home / "settings.sqlite";
    SettingsStore store{storePath};
    EventLog log{false, home / "log.txt"};
    ScriptedPickers pickers;
    MainWindowStub main;

    // OK refreshes the stand-in's quick options, as it does the main window's.
    std::unique_ptr<frmSettings> open() {
        auto dialog = std::make_unique<frmSettings>(store, log, pickers, &main.window);
        QObject::connect(dialog.get(), &frmSettings::optionsSaved, &main.window,
                         [this] { restoreOptions(store, main.controls); });
        return dialog;
    }
};

}  // namespace quillory::ui::test

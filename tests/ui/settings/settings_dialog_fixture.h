#pragma once
// A settings dialog on a real store in a temp folder, and pickers answered
// from a script. HOME and the XDG folders point into the temp folder, so the
// folder verb that OK adds or removes never touches the real desktop.
#include <gtest/gtest.h>

#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "log/event_log.h"
#include "settings/store.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/settings/frm_settings.h"
#include "ui/settings/pickers.h"

namespace quillory::ui::test {

struct ScriptedPickers final : Pickers {
    std::deque<QColor> colours;  // answers; an empty queue cancels
    std::deque<FontChoice> fonts;
    std::vector<FontChoice> fontStarts;  // what each dialog was given

    std::optional<QColor> colour(QWidget*, const QColor&) override { return next(colours); }
    std::optional<FontChoice> font(QWidget*, const FontChoice& start) override {
        fontStarts.push_back(start);
        return next(fonts);
    }

private:
    template <typename T>
    static std::optional<T> next(std::deque<T>& answers) {
        const std::optional<T> answer = answers.empty() ? std::nullopt : std::optional<T>(answers.front());
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
};

template <typename W>
W* control(QWidget& dialog, const QString& name) {
    W* widget = dialog.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

inline void clickOK(QWidget& dialog) { control<QPushButton>(dialog, "cmdOK")->click(); }

// What a control shows, as one comparable text: a text box its text, a check
// box or option button "on"/"off", a date picker yyyy-MM-dd, a time picker
// HH:mm, the scheme list its index, and a sample label, addressed as
// name.back, name.text or name.font, its background, its text colour
// (#RRGGBB) or "face size[ bold]".
inline QString controlText(const QWidget& dialog, const QString& name) {
    const QObject* o = dialog.findChild<QObject*>(name.section('.', 0, 0));
    if (auto* box = qobject_cast<const QLineEdit*>(o)) return box->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(o)) return button->isChecked() ? "on" : "off";
    if (auto* date = qobject_cast<const QDateEdit*>(o)) return date->date().toString("yyyy-MM-dd");
    if (auto* time = qobject_cast<const QTimeEdit*>(o)) return time->time().toString("HH:mm");
    if (auto* combo = qobject_cast<const QComboBox*>(o)) return QString::number(combo->currentIndex());
    auto* label = qobject_cast<const QLabel*>(o);
    if (label == nullptr) return "no control " + name;
    const QString part = name.section('.', 1, 1);
    if (part == "back") return label->palette().color(QPalette::Window).name().toUpper();
    if (part == "text") return label->palette().color(QPalette::WindowText).name().toUpper();
    const QFont font = label->font();
    return QString("%1 %2%3").arg(font.family()).arg(font.pointSizeF()).arg(font.bold() ? " bold" : "");
}

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

    std::unique_ptr<frmSettings> open() { return std::make_unique<frmSettings>(store, log, pickers); }
};

}  // namespace quillory::ui::test

#include "ui/auxiliary/frm_map.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "settings/mapped_drives.h"
#include "settings/store.h"
#include "support/temp_dir.h"
#include "support/share_recorder.h"
#include "ui_support/scripted_prompts.h"

namespace quillory::ui {
namespace {

using namespace std::string_literals;

struct MapDialog : ::testing::Test {
    test::TempDir dir;
    SettingsStore store{dir / "settings.sqlite"};
    test::ShareRecorder shares;
    StoredMappings mappings{store};
    NetworkDrives drives{mappings, nullptr, shares.access()};
    test::ScriptedPrompts prompts;
    frmmap dialog{drives, prompts, nullptr};

    template <class T = QLineEdit>
    T* child(const char* name) {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Typed and finished from the keyboard alone.
    void finish(const QString& folder, const QString& user, const QString& password) {
        dialog.show();
        QTest::keyClicks(child("txtFolder"), folder);
        QTest::keyClicks(child("txtUser"), user);
        QTest::keyClicks(child("txtPwd"), password);
        QTest::keyClick(child("txtPwd"), Qt::Key_Return);
    }
};

TEST_F(MapDialog, ShowsItsCaptionsTheFreeLettersAndEmptyBoxes) {
    EXPECT_EQ(dialog.windowTitle(), "Map Network Drive");
    const std::pair<const char*, const char*> captions[] = {
        {"Label5", "Map a network drive to a local drive in order to print file lists from it."},
        {"Label1", "Drive"}, {"Label2", "Folder"}, {"Label6", "Ex: \\\\servername\\sharename"},
        {"Label3", "User Name"}, {"Label4", "Password"},
    };
    for (const auto& [name, text] : captions) {
        auto* label = child<QLabel>(name);
        EXPECT_EQ(label ? label->text() : QString(), text) << name;
    }
    EXPECT_EQ(child<QAbstractButton>("cmdOK")->text(), "Finish");
    EXPECT_EQ(child<QAbstractButton>("cmdcancel")->text(), "Cancel");
    for (const char* name : {"txtFolder", "txtUser", "txtPwd"}) EXPECT_TRUE(child(name)->text().isEmpty());
    EXPECT_EQ(child("txtPwd")->echoMode(), QLineEdit::Password);
    auto* cbodrives = child<QComboBox>("cbodrives");
    EXPECT_EQ(cbodrives->count(), 23) << "D to Z";
    EXPECT_EQ(cbodrives->currentText(), "D");
}

// Empty boxes are empty texts, not the user's own credentials.
TEST_F(MapDialog, FinishMapsTheChosenLetterWithTheBoxesAsTyped) {
    QTest::keyClick(child<QComboBox>("cbodrives"), Qt::Key_Down);
    finish("\\\\server\\share", "", "");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(shares.checks.size(), 1u);
    EXPECT_EQ(shares.checks[0].where.share, "share");
    EXPECT_EQ(shares.checks[0].credentials.user, ""s);
    EXPECT_EQ(shares.checks[0].credentials.password, ""s);
    EXPECT_EQ(drives.usedLetters().text(), "CE") << "D, then one down";
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MapDialog, AFailedConnectionSaysSoAndCloses) {
    shares.result = EACCES;
    finish("\\\\server\\share", "bob", "secret");
    ASSERT_EQ(shares.checks.size(), 1u);
    EXPECT_EQ(shares.checks[0].credentials.password, "secret"s);
    const test::ShownMessage failed{"Error mapping to network drive.", "Quillory", QMessageBox::NoIcon};
    EXPECT_EQ(prompts.messages, std::vector<test::ShownMessage>{failed});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(drives.usedLetters().text(), "C");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace quillory::ui

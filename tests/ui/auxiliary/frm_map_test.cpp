#include "ui/auxiliary/frm_map.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "settings/store.h"
#include "support/temp_dir.h"
#include "ui/auxiliary/drive_share_recorder.h"
#include "ui_support/scripted_prompts.h"

namespace quillory::ui {
namespace {

using namespace std::string_literals;

struct MapDialog : ::testing::Test {
    test::TempDir dir;
    SettingsStore store{dir / "settings.sqlite"};
    test::ShareRecorder shares;
    NetworkDrives drives{store, nullptr, shares.access()};
    test::ScriptedPrompts prompts;

    template <class T>
    T* child(frmmap& dialog, const char* name) {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void fill(frmmap& dialog, const QString& folder, const QString& user, const QString& password) {
        QTest::keyClicks(child<QLineEdit>(dialog, "txtFolder"), folder);
        QTest::keyClicks(child<QLineEdit>(dialog, "txtUser"), user);
        QTest::keyClicks(child<QLineEdit>(dialog, "txtPwd"), password);
    }
};

TEST_F(MapDialog, ShowsItsCaptionsAndEmptyBoxes) {
    frmmap dialog(drives, prompts, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Map Network Drive");
    const std::pair<const char*, const char*> labels[] = {
        {"Label5", "Map a network drive to a local drive in order to print file lists from it."},
        {"Label1", "Drive"},
        {"Label2", "Folder"},
        {"Label6", "Ex: \\\\servername\\sharename"},
        {"Label3", "User Name"},
        {"Label4", "Password"},
    };
    for (const auto& [name, text] : labels) {
        if (auto* label = child<QLabel>(dialog, name)) {
            EXPECT_EQ(label->text(), text) << name;
        }
    }
    EXPECT_EQ(child<QAbstractButton>(dialog, "cmdOK")->text(), "Finish");
    EXPECT_EQ(child<QAbstractButton>(dialog, "cmdcancel")->text(), "Cancel");
    for (const char* name : {"txtFolder", "txtUser", "txtPwd"}) EXPECT_TRUE(child<QLineEdit>(dialog, name)->text().isEmpty());
    EXPECT_EQ(child<QLineEdit>(dialog, "txtPwd")->echoMode(), QLineEdit::Password);
    for (const char* name : {"Line1", "Line2"}) child<QWidget>(dialog, name);
}

TEST_F(MapDialog, OffersTheFreeLettersLowestFirst) {
    ASSERT_EQ(drives.mapNetworkDrive("D", "\\\\host\\d", std::nullopt, std::nullopt), 0);
    ASSERT_EQ(drives.mapNetworkDrive("G", "\\\\host\\g", std::nullopt, std::nullopt), 0);
    frmmap dialog(drives, prompts, nullptr);
    auto* cbodrives = child<QComboBox>(dialog, "cbodrives");
    QString offered;
    for (int i = 0; i < cbodrives->count(); ++i) offered += cbodrives->itemText(i);
    EXPECT_EQ(offered, "EFHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(cbodrives->currentText(), "E");
}

// Typed and finished from the keyboard alone; empty boxes are empty texts,
// not the user's own credentials.
TEST_F(MapDialog, FinishMapsTheChosenLetterWithTheBoxesAsTyped) {
    frmmap dialog(drives, prompts, nullptr);
    dialog.show();
    QTest::keyClick(child<QComboBox>(dialog, "cbodrives"), Qt::Key_Down);
    fill(dialog, "\\\\server\\share", "", "");
    QTest::keyClick(child<QLineEdit>(dialog, "txtPwd"), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(shares.checks.size(), 1u);
    EXPECT_EQ(shares.checks[0].where.share, "share");
    EXPECT_EQ(shares.checks[0].credentials.user, ""s);
    EXPECT_EQ(shares.checks[0].credentials.password, ""s);
    EXPECT_EQ(drives.getDriveStrings(), "C:\\\0E:\\\0\0"s) << "D, then one down";
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MapDialog, AFailedConnectionSaysSoAndCloses) {
    shares.result = EACCES;
    frmmap dialog(drives, prompts, nullptr);
    dialog.show();
    fill(dialog, "\\\\server\\share", "bob", "secret");
    QTest::mouseClick(child<QAbstractButton>(dialog, "cmdOK"), Qt::LeftButton);
    ASSERT_EQ(shares.checks.size(), 1u);
    EXPECT_EQ(shares.checks[0].credentials.password, "secret"s);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], (test::ShownMessage{"Error mapping to network drive.", "Quillory", QMessageBox::NoIcon}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(drives.getDriveStrings(), "C:\\\0\0"s);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MapDialog, CancelConnectsNothing) {
    frmmap dialog(drives, prompts, nullptr);
    dialog.show();
    fill(dialog, "\\\\server\\share", "", "");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(shares.checks.empty());
    EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace quillory::ui

#include "ui/auxiliary/frm_map.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTcpServer>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

#include "settings/mapped_drives.h"
#include "settings/store.h"
#include "support/temp_dir.h"
#include "support/share_recorder.h"
#include "ui_support/scripted_prompts.h"

namespace quillory::ui {
namespace {

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
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 10000));
    }
};

// The free letters D to Z are offered, D first. Empty boxes are empty
// texts, not the user's own credentials.
TEST_F(MapDialog, FinishMapsTheChosenLetterWithTheBoxesAsTyped) {
    EXPECT_EQ(child("txtPwd")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QComboBox>("cbodrives")->count(), 23);
    EXPECT_EQ(child<QComboBox>("cbodrives")->currentText(), "D");
    QTest::keyClick(child<QComboBox>("cbodrives"), Qt::Key_Down);
    finish("\\\\server\\share", "", "");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(shares.checks.size(), 1u);
    EXPECT_EQ(shares.checks[0].where.share, "share");
    EXPECT_TRUE(shares.checks[0].credentials.user == "" && shares.checks[0].credentials.password == "");
    EXPECT_EQ(drives.usedLetters().text(), "CE") << "D, then one down";
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MapDialog, AFailedConnectionSaysSoAndCloses) {
    shares.result = EACCES;
    finish("\\\\server\\share", "bob", "secret");
    ASSERT_EQ(shares.checks.size(), 1u);
    EXPECT_EQ(shares.checks[0].credentials.password, "secret");
    const test::ShownMessage failed{"Error mapping to network drive.", "Quillory", QMessageBox::NoIcon};
    EXPECT_EQ(prompts.messages, std::vector<test::ShownMessage>{failed});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(drives.usedLetters().text(), "C");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Disconnect gives the chosen letter back for good: the next start of the
// program does not find it either.
TEST_F(MapDialog, DisconnectRemovesTheLetterFromTheStore) {
    ASSERT_TRUE(drives.mapNetworkDrive("E", "\\\\server\\share", std::nullopt, std::nullopt));
    ASSERT_TRUE(drives.mapNetworkDrive("G", "\\\\server\\other", std::nullopt, std::nullopt));
    frmmap fresh{drives, prompts, nullptr};
    auto* connected = fresh.findChild<QComboBox*>("cboconnected");
    ASSERT_EQ(connected->count(), 2);
    connected->setCurrentIndex(connected->findText("G"));
    QTest::mouseClick(fresh.findChild<QAbstractButton*>("cmdDisconnect"), Qt::LeftButton);
    EXPECT_EQ(connected->count(), 1);
    EXPECT_EQ(fresh.findChild<QComboBox*>("cbodrives")->findText("G") >= 0, true);
    EXPECT_EQ(NetworkDrives(mappings, nullptr, shares.access()).usedLetters().text(), "CE");
}

// A share that takes the connection and never answers: the dialog keeps
// answering, and Cancel leaves at once.
TEST_F(MapDialog, AShareThatNeverAnswersLeavesTheWindowAnswering) {
    NetworkDrives real{mappings, nullptr};
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    {
        frmmap probing{real, prompts, nullptr};
        probing.show();
        const QString share = QString("smb://127.0.0.1:%1/share").arg(silent.serverPort());
        probing.findChild<QLineEdit*>("txtFolder")->setText(share);
        // The probe runs on a worker: the window's timers keep ticking
        // while the share holds the connection.
        int ticks = 0;
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, [&] { ticks += silent.hasPendingConnections() ? 1 : 0; });
        clock.start(10);
        QTest::keyClick(probing.findChild<QLineEdit*>("txtPwd"), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 10; }, 10000));
        EXPECT_TRUE(probing.isVisible() && QApplication::overrideCursor() != nullptr);
        QTest::mouseClick(probing.findChild<QAbstractButton*>("cmdcancel"), Qt::LeftButton);
        EXPECT_FALSE(probing.isVisible() || QApplication::overrideCursor() != nullptr);
    }
    // The connection closes; the worker ends before the table goes.
    delete silent.nextPendingConnection();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(real.usedLetters().text(), "C");
}

}  // namespace
}  // namespace quillory::ui

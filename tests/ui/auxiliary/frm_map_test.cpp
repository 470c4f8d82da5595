#include "ui/auxiliary/frm_map.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QThreadPool>

#include "settings/mapped_drives.h"
#include "settings/store.h"
#include "support/temp_dir.h"
#include "support/share_recorder.h"
#include "ui/main/stall_meter.h"
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
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 10000));
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

// A loopback port that takes connections and never answers.
class SilentServer {
public:
    SilentServer() {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(m_fd, 4) == 0 &&
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port = ntohs(address.sin_port);
    }
    ~SilentServer() {
        if (m_client >= 0) ::close(m_client);
        ::close(m_fd);
    }
    bool accepted() {
        pollfd waiting{m_fd, POLLIN, 0};
        if (m_client < 0 && ::poll(&waiting, 1, 0) == 1) m_client = ::accept(m_fd, nullptr, nullptr);
        return m_client >= 0;
    }
    // The connection ends: the client's read fails.
    void hangUp() {
        if (m_client >= 0) ::shutdown(m_client, SHUT_RDWR);
    }
    int port = 0;

private:
    int m_fd = -1;
    int m_client = -1;
};

// A share that takes the connection and never answers: the dialog keeps
// answering, and Cancel leaves at once.
TEST(MapDialogShare, ThatNeverAnswersLeavesTheWindowAnswering) {
    test::TempDir dir;
    SettingsStore store{dir / "settings.sqlite"};
    StoredMappings mappings{store};
    NetworkDrives drives{mappings, nullptr};
    test::ScriptedPrompts prompts;
    SilentServer silent;
    ASSERT_NE(silent.port, 0);
    {
        frmmap dialog{drives, prompts, nullptr};
        dialog.show();
        dialog.findChild<QLineEdit*>("txtFolder")->setText(QStringLiteral("smb://127.0.0.1:%1/share").arg(silent.port));
        test::StallMeter stalls;
        QTest::keyClick(dialog.findChild<QLineEdit*>("txtPwd"), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return silent.accepted(); }, 5000));
        QTest::qWait(300);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        QTest::mouseClick(dialog.findChild<QAbstractButton*>("cmdcancel"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_LE(stalls.longestMs(), 100);
    }
    // The connection closes; the worker ends before the table goes.
    silent.hangUp();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(drives.usedLetters().text(), "C");
}

}  // namespace
}  // namespace quillory::ui

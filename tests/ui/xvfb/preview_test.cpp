// The preview window on a real browser: what it shows, what Save writes, what
// Print makes, and what it refuses to do with hostile names.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QProgressBar>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "support/golden.h"
#include "support/run_process.h"
#include "ui/auxiliary/preview_harness.h"

namespace quillory::test {
namespace {

namespace fs = std::filesystem;

// The root element's inner markup, as the page's own DOM serializes it.
std::string innerMarkup(const PreviewHarness& h) {
    return h.evaluate("document.documentElement.innerHTML").toString().toStdString();
}

QString pathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// Lists a folder of one file, saves the preview as `chosen` and returns the
// markup the page showed; the save's message is the one recorded.
std::string saveOneFileListing(PreviewHarness& h, const std::string& chosen) {
    h.tree.file("a.txt", 1);
    h.list(h.tree.path());
    h.prompts.saveNames.push_back(pathText(chosen));
    std::string shown;
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        shown = innerMarkup(h);
        h.button("Save")->trigger();
        ASSERT_TRUE(h.waitMessages(1));
    });
    return shown;
}

TEST(Preview, ShowsTheListingSavesItsMarkupAndShowsTheNextRun) {
    PreviewHarness h;
    h.tree.file("first-run.txt", 10);
    h.tree.file("na\xc3\xafve.txt", 20);  // UTF-8
    h.tree.file("caf\xe9.txt", 30);       // Latin-1 bytes: not UTF-8
    h.list(h.tree.path());
    const std::string saved = h.files / "saved.html";
    h.prompts.saveNames.push_back(pathText(saved));
    std::string expected;
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        EXPECT_TRUE(h.preview.isModal());
        EXPECT_TRUE(h.preview.windowState() & Qt::WindowMaximized);
        expected = innerMarkup(h);
        h.button("Save")->trigger();
        ASSERT_TRUE(h.waitMessages(1));
    });
    ASSERT_EQ(h.prompts.saveDialogs.size(), 1u);
    EXPECT_EQ(h.prompts.saveDialogs[0].filter, "HTML Documents (*.html);;All Files (*.*)");
    EXPECT_EQ(h.prompts.saveDialogs[0].defaultSuffix, "html");
    EXPECT_EQ(h.prompts.messages[0], (ShownMessage{"Listing was saved to specified file successfully.", "Saved",
                                                   QMessageBox::Information}));
    const std::string bytes = readFile(saved);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.rfind("<head>", 0), 0u);
    EXPECT_TRUE(bytes.ends_with("</body>"));
    EXPECT_NE(bytes.find("first-run.txt"), std::string::npos);
    EXPECT_NE(bytes.find("na\xc3\xafve.txt"), std::string::npos);
    EXPECT_NE(bytes.find("caf\xef\xbf\xbd.txt"), std::string::npos);  // U+FFFD

    fs::remove(h.tree / "first-run.txt");
    h.tree.file("second-run.txt", 10);
    h.list(h.tree.path());
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        const QString shown = h.evaluate("document.body.innerText").toString();
        EXPECT_TRUE(shown.contains("second-run.txt"));
        EXPECT_FALSE(shown.contains("first-run.txt"));
    });
}

struct SaveCase {
    const char* name;
    const char* chosen;       // the name the dialog returns
    const char* written;      // the file that must hold the listing
    std::size_t oldSize;      // bytes already in `written`
};

void PrintTo(const SaveCase& row, std::ostream* out) { *out << row.name; }

class PreviewSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(PreviewSave, WritesExactlyTheShownMarkup) {
    const SaveCase& c = GetParam();
    PreviewHarness h;
    if (c.oldSize > 0) writeFile(h.files / c.written, std::string(c.oldSize, 'x'));
    const std::string shown = saveOneFileListing(h, h.files / c.chosen);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].title, "Saved");
    EXPECT_EQ(readFile(h.files / c.written), shown);
    if (std::strcmp(c.chosen, c.written) != 0) {
        EXPECT_FALSE(fs::exists(h.files / c.chosen));
    }
}

INSTANTIATE_TEST_SUITE_P(Names, PreviewSave,
                         ::testing::Values(SaveCase{"NameWithoutExtensionGetsHtml", "plain", "plain.html", 0},
                                           SaveCase{"OtherExtensionKept", "list.htm", "list.htm", 0},
                                           SaveCase{"LongerOldFileLeavesOnlyTheNewText", "old.html", "old.html",
                                                    200000}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailedSaveCase {
    const char* name;
    const char* target;  // below the test's folder
    int error;
};

void PrintTo(const FailedSaveCase& row, std::ostream* out) { *out << row.name; }

class PreviewFailedSave : public ::testing::TestWithParam<FailedSaveCase> {};

TEST_P(PreviewFailedSave, SaysWhyAndLeavesWhatWasThere) {
    const FailedSaveCase& c = GetParam();
    PreviewHarness h;
    h.files.file("taken.html/inside.txt", 7);  // a folder where the file would go
    h.files.file("plain-file", 5);
    saveOneFileListing(h, h.files / c.target);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    const ShownMessage& shown = h.prompts.messages[0];
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
    EXPECT_EQ(shown.title, "Quillory");
    EXPECT_TRUE(shown.text.contains(pathText(h.files / c.target))) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains(QString::fromLocal8Bit(std::strerror(c.error)))) << shown.text.toStdString();
    EXPECT_EQ(readFile(h.files / "taken.html/inside.txt"), std::string(7, '\0'));
    EXPECT_EQ(fs::file_size(h.files / "plain-file"), 5u);
}

INSTANTIATE_TEST_SUITE_P(Targets, PreviewFailedSave,
                         ::testing::Values(FailedSaveCase{"AFolder", "taken.html", EISDIR},
                                           FailedSaveCase{"BelowAFile", "plain-file/listing.html", ENOTDIR}),
                         [](const auto& info) { return std::string(info.param.name); });

// Names that would run a script or fetch from a server if the listing were
// an ordinary page: the markup is there, nothing of it acts. One name per
// listing, as some of them swallow the rest of the document.
TEST(Preview, HostileNamesRunNoScriptAndFetchNothing) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        ++connections;
        delete server.nextPendingConnection();
    });
    // The browser reads back-slashes in a web address as slashes.
    const std::string remote = "http:\\\\127.0.0.1:" + std::to_string(server.serverPort()) + "\\";
    const struct {
        std::string path;      // below the listed folder
        const char* selector;  // what the name became in the page
    } names[] = {
        {"<img src=x onerror=document.title='ran'>.txt", "img"},
        {"<svg onload=document.title='ran'>.txt", "svg"},
        {"<img src=" + remote + "image.png>.txt", "img"},
        {"<iframe src=" + remote + "frame.html>.txt", "iframe"},
        {"<link rel=stylesheet href=" + remote + "style.css>.txt", "link"},
        {"<object data=" + remote + "object.swf>.txt", "object"},
        {"<img src=file:\\\\\\etc\\passwd>.txt", "img"},
        // A folder heading shows the whole path: the folders "<script>...;<"
        // and "script>" close the script element between them.
        {"<script>document.title='ran';</script>/x.txt", "script"},
    };
    PreviewHarness h;
    for (std::size_t i = 0; i < std::size(names); ++i) {
        SCOPED_TRACE(names[i].path);
        const std::string folder = h.tree.folder("case" + std::to_string(i));
        h.tree.file("case" + std::to_string(i) + "/" + names[i].path);
        h.list(folder, {"-D", "Output/IgnoreNoFiles=1"});
        h.whileShown([&] {
            ASSERT_TRUE(h.waitLoaded());
            QTest::qWait(300);  // time for any sub-resource request to go out
            EXPECT_GE(h.evaluate(QString("document.querySelectorAll('%1').length").arg(names[i].selector)).toInt(), 1);
            EXPECT_NE(h.evaluate("document.title").toString().toStdString(), "ran");
        });
    }
    EXPECT_EQ(connections, 0);
}

TEST(Preview, PrintsToAPdfFile) {
    PreviewHarness h;
    h.tree.file("printed-name.txt", 1);
    h.list(h.tree.path());
    const std::string pdf = h.files / "listing.pdf";
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        h.printToPdf(pdf);
        ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(pdf) && fs::file_size(pdf) > 0; }, 20000));
        QTest::qWait(200);
    });
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    const ProcessResult text = runProcess({pdftotext.toStdString(), pdf, "-"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("printed-name.txt"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Total Files: 1"), std::string::npos) << text.out;

    // The style's faces (Tahoma, Verdana) are missing, as on most Linux
    // desktops: the desktop's sans-serif face stands in, never a serif one.
    const auto tool = [](const char* name) { return QStandardPaths::findExecutable(name).toStdString(); };
    if (!runProcess({tool("fc-list"), "Tahoma"}).out.empty()) return;
    const auto pdfName = [&](const char* alias) {  // as a PDF names the face: no blanks
        std::string family = runProcess({tool("fc-match"), "-f", "%{family[0]}", alias}).out;
        std::erase(family, ' ');
        return family;
    };
    const ProcessResult fonts = runProcess({tool("pdffonts"), pdf});
    ASSERT_EQ(fonts.status, 0) << fonts.err;
    EXPECT_NE(fonts.out.find(pdfName("sans-serif")), std::string::npos) << fonts.out;
    EXPECT_EQ(fonts.out.find(pdfName("serif")), std::string::npos) << fonts.out;
}

// The page's process ending (out of memory, say) takes down neither the
// window nor the program: the user is told and offered the default browser,
// and the next preview shows the listing again.
TEST(Preview, LostPageProcessIsReportedAndTheNextPreviewWorks) {
    PreviewHarness h;
    h.tree.file("still-here.txt", 1);
    h.list(h.tree.path());
    h.prompts.answers.push_back(false);
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        const qint64 pid = h.web()->page()->renderProcessPid();
        ASSERT_GT(pid, 0);
        ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h.prompts.questions.empty(); }, 10000));
        EXPECT_TRUE(h.preview.isVisible());
    });
    ASSERT_EQ(h.prompts.questions.size(), 1u);
    EXPECT_TRUE(h.prompts.questions[0].contains("default web browser")) << h.prompts.questions[0].toStdString();
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        EXPECT_TRUE(h.evaluate("document.body.innerText").toString().contains("still-here.txt"));
    });
    EXPECT_EQ(h.prompts.questions.size(), 1u);
}

// Loading happens in the browser's own process: the window keeps answering
// and says that it is loading, and a listing this large comes in pages. The
// time is printed, not judged; larger listings are bench/preview_load's.
TEST(Preview, ManyFilesLoadWhileTheWindowAnswers) {
    PreviewHarness h;
    const TempDir big = TempDir::inMemory();
    big.manyFiles("many", 10000);
    h.list(big / "many");
    QElapsedTimer clock, sinceTick;
    qint64 longestPause = 0;
    bool loadingShown = false;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longestPause = std::max(longestPause, sinceTick.restart());
        const auto* progress = h.preview.findChild<QProgressBar*>();
        loadingShown = loadingShown || (progress != nullptr && progress->isVisible());
    });
    h.whileShown([&] {
        clock.start();
        sinceTick.start();
        ticks.start(50);
        ASSERT_TRUE(h.waitLoaded(600000));
        ticks.stop();
        std::cout << "10,000 files: " << fs::file_size(h.scratch) << " bytes, first page loaded in "
                  << clock.elapsed() << " ms; the window's longest pause " << longestPause << " ms\n";
        EXPECT_EQ(h.preview.pageCount(), 20u);
        EXPECT_EQ(h.evaluate("document.querySelectorAll('tr[class^=file]').length").toInt(), 500);
    });
    EXPECT_TRUE(loadingShown);
    EXPECT_LT(longestPause, 2000);
}

}  // namespace
}  // namespace quillory::test

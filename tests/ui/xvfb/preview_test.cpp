// The preview window on a real browser: what it shows, what Save writes, what
// Print makes, what it refuses to do with hostile names, and a large load.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <filesystem>

#include "support/golden.h"
#include "support/run_process.h"
#include "ui/auxiliary/preview_harness.h"

namespace quillory::test {
namespace {

namespace fs = std::filesystem;

// What each Save in one showing chose, and the file that must then hold the
// shown markup; a failing save names the target and the reason instead.
struct SaveCase {
    const char* name;
    const char* chosen;   // the name the dialog returns
    const char* written;  // the file that must hold the listing
    int error;            // 0: the save succeeds
};

const SaveCase kSaves[] = {
    {"NameWithoutExtensionGetsHtml", "plain", "plain.html", 0},
    {"OtherExtensionKept", "list.htm", "list.htm", 0},
    {"LongerOldFileLeavesOnlyTheNewText", "old.html", "old.html", 0},
    {"AFolder", "taken.html", "", EISDIR},
};

TEST(Preview, ShowsSavesAndPrintsTheListingThenShowsTheNextRun) {
    PreviewHarness h;
    h.tree.file("first-run.txt", 10);
    h.tree.file("na\xc3\xafve.txt", 20);  // UTF-8
    h.tree.file("caf\xe9.txt", 30);       // Latin-1 bytes: not UTF-8
    h.list(h.tree.path());
    writeFile(h.files / "old.html", std::string(200000, 'x'));
    h.files.file("taken.html/inside.txt", 7);  // a folder where the file would go
    const std::string pdf = h.files / "listing.pdf";
    std::string expected;
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        // The root element's inner markup, as the page's own DOM serializes it.
        expected = h.evaluate("document.documentElement.innerHTML").toString().toStdString();
        for (std::size_t i = 0; i < std::size(kSaves); ++i) {
            h.prompts.saveNames.push_back(pathText(h.files / kSaves[i].chosen));
            h.button("Save")->trigger();
            ASSERT_TRUE(h.waitMessages(i + 1)) << kSaves[i].name;
        }
        h.printToPdf(pdf);
        ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(pdf) && fs::file_size(pdf) > 0; }, 20000));
        QTest::qWait(200);
    });
    ASSERT_EQ(h.prompts.messages.size(), std::size(kSaves));
    EXPECT_EQ(h.prompts.saveDialogs[0].filter, "HTML Documents (*.html);;All Files (*.*)");
    EXPECT_EQ(h.prompts.saveDialogs[0].defaultSuffix, "html");
    for (std::size_t i = 0; i < std::size(kSaves); ++i) {
        const SaveCase& c = kSaves[i];
        const ShownMessage& shown = h.prompts.messages[i];
        if (c.error == 0) {
            EXPECT_EQ(shown, (ShownMessage{"Listing was saved to specified file successfully.", "Saved",
                                           QMessageBox::Information}));
            EXPECT_EQ(readFile(h.files / c.written), expected) << c.name;
            EXPECT_EQ(fs::exists(h.files / c.chosen), std::strcmp(c.chosen, c.written) == 0);
            continue;
        }
        EXPECT_EQ(shown.icon, QMessageBox::Critical);
        EXPECT_EQ(shown.title, "Quillory");
        EXPECT_TRUE(shown.text.contains(pathText(h.files / c.chosen))) << c.name;
        EXPECT_TRUE(shown.text.contains(QString::fromLocal8Bit(std::strerror(c.error)))) << shown.text.toStdString();
    }
    EXPECT_EQ(readFile(h.files / "taken.html/inside.txt"), std::string(7, '\0'));
    const std::string bytes = readFile(h.files / "plain.html");
    EXPECT_NE(bytes.find("na\xc3\xafve.txt"), std::string::npos);
    EXPECT_NE(bytes.find("caf\xef\xbf\xbd.txt"), std::string::npos);  // U+FFFD

    const ProcessResult text = runProcess({QStandardPaths::findExecutable("pdftotext").toStdString(), pdf, "-"});
    ASSERT_EQ(text.status, 0) << "pdftotext (poppler-utils) is needed: " << text.err;
    EXPECT_NE(text.out.find("first-run.txt"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Total Files: 3"), std::string::npos) << text.out;

    // The style's faces (Tahoma, Verdana) are missing, as on most Linux
    // desktops: the desktop's sans-serif face stands in, never a serif one.
    const auto tool = [](const char* name) { return QStandardPaths::findExecutable(name).toStdString(); };
    if (runProcess({tool("fc-list"), "Tahoma"}).out.empty()) {
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
        {"<iframe src=" + remote + "frame.html>.txt", "iframe"},
        {"<img src=file:\\\\\\etc\\passwd>.txt", "img"},
        // A folder heading shows the whole path: the folders "<script>...;<"
        // and "script>" close the script element between them.
        {"<script>document.title='ran';</script>/x.txt", "script"},
    };
    PreviewHarness h;
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const std::string folder = h.tree.folder("case" + std::to_string(i));
        h.tree.file("case" + std::to_string(i) + "/" + names[i].path);
        h.list(folder, {"-D", "Output/IgnoreNoFiles=1"});
        h.whileShown([&] {
            ASSERT_TRUE(h.waitLoaded());
            QTest::qWait(300);  // time for any sub-resource request to go out
            EXPECT_GE(h.evaluate(QString("document.querySelectorAll('%1').length").arg(names[i].selector)).toInt(), 1);
            EXPECT_NE(h.evaluate("document.title").toString().toStdString(), "ran") << names[i].path;
        });
    }
    EXPECT_EQ(connections, 0);
}

// Loading happens in the browser's own process: the window keeps answering
// (its timer sees the loading bar) and a listing this large comes in pages.
TEST(Preview, ManyFilesLoadInPagesWhileTheWindowAnswers) {
    PreviewHarness h;
    const TempDir big = TempDir::inMemory();
    big.manyFiles("many", 10000);
    h.list(big / "many");
    bool loadingShown = false;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const auto* progress = h.preview.findChild<QProgressBar*>();
        loadingShown = loadingShown || (progress != nullptr && progress->isVisible());
    });
    h.whileShown([&] {
        ticks.start(50);
        ASSERT_TRUE(h.waitLoaded(600000));
        ticks.stop();
        EXPECT_EQ(h.preview.pageCount(), 20u);
        EXPECT_EQ(h.evaluate("document.querySelectorAll('tr[class^=file]').length").toInt(), 500);
    });
    EXPECT_TRUE(loadingShown);
}

}  // namespace
}  // namespace quillory::test

// A listing larger than a page, shown in pages on a real browser: every row
// once across the pages, the page buttons and keys, the folder search, Save
// of the file's own markup, Print of the whole listing, a lost renderer.
// Where the pages are cut is listing_pages_test's.
#include <gtest/gtest.h>
#include <signal.h>

#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/golden.h"
#include "support/run_process.h"
#include "ui/auxiliary/preview_harness.h"

namespace quillory::test {
namespace {

namespace fs = std::filesystem;

// The names in the listing's rows, in the file's order.
QStringList rowNamesInFile(const std::string& scratch) {
    const std::string text = readFile(scratch);
    const std::regex row(R"(<tr class="file(?:Odd)?"><td width="35%">([^\r]*?)</td>)");
    QStringList names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), row); it != std::sregex_iterator(); ++it)
        names << QString::fromStdString((*it)[1]);
    return names;
}

// The names in the rows of the page shown.
QStringList rowNamesShown(const PreviewHarness& h) {
    return h.evaluate("Array.from(document.querySelectorAll('tr[class^=file]'))"
                      ".map(r => r.cells[0].textContent).join('\\n')")
        .toString()
        .split(u'\n', Qt::SkipEmptyParts);
}

// Two folders of 5 and 3 files, in pages of 2 rows: 4 pages, the big folder's
// table cut twice.
void listTwoFolders(PreviewHarness& h) {
    for (int i = 0; i < 5; ++i) h.tree.file("big/b" + std::to_string(i) + ".txt", i);
    for (int i = 0; i < 3; ++i) h.tree.file("small/s" + std::to_string(i) + ".txt", i);
    h.list(h.tree.path(), {"-D", "Output/IgnoreNoFiles=1"});
    h.preview.setPageLimits({2, 1 << 20});
}

// One showing steps through every page with the buttons, the page keys and
// the folder search; a renderer killed meanwhile is reported once and stops
// neither the next page, nor Print of the whole listing, nor the next showing. A second listing
// with a name that is not UTF-8 is saved as the file's own markup.
TEST(PagedPreview, StepsFindsPrintsSavesAndOutlivesTheRenderer) {
    PreviewHarness h;
    listTwoFolders(h);
    const QStringList expected = rowNamesInFile(h.scratch);
    ASSERT_EQ(expected.size(), 8u);
    const std::string pdf = h.files / "listing.pdf";
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        EXPECT_EQ(h.preview.pageCount(), 4u);
        EXPECT_FALSE(h.button("Previous")->isEnabled());
        EXPECT_TRUE(h.button("Save")->isEnabled());
        QStringList seen;
        for (std::size_t k = 0; k < 4; ++k) {
            if (k > 0) {
                h.button("Next")->trigger();
                ASSERT_TRUE(h.waitLoaded());
            }
            EXPECT_EQ(h.preview.currentPage(), k);
            EXPECT_EQ(h.preview.findChild<QLabel*>("PageText")->text(), QString("Page %1 of 4").arg(k + 1));
            seen << rowNamesShown(h);
        }
        EXPECT_FALSE(h.button("Next")->isEnabled());
        EXPECT_EQ(seen, expected);
        for (const auto& [button, page] : {std::pair{"First", 0u}, {"Last", 3u}, {"Previous", 2u}}) {
            h.button(button)->trigger();
            ASSERT_TRUE(h.waitLoaded());
            EXPECT_EQ(h.preview.currentPage(), page) << button;
        }

        // A short page is at its top and its end at once: Page Down opens the
        // next page, Page Up the previous one.
        h.web()->setFocus();
        ASSERT_NE(h.web()->focusProxy(), nullptr);
        for (const auto& [key, page] : {std::pair{Qt::Key_PageDown, 3u}, {Qt::Key_PageUp, 2u}, {Qt::Key_PageUp, 1u}}) {
            QTest::keyClick(h.web()->focusProxy(), key);
            ASSERT_TRUE(h.waitLoaded());
            EXPECT_EQ(h.preview.currentPage(), page);
        }

        // The folders come in the order the file system gives them: small's
        // heading is on the first page or the third, never on the last.
        h.button("Last")->trigger();
        ASSERT_TRUE(h.waitLoaded());
        auto* find = h.preview.findChild<QLineEdit*>("FindFolder");
        ASSERT_NE(find, nullptr);
        ASSERT_TRUE(find->isVisible());
        find->setText("SMALL");
        QTest::keyClick(find, Qt::Key_Return);
        ASSERT_TRUE(h.waitLoaded());
        const std::size_t found = h.preview.currentPage();
        EXPECT_TRUE(found == 0 || found == 2) << found;
        EXPECT_TRUE(rowNamesShown(h).contains("s0.txt"));

        ASSERT_EQ(::kill(static_cast<pid_t>(h.web()->page()->renderProcessPid()), SIGKILL), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h.prompts.questions.empty(); }, 10000));
        EXPECT_TRUE(h.preview.isVisible());
        h.button("Next")->trigger();
        ASSERT_TRUE(h.waitLoaded());
        EXPECT_EQ(h.preview.currentPage(), found + 1);
        EXPECT_FALSE(rowNamesShown(h).empty());

        h.printToPdf(pdf);
        ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(pdf); }, 60000));
        EXPECT_EQ(h.preview.currentPage(), found + 1);  // the page shown stays
    });
    EXPECT_TRUE(h.prompts.messages.empty());
    ASSERT_EQ(h.prompts.questions.size(), 1u);
    EXPECT_TRUE(h.prompts.questions[0].contains("default web browser")) << h.prompts.questions[0].toStdString();
    const ProcessResult text = runProcess({QStandardPaths::findExecutable("pdftotext").toStdString(), pdf, "-"});
    ASSERT_EQ(text.status, 0) << text.err;
    // A join that mixed up the parts' fonts reads back with font errors.
    EXPECT_EQ(text.err, "");
    EXPECT_NE(text.out.find(expected.first().toStdString()), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(expected.last().toStdString()), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Total Files: 8"), std::string::npos) << text.out;

    // The browser holds one page: Save writes the scratch file's own markup
    // inside its root element, byte for byte, the name not in UTF-8 as it is.
    h.tree.file("small/caf\xe9.txt", 1);
    h.list(h.tree.path(), {"-D", "Output/IgnoreNoFiles=1"});
    const std::string saved = h.files / "saved.html";
    h.prompts.saveNames.push_back(pathText(saved));
    h.whileShown([&] {
        ASSERT_TRUE(h.waitLoaded());
        EXPECT_FALSE(rowNamesShown(h).empty());
        h.button("Save")->trigger();
        ASSERT_TRUE(h.waitMessages(1));
    });
    EXPECT_EQ(h.prompts.messages[0], (ShownMessage{"Listing was saved to specified file successfully.", "Saved",
                                                   QMessageBox::Information}));
    const std::string file = readFile(h.scratch);
    ASSERT_TRUE(file.starts_with("<html>") && file.ends_with("</html>"));
    EXPECT_EQ(readFile(saved), file.substr(6, file.size() - 13));
    EXPECT_EQ(h.prompts.questions.size(), 1u);
}

}  // namespace
}  // namespace quillory::test

// Names that a browser reads as markup, previewed from the main window with
// escaping off: the preview counts them and offers to list again with names
// escaped, which shows every row; the stored switch stays off.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineView>
#include <vector>

#include "settings/key_table.h"
#include "ui/auxiliary/preview_harness.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

using MarkupWarningTest = MainWindowTest;

TEST_F(MarkupWarningTest, CountsMarkupNamesAndListsAgainEscaped) {
    for (const char* name : {"tree/<b>bold.txt", "tree/<script>run.txt", "tree/plain.txt", "tree/zeta.txt"})
        dir.file(name, 10);
    ASSERT_TRUE(store.write(keys::NameOrder, "1"));
    ASSERT_TRUE(store.write(keys::NoOrder, "0"));
    if (!action("mnUseInternalBrowser")->isChecked()) action("mnUseInternalBrowser")->trigger();

    // Each showing of the preview, while it stands: the warning's text (or
    // "hidden") and the text of each file row's first cell.
    std::vector<QStringList> seen;
    std::unique_ptr<QSignalSpy> loads;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* preview = window->findChild<ui::frmPreview*>();
        if (preview == nullptr || !preview->isVisible() || seen.size() == 2) return;
        watch.stop();
        auto* web = preview->findChild<QWebEngineView*>("Web");
        if (!loads) loads = std::make_unique<QSignalSpy>(web->page(), &QWebEnginePage::loadFinished);
        EXPECT_TRUE(QTest::qWaitFor([&] { return loads->size() > static_cast<qsizetype>(seen.size()); }, 20000));
        auto* warning = preview->findChild<QWidget*>("MarkupWarning");
        seen.push_back({warning->isVisible() ? warning->findChild<QLabel*>()->text() : "hidden",
                        evaluate(web, "Array.from(document.querySelectorAll('tr[class^=file]'))"
                                      ".map(r => r.cells[0].textContent).join('|')")
                            .toString()});
        if (seen.size() == 1) preview->findChild<QPushButton*>("EscapeNames")->click();
        else preview->done(0);
        watch.start();
    });
    watch.start(50);
    folderBox()->setText(QFile::decodeName((dir / "tree").c_str()));
    action("mnPreview")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() == 2 && !window->isRunning(); }, 60000));
    watch.stop();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0][0], "2 names in this listing hold the character \"<\": the browser may read them as markup and "
                          "hide the rows after them.");
    EXPECT_EQ(seen[1], (QStringList{"hidden", "<b>bold.txt|<script>run.txt|plain.txt|zeta.txt"}));
    EXPECT_EQ(store.read(keys::Escape), "0");
}

}  // namespace
}  // namespace quillory::test

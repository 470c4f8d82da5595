#pragma once
// A preview window over a scratch file of its own, the listings made by the
// real quillory-list, and prompts the test answers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QFile>
#include <QSignalSpy>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"
#include "ui/auxiliary/frm_preview.h"
#include "ui_support/scripted_prompts.h"

namespace quillory::test {

class PreviewHarness {
public:
    // Lists `folder` into the scratch file; `options` go before the folder.
    void list(const std::string& folder, const std::vector<std::string>& options = {});
    // Shows the preview modally and runs `body` while it stands (after the
    // load began); the window is closed afterwards, whatever the body did.
    void whileShown(const std::function<void()>& body);
    // Waits until the load that showing began has finished; its result.
    bool waitLoaded(int timeoutMs = 20000);

    QWebEngineView* web() const;
    QAction* button(const QString& caption) const;
    // The document as the browser serializes it, and a script's value in a
    // world of the test's own (page scripts are off; these still run).
    QString serialized() const;
    QVariant evaluate(const QString& script) const;
    // The message count reaches `count` (a save ends with one).
    bool waitMessages(size_t count, int timeoutMs = 10000) const;
    // Presses Print and answers the print dialog with "Print to File (PDF)"
    // into `pdf`.
    void printToPdf(const std::string& pdf);

    TempDir files;  // scratch file, store, saved files
    TempDir tree;   // what is listed
    ScriptedPrompts prompts;
    std::string scratch = files / "myTmpFile.htm";
    ui::frmPreview preview{prompts, QFile::decodeName(QByteArray::fromStdString(scratch))};

private:
    std::unique_ptr<QSignalSpy> m_loads;
};

namespace preview_detail {

// The answer lives as long as the browser may still give it, even after the
// test stopped waiting.
template <class T>
inline T await(const std::function<void(std::function<void(const T&)>)>& start) {
    struct Answer {
        T value;
        bool given = false;
    };
    const auto answer = std::make_shared<Answer>();
    start([answer](const T& value) {
        answer->value = value;
        answer->given = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer->given; }, 60000)) << "the browser did not answer";
    return answer->value;
}

}  // namespace preview_detail

inline void PreviewHarness::list(const std::string& folder, const std::vector<std::string>& options) {
    std::vector<std::string> argv{QUILLORY_LIST_EXE, "-o", scratch};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(folder);
    const ProcessResult result = runProcess(argv, {"QUILLORY_SETTINGS=" + (files / "settings.sqlite")});
    ASSERT_EQ(result.status, 0) << result.err;
}

inline void PreviewHarness::whileShown(const std::function<void()>& body) {
    m_loads = std::make_unique<QSignalSpy>(web()->page(), &QWebEnginePage::loadFinished);
    QTimer::singleShot(0, &preview, [&] {
        struct CloseAtEnd {
            ui::frmPreview& window;
            ~CloseAtEnd() { window.done(0); }
        } closeAtEnd{preview};
        body();
    });
    preview.showListing();
}

inline bool PreviewHarness::waitLoaded(int timeoutMs) {
    if (!QTest::qWaitFor([&] { return !m_loads->isEmpty(); }, timeoutMs)) return false;
    return m_loads->takeFirst().at(0).toBool();
}

inline QWebEngineView* PreviewHarness::web() const { return preview.findChild<QWebEngineView*>("Web"); }

inline QAction* PreviewHarness::button(const QString& caption) const {
    for (QAction* action : preview.findChild<QToolBar*>("Toolbar1")->actions())
        if (action->text() == caption) return action;
    return nullptr;
}

inline QString PreviewHarness::serialized() const {
    return preview_detail::await<QString>([&](auto done) { web()->page()->toHtml(done); });
}

inline QVariant PreviewHarness::evaluate(const QString& script) const {
    return preview_detail::await<QVariant>(
        [&](auto done) { web()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, done); });
}

inline bool PreviewHarness::waitMessages(size_t count, int timeoutMs) const {
    return QTest::qWaitFor([&] { return prompts.messages.size() >= count; }, timeoutMs);
}

inline void PreviewHarness::printToPdf(const std::string& pdf) {
    QTimer::singleShot(0, [pdf] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* printers = dialog->findChild<QComboBox*>("printers");
        ASSERT_NE(printers, nullptr);
        const int pdfEntry = printers->findText("Print to File (PDF)");
        ASSERT_GE(pdfEntry, 0);
        printers->setCurrentIndex(pdfEntry);
        dialog->findChild<QLineEdit*>("filename")->setText(QFile::decodeName(QByteArray::fromStdString(pdf)));
        dialog->accept();
    });
    button("Print")->trigger();
}

}  // namespace quillory::test

#pragma once
// A preview window over a scratch file of its own, the listings made by the
// real quillory-list, and prompts the test answers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"
#include "ui/auxiliary/frm_preview.h"
#include "ui_support/scripted_prompts.h"

namespace quillory::test {

// A script's value in a world of the test's own (page scripts are off; these
// still run), kept alive as long as the browser may still give it.
inline QVariant evaluate(QWebEngineView* web, const QString& script) {
    const auto answer = std::make_shared<std::optional<QVariant>>();
    web->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                               [answer](const QVariant& value) { *answer = value; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer->has_value(); }, 60000)) << "the browser did not answer";
    return answer->value_or(QVariant());
}

inline QString pathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

class PreviewHarness {
public:
    TempDir files;  // scratch file, store, saved files
    TempDir tree;   // what is listed
    ScriptedPrompts prompts;
    std::string scratch = files / "myTmpFile.htm";
    ui::frmPreview preview{prompts, pathText(scratch)};

    // Lists `folder` into the scratch file; `options` go before the folder.
    void list(const std::string& folder, const std::vector<std::string>& options = {}) {
        std::vector<std::string> argv{QUILLORY_LIST_EXE, "-o", scratch};
        argv.insert(argv.end(), options.begin(), options.end());
        argv.push_back(folder);
        const ProcessResult result = runProcess(argv, {"QUILLORY_SETTINGS=" + (files / "settings.sqlite")});
        ASSERT_EQ(result.status, 0) << result.err;
    }
    // Shows the preview modally and runs `body` while it stands (after the
    // load began); the window is closed afterwards, whatever the body did.
    void whileShown(const std::function<void()>& body) {
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
    // Waits until the load that showing began has finished; its result.
    bool waitLoaded(int timeoutMs = 20000) {
        if (!QTest::qWaitFor([&] { return !m_loads->isEmpty(); }, timeoutMs)) return false;
        return m_loads->takeFirst().at(0).toBool();
    }

    QWebEngineView* web() const { return preview.findChild<QWebEngineView*>("Web"); }
    QAction* button(const QString& caption) const {
        for (QAction* action : preview.findChild<QToolBar*>("Toolbar1")->actions())
            if (action->text() == caption) return action;
        return nullptr;
    }
    QVariant evaluate(const QString& script) const { return test::evaluate(web(), script); }
    // The message count reaches `count` (a save ends with one).
    bool waitMessages(size_t count, int timeoutMs = 10000) const {
        return QTest::qWaitFor([&] { return prompts.messages.size() >= count; }, timeoutMs);
    }
    // Presses Print and answers the print dialog with "Print to File (PDF)"
    // into `pdf`.
    void printToPdf(const std::string& pdf) {
        QTimer::singleShot(0, [pdf] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* printers = dialog->findChild<QComboBox*>("printers");
            ASSERT_NE(printers, nullptr);
            const int pdfEntry = printers->findText("Print to File (PDF)");
            ASSERT_GE(pdfEntry, 0);
            printers->setCurrentIndex(pdfEntry);
            dialog->findChild<QLineEdit*>("filename")->setText(pathText(pdf));
            dialog->accept();
        });
        button("Print")->trigger();
    }

private:
    std::unique_ptr<QSignalSpy> m_loads;
};

}  // namespace quillory::test

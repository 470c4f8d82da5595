#pragma once
// The preview window: the scratch file in an embedded browser, with Save,
// Print and Close. One per program run; every report run reloads it.
//
// The browser runs locked down (preview_page.h): the listing may hold markup
// from hostile file names. A listing too large for the browser, or a failed
// load, is reported with the offer to open the scratch file in the default
// browser instead; the program itself goes on.
#include <QDialog>
#include <QString>
#include <QUrl>
#include <memory>

class QAction;
class QLabel;
class QPrinter;
class QProgressBar;
class QStackedWidget;
class QToolBar;
class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

namespace quillory::ui {

class Prompts;
class PreviewPage;

class frmPreview : public QDialog {
    Q_OBJECT
public:
    frmPreview(Prompts& prompts, const QString& scratchPath, QWidget* parent = nullptr);
    ~frmPreview() override;
    // Reloads the scratch file and shows the window modally; returns when the
    // user closes it.
    void showListing();

private:
    void loadListing();
    void dispatch(QAction* button);
    void save();
    void endSaving();
    void writeListing(const QString& path, const QString& serialized);
    void setDocumentActionsEnabled(bool enabled);
    void print();
    void printDone();
    void loadingChanged(const QWebEngineLoadingInfo& info);
    void showProgress(int percent);
    void rendererGone(int status);
    void offerDefaultBrowser(const QString& reason);

    Prompts& m_prompts;
    QString m_scratchPath;
    QUrl m_listingUrl;  // the scratch file, for the default browser
    QWebEngineProfile* m_profile = nullptr;
    PreviewPage* m_page = nullptr;
    QToolBar* m_toolbar = nullptr;
    QAction* m_save = nullptr;
    QAction* m_print = nullptr;
    QWebEngineView* m_web = nullptr;
    QStackedWidget* m_pages = nullptr;  // the view, or the loading page in its place
    QWidget* m_loadingPage = nullptr;
    QLabel* m_statusText = nullptr;
    QProgressBar* m_progress = nullptr;
    std::unique_ptr<QPrinter> m_printer;  // alive until the browser has printed
    bool m_saving = false;
    bool m_failureShown = false;  // one report per load
};

}  // namespace quillory::ui

#pragma once
// The preview window: the scratch file in an embedded browser, with Save,
// Print and Close. One per program run; every report run reloads it.
//
// The browser runs locked down (preview_page.h): the listing may hold markup
// from hostile file names. A failed load is reported with the offer to open
// the scratch file in the default browser instead; the program itself goes on.
//
// A listing larger than one page (listing_pages.h) is shown a page at a time,
// with First / Previous / Next / Last, the page number and a folder search on
// the toolbar; Save then writes the scratch file's own markup and Print makes
// the whole listing, page after page.
#include <QDialog>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <memory>

#include "ui/auxiliary/listing_pages.h"

class QAction;
class QLabel;
class QLineEdit;
class QProgressDialog;
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
class ListingSchemeHandler;
class PagedPdfPrint;

class frmPreview : public QDialog {
    Q_OBJECT
public:
    frmPreview(Prompts& prompts, const QString& scratchPath, QWidget* parent = nullptr);
    ~frmPreview() override;
    // Reloads the scratch file and shows the window modally; returns when the
    // user closes it.
    void showListing();
    // How large a page may grow before the listing is cut into pages.
    void setPageLimits(ListingPageLimits limits) { m_limits = limits; }
    // The page shown (from 0) and the number of pages; 1 for a listing shown whole.
    std::size_t currentPage() const { return m_pageIndex; }
    std::size_t pageCount() const;
    // Ends a load in progress at once.
    void done(int result) override;
    // Names in the next listing shown that went in unescaped and hold markup
    // characters; when there are any the preview says so and offers to list
    // again with names escaped.
    void setMarkupNames(std::int64_t count);

Q_SIGNALS:
    // The user chose to list again with names escaped; the window has closed.
    void escapeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadListing();
    void navigate(const QUrl& url);
    void showPage(std::size_t k, bool atEnd);
    void updatePageControls();
    void findFolder();
    void loadSucceeded();
    void savePages(const QString& path);
    void printPages(const QString& target, const QString& printerName);
    void reportSaved(const Status& written, const QString& path);
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
    QAction* m_close = nullptr;
    QAction* m_print = nullptr;
    QList<QAction*> m_pageActions;  // shown only for a listing in pages
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    QLabel* m_pageText = nullptr;
    QLineEdit* m_find = nullptr;
    ListingSchemeHandler* m_handler = nullptr;
    ListingPageLimits m_limits;
    std::shared_ptr<const ListingPages> m_listing;  // set while a listing is shown in pages
    std::size_t m_pageIndex = 0;
    bool m_scrollToEnd = false;  // the page was entered from the next one
    bool m_scrollToTop = false;  // a new listing opens at its top
    QString m_findAfterLoad;     // the folder searched for, marked once its page is there
    PagedPdfPrint* m_pagedPrint = nullptr;
    QProgressDialog* m_printProgress = nullptr;
    QWebEngineView* m_web = nullptr;
    QStackedWidget* m_pages = nullptr;  // the view, or the loading page in its place
    QWidget* m_loadingPage = nullptr;
    QLabel* m_statusText = nullptr;
    QProgressBar* m_progress = nullptr;
    std::unique_ptr<QPrinter> m_printer;  // alive until the browser has printed
    bool m_saving = false;
    bool m_failureShown = false;  // one report per load
    QWidget* m_markupBar = nullptr;
    QLabel* m_markupText = nullptr;
};

}  // namespace quillory::ui

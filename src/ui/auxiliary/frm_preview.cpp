#include "ui/auxiliary/frm_preview.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QStyle>
#include <QTemporaryDir>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <cstring>

#include "platform/app_paths.h"
#include "platform/safe_file.h"
#include "ui/auxiliary/preview_icons.h"
#include "ui/auxiliary/preview_markup.h"
#include "ui/auxiliary/preview_page.h"
#include "ui/auxiliary/preview_print.h"
#include "ui/auxiliary/busy_cursor.h"
#include "ui/auxiliary/prompts.h"

namespace quillory::ui {
namespace {

// A chosen name without an extension gets ".html". A leading dot marks a
// hidden file on this system, not an extension.
QString withDefaultSuffix(const QString& path, const QString& suffix) {
    const QString name = QFileInfo(path).fileName();
    if (name.lastIndexOf(u'.') > 0) return path;
    return path + u'.' + suffix;
}

// The program folder; an installed program's folder (/usr/bin) is not the
// user's to write, so the dialog starts in the home folder then.
QString saveStartFolder() {
    const QString programFolder = QFile::decodeName(QByteArray::fromStdString(getAppPath()));
    if (QFileInfo(programFolder).isWritable()) return QDir::cleanPath(programFolder);
    return QDir::homePath();
}

}  // namespace

frmPreview::frmPreview(Prompts& prompts, const QString& scratchPath, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_prompts(prompts),
      m_scratchPath(scratchPath),
      m_listingUrl(QUrl::fromLocalFile(QFileInfo(scratchPath).absoluteFilePath())) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(tr("Quillory - Preview & Print"));
    resize(900, 650);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(24, 24));
    m_save = m_toolbar->addAction(saveIcon(), tr("Save"));
    m_save->setToolTip(tr("Save the listing as an HTML file"));
    m_print = m_toolbar->addAction(printIcon(), tr("Print"));
    m_print->setToolTip(tr("Print the listing"));
    m_close = m_toolbar->addAction(closeIcon(), tr("Close"));
    m_close->setToolTip(tr("Close the preview"));
    m_pageActions << m_toolbar->addSeparator();
    m_first = m_toolbar->addAction(style()->standardIcon(QStyle::SP_MediaSkipBackward), tr("First"));
    m_previous = m_toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Previous"));
    m_next = m_toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Next"));
    m_last = m_toolbar->addAction(style()->standardIcon(QStyle::SP_MediaSkipForward), tr("Last"));
    m_pageText = new QLabel(m_toolbar);
    m_pageText->setObjectName(QStringLiteral("PageText"));
    m_pageText->setContentsMargins(8, 0, 8, 0);
    m_find = new QLineEdit(m_toolbar);
    m_find->setObjectName(QStringLiteral("FindFolder"));
    m_find->setPlaceholderText(tr("Find a folder"));
    m_find->setClearButtonEnabled(true);
    m_find->setMaximumWidth(260);
    connect(m_find, &QLineEdit::returnPressed, this, &frmPreview::findFolder);
    m_pageActions << m_first << m_previous << m_next << m_last << m_toolbar->addWidget(m_pageText)
                  << m_toolbar->addWidget(m_find);
    for (QAction* action : m_pageActions) action->setVisible(false);
    setDocumentActionsEnabled(false);
    connect(m_toolbar, &QToolBar::actionTriggered, this, &frmPreview::dispatch);

    m_profile = makePreviewProfile(m_scratchPath, this);
    m_handler = listingHandler(m_profile);
    m_page = new PreviewPage(m_profile, this);
    m_web = new QWebEngineView(this);
    m_web->setObjectName(QStringLiteral("Web"));
    m_web->setContextMenuPolicy(Qt::NoContextMenu);
    m_web->setPage(m_page);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &frmPreview::loadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, &frmPreview::showProgress);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) { rendererGone(status); });
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, &frmPreview::printDone);
    connect(m_web, &QWebEngineView::printFinished, this, &frmPreview::printDone);

    // While a listing loads the view stays hidden and this page shows the
    // progress: a browser that need not draw the page as it grows loads a
    // large listing about twice as fast.
    m_loadingPage = new QWidget(this);
    m_statusText = new QLabel(m_loadingPage);
    m_statusText->setAlignment(Qt::AlignCenter);
    m_statusText->setWordWrap(true);
    m_progress = new QProgressBar(m_loadingPage);
    m_progress->setRange(0, 100);
    m_progress->setFixedWidth(320);
    auto* loading = new QVBoxLayout(m_loadingPage);
    loading->addStretch(1);
    loading->addWidget(m_statusText);
    loading->addWidget(m_progress, 0, Qt::AlignHCenter);
    loading->addStretch(2);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_web);
    m_pages->addWidget(m_loadingPage);
    m_pages->setCurrentWidget(m_loadingPage);

    m_markupBar = new QWidget(this);
    m_markupBar->setObjectName("MarkupWarning");
    m_markupBar->setBackgroundRole(QPalette::ToolTipBase);
    m_markupBar->setAutoFillBackground(true);
    m_markupText = new QLabel(m_markupBar);
    m_markupText->setWordWrap(true);
    m_markupText->setForegroundRole(QPalette::ToolTipText);
    auto* escape = new QPushButton(tr("List Again with Names Escaped"), m_markupBar);
    escape->setObjectName("EscapeNames");
    connect(escape, &QPushButton::clicked, this, [this] {
        done(QDialog::Accepted);
        Q_EMIT escapeRequested();
    });
    auto* bar = new QHBoxLayout(m_markupBar);
    bar->setContentsMargins(8, 4, 8, 4);
    bar->addWidget(m_markupText, 1);
    bar->addWidget(escape);
    m_markupBar->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_markupBar);
    layout->addWidget(m_pages, 1);
}

frmPreview::~frmPreview() {
    // The profile must outlive every page of it; the view first, as it shows the page.
    delete m_pagedPrint;
    m_page->disconnect(this);
    delete m_web;
    delete m_page;
    delete m_profile;
}

void frmPreview::showListing() {
    loadListing();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    exec();
}

std::size_t frmPreview::pageCount() const { return m_listing ? m_listing->pageCount() : 1; }

void frmPreview::done(int result) {
    m_page->triggerAction(QWebEnginePage::Stop);
    QDialog::done(result);
}

void frmPreview::setMarkupNames(std::int64_t count) {
    m_markupText->setText(count == 1 ? tr("1 name in this listing holds the character \"<\": the browser may read it "
                                          "as markup and hide the rows after it.")
                                     : tr("%L1 names in this listing hold the character \"<\": the browser may read "
                                          "them as markup and hide the rows after them.")
                                           .arg(count));
    m_markupBar->setVisible(count > 0);
}

void frmPreview::loadListing() {
    m_failureShown = false;
    m_pages->setCurrentWidget(m_loadingPage);
    {
        BusyCursor busy;
        auto indexed = ListingPages::index(QFile::encodeName(m_scratchPath).toStdString(), m_limits);
        m_listing = indexed && indexed.value()->pageCount() > 1 ? indexed.value() : nullptr;
    }
    m_handler->setPages(m_listing);
    m_scrollToTop = true;  // a reload would keep the last listing's place
    for (QAction* action : m_pageActions) action->setVisible(m_listing != nullptr);
    if (m_listing) return showPage(0, false);
    m_pageIndex = 0;
    navigate(listingPageUrl());
}

// A reload of the address already shown bypasses every cache, so a second
// run's listing is never served from the first.
void frmPreview::navigate(const QUrl& url) {
    if (m_page->url() == url) m_page->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    else m_page->load(url);
}

void frmPreview::showPage(std::size_t k, bool atEnd) {
    m_pageIndex = k;
    m_scrollToEnd = atEnd;
    updatePageControls();
    navigate(listingPageUrl(k));
}

void frmPreview::updatePageControls() {
    const std::size_t count = pageCount();
    m_first->setEnabled(m_pageIndex > 0);
    m_previous->setEnabled(m_pageIndex > 0);
    m_next->setEnabled(m_pageIndex + 1 < count);
    m_last->setEnabled(m_pageIndex + 1 < count);
    m_pageText->setText(tr("Page %1 of %2").arg(m_pageIndex + 1).arg(count));
}

void frmPreview::findFolder() {
    if (!m_listing || m_find->text().isEmpty()) return;
    const QByteArray wanted = QFile::encodeName(m_find->text());
    long found = -1;
    {
        BusyCursor busy;
        found = m_listing->findFolder(std::string_view(wanted.constData(), wanted.size()), m_pageIndex);
    }
    if (found < 0) {
        QApplication::beep();
        return;
    }
    m_findAfterLoad = m_find->text();
    if (static_cast<std::size_t>(found) == m_pageIndex) m_page->findText(m_findAfterLoad);
    else showPage(static_cast<std::size_t>(found), false);
}

// At the bottom of a page Page Down opens the next one; at its top Page Up
// opens the previous one at its end.
bool frmPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && m_listing) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const qreal top = m_page->scrollPosition().y();
        const qreal shown = m_web->height() / m_page->zoomFactor();
        if (key == Qt::Key_PageDown && top + shown >= m_page->contentsSize().height() - 2 &&
            m_pageIndex + 1 < pageCount()) {
            showPage(m_pageIndex + 1, false);
            return true;
        }
        if (key == Qt::Key_PageUp && top <= 0 && m_pageIndex > 0) {
            showPage(m_pageIndex - 1, true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmPreview::dispatch(QAction* button) {
    if (button == m_save) save();
    else if (button == m_print) print();
    else if (button == m_close) done(QDialog::Accepted);
    else if (button == m_first && m_listing) showPage(0, false);
    else if (button == m_previous && m_pageIndex > 0) showPage(m_pageIndex - 1, false);
    else if (button == m_next && m_pageIndex + 1 < pageCount()) showPage(m_pageIndex + 1, false);
    else if (button == m_last && m_listing) showPage(pageCount() - 1, false);
}

void frmPreview::save() {
    if (m_saving) return;
    QString path = m_prompts.saveFileName(
        this, SaveDialogSpec{tr("HTML Documents (*.html);;All Files (*.*)"), QStringLiteral("html"), saveStartFolder()});
    if (path.isEmpty()) return;
    path = withDefaultSuffix(path, QStringLiteral("html"));
    if (m_listing) return savePages(path);
    m_saving = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QPointer<frmPreview> self(this);
    m_page->toHtml([self, path](const QString& serialized) {
        if (!self || !self->m_saving) return;  // the page's process was lost meanwhile
        self->endSaving();
        self->writeListing(path, serialized);
    });
}

void frmPreview::endSaving() {
    m_saving = false;
    QApplication::restoreOverrideCursor();
}

// Save and Print work on the document shown, so only on a whole one; a
// listing in pages is whole in its file.
void frmPreview::setDocumentActionsEnabled(bool enabled) {
    m_save->setEnabled(enabled || m_listing);
    m_print->setEnabled(enabled || m_listing);
}

// The browser holds one page only: Save writes the listing's own markup
// inside its root element, streamed from the file the pages come from.
void frmPreview::savePages(const QString& path) {
    Status status;
    {
        BusyCursor busy;
        status = m_listing->writeRootInner(QFile::encodeName(path).toStdString());
    }
    reportSaved(status, path);
}

void frmPreview::writeListing(const QString& path, const QString& serialized) {
    Status written;
    {
        BusyCursor busy;
        written = writeFileAtomically(QFile::encodeName(path).toStdString(), rootInnerHtml(serialized).toUtf8().toStdString());
    }
    reportSaved(written, path);
}

void frmPreview::reportSaved(const Status& written, const QString& path) {
    if (written) {
        m_prompts.message(this, tr("Listing was saved to specified file successfully."), tr("Saved"), QMessageBox::Information);
        return;
    }
    m_prompts.message(this,
                      tr("The listing could not be saved to %1: %2.")
                          .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(written.message())),
                      kAppTitle, QMessageBox::Critical);
}

void frmPreview::print() {
    if (m_printer) return;  // the browser is still printing the last request
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) {
        m_printer.reset();
        return;
    }
    if (m_listing) {
        const bool toFile = m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty();
        printPages(toFile ? m_printer->outputFileName() : QString(), toFile ? QString() : m_printer->printerName());
    } else if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        m_page->printToPdf(m_printer->outputFileName(), m_printer->pageLayout());
    else
        m_web->print(m_printer.get());
}

// A print that failed leaves the window as it was; there is nothing to tell.
void frmPreview::printDone() { m_printer.reset(); }

// The whole listing, page after page, to the PDF file chosen; for a printer,
// to a PDF file of its own that is handed to the print spooler (lp).
void frmPreview::printPages(const QString& target, const QString& printerName) {
    auto spool = std::make_shared<QTemporaryDir>();
    const QString pdf = target.isEmpty() ? spool->filePath(QStringLiteral("listing.pdf")) : target;
    const int count = static_cast<int>(pageCount());
    m_pagedPrint = new PagedPdfPrint(m_profile, pageCount(), pdf, m_printer->pageLayout(), this);
    m_printer.reset();
    m_printProgress = new QProgressDialog(tr("Printing page %1 of %2...").arg(1).arg(count), tr("Cancel"), 0, count, this);
    m_printProgress->setWindowTitle(kAppTitle);
    m_printProgress->setMinimumDuration(0);
    m_printProgress->setAutoClose(false);
    m_printProgress->setAutoReset(false);
    m_printProgress->setWindowModality(Qt::WindowModal);
    const auto end = [this] {
        m_printProgress->deleteLater();
        m_printProgress = nullptr;
        m_pagedPrint->deleteLater();
        m_pagedPrint = nullptr;
    };
    connect(m_printProgress, &QProgressDialog::canceled, this, [this, end] {
        m_pagedPrint->cancel();
        end();
    });
    connect(m_pagedPrint, &PagedPdfPrint::progress, this, [this, count](int done) {
        m_printProgress->setValue(done);
        m_printProgress->setLabelText(tr("Printing page %1 of %2...").arg(std::min(done + 1, count)).arg(count));
    });
    connect(m_pagedPrint, &PagedPdfPrint::finished, this, [this, end, spool, pdf, printerName](const QString& error) {
        end();
        if (error.isEmpty() && !printerName.isEmpty() &&
            QProcess::execute(QStringLiteral("lp"), {QStringLiteral("-d"), printerName, QStringLiteral("--"), pdf}) != 0)
            m_prompts.message(this, tr("The listing could not be sent to the printer."), kAppTitle, QMessageBox::Critical);
        else if (!error.isEmpty())
            m_prompts.message(this, tr("The listing could not be printed (%1).").arg(error), kAppTitle,
                              QMessageBox::Critical);
    });
    m_printProgress->show();
    m_pagedPrint->start();
}

void frmPreview::loadingChanged(const QWebEngineLoadingInfo& info) {
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        // A page step keeps the page before it in view until the next is there.
        setDocumentActionsEnabled(false);
        m_statusText->setText(tr("Loading the listing..."));
        m_progress->setValue(0);
        m_progress->show();
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus: loadSucceeded(); break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:  // replaced by a newer load
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_progress->hide();
        m_statusText->setText(tr("The listing could not be loaded."));
        offerDefaultBrowser(info.errorString().isEmpty() ? tr("the page could not be loaded")
                                                         : info.errorString());
        break;
    }
}

void frmPreview::loadSucceeded() {
    setDocumentActionsEnabled(true);
    m_pages->setCurrentWidget(m_web);
    if (QWidget* keys = m_web->focusProxy()) {
        keys->removeEventFilter(this);
        keys->installEventFilter(this);
    }
    if (m_scrollToEnd || m_scrollToTop)
        m_page->runJavaScript(m_scrollToEnd ? QStringLiteral("window.scrollTo(0, document.documentElement.scrollHeight)")
                                            : QStringLiteral("window.scrollTo(0, 0)"),
                              QWebEngineScript::ApplicationWorld);
    m_scrollToEnd = m_scrollToTop = false;
    if (!m_findAfterLoad.isEmpty()) m_page->findText(m_findAfterLoad);
    m_findAfterLoad.clear();
}

void frmPreview::showProgress(int percent) { m_progress->setValue(percent); }

void frmPreview::rendererGone(int status) {
    QString reason;
    switch (status) {
    case QWebEnginePage::NormalTerminationStatus: return;
    case QWebEnginePage::KilledTerminationStatus:
        reason = tr("the browser's page process was ended, perhaps for lack of memory");
        break;
    case QWebEnginePage::CrashedTerminationStatus: reason = tr("the browser's page process crashed"); break;
    default: reason = tr("the browser's page process ended abnormally"); break;
    }
    setDocumentActionsEnabled(false);
    if (m_saving) endSaving();
    m_progress->hide();
    m_statusText->setText(tr("The listing could not be shown."));
    m_pages->setCurrentWidget(m_loadingPage);
    offerDefaultBrowser(reason);
}

// Asked after the browser's signal has returned, so that the question's own
// event loop does not run inside the browser's notification.
void frmPreview::offerDefaultBrowser(const QString& reason) {
    if (m_failureShown || !isVisible()) return;  // a closed preview reloads on its next showing
    m_failureShown = true;
    QTimer::singleShot(0, this, [this, reason] {
        const QString text = tr("The preview could not show the listing (%1).\n\n"
                                "Open it in the default web browser instead?")
                                 .arg(reason);
        if (m_prompts.ask(this, text, kAppTitle)) QDesktopServices::openUrl(m_listingUrl);
    });
}

}  // namespace quillory::ui

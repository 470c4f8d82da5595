#include "ui/auxiliary/frm_preview.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cstring>

#include "platform/app_paths.h"
#include "platform/safe_file.h"
#include "ui/auxiliary/preview_icons.h"
#include "ui/auxiliary/preview_markup.h"
#include "ui/auxiliary/preview_page.h"
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
    setObjectName("frmPreview");
    setWindowTitle("Quillory - Preview & Print");
    resize(900, 650);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName("Toolbar1");
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(24, 24));
    m_save = m_toolbar->addAction(saveIcon(), "Save");
    m_save->setToolTip("Save the listing as an HTML file");
    m_print = m_toolbar->addAction(printIcon(), "Print");
    m_print->setToolTip("Print the listing");
    m_toolbar->addAction(closeIcon(), "Close")->setToolTip("Close the preview");
    setDocumentActionsEnabled(false);
    connect(m_toolbar, &QToolBar::actionTriggered, this, &frmPreview::dispatch);

    m_profile = makePreviewProfile(m_scratchPath, this);
    m_page = new PreviewPage(m_profile, this);
    m_web = new QWebEngineView(this);
    m_web->setObjectName("Web");
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_pages, 1);
}

frmPreview::~frmPreview() {
    // The profile must outlive every page of it; the view first, as it shows the page.
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

void frmPreview::loadListing() {
    m_failureShown = false;
    // A reload of the listing already shown bypasses every cache, so a second
    // run's listing is never served from the first.
    if (m_page->url() == listingPageUrl()) m_page->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    else m_page->load(listingPageUrl());
}

void frmPreview::dispatch(QAction* button) {
    const QString caption = button->text();
    if (caption == u"Save") save();
    else if (caption == u"Print") print();
    else if (caption == u"Close") done(QDialog::Accepted);
}

void frmPreview::save() {
    if (m_saving) return;
    QString path = m_prompts.saveFileName(
        this, SaveDialogSpec{"HTML Documents (*.html);;All Files (*.*)", "html", saveStartFolder()});
    if (path.isEmpty()) return;
    path = withDefaultSuffix(path, "html");
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

// Save and Print work on the document shown, so only on a whole one.
void frmPreview::setDocumentActionsEnabled(bool enabled) {
    m_save->setEnabled(enabled);
    m_print->setEnabled(enabled);
}

void frmPreview::writeListing(const QString& path, const QString& serialized) {
    Status written;
    {
        BusyCursor busy;
        written = writeFileAtomically(QFile::encodeName(path).toStdString(), rootInnerHtml(serialized).toUtf8().toStdString());
    }
    if (written) {
        m_prompts.message(this, "Listing was saved to specified file successfully.", "Saved", QMessageBox::Information);
        return;
    }
    m_prompts.message(this,
                      QString("The listing could not be saved to %1: %2.")
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
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        m_page->printToPdf(m_printer->outputFileName(), m_printer->pageLayout());
    else
        m_web->print(m_printer.get());
}

// A print that failed leaves the window as it was; there is nothing to tell.
void frmPreview::printDone() { m_printer.reset(); }

void frmPreview::loadingChanged(const QWebEngineLoadingInfo& info) {
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        setDocumentActionsEnabled(false);
        m_statusText->setText("Loading the listing...");
        m_progress->setValue(0);
        m_progress->show();
        m_pages->setCurrentWidget(m_loadingPage);
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        setDocumentActionsEnabled(true);
        m_pages->setCurrentWidget(m_web);
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:  // replaced by a newer load
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_progress->hide();
        m_statusText->setText("The listing could not be loaded.");
        offerDefaultBrowser(info.errorString().isEmpty() ? QString("the page could not be loaded")
                                                         : info.errorString());
        break;
    }
}

void frmPreview::showProgress(int percent) { m_progress->setValue(percent); }

void frmPreview::rendererGone(int status) {
    QString reason;
    switch (status) {
    case QWebEnginePage::NormalTerminationStatus: return;
    case QWebEnginePage::KilledTerminationStatus:
        reason = "the browser's page process was ended, perhaps for lack of memory";
        break;
    case QWebEnginePage::CrashedTerminationStatus: reason = "the browser's page process crashed"; break;
    default: reason = "the browser's page process ended abnormally"; break;
    }
    setDocumentActionsEnabled(false);
    if (m_saving) endSaving();
    m_progress->hide();
    m_statusText->setText("The listing could not be shown.");
    m_pages->setCurrentWidget(m_loadingPage);
    offerDefaultBrowser(reason);
}

// Asked after the browser's signal has returned, so that the question's own
// event loop does not run inside the browser's notification.
void frmPreview::offerDefaultBrowser(const QString& reason) {
    if (m_failureShown || !isVisible()) return;  // a closed preview reloads on its next showing
    m_failureShown = true;
    QTimer::singleShot(0, this, [this, reason] {
        const QString text = QString("The preview could not show the listing (%1).\n\n"
                                     "Open it in the default web browser instead?")
                                 .arg(reason);
        if (m_prompts.ask(this, text, kAppTitle)) QDesktopServices::openUrl(m_listingUrl);
    });
}

}  // namespace quillory::ui

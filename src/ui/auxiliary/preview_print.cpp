#include "ui/auxiliary/preview_print.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QWebEnginePage>

#include "ui/auxiliary/preview_page.h"

namespace quillory::ui {

PagedPdfPrint::PagedPdfPrint(QWebEngineProfile* profile, std::size_t pageCount, QString target, QPageLayout layout,
                             QObject* parent)
    : QObject(parent), m_profile(profile), m_pageCount(pageCount), m_target(std::move(target)),
      m_layout(std::move(layout)) {
    makePage();
}

void PagedPdfPrint::makePage() {
    m_page = new PreviewPage(m_profile, this);
    connect(m_page, &QWebEnginePage::loadFinished, this, &PagedPdfPrint::loaded);
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, &PagedPdfPrint::printed);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this] { fail(tr("the browser's page process ended while printing")); });
}

// Called inside the page's own signal, so it goes once that has returned.
void PagedPdfPrint::dropPage() {
    m_page->disconnect(this);
    m_page->deleteLater();
    m_page = nullptr;
}

PagedPdfPrint::~PagedPdfPrint() {
    if (m_join != nullptr) {
        m_join->disconnect(this);
        m_join->kill();
        m_join->waitForFinished(2000);
    }
    if (m_page != nullptr) m_page->disconnect(this);
    delete m_page;  // before the profile, which outlives this
}

void PagedPdfPrint::start() {
    if (!m_parts.isValid()) return fail(tr("no room for the printed pages"));
    if (QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty()) return fail(tr("qpdf is not installed"));
    loadNext();
}

void PagedPdfPrint::cancel() {
    m_done = true;
    if (m_page != nullptr) m_page->triggerAction(QWebEnginePage::Stop);
    if (m_join != nullptr) m_join->kill();
}

QString PagedPdfPrint::partPath(std::size_t k) const { return m_parts.filePath(QStringLiteral("%1.pdf").arg(k, 6, 10, QChar(u'0'))); }

void PagedPdfPrint::loadNext() { m_page->load(listingPageUrl(m_next)); }

void PagedPdfPrint::loaded(bool ok) {
    if (m_done) return;
    if (!ok) return fail(tr("a page of the listing could not be loaded"));
    m_page->printToPdf(partPath(m_next), m_layout);
}

void PagedPdfPrint::printed(const QString&, bool ok) {
    if (m_done) return;
    if (!ok) return fail(tr("a page could not be printed"));
    Q_EMIT progress(static_cast<int>(++m_next));
    // The browser keeps a few MB of every PDF a page printed (200 parts:
    // about 0.9 GB); a fresh page every few parts lets that go with the old one.
    constexpr std::size_t kPartsPerPage = 10;
    if (m_next < m_pageCount && m_next % kPartsPerPage == 0) {
        dropPage();
        makePage();
    }
    if (m_next < m_pageCount) return loadNext();
    // The parts are all on disk: the browser's page is not needed any more.
    // (Loading a blank page into it instead printed that page as well, and
    // started the join again and again, each replacing the target.)
    dropPage();
    join();
}

// qpdf copies each part's pages with their own fonts and resources, and
// says by its exit status whether the output is whole.
void PagedPdfPrint::join() {
    QStringList args{QStringLiteral("--empty"), QStringLiteral("--pages")};
    for (std::size_t k = 0; k < m_pageCount; ++k) args << partPath(k);
    const QString joined = m_parts.filePath(QStringLiteral("joined.pdf"));
    args << QStringLiteral("--") << joined;
    m_join = new QProcess(this);
    connect(m_join, &QProcess::finished, this, [this, joined](int code, QProcess::ExitStatus status) {
        if (m_done) return;
        // 3: done with warnings, the output written whole.
        if (status != QProcess::NormalExit || (code != 0 && code != 3))
            return fail(tr("qpdf failed: %1").arg(QString::fromLocal8Bit(m_join->readAllStandardError()).trimmed()));
        // Put in place whole, so the target never holds a part of the listing.
        QFile::remove(m_target);
        if (!QFile::rename(joined, m_target) && !(QFile::copy(joined, m_target)))
            return fail(tr("the PDF file could not be written to %1").arg(QDir::toNativeSeparators(m_target)));
        m_done = true;
        Q_EMIT finished(QString());
    });
    m_join->start(QStringLiteral("qpdf"), args);
}

void PagedPdfPrint::fail(const QString& error) {
    if (m_done) return;
    m_done = true;
    Q_EMIT finished(error);
}

}  // namespace quillory::ui

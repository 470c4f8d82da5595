#pragma once
// Prints a listing shown in pages to one PDF file, page after page: each page
// is loaded into a browser page of its own (never shown), printed to a PDF
// part, and the parts are joined by qpdf at the end. Only one page is in
// the browser at a time, so the renderer's memory follows the page size, not
// the listing's; the parts wait on disk.
#include <QObject>
#include <QPageLayout>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class QProcess;
class QWebEnginePage;
class QWebEngineProfile;

namespace quillory::ui {

class PagedPdfPrint final : public QObject {
    Q_OBJECT
public:
    // `profile` serves the pages (listingPageUrl(k), k < pageCount).
    PagedPdfPrint(QWebEngineProfile* profile, std::size_t pageCount, QString target, QPageLayout layout,
                  QObject* parent);
    ~PagedPdfPrint() override;
    void start();
    // Ends the work at once; nothing is written to the target.
    void cancel();

Q_SIGNALS:
    void progress(int pagesDone);
    // `error` is empty when the target holds the whole listing.
    void finished(const QString& error);

private:
    void makePage();
    void dropPage();
    void loadNext();
    void loaded(bool ok);
    void printed(const QString& part, bool ok);
    void join();
    void fail(const QString& error);
    QString partPath(std::size_t k) const;

    QWebEngineProfile* m_profile = nullptr;
    QWebEnginePage* m_page = nullptr;
    std::size_t m_pageCount = 0;
    std::size_t m_next = 0;
    QString m_target;
    QPageLayout m_layout;
    QTemporaryDir m_parts;
    QProcess* m_join = nullptr;
    bool m_done = false;
};

}  // namespace quillory::ui

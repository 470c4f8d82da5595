#pragma once
// The preview's browser shows one local file and nothing else. File names go
// into the listing as they are, so a listing may hold markup from a hostile
// name: no script runs, no plugin loads, no other file is read and no request
// leaves the page but the one for the listing itself.
//
// The listing is served through a scheme of the program's own rather than as
// a file: URL, for two reasons. The browser guesses the character set of a
// local file that names none (and guesses a Latin one for a listing with a
// name that is not valid UTF-8), while a served page carries "utf-8"; and a
// page that is not a local file may not read local files at all.
#include <QString>
#include <QUrl>
#include <memory>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

namespace quillory::ui {

class ListingPages;

// Serves the scratch file, read anew for every request, as UTF-8 HTML; or,
// while a listing is shown in pages, the page that the address names.
class ListingSchemeHandler final : public QWebEngineUrlSchemeHandler {
public:
    ListingSchemeHandler(QString scratchPath, QObject* parent);
    void requestStarted(QWebEngineUrlRequestJob* job) override;
    void setPages(std::shared_ptr<const ListingPages> pages) { m_pages = std::move(pages); }

private:
    QString m_scratchPath;
    std::shared_ptr<const ListingPages> m_pages;
};

// Lets through the request for the listing and refuses every other one
// (remote addresses, files, sub-resources of any kind).
class ListingOnlyInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    explicit ListingOnlyInterceptor(QObject* parent);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

// The address the page loads the listing from; with a page number (from 0),
// that page of a listing shown in pages.
QUrl listingPageUrl();
QUrl listingPageUrl(std::size_t page);

// A profile of the preview's own: nothing kept on disk, no HTTP cache (a
// reload must show the file as it is now), the listing's scheme and the
// interceptor above. Delete it after every page that uses it. The first call
// registers the scheme, which the web engine allows only before its first
// profile: create the preview before any other web view, or call
// registerListingScheme() before making one.
QWebEngineProfile* makePreviewProfile(const QString& scratchPath, QObject* parent);
void registerListingScheme();
// The listing's handler in a profile made above.
ListingSchemeHandler* listingHandler(QWebEngineProfile* profile);

// A page that navigates to the listing only, with the locked-down settings.
class PreviewPage final : public QWebEnginePage {
    Q_OBJECT
public:
    PreviewPage(QWebEngineProfile* profile, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {}
};

}  // namespace quillory::ui

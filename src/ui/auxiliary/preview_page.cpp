#include "ui/auxiliary/preview_page.h"

#include <QBuffer>
#include <QFile>
#include <QUrlQuery>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "ui/auxiliary/listing_pages.h"

namespace quillory::ui {
namespace {

const QByteArray kScheme = "quillory-listing";

bool isListing(const QUrl& url) {
    return url.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery) == listingPageUrl();
}

void lockDown(QWebEngineSettings* settings) {
    using S = QWebEngineSettings;
    for (const S::WebAttribute off :
         {S::JavascriptEnabled, S::JavascriptCanOpenWindows, S::JavascriptCanAccessClipboard, S::JavascriptCanPaste,
          S::PluginsEnabled, S::PdfViewerEnabled, S::LocalContentCanAccessRemoteUrls,
          S::LocalContentCanAccessFileUrls, S::LocalStorageEnabled, S::HyperlinkAuditingEnabled,
          S::DnsPrefetchEnabled, S::AutoLoadIconsForPage, S::TouchIconsEnabled, S::WebGLEnabled,
          S::ScreenCaptureEnabled, S::FullScreenSupportEnabled, S::AllowRunningInsecureContent,
          S::NavigateOnDropEnabled, S::ErrorPageEnabled})
        settings->setAttribute(off, false);
    settings->setAttribute(S::PrintElementBackgrounds, true);
    settings->setDefaultTextEncoding(QStringLiteral("utf-8"));
}

}  // namespace

void registerListingScheme() {
    static const bool registered = [] {
        QWebEngineUrlScheme scheme(kScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        QWebEngineUrlScheme::registerScheme(scheme);
        return true;
    }();
    (void)registered;
}

ListingSchemeHandler::ListingSchemeHandler(QString scratchPath, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_scratchPath(std::move(scratchPath)) {}

void ListingSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (!isListing(job->requestUrl())) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString page = QUrlQuery(job->requestUrl()).queryItemValue(QStringLiteral("page"));
    if (!page.isEmpty()) {
        bool number = false;
        const qulonglong k = page.toULongLong(&number);
        auto text = m_pages && number ? m_pages->page(k) : Result<std::string>(Status::error(ENOENT, "no page"));
        if (!text) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);  // freed with the job
        buffer->setData(QByteArray::fromStdString(text.value()));
        buffer->open(QIODevice::ReadOnly);
        job->reply("text/html;charset=utf-8", buffer);
        return;
    }
    auto* file = new QFile(m_scratchPath, job);  // read as the browser asks, freed with the job
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply("text/html;charset=utf-8", file);
}

ListingOnlyInterceptor::ListingOnlyInterceptor(QObject* parent) : QWebEngineUrlRequestInterceptor(parent) {}

void ListingOnlyInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const bool listingItself =
        info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame && isListing(info.requestUrl());
    if (!listingItself) info.block(true);
}

QUrl listingPageUrl() { return QUrl(QString::fromLatin1(kScheme) + QLatin1String(":listing")); }

QUrl listingPageUrl(std::size_t page) {
    QUrl url = listingPageUrl();
    url.setQuery(QLatin1String("page=") + QString::number(page));
    return url;
}

ListingSchemeHandler* listingHandler(QWebEngineProfile* profile) {
    return static_cast<ListingSchemeHandler*>(const_cast<QWebEngineUrlSchemeHandler*>(profile->urlSchemeHandler(kScheme)));
}

QWebEngineProfile* makePreviewProfile(const QString& scratchPath, QObject* parent) {
    registerListingScheme();
    auto* profile = new QWebEngineProfile(parent);  // no name: kept in memory only
    profile->setHttpCacheType(QWebEngineProfile::NoCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setUrlRequestInterceptor(new ListingOnlyInterceptor(profile));
    profile->installUrlSchemeHandler(kScheme, new ListingSchemeHandler(scratchPath, profile));
    lockDown(profile->settings());
    return profile;
}

PreviewPage::PreviewPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
    lockDown(settings());
}

bool PreviewPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    return isMainFrame && isListing(url);
}

}  // namespace quillory::ui

#include "ui/auxiliary/preview_page.h"

#include <QFile>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace quillory::ui {
namespace {

const QByteArray kScheme = "quillory-listing";

bool isListing(const QUrl& url) {
    return url.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery) == listingPageUrl();
}

void registerListingScheme() {
    static const bool registered = [] {
        QWebEngineUrlScheme scheme(kScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        QWebEngineUrlScheme::registerScheme(scheme);
        return true;
    }();
    (void)registered;
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
    settings->setDefaultTextEncoding("utf-8");
}

}  // namespace

ListingSchemeHandler::ListingSchemeHandler(QString scratchPath, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_scratchPath(std::move(scratchPath)) {}

void ListingSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (!isListing(job->requestUrl())) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
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

QUrl listingPageUrl() { return QUrl(QString::fromLatin1(kScheme) + ":listing"); }

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

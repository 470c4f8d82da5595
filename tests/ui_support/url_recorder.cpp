#include "ui_support/url_recorder.h"

#include <QDesktopServices>

namespace quillory::test {

UrlRecorder::UrlRecorder(const QWidget* watched) : m_watched(watched) {
    for (const char* scheme : {"file", "http", "https"}) QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlRecorder::~UrlRecorder() {
    for (const char* scheme : {"file", "http", "https"}) QDesktopServices::unsetUrlHandler(scheme);
}

void UrlRecorder::open(const QUrl& url) {
    opened.push_back(url);
    windowVisible.push_back(m_watched != nullptr && m_watched->isVisible());
}

}  // namespace quillory::test

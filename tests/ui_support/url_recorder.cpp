#include "ui_support/url_recorder.h"

#include <QDesktopServices>

namespace quillory::test {

UrlRecorder::UrlRecorder(const QWidget* watched) : m_watched(watched) {
    QDesktopServices::setUrlHandler("file", this, "open");
}

UrlRecorder::~UrlRecorder() { QDesktopServices::unsetUrlHandler("file"); }

void UrlRecorder::open(const QUrl& url) {
    opened.push_back(url);
    windowVisible.push_back(m_watched != nullptr && m_watched->isVisible());
}

}  // namespace quillory::test

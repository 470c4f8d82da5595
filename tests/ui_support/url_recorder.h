#pragma once
// Stands in for the desktop's default handler of file: and web URLs while it lives,
// so that no browser starts; records what the window asked to open and
// whether the main window was visible at that moment.
#include <QObject>
#include <QUrl>
#include <QWidget>
#include <vector>

namespace quillory::test {

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(const QWidget* watched = nullptr);
    ~UrlRecorder() override;
    void watch(const QWidget* window) { m_watched = window; }

    std::vector<QUrl> opened;
    std::vector<bool> windowVisible;  // one per opened URL

public Q_SLOTS:
    void open(const QUrl& url);

private:
    const QWidget* m_watched;
};

}  // namespace quillory::test

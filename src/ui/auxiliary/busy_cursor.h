#pragma once
// The application-wide busy pointer for the length of a scope, or until
// restore(): every way out of a run puts the default pointer back.
#include <QApplication>

namespace quillory::ui {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { restore(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void restore() {
        if (!m_set) return;
        m_set = false;
        QApplication::restoreOverrideCursor();
    }

private:
    bool m_set = true;
};

}  // namespace quillory::ui

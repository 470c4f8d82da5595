#pragma once
// The largest gap between the ticks of a 10 ms timer on the window's thread:
// how long the window went without handling events.
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

namespace quillory::test {

class StallMeter {
public:
    StallMeter() {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { m_longest = std::max(m_longest, m_clock.restart()); });
        m_timer.start(10);
    }
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

}  // namespace quillory::test

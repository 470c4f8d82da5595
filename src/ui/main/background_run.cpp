#include "ui/main/background_run.h"

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <thread>

namespace quillory::ui {

void runInBackground(const std::function<void()>& work, const std::function<void()>& tick, int intervalMs) {
    QEventLoop loop;
    QTimer timer;
    timer.setInterval(intervalMs);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&tick] {
        if (tick) tick();
    });
    timer.start();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A loop ended early (the application quitting) must not leave before the
    // work: it uses the caller's objects.
    while (!done.load()) loop.exec();
    worker.join();
}

}  // namespace quillory::ui

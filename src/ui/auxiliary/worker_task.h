#pragma once
// Work that must not hold up the window: `work` runs on Qt's thread pool and
// `done` receives its result on `context`'s thread once it has finished. The
// watcher belongs to `context`, so a window that goes away first takes the
// report with it; the caller keeps the returned future to wait for the work
// before what the work uses goes away.
#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>

namespace quillory::ui {

template <class T>
QFuture<T> runOnWorker(QObject* context, std::function<T()> work, std::function<void(T)> done) {
    auto* watcher = new QFutureWatcher<T>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        done(watcher->result());
    });
    QFuture<T> future = QtConcurrent::run(std::move(work));
    watcher->setFuture(future);
    return future;
}

}  // namespace quillory::ui

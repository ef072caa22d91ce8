#include "vqcore/VQDispatch.h"

#include "vqcore/VQLog.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>

void VQPerformBlockOnMainThreadAsync(VQBlock block)
{
    if (!block)
        return;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        VQLog(QStringLiteral("no application object; block dropped"));
        return;
    }
    // A queued call on the application object runs in the application's thread.
    QMetaObject::invokeMethod(app, std::move(block), Qt::QueuedConnection);
}

void VQPerformDelayedBlock(double seconds, VQBlock block)
{
    if (!block)
        return;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        VQLog(QStringLiteral("no application object; delayed block dropped"));
        return;
    }
    const double ms = std::isfinite(seconds) ? std::ceil(std::max(seconds, 0.0) * 1000.0) : 0.0;
    const int delay = ms > double(INT32_MAX) ? INT32_MAX : int(ms);
    // A timer belongs to the thread that starts it, so it is started from the
    // main thread; with the application as context the block runs there too.
    auto start = [delay, block = std::move(block)]() mutable {
        QTimer::singleShot(delay, QCoreApplication::instance(), std::move(block));
    };
    if (QThread::currentThread() == app->thread())
        start();
    else
        QMetaObject::invokeMethod(app, std::move(start), Qt::QueuedConnection);
}

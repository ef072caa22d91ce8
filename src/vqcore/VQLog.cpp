#include "vqcore/VQLog.h"

#include "vqcore/VQUserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

#include <atomic>
#include <cstdio>

namespace
{
std::atomic<int> gEnabled{-1}; // -1: not read from the defaults yet
std::atomic<VQDebugLog::Sink> gSink{nullptr};
QMutex gFileMutex;
} // namespace

bool VQDebugLog::isLoggingEnabled()
{
    int state = gEnabled.load(std::memory_order_relaxed);
    if (state < 0) {
        reloadFromDefaults();
        state = gEnabled.load(std::memory_order_relaxed);
    }
    return state == 1;
}

void VQDebugLog::setLoggingEnabled(bool enabled)
{
    VQUserDefaults::standard().setBool(QStringLiteral("RZLoggingEnabled"), enabled);
    gEnabled = enabled ? 1 : 0;
}

void VQDebugLog::reloadFromDefaults()
{
    gEnabled = VQUserDefaults::standard().boolForKey(QStringLiteral("RZLoggingEnabled")) ? 1 : 0;
}

QString VQStateFolderPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Vellico");
}

QString VQDebugLog::logFilePath()
{
    return VQStateFolderPath() + QStringLiteral("/Vellico.log");
}

void VQDebugLog::setSink(Sink sink)
{
    gSink = sink;
}

void VQDebugLog::write(const QString &message, const char *method, const char *file, int line)
{
    const QString text = QStringLiteral("%1 %2 (%3:%4) %5")
                             .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), QString::fromUtf8(method),
                                  QFileInfo(QString::fromUtf8(file)).fileName())
                             .arg(line)
                             .arg(message);
    // Worker threads log too: one line at a time reaches the sink and the file.
    QMutexLocker locker(&gFileMutex);
    if (Sink sink = gSink.load())
        sink(text);
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    const QString path = logFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        out.write(text.toUtf8() + '\n');
}

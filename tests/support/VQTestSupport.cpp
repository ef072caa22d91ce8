#include "VQTestSupport.h"

#include "vqcore/VQClock.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQNotificationCenter.h"
#include "core/VQSwatchCore.h"
#include "core/VQSwatchDatabaseURL.h"
#include "vqcore/VQTermination.h"
#include "vqcore/VQUserDefaults.h"

#include <QDir>
#include <QFile>
#include <QProcess>

void VQLibraryTest::SetUp()
{
    _home = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(_home->isValid());
    qputenv("HOME", _home->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (_home->path() + "/.config").toUtf8());
    qputenv("XDG_DATA_HOME", (_home->path() + "/.local/share").toUtf8());
    qputenv("XDG_STATE_HOME", (_home->path() + "/.local/state").toUtf8());
    // The desktop program keeps its one-instance socket here.
    QDir(_home->path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(_home->path() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (_home->path() + "/runtime").toUtf8());
    VQUserDefaults::setStandardFilePath(_home->path() + "/.config/Vellico/Vellico.conf");
    VQDebugLog::reloadFromDefaults();
    VQResetSwatchDatabaseURL();
    setTime(_time);
    VQUniqueTimestamp::colorIDs().reset();
    VQUniqueTimestamp::collectionIDs().reset();
    auto ui = std::make_unique<VQScriptedModalUI>();
    _ui = ui.get();
    VQModalUI::install(std::move(ui));
    VQTermination::setHandler(VQTermination::throwingHandler());
}

void VQLibraryTest::TearDown()
{
    VQSwatchCore::takeSharedCore();
    VQTermination::setHandler(nullptr);
    VQModalUI::install(nullptr);
    _ui = nullptr;
    VQClock::setSource(nullptr);
    VQResetSwatchDatabaseURL();
    _home.reset();
}

QString VQLibraryTest::path(const QString &relative) const
{
    return QDir(_home->path()).filePath(relative);
}

void VQLibraryTest::setTime(double seconds)
{
    _time = seconds;
    VQClock::setFixedTime(seconds);
}

QString VQLibraryTest::write(const QString &relative, const QByteArray &bytes) const
{
    QFile file(path(relative));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

int VQRunPython(const QString &script, const QStringList &args, QString *output)
{
    QProcess python;
    python.start(QStringLiteral("python3"), QStringList{QStringLiteral("-")} + args);
    if (!python.waitForStarted(10000))
        return -1;
    python.write(script.toUtf8());
    python.closeWriteChannel();
    python.waitForFinished(60000);
    if (output)
        *output = QString::fromUtf8(python.readAllStandardOutput());
    return python.exitStatus() == QProcess::NormalExit ? python.exitCode() : -1;
}

int VQCountPosts(const char *name, const std::function<void()> &body)
{
    int posts = 0;
    VQObserverToken token(VQNotificationCenter::defaultCenter().addObserver(QString::fromLatin1(name), nullptr,
                                                                            [&](const VQNotification &) { ++posts; }));
    body();
    return posts;
}

QStringList VQCollectionTitles(const VQSwatchCore *core)
{
    QStringList titles;
    for (const VQSwatchCollectionRef &collection : core ? core->allCollections() : std::vector<VQSwatchCollectionRef>())
        titles << collection->title();
    return titles;
}

QStringList VQCollectionTitles(const QString &path)
{
    return VQCollectionTitles(VQSwatchCore::openDetached(path, nullptr).get());
}

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
#include <QFileInfo>
#include <QProcess>

#include <clocale>
#include <langinfo.h>
#include <locale.h>
#include <string>

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

VQSwatchCore &VQLibraryTest::shareLibrary(const QString &path)
{
    return share(VQOpenLiveLibrary(path));
}

VQSwatchCore &VQLibraryTest::share(std::unique_ptr<VQSwatchCore> core)
{
    EXPECT_NE(core, nullptr);
    _sharedLibrary.reset();
    _sharedLibrary = std::make_unique<VQSharedCoreOwner>(std::move(core));
    return _sharedLibrary->core();
}

void VQLibraryTest::TearDown()
{
    _sharedLibrary.reset();
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

QByteArray VQReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool VQWriteAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray VQSharedStringPlist(std::uint32_t units, std::uint32_t times, bool utf16)
{
    // Object 0: the array (marker 0xAF, count as a 4-byte integer, 4-byte
    // references); object 1: the string (0x5F or 0x6F, its length likewise).
    const auto be32 = [](QByteArray &out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.append(char((v >> shift) & 0xFF));
    };
    QByteArray out("bplist00");
    const std::uint32_t arrayAt = std::uint32_t(out.size());
    out.append(char(0xAF)).append('\x12');
    be32(out, times);
    for (std::uint32_t i = 0; i < times; ++i)
        be32(out, 1);
    const std::uint32_t stringAt = std::uint32_t(out.size());
    out.append(char(utf16 ? 0x6F : 0x5F)).append('\x12');
    be32(out, units);
    out.append(QByteArray(qsizetype(units) * (utf16 ? 2 : 1), 'a'));
    const std::uint32_t tableAt = std::uint32_t(out.size());
    be32(out, arrayAt);
    be32(out, stringAt);
    // Trailer: offset and reference sizes, two objects, the first on top, the table.
    out.append(QByteArray(6, '\0')).append('\x04').append('\x04');
    out.append(QByteArray(7, '\0')).append('\x02');
    out.append(QByteArray(8, '\0'));
    out.append(QByteArray(4, '\0'));
    be32(out, tableAt);
    return out;
}

std::optional<QString> VQCommaDecimalLocale(QString *locpath, QString *why)
{
    static const QString kName = QStringLiteral("de_DE.UTF-8");
    static QTemporaryDir built; // lives as long as the process
    static int state = 0;       // 0 not tried, 1 installed, 2 built, -1 impossible
    static QString reason;
    const auto usable = [](const QString &dir) {
        const QByteArray old = qgetenv("LOCPATH");
        if (!dir.isEmpty())
            qputenv("LOCPATH", dir.toUtf8());
        locale_t l = newlocale(LC_ALL_MASK, kName.toUtf8().constData(), locale_t(nullptr));
        const bool comma = l && std::string(nl_langinfo_l(RADIXCHAR, l)) == ",";
        if (l)
            freelocale(l);
        if (!dir.isEmpty()) {
            if (old.isNull())
                qunsetenv("LOCPATH");
            else
                qputenv("LOCPATH", old);
        }
        return comma;
    };
    if (state == 0) {
        if (usable(QString())) {
            state = 1;
        } else if (!built.isValid()) {
            state = -1;
            reason = QStringLiteral("no temporary folder for a locale");
        } else {
            QProcess localedef;
            localedef.start(QStringLiteral("localedef"),
                            {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                             QStringLiteral("UTF-8"), built.filePath(kName)});
            const bool ran = localedef.waitForStarted(10000) && localedef.waitForFinished(120000);
            if (ran && usable(built.path())) {
                state = 2;
            } else {
                state = -1;
                reason = QStringLiteral("no de_DE locale is installed and localedef could not build one: %1")
                             .arg(QString::fromLocal8Bit(localedef.readAllStandardError()).trimmed());
            }
        }
    }
    if (state < 0) {
        if (why)
            *why = reason;
        return std::nullopt;
    }
    if (locpath)
        *locpath = state == 2 ? built.path() : QString();
    return kName;
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

std::unique_ptr<VQSwatchCore> VQOpenLiveLibrary(const QString &path)
{
    VQLibraryOpenOptions options;
    options.live = true;
    options.startWhenMissing = true;
    return VQSwatchCore::open(path, options).core;
}

std::unique_ptr<VQSwatchCore> VQOpenDetachedLibrary(const QString &path)
{
    return VQSwatchCore::open(path).core;
}

QStringList VQCollectionTitles(const QString &path)
{
    return VQCollectionTitles(VQOpenDetachedLibrary(path).get());
}

std::vector<VQHardName> VQHardNames()
{
    QString controls;
    for (char16_t c = 1; c < 0x20; ++c)
        controls += QChar(c);
    const QChar nul(0);
    return {
        {"a leading U+FEFF", QStringLiteral("\uFEFFx"), true},
        {"two leading U+FEFF", QStringLiteral("\uFEFF\uFEFFx"), true},
        {"U+FEFF alone", QStringLiteral("\uFEFF"), true},
        {"a NUL inside", QStringLiteral("a") + nul + QStringLiteral("b"), false},
        {"a NUL at the end", QStringLiteral("ab") + nul, false},
        {"the C0 controls", QStringLiteral("<") + controls + QStringLiteral(">"), false},
        {"a bare CR", QStringLiteral("a\rb"), true},
        {"CR LF", QStringLiteral("a\r\nb\r\n"), true},
        {"U+FFFE", QStringLiteral("x\uFFFEy"), false},
        {"U+FFFF", QStringLiteral("\uFFFF"), false},
        {"characters beyond the BMP", QStringLiteral("\U0001F3A8 \U00010000\U0010FFFD"), true},
        {"60,000 characters", QString(60000, QChar(0x00E9)), true},
        {"blanks only", QStringLiteral("  \t "), true},
        {"blanks at either end", QStringLiteral("  a b\t"), true},
    };
}

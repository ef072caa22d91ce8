// The global shortcuts portal client against a portal of our own
// (tests/wayland/fake_portal.py) on a private bus: a real dbus-daemon with no
// activatable services, so that nothing but the fake can answer.

#include "platform/portal/VQPortalGlobalShortcuts.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{
const QString kFake = QStringLiteral(VELLICO_SOURCE_DIR "/tests/wayland/fake_portal.py");

// Runs the event loop until `done` holds or `ms` pass; false when they passed.
bool spinUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// A dbus-daemon of its own and, when asked, the fake portal on it.
class PrivateBus
{
  public:
    bool start(QString *why)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            *why = QStringLiteral("dbus-daemon is not installed");
            return false;
        }
        QFile config(_folder.filePath(QStringLiteral("bus.conf")));
        config.open(QIODevice::WriteOnly);
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                     "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig><type>session</type><listen>unix:dir=" +
                     _folder.path().toUtf8() +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\" "
                     "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                     "<allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        _daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config.fileName(),
                                                      QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!_daemon.waitForStarted() || !_daemon.waitForReadyRead(5000)) {
            *why = QStringLiteral("dbus-daemon did not start");
            return false;
        }
        _address = QString::fromUtf8(_daemon.readLine()).trimmed();
        _name = QStringLiteral("vellico-test-%1").arg(reinterpret_cast<quintptr>(this));
        _connection = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(_address, _name));
        if (!_connection->isConnected()) {
            *why = QStringLiteral("cannot connect to the private bus at ") + _address;
            return false;
        }
        return true;
    }

    bool startFake(const QStringList &arguments, QString *why)
    {
        _printed.clear();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), _address);
        _fake.setProcessEnvironment(environment);
        // Debian's own Python, which has python3-gi (another python3 may come first on PATH).
        const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                 : QStringLiteral("python3");
        _fake.start(python, QStringList{kFake, QStringLiteral("shortcuts")} + arguments);
        if (!waitForLine(QStringLiteral("ready"), 10000)) {
            *why = QStringLiteral("the fake portal did not start (is python3-gi installed?): ") +
                   QString::fromUtf8(_fake.readAllStandardError());
            return false;
        }
        return true;
    }

    // Waits for the fake to print `line` (keeping everything it printed).
    bool waitForLine(const QString &line, int ms)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (!_printed.contains(line)) {
            if (elapsed.elapsed() > ms || _fake.state() == QProcess::NotRunning)
                return false;
            _fake.waitForReadyRead(100);
            while (_fake.canReadLine())
                _printed << QString::fromUtf8(_fake.readLine()).trimmed();
        }
        return true;
    }
    QStringList printed()
    {
        while (_fake.canReadLine())
            _printed << QString::fromUtf8(_fake.readLine()).trimmed();
        return _printed;
    }

    QDBusConnection &connection() { return *_connection; }

    // Ends the fake; its name goes with it.
    void stopFake()
    {
        _fake.kill();
        _fake.waitForFinished();
        spinUntil(
            [this] {
                return !_connection->interface()->isServiceRegistered(QStringLiteral("org.freedesktop.portal.Desktop"));
            },
            5000);
    }

    ~PrivateBus()
    {
        _fake.kill();
        _fake.waitForFinished();
        // The connection stays open to the end of the process: QtDBus takes a
        // private connection down badly once its daemon is gone.
        _daemon.kill();
        _daemon.waitForFinished();
    }

  private:
    QTemporaryDir _folder;
    QProcess _daemon, _fake;
    QString _address, _name;
    std::unique_ptr<QDBusConnection> _connection;
    QStringList _printed;
};

TEST(VQPortalGlobalShortcutsTest, TriggerInThePortalsForm)
{
    struct Row {
        VQKeyCombo combo;
        const char *trigger;
    };
    const Row rows[] = {
        {{0x100000 | 0x80000, 35, {}, {}}, "CTRL+ALT+p"}, // Ctrl+Alt+P
        {{0x40000 | 0x20000, 122, {}, {}}, "SHIFT+LOGO+F1"},
        {{0, 122, {}, {}}, "F1"},
        {{0x100000, -1, {}, {}}, ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(VQPortalGlobalShortcuts::triggerFor(row.combo), QString::fromLatin1(row.trigger)) << row.trigger;
}

TEST(VQPortalGlobalShortcutsTest, SessionTokenFromTheApplicationId)
{
    const std::pair<const char *, const char *> rows[] = {
        {"vellico", "vellico"}, {"org.example.Vellico-2", "org_example_Vellico_2"}, {"", "vellico"}};
    for (const auto &[appId, token] : rows)
        EXPECT_EQ(VQPortalGlobalShortcuts::sessionToken(QString::fromUtf8(appId)), QString::fromLatin1(token)) << appId;
}

TEST(VQPortalGlobalShortcutsTest, AgainstAPortalOfOurOwn)
{
    struct Row {
        const char *name;
        QStringList fakeArguments; // empty: no portal at all
        const char *failure;       // empty: bound, and a press arrives
        bool offered = true;       // whether global shortcuts are still offered afterwards
    };
    const Row rows[] = {
        {"a portal that wants the application registered first", {QStringLiteral("unregistered")}, ""},
        {"a portal without the registry", {QStringLiteral("bind"), QStringLiteral("--no-registry")}, ""},
        {"the user refuses the binding", {QStringLiteral("refuse")}, "did not allow Vellico to bind the shortcut"},
        {"an error reply", {QStringLiteral("error")}, "refused to bind the shortcut: the shortcut cannot be bound"},
        {"a portal that never answers", {QStringLiteral("silent")}, "did not answer within 1.5 s"},
        {"a portal that starts no session here",
         {QStringLiteral("no-session")},
         "ended the request to start a shortcut session (response 2)",
         false},
        {"no portal on the bus", {}, "no desktop portal answers", false},
        {"a portal that takes the shortcuts at CreateSession only", {QStringLiteral("create-only")}, ""},
        {"a portal that answers but binds nothing",
         {QStringLiteral("none")},
         "the desktop portal bound none of the 1 shortcut(s) asked for"},
    };
    PrivateBus bus;
    QString why;
    if (!bus.start(&why))
        GTEST_SKIP() << why.toStdString();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        bus.stopFake();
        if (!row.fakeArguments.isEmpty() && !bus.startFake(row.fakeArguments, &why))
            GTEST_SKIP() << why.toStdString();

        VQPortalGlobalShortcuts portal(bus.connection(), QStringLiteral("vellico"));
        portal.setTimeout(std::chrono::milliseconds(1500));
        QStringList events;
        QObject::connect(&portal, &VQPortalGlobalShortcuts::bound, [&](const auto &shortcuts) {
            events << QStringLiteral("bound ") + shortcuts.value(0).id + QLatin1Char(' ') +
                          shortcuts.value(0).triggerDescription;
        });
        QObject::connect(&portal, &VQPortalGlobalShortcuts::failed,
                         [&](const QString &reason) { events << QStringLiteral("failed ") + reason; });
        QObject::connect(&portal, &VQPortalGlobalShortcuts::activated,
                         [&](const QString &id) { events << QStringLiteral("activated ") + id; });
        // The event loop keeps running while the portal takes its time.
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(50);

        portal.bind({{QStringLiteral("pick"), QStringLiteral("Pick a color from the screen"),
                      QStringLiteral("CTRL+ALT+p"), QString()}});
        EXPECT_EQ(portal.state(), VQPortalGlobalShortcuts::State::Binding);
        if (QString::fromLatin1(row.failure).isEmpty()) {
            ASSERT_TRUE(spinUntil([&] { return events.contains(QStringLiteral("activated pick")); }, 10000))
                << events.join(QLatin1String("; ")).toStdString()
                << " / the portal: " << bus.printed().join(QLatin1String("; ")).toStdString();
            EXPECT_EQ(events.first(), QStringLiteral("bound pick Ctrl+Alt+P (desktop)"));
            EXPECT_EQ(portal.state(), VQPortalGlobalShortcuts::State::Bound);
            EXPECT_TRUE(bus.printed().contains(QStringLiteral("bind pick CTRL+ALT+p")));
            const bool registry = !row.fakeArguments.contains(QStringLiteral("--no-registry"));
            EXPECT_EQ(bus.printed().contains(QStringLiteral("register vellico")), registry);
            // The same session token at every start: the desktop may keep the binding under it.
            EXPECT_FALSE(bus.printed().filter(QRegularExpression(QStringLiteral("^session .*/vellico$"))).isEmpty())
                << bus.printed().join(QLatin1String("; ")).toStdString();
            // The session's shortcuts, asked again.
            QList<VQPortalGlobalShortcuts::Shortcut> listed;
            QObject::connect(&portal, &VQPortalGlobalShortcuts::listed,
                             [&](const auto &shortcuts) { listed = shortcuts; });
            portal.listShortcuts();
            ASSERT_TRUE(spinUntil([&] { return !listed.isEmpty(); }, 5000));
            EXPECT_EQ(listed.first().triggerDescription, QStringLiteral("Ctrl+Alt+P (desktop)"));
        } else {
            ASSERT_TRUE(spinUntil([&] { return !events.isEmpty(); }, 10000));
            EXPECT_EQ(events.size(), 1) << events.join(QLatin1String("; ")).toStdString();
            EXPECT_TRUE(events.first().contains(QString::fromLatin1(row.failure))) << events.first().toStdString();
            EXPECT_EQ(portal.state(), VQPortalGlobalShortcuts::State::Failed);
        }
        EXPECT_EQ(portal.isOffered(), row.offered);
        if (row.fakeArguments == QStringList{QStringLiteral("silent")}) {
            EXPECT_GE(ticks, 20);
            // The request that never answered is closed.
            EXPECT_TRUE(spinUntil(
                [&] {
                    return !bus.printed().filter(QRegularExpression(QStringLiteral("^closed .*/request/"))).isEmpty();
                },
                3000));
        }
    }
}
} // namespace

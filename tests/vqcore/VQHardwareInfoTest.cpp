#include "VQHardwareInfo.h"

#include "VQTestSupport.h"

#include <QFile>
#include <QSysInfo>

namespace {

class VQHardwareInfoTest : public VQLibraryTest {
protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        _savedOverride = qgetenv(VQHardwareInfo::overrideVariable);
        _hadOverride = qEnvironmentVariableIsSet(VQHardwareInfo::overrideVariable);
        qunsetenv(VQHardwareInfo::overrideVariable);
        info().setIdentityFiles({path(QStringLiteral("etc-machine-id")), path(QStringLiteral("dbus-machine-id"))});
        info().setHostNameOverride(QStringLiteral("host-fallback"));
    }
    void TearDown() override
    {
        info().setIdentityFiles(VQHardwareInfo::defaultIdentityFiles());
        info().setHostNameOverride(QString());
        if (_hadOverride)
            qputenv(VQHardwareInfo::overrideVariable, _savedOverride);
        else
            qunsetenv(VQHardwareInfo::overrideVariable);
        VQLibraryTest::TearDown();
    }

    static VQHardwareInfo &info() { return VQHardwareInfo::sharedHardwareInfo(); }

    void write(const QString &name, const QByteArray &content)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray _savedOverride;
    bool _hadOverride = false;
};

} // namespace

TEST_F(VQHardwareInfoTest, FirstFileWinsAndIsTrimmed)
{
    write(QStringLiteral("etc-machine-id"), "0123456789abcdef0123456789abcdef\n");
    write(QStringLiteral("dbus-machine-id"), "ffffffffffffffffffffffffffffffff\n");
    EXPECT_EQ(info().identity(), QStringLiteral("0123456789abcdef0123456789abcdef"));
    // Stable from call to call.
    EXPECT_EQ(info().identity(), info().identity());
}

TEST_F(VQHardwareInfoTest, SecondFileWhenTheFirstIsMissingOrBlank)
{
    write(QStringLiteral("dbus-machine-id"), "  dbus-id \n");
    EXPECT_EQ(info().identity(), QStringLiteral("dbus-id"));
    write(QStringLiteral("etc-machine-id"), " \n\t");
    EXPECT_EQ(info().identity(), QStringLiteral("dbus-id"));
}

TEST_F(VQHardwareInfoTest, HostNameWhenNoFileHelps)
{
    EXPECT_EQ(info().identity(), QStringLiteral("host-fallback"));
    write(QStringLiteral("etc-machine-id"), "");
    EXPECT_EQ(info().identity(), QStringLiteral("host-fallback"));
    info().setHostNameOverride(QString());
    EXPECT_EQ(info().identity(), QSysInfo::machineHostName().trimmed());
}

TEST_F(VQHardwareInfoTest, EnvironmentOverridesEverything)
{
    write(QStringLiteral("etc-machine-id"), "real-id\n");
    qputenv(VQHardwareInfo::overrideVariable, "  computer-b \n");
    EXPECT_EQ(info().identity(), QStringLiteral("computer-b"));
    qputenv(VQHardwareInfo::overrideVariable, "computer-c");
    EXPECT_EQ(info().identity(), QStringLiteral("computer-c"));
    // A blank override is no override.
    qputenv(VQHardwareInfo::overrideVariable, "   ");
    EXPECT_EQ(info().identity(), QStringLiteral("real-id"));
}

TEST_F(VQHardwareInfoTest, DefaultFilesAreTheMachineIds)
{
    EXPECT_EQ(VQHardwareInfo::defaultIdentityFiles(),
              QStringList({QStringLiteral("/etc/machine-id"), QStringLiteral("/var/lib/dbus/machine-id")}));
}

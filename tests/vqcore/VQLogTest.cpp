#include "VQLog.h"

#include "VQTestSupport.h"
#include "VQUserDefaults.h"

#include <QFile>

#include <vector>

namespace {
std::vector<QString> gLines;
void collect(const QString &line) { gLines.push_back(line); }

QString expensiveMessage(int &evaluations)
{
    ++evaluations;
    return QStringLiteral("expensive");
}
} // namespace

class VQLogTest : public VQLibraryTest {
protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        gLines.clear();
        VQDebugLog::setSink(&collect);
    }
    void TearDown() override
    {
        VQDebugLog::setSink(nullptr);
        VQDebugLog::setLoggingEnabled(false);
        VQLibraryTest::TearDown();
    }
};

TEST_F(VQLogTest, OffByDefaultAndTheMessageIsNotEvaluated)
{
    EXPECT_FALSE(VQDebugLog::isLoggingEnabled());
    int evaluations = 0;
    VQLog(expensiveMessage(evaluations));
    EXPECT_EQ(evaluations, 0);
    EXPECT_TRUE(gLines.empty());
    EXPECT_FALSE(QFile::exists(VQDebugLog::logFilePath()));
}

TEST_F(VQLogTest, OnWritesMessageFunctionFileAndLine)
{
    VQDebugLog::setLoggingEnabled(true);
    int evaluations = 0;
    const int line = __LINE__ + 1;
    VQLog(expensiveMessage(evaluations));
    EXPECT_EQ(evaluations, 1);
    ASSERT_EQ(gLines.size(), 1u);
    const QString written = gLines[0];
    EXPECT_TRUE(written.endsWith(QStringLiteral("expensive"))) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("TestBody"))) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("VQLogTest.cpp:%1").arg(line))) << written.toStdString();

    // The same line is in the log file under XDG_STATE_HOME.
    EXPECT_EQ(VQDebugLog::logFilePath(), path(QStringLiteral(".local/state/Vellico/Vellico.log")));
    QFile file(VQDebugLog::logFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), written + QLatin1Char('\n'));
}

TEST_F(VQLogTest, MessageTextIsKeptLiterally)
{
    VQDebugLog::setLoggingEnabled(true);
    VQLog("100%1 sure, %2 too");
    ASSERT_EQ(gLines.size(), 1u);
    EXPECT_TRUE(gLines[0].endsWith(QStringLiteral("100%1 sure, %2 too"))) << gLines[0].toStdString();
}

TEST_F(VQLogTest, SwitchIsKeptInTheDefaults)
{
    VQDebugLog::setLoggingEnabled(true);
    EXPECT_TRUE(VQUserDefaults::standard().boolForKey(QStringLiteral("RZLoggingEnabled")));
    VQUserDefaults::standard().setBool(QStringLiteral("RZLoggingEnabled"), false);
    EXPECT_TRUE(VQDebugLog::isLoggingEnabled()); // until the defaults are read again
    VQDebugLog::reloadFromDefaults();
    EXPECT_FALSE(VQDebugLog::isLoggingEnabled());
    VQLog("not written");
    EXPECT_TRUE(gLines.empty());
}

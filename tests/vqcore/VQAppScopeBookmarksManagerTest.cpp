#include "VQAppScopeBookmarksManager.h"
#include "VQApplicationSetup.h"
#include "VQUserDefaults.h"

#include "VQTestSupport.h"

#include <QDir>

namespace {
const QString kKey = QStringLiteral("VQCustomLibraryURLData");
}

class VQAppScopeBookmarksManagerTest : public VQLibraryTest {};

TEST_F(VQAppScopeBookmarksManagerTest, AbsentKeyResolvesToNothing)
{
    EXPECT_EQ(VQAppScopeBookmarksManager::sharedManager().resolveURL(kKey), std::nullopt);
}

TEST_F(VQAppScopeBookmarksManagerTest, RoundTripThroughTheDefaultsFile)
{
    auto &manager = VQAppScopeBookmarksManager::sharedManager();
    const QString library = path(QStringLiteral("My Library.vlb"));
    ASSERT_TRUE(manager.storeURL(library, kKey));
    EXPECT_EQ(manager.resolveURL(kKey), library);
    // It is really in the defaults file, not only in memory.
    VQUserDefaults reread(VQUserDefaults::standard().filePath());
    EXPECT_EQ(reread.stringForKey(kKey), library);
    EXPECT_TRUE(manager.startAccessing(library));
    EXPECT_TRUE(manager.stopAccessing(library));
}

TEST_F(VQAppScopeBookmarksManagerTest, RelativePathsAreStoredAbsolute)
{
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(_home->path()));
    const bool stored = VQAppScopeBookmarksManager::sharedManager().storeURL(QStringLiteral("lib.vlb"), kKey);
    QDir::setCurrent(saved);
    ASSERT_TRUE(stored);
    EXPECT_EQ(VQAppScopeBookmarksManager::sharedManager().resolveURL(kKey), path(QStringLiteral("lib.vlb")));
}

TEST_F(VQAppScopeBookmarksManagerTest, EmptyValuesAreNothing)
{
    auto &manager = VQAppScopeBookmarksManager::sharedManager();
    EXPECT_FALSE(manager.storeURL(QString(), kKey));
    EXPECT_FALSE(VQUserDefaults::standard().hasKey(kKey));
    VQUserDefaults::standard().setString(kKey, QString());
    EXPECT_EQ(manager.resolveURL(kKey), std::nullopt);
}

TEST(VQApplicationSetupTest, SynchronizationIsAllowedUntilSwitchedOff)
{
    auto &setup = VQApplicationSetup::sharedSetup();
    EXPECT_TRUE(setup.synchronizationAllowed());
    setup.setSynchronizationAllowed(false);
    EXPECT_FALSE(VQApplicationSetup::sharedSetup().synchronizationAllowed());
    setup.setSynchronizationAllowed(true);
    EXPECT_TRUE(VQApplicationSetup::sharedSetup().synchronizationAllowed());
}

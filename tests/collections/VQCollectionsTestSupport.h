#pragma once
// A library of numbered collections ("C0", "C1", …) as the shared core.

#include "VQTestSupport.h"

#include "core/VQSwatchCore.h"
#include "vqcore/VQUserDefaults.h"

#include <QCoreApplication>

class VQCollectionsTest : public VQLibraryTest
{
  protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        VQUserDefaults::standard().setBool(QStringLiteral("VQDBAutomaticSavingDisabled"), true);
        shareLibrary(path(QStringLiteral("Vellico Library.vlb")));
    }

    static VQSwatchCore &core() { return *VQSwatchCore::sharedCore(); }

    // Appends `count` collections of `colors` colours each; colour j of
    // collection i has red i/100 and green j/100.
    static void addCollections(int count, int colors = 3)
    {
        const int start = int(core().numberOfCollections());
        for (int i = start; i < start + count; ++i) {
            std::vector<VQColorRef> list;
            for (int j = 0; j < colors; ++j)
                list.push_back(VQColor::makeRGB(i / 100.0, j / 100.0, 0.5));
            core().addCollection(VQSwatchCollection::create(QStringLiteral("C%1").arg(i), list));
        }
    }

    static VQSwatchCollectionRef at(std::size_t index) { return core().collectionsInRange(index, 1).at(0); }
    static QStringList titles() { return VQCollectionTitles(&core()); }

    // Runs what was deferred to the event loop (drops finish there).
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
};

// The collection views over a library of 1,000 collections × 100 colours:
// turning a page of the lane, opening the organiser, and merging one
// 100-colour collection into another by a drop. Neither the lane nor the
// organiser may do work proportional to the whole library.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/vellico_collections_benchmarks

#include "VQOffscreenBenchmarkMain.h"
#include "core/VQSwatchCore.h"
#include "ui/collections/VQCollectionActions.h"
#include "ui/lane/VQCollectionViewer.h"
#include "ui/organizer/VQOrganizerController.h"
#include "ui/organizer/VQOrganizerModel.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

#include <benchmark/benchmark.h>

namespace
{

VQSwatchCollectionRef makeCollection(int index, int colors)
{
    std::vector<VQColorRef> list;
    list.reserve(std::size_t(colors));
    for (int j = 0; j < colors; ++j)
        list.push_back(VQColor::makeRGB((index % 97) / 97.0, j / 100.0, 0.5));
    return VQSwatchCollection::create(QStringLiteral("Collection %1").arg(index), std::move(list));
}

struct Library {
    QTemporaryDir dir;
    std::unique_ptr<VQSwatchCore> core;
    std::unique_ptr<VQOrganizerController> organizerWindow;
    Library()
    {
        VQUserDefaults::setStandardFilePath(dir.filePath(QStringLiteral("Vellico.conf")));
        VQUserDefaults::standard().setBool(QStringLiteral("VQDBAutomaticSavingDisabled"), true);
        // Merges run without the question, as after "don't ask again".
        VQUserDefaults::standard().setBool(VQDoesntNeedCollectionMergingConfirmationKey, true);
        VQLibraryOpenOptions options;
        options.live = true;
        options.startWhenMissing = true;
        core = VQSwatchCore::open(dir.filePath(QStringLiteral("Vellico Library.vlb")), options).core;
        for (int i = 0; i < 1000; ++i)
            core->addCollection(makeCollection(i, 100));
    }
    // The organiser, made on first use as the lane makes it.
    VQOrganizerController &organizer()
    {
        if (!organizerWindow)
            organizerWindow = std::make_unique<VQOrganizerController>(*core);
        return *organizerWindow;
    }
};

std::unique_ptr<Library> gLibrary;

Library &library()
{
    if (!gLibrary)
        gLibrary = std::make_unique<Library>();
    return *gLibrary;
}

// The organiser's first opening builds its window; later ones only show it.
void BM_OrganizerFirstOpen(benchmark::State &state)
{
    library();
    for (auto _ : state) {
        VQOrganizerController &organizer = library().organizer();
        organizer.runOrganizer();
        benchmark::DoNotOptimize(organizer.window()->grab());
    }
    library().organizer().window()->hide();
}
BENCHMARK(BM_OrganizerFirstOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LanePageTurn(benchmark::State &state)
{
    VQCollectionViewer lane(*library().core);
    lane.setAnimationDuration(0); // the animation itself runs on the event loop, frame by frame
    lane.resize(258, 36);
    lane.show();
    bool forward = true;
    for (auto _ : state) {
        forward ? lane.nextPage() : lane.previousPage();
        forward = !forward;
        benchmark::DoNotOptimize(lane.grab());
    }
}
BENCHMARK(BM_LanePageTurn)->Unit(benchmark::kMillisecond);

void BM_OrganizerOpen(benchmark::State &state)
{
    VQOrganizerController &organizer = library().organizer();
    for (auto _ : state) {
        organizer.runOrganizer();
        benchmark::DoNotOptimize(organizer.window()->grab());
        state.PauseTiming();
        organizer.window()->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OrganizerOpen)->Unit(benchmark::kMillisecond);

void BM_DropMergeOfTwo100ColourCollections(benchmark::State &state)
{
    VQSwatchCore &core = *library().core;
    // The lane and the organiser are open and follow the merge, as in use.
    VQCollectionViewer lane(core);
    lane.setAnimationDuration(0);
    lane.show();
    library().organizer().runOrganizer();
    int next = 100000;
    for (auto _ : state) {
        state.PauseTiming();
        const VQSwatchCollectionRef target = makeCollection(next++, 100);
        const VQSwatchCollectionRef source = makeCollection(next++, 100);
        core.addCollection(target);
        core.addCollection(source);
        state.ResumeTiming();
        benchmark::DoNotOptimize(VQCollectionActions::mergeCollections(core, source, target));
        state.PauseTiming();
        core.removeCollection(target);
        state.ResumeTiming();
    }
    library().organizer().window()->hide();
}
BENCHMARK(BM_DropMergeOfTwo100ColourCollections)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The library goes before the notification centre and the application it observes.
    return VQRunOffscreenBenchmarks(argc, argv, [] { gLibrary.reset(); });
}

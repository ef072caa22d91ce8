// Library load, save and merge against libplist's own parse and serialise of
// the same file. Run: build/benchmarks/vellico_benchmarks
//
// The large library is 1,000 collections × 100 colours; the long one is one
// collection of 100,000 colours. Each "remote" copy shares half of its
// collections and colours with the local one, has newer versions of some and
// adds its own, so that every rule of the merge is exercised. BM_AddColors
// fills one collection with up to 200,000 colours, one at a time, as an import
// does: the time should grow with the count, not with its square.

#include "vqcore/VQClock.h"
#include "vqcore/VQPropertyList.h"
#include "core/VQSwatchCore.h"

#include "VQPageFaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <memory>

namespace
{

struct Fixture {
    QTemporaryDir dir;
    QString wide, wideRemote, longOne, longRemote;

    Fixture()
    {
        VQClock::setFixedTime(1700000000);
        wide = dir.filePath(QStringLiteral("wide.vlb"));
        wideRemote = dir.filePath(QStringLiteral("wide-remote.vlb"));
        longOne = dir.filePath(QStringLiteral("long.vlb"));
        longRemote = dir.filePath(QStringLiteral("long-remote.vlb"));
        write(wide, 1000, 100, 0);
        write(wideRemote, 1000, 100, 1);
        write(longOne, 1, 100000, 0);
        write(longRemote, 1, 100000, 1);
        VQClock::setSource(nullptr);
    }

    // variant 0: the local copy; variant 1: a remote copy that shares every
    // other collection and colour, renames some and adds its own.
    static void write(const QString &path, int collections, int colors, int variant)
    {
        VQPlist contents = VQPlist::array();
        for (int c = 0; c < collections; ++c) {
            const bool shared = collections == 1 || c % 2 == 0;
            const std::uint64_t created = shared || variant == 0 ? 1000000 + c : 5000000 + c;
            VQPlist list = VQPlist::array();
            for (int i = 0; i < colors; ++i) {
                const bool sharedColor = i % 2 == 0;
                VQPlist color = VQPlist::dictionary();
                const std::uint64_t id = sharedColor || variant == 0 ? 1000000000ull + std::uint64_t(c) * colors + i
                                                                     : 3000000000ull + std::uint64_t(c) * colors + i;
                color.set("RZColorSpace", VQPlist::integer(i % 7 == 0 ? 1 : 0));
                color.set("RZComponent1", VQPlist::real((i % 255) / 255.0));
                color.set("RZComponent2", VQPlist::real((c % 255) / 255.0));
                color.set("RZComponent3", VQPlist::real(0.5));
                color.set("RZComponent4", VQPlist::real(0.0));
                color.set("RZColorID", VQPlist::integer(id));
                color.set("RZModificationDate", VQPlist::integer(variant == 1 && i % 4 == 0 ? 1700000500 : 1700000000));
                color.set("RZName", VQPlist::string(QStringLiteral("Colour %1").arg(i)));
                list.append(std::move(color));
            }
            VQPlist removed = VQPlist::array();
            if (variant == 1)
                removed.append(VQPlist::integer(1000000000ull + std::uint64_t(c) * colors + 2));
            VQPlist collection = VQPlist::dictionary();
            collection.set("RZColors", std::move(list));
            collection.set("RZCreationDate", VQPlist::integer(created));
            collection.set("RZModificationDate", VQPlist::integer(variant == 1 ? 1700000600 : 1700000000));
            collection.set("RZRemovedIDs", std::move(removed));
            collection.set("RZTitle",
                           VQPlist::string(QStringLiteral("Collection %1%2").arg(c).arg(variant ? " (2)" : "")));
            contents.append(std::move(collection));
        }
        VQPlist root = VQPlist::dictionary();
        root.set("DBVersion", VQPlist::string(QStringLiteral("0.3")));
        root.set("contents", std::move(contents));
        root.set("RZRemovedCollectionIDs", VQPlist::array());
        root.writeXMLFileAtomically(path);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void BM_RawParse(benchmark::State &state)
{
    const QString path = fixture().wide;
    VQPageFaults faults(state);
    for (auto _ : state) {
        const QByteArray data = readAll(path);
        plist_t root = nullptr;
        plist_from_xml(data.constData(), uint32_t(data.size()), &root);
        benchmark::DoNotOptimize(root);
        plist_free(root);
    }
}

void BM_CoreLoad(benchmark::State &state)
{
    const QString path = fixture().wide;
    VQPageFaults faults(state);
    for (auto _ : state) {
        auto core = VQSwatchCore::open(path).core;
        benchmark::DoNotOptimize(core.get());
        if (!core || core->numberOfCollections() != 1000)
            state.SkipWithError("library did not load");
    }
}

void BM_RawSerialiseAndWrite(benchmark::State &state)
{
    const QByteArray data = readAll(fixture().wide);
    plist_t root = nullptr;
    plist_from_xml(data.constData(), uint32_t(data.size()), &root);
    const QString target = fixture().dir.filePath(QStringLiteral("raw-out.vlb"));
    VQPageFaults faults(state);
    for (auto _ : state) {
        char *xml = nullptr;
        uint32_t length = 0;
        plist_to_xml(root, &xml, &length);
        // The same safe write the library uses (temporary file, flush, rename).
        VQWriteFileAtomically(target, QByteArray::fromRawData(xml, qsizetype(length)));
        plist_to_xml_free(xml);
    }
    faults.pause();
    plist_free(root);
}

void BM_CoreSave(benchmark::State &state)
{
    auto core = VQSwatchCore::open(fixture().wide).core;
    const QString target = fixture().dir.filePath(QStringLiteral("core-out.vlb"));
    VQPageFaults faults(state);
    for (auto _ : state) {
        if (!core->writeToURL(target))
            state.SkipWithError("write failed");
    }
}

void mergeBenchmark(benchmark::State &state, const QString &local, const QString &remote)
{
    std::optional<VQPlist> remoteRoot = VQPlist::fromFile(remote);
    for (auto _ : state) {
        state.PauseTiming();
        auto core = VQSwatchCore::open(local).core;
        state.ResumeTiming();
        core->mergeWithRemoteLibrary(remoteRoot->node(), remote);
        benchmark::DoNotOptimize(core.get());
        state.PauseTiming();
        core.reset();
        state.ResumeTiming();
    }
}

void BM_MergeWide(benchmark::State &state)
{
    mergeBenchmark(state, fixture().wide, fixture().wideRemote);
}
void BM_MergeLong(benchmark::State &state)
{
    mergeBenchmark(state, fixture().longOne, fixture().longRemote);
}

// Colours added one by one to one collection, as an import of a large swatch
// file adds them; each gets an identifier no colour of the collection holds.
void BM_AddColors(benchmark::State &state)
{
    const auto count = int(state.range(0));
    for (auto _ : state) {
        VQSwatchCollectionRef collection = VQSwatchCollection::create(QStringLiteral("Import"));
        for (int i = 0; i < count; ++i)
            collection->addColor(VQColor::makeRGB((i % 255) / 255.0, (i / 255 % 255) / 255.0, 0.5), false);
        benchmark::DoNotOptimize(collection->count());
    }
    state.SetComplexityN(count);
}

} // namespace

BENCHMARK(BM_RawParse)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_CoreLoad)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_RawSerialiseAndWrite)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_CoreSave)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_MergeWide)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_MergeLong)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_AddColors)->Arg(25000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();

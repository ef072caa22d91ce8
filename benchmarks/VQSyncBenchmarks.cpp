// One synchronisation pass: 10 other computers' files of 10,000 colours each
// (100 collections × 100 colours) merged into a library of the same size, the
// own file written and the library saved. Target: at most 0.25 s.
// Run: build/benchmarks/vellico_sync_benchmarks
//
// The program hands the memory a pass freed back to the system once its event
// loop is idle, after the pass: so does each iteration, outside the clock,
// and "resident_mb" is the process's resident memory then, with the merged
// library open.
//
// Every other computer shares half of its collections with the local library
// (with newer versions of some colours and a deleted one) and has 50 of its own.

#include "vqcore/VQClock.h"
#include "vqcore/VQPropertyList.h"
#include "core/VQSwatchCore.h"
#include "core/sync/VQiCloudSynchronizationManager.h"

#include "VQPageFaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace
{

constexpr int kComputers = 10;
constexpr int kCollections = 100;
constexpr int kColors = 100;

// computer 0 is the local library; 1…10 write into the shared folder.
VQPlist library(int computer)
{
    VQPlist contents = VQPlist::array();
    for (int c = 0; c < kCollections; ++c) {
        const bool shared = c % 2 == 0;
        const std::uint64_t created = shared ? 1000000 + c : 2000000 + std::uint64_t(computer) * 1000 + c;
        VQPlist colors = VQPlist::array();
        for (int i = 0; i < kColors; ++i) {
            VQPlist color = VQPlist::dictionary();
            color.set("RZColorSpace", VQPlist::integer(0));
            color.set("RZComponent1", VQPlist::real((i % 255) / 255.0));
            color.set("RZComponent2", VQPlist::real((c % 255) / 255.0));
            color.set("RZComponent3", VQPlist::real((computer % 255) / 255.0));
            color.set("RZComponent4", VQPlist::real(0.0));
            color.set("RZColorID", VQPlist::integer(created * 1000 + std::uint64_t(i)));
            color.set("RZModificationDate", VQPlist::integer(1700000000 + (i % 4 == 0 ? computer : 0)));
            color.set("RZName", VQPlist::string(QStringLiteral("Colour %1").arg(i)));
            colors.append(std::move(color));
        }
        VQPlist removed = VQPlist::array();
        if (computer > 0 && shared)
            removed.append(VQPlist::integer(created * 1000 + std::uint64_t(computer)));
        VQPlist collection = VQPlist::dictionary();
        collection.set("RZColors", std::move(colors));
        collection.set("RZCreationDate", VQPlist::integer(created));
        collection.set("RZModificationDate", VQPlist::integer(1700000000 + computer));
        collection.set("RZRemovedIDs", std::move(removed));
        collection.set("RZTitle", VQPlist::string(QStringLiteral("Collection %1 of %2").arg(c).arg(computer)));
        contents.append(std::move(collection));
    }
    VQPlist root = VQPlist::dictionary();
    root.set("DBVersion", VQPlist::string(QStringLiteral("0.3")));
    root.set("contents", std::move(contents));
    root.set("RZRemovedCollectionIDs", VQPlist::array());
    return root;
}

double residentMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void BM_SyncPass(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("shared"));
    const QString local = dir.filePath(QStringLiteral("local.vlb"));
    const QString pristine = dir.filePath(QStringLiteral("pristine.vlb"));
    QDir().mkpath(folder);
    qputenv("VELLICO_MACHINE_ID", "benchmark");
    library(0).writeXMLFileAtomically(pristine);
    for (int computer = 1; computer <= kComputers; ++computer) {
        const QString file = QDir(folder).filePath(QStringLiteral("computer%1.vlb").arg(computer));
        library(computer).writeXMLFileAtomically(file);
        if (state.range(0) == int(VQPlistFormat::Binary)) {
            // As another computer's pass writes its own file.
            auto other = VQSwatchCore::open(file).core;
            other->writeToURL(file, nullptr, VQPlistFormat::Binary);
        }
    }
    const QString own = VQiCloudSynchronizationManager::ownFilePath(folder);

    double resident = 0;
    VQPageFaults faults(state);
    for (auto _ : state) {
        state.PauseTiming();
        faults.pause();
        QFile::remove(local);
        QFile::copy(pristine, local);
        auto core = VQSwatchCore::open(local).core;
        faults.resume();
        state.ResumeTiming();

        const VQSyncReport report = VQiCloudSynchronizationManager::synchronize(*core, folder, own);
        core->save();

        state.PauseTiming();
        faults.pause();
        if (report.merged.size() != kComputers || !report.wroteOwnFile)
            state.SkipWithError("the pass did not merge every file");
        if (core->numberOfCollections() != std::size_t(kCollections / 2 * (kComputers + 2)))
            state.SkipWithError("wrong number of collections after the pass");
        VQReleaseFreedMemory();
        resident += residentMegabytes();
        core.reset();
        QFile::remove(own);
        faults.resume();
        state.ResumeTiming();
    }
    state.counters["resident_mb"] = benchmark::Counter(resident, benchmark::Counter::kAvgIterations);
}

} // namespace

// CPU time counts every thread: the pass reads ahead on worker threads.
// Argument 1: the other computers' files as the program writes them (binary);
// 0: XML files, as a library copied into the folder by hand would be.
BENCHMARK(BM_SyncPass)
    ->Arg(int(VQPlistFormat::Binary))
    ->Arg(int(VQPlistFormat::XML))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

BENCHMARK_MAIN();

// The loupe on a real X server. Targets: at least 60 redraws a second while the
// pointer moves, each with one 9 × 9 capture, at scale 1 and 2; and next to
// no CPU while the loupe waits on a still pointer.
// Run under X: DISPLAY=:N build/benchmarks/vellico_loupe_benchmarks
//              DISPLAY=:N QT_SCALE_FACTOR=2 build/benchmarks/vellico_loupe_benchmarks
//
// BM_MagnifierDraw: capture + drawing into an image at the given scale.
// BM_LoupeWindowRepaint: the shown loupe window following a moving point,
// repainted and flushed to the X server each time (the process's own scale).
// BM_StillPointerCpu: the whole loupe run for two seconds without input; the
// counter is CPU seconds used per second of waiting.

#include "platform/x11/VQX11Input.h"
#include "ui/loupe/VQLoupeGeometry.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "ui/loupe/VQMagnifierLoupeWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace
{
VQX11Input *gPlatform = nullptr;

QPoint movingPoint(std::int64_t step)
{
    return QPoint(20 + int(step * 7 % 500), 20 + int(step * 3 % 300));
}

void BM_MagnifierDraw(benchmark::State &state)
{
    const qreal scale = state.range(0) / 2.0;
    QImage target(QSize(126, 126) * scale, QImage::Format_RGB32);
    target.setDevicePixelRatio(scale);
    std::int64_t step = 0;
    for (auto _ : state) {
        const QImage capture = gPlatform->captureScreen(VQLoupeGeometry::sampleRect(movingPoint(step++)));
        if (capture.isNull()) {
            state.SkipWithError("the screen cannot be read");
            return;
        }
        QPainter painter(&target);
        VQDrawMagnifier(painter, QRectF(0, 0, 126, 126), capture);
    }
    state.counters["redraws_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MagnifierDraw)->Arg(2)->Arg(3)->Arg(4)->ArgName("scale_x2")->UseRealTime();

void BM_LoupeWindowRepaint(benchmark::State &state)
{
    VQMagnifierLoupeWindow window([](const QRect &rect) { return gPlatform->captureScreen(rect); });
    window.followPointer(movingPoint(0));
    window.show();
    QApplication::processEvents();
    std::int64_t step = 0;
    for (auto _ : state) {
        window.followPointer(movingPoint(++step));
        window.previewView()->repaint();
        QApplication::processEvents();
    }
    state.counters["redraws_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["scale"] = window.devicePixelRatioF();
}
BENCHMARK(BM_LoupeWindowRepaint)->UseRealTime()->MinTime(2.0);

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_StillPointerCpu(benchmark::State &state)
{
    for (auto _ : state) {
        // Let the loupe settle (first paint) before measuring.
        double cpuStart = 0;
        QElapsedTimer clock;
        QTimer::singleShot(300, [&] {
            cpuStart = cpuSeconds();
            clock.start();
        });
        VQMagnifierLoupe loupe(*gPlatform);
        std::optional<VQPickOutcome> outcome;
        QObject::connect(&loupe, &VQScreenPicker::finished, [&outcome](const VQPickOutcome &told) {
            outcome = told;
            QCoreApplication::exit(0);
        });
        QTimer::singleShot(2300, &loupe, [&loupe] { loupe.cancel(); });
        loupe.pick();
        if (!outcome)
            QCoreApplication::exec();
        const double used = cpuSeconds() - cpuStart;
        if (!clock.isValid() || !outcome || outcome->kind != VQPickOutcome::Kind::Cancelled) {
            state.SkipWithError("the loupe did not run (no input grab?)");
            return;
        }
        state.SetIterationTime(clock.elapsed() / 1000.0);
        state.counters["cpu_s_per_s"] = used / (clock.elapsed() / 1000.0);
    }
}
BENCHMARK(BM_StillPointerCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "The loupe benchmarks need an X display (DISPLAY).\n");
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    auto platform = VQX11Input::connect();
    if (!platform) {
        std::fprintf(stderr, "The loupe benchmarks need an X server that answers.\n");
        return 0;
    }
    gPlatform = platform.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The loupe over a frozen screen, offscreen: one redraw of an output's buffer
// as the pointer moves (the capture copied in, the crosshair, the panel with
// its magnifier and readout). Target: at least 60 redraws a second on a
// 1920 × 1080 output at ×1 and at ×2 (3840 × 2160 device pixels).
// build/benchmarks/vellico_frozen_loupe_benchmarks
//
// The time from `vellico --pick` to the frozen screen shown on sway is
// measured by benchmarks/frozen_loupe_timing.py.

#include "VQOffscreenBenchmarkMain.h"
#include "ui/loupe/VQFrozenLoupeState.h"
#include "ui/loupe/VQFrozenLoupeView.h"

#include <QPainter>

namespace
{
void BM_FrozenOutputRedraw(benchmark::State &state)
{
    const int scale = int(state.range(0));
    // A 1920 × 1080 logical output: 3840 × 2160 device pixels at ×2.
    const QSize logical(1920, 1080);
    const QSize device = logical * scale;
    VQFrozenLoupeState loupe(VQOutputLayout({VQOutput{QStringLiteral("ONE"), QRect(QPoint(0, 0), logical), device}}));
    QImage frozen(device, QImage::Format_RGB32);
    for (int y = 0; y < device.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(frozen.scanLine(y));
        for (int x = 0; x < device.width(); ++x)
            row[x] = qRgb(x % 2 ? 255 : 0, y & 0xff, 64);
    }
    QImage buffer(device, QImage::Format_RGB32);
    std::int64_t step = 0;
    for (auto _ : state) {
        ++step;
        loupe.pointAt(0, QPointF(40 + step * 7 % (device.width() - 80), 40 + step * 3 % (device.height() - 80)));
        QPainter painter(&buffer);
        VQPaintFrozenOutput(painter, frozen, loupe, 0);
    }
    state.counters["redraws_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FrozenOutputRedraw)->Arg(1)->Arg(2)->ArgName("scale")->UseRealTime()->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    return VQRunOffscreenBenchmarks(argc, argv, [] {});
}

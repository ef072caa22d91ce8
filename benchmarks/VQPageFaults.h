#pragma once
// Page faults per iteration, as counters beside a benchmark's times: each
// first touch of a fresh page of memory is a minor fault, and on a virtual
// machine those cost more than the work that caused them. Counted for the
// whole process (worker threads too) with getrusage, only while the clock
// runs:
//
//     VQPageFaults faults(state);
//     for (auto _ : state) {
//         state.PauseTiming();
//         faults.pause();
//         … set up …
//         faults.resume();
//         state.ResumeTiming();
//         … measured …
//     }
//
// Reported as "minor_faults" and "major_faults" (averages per iteration; in
// the JSON output, keys of each benchmark entry).

#include <benchmark/benchmark.h>

#include <sys/resource.h>

class VQPageFaults
{
  public:
    explicit VQPageFaults(benchmark::State &state) : _state(state) { resume(); }
    ~VQPageFaults()
    {
        pause();
        _state.counters["minor_faults"] = benchmark::Counter(double(_minor), benchmark::Counter::kAvgIterations);
        _state.counters["major_faults"] = benchmark::Counter(double(_major), benchmark::Counter::kAvgIterations);
    }
    VQPageFaults(const VQPageFaults &) = delete;
    VQPageFaults &operator=(const VQPageFaults &) = delete;

    void pause()
    {
        if (!_running)
            return;
        const rusage now = usage();
        _minor += now.ru_minflt - _from.ru_minflt;
        _major += now.ru_majflt - _from.ru_majflt;
        _running = false;
    }
    void resume()
    {
        _from = usage();
        _running = true;
    }

  private:
    static rusage usage()
    {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return u;
    }

    benchmark::State &_state;
    rusage _from{};
    long _minor = 0;
    long _major = 0;
    bool _running = false;
};

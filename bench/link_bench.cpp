// Round trips through THid and the virtual programmer in one process: the
// program's own cost per report, with no USB in the way.
#include <benchmark/benchmark.h>

#include "link/THid.h"
#include "virtual/VirtualProgrammer.h"

namespace {

using namespace karvo;

void BM_VersionQueryRoundTrip(benchmark::State& state) {
    ManualClock clock;
    VirtualProgrammer programmer({}, clock);
    VirtualBackend usb(programmer);
    THid link(usb);
    link.Open("Vid_04d8", "Pid_F4A3");
    for (auto _ : state) {
        link.SendText("F");
        benchmark::DoNotOptimize(link.ReceiveText4());
    }
    state.counters["round_trips_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VersionQueryRoundTrip);

// The peer: copying a report through a plain queue, the least any in-process
// link could cost.
void BM_PlainQueueRoundTrip(benchmark::State& state) {
    std::deque<Report> queue;
    Report report{};
    report[1] = 'F';
    for (auto _ : state) {
        queue.push_back(report);
        Report out = queue.front();
        queue.pop_front();
        benchmark::DoNotOptimize(out);
    }
    state.counters["round_trips_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainQueueRoundTrip);

void BM_HandshakeOpen(benchmark::State& state) {
    ManualClock clock;
    VirtualProgrammer programmer({}, clock);
    VirtualBackend usb(programmer);
    for (auto _ : state) {
        THid link(usb);
        link.Open("Vid_04d8", "Pid_F4A3");
        link.SendHello();
        benchmark::DoNotOptimize(link.ReceiveText4());
    }
}
BENCHMARK(BM_HandshakeOpen);

}  // namespace

BENCHMARK_MAIN();

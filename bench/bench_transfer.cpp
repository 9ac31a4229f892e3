// A full type-10 read (identification, parameter area, button table, macro
// area) from the simulated mouse in real time, against the protocol's floor:
// every exchange sleeps at least twice 5 ms.
#include <benchmark/benchmark.h>

#include <chrono>

#include "device/DeviceOperations.h"
#include "device/SimulatedMouse.h"

namespace {

using namespace vtr::device;

// Exchanges of one full read: open, status, type byte (announce + 1 chunk), the
// ranges (one announcement each plus their chunks), reload, close.
int exchangesOfFullRead(int type) {
    const int ranges = type == 10 ? 6 : 3;
    return 2 + 2 + ranges + ReadAllChunkCount(type) + 2;
}

void BM_FullReadType10(benchmark::State& state) {
    SimulatedMouse mouse(10);
    SystemClock clock;
    Transport transport(mouse, clock);
    if (!transport.OpenDevice(0x1BCF, 0x08A0)) {
        state.SkipWithError("no simulated mouse");
        return;
    }
    vtr::image::ConfigImage image;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const auto result = ConfigTransaction(transport, [&](Transport& t) {
            return ReadAllAreas(t, ReadDeviceType(t), image).ok();
        });
        if (!result.bodyOk) {
            state.SkipWithError("read failed");
            return;
        }
    }
    const double elapsedMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        static_cast<double>(state.iterations());
    const int exchanges = exchangesOfFullRead(10);
    state.counters["exchanges"] = exchanges;
    state.counters["floor_ms"] = exchanges * 10.0;
    state.counters["ratio"] = elapsedMs / (exchanges * 10.0);
}
BENCHMARK(BM_FullReadType10)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

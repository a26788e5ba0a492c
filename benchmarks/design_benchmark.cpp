#include <benchmark/benchmark.h>

#include "check_fixtures.h"
#include "checks/check_results.h"
#include "checks/checks.h"

namespace {

using bearingpad::CheckResults;
using bearingpad::DesignFlags;
using bearingpad::check_fixtures::fill_reference_design;

void BM_DesignToPassLimit(benchmark::State& state) {
    for (auto _ : state) {
        DesignFlags flags;
        CheckResults r(flags);
        fill_reference_design(r);
        r.rotation_y_dead = 100.0f;
        r.rotation_y_total = 100.0f;
        r.design_span = 10.0f;
        bearingpad::design(r);
        benchmark::DoNotOptimize(r);
        if (!flags.is_set(bearingpad::iteration_limit_reached)) state.SkipWithError("converged");
    }
}
BENCHMARK(BM_DesignToPassLimit)->Unit(benchmark::kMicrosecond);

void BM_DesignTypical(benchmark::State& state) {
    for (auto _ : state) {
        DesignFlags flags;
        CheckResults r(flags);
        fill_reference_design(r);
        bearingpad::design(r);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_DesignTypical)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

#include <benchmark/benchmark.h>

#include "checks/check_results.h"
#include "checks/checks.h"

namespace {

using bearingpad::CheckResults;
using bearingpad::DesignFlags;

void fill_reference_design(CheckResults& r) {
    r.width = 22.25f;
    r.length = 17.0f;
    r.thickness = 0.50001f;
    r.number_of_holes = 0;
    r.diameter_of_hole = 2.75f;
    r.cover_thickness = 0.25f;
    r.side_cover = 0.25f;
    r.load_plate_count = 1;
    r.load_plate_thickness = 0.1875f;
    r.internal_plate_count = 0;
    r.internal_plate_thickness = 0.1046f;
    r.beam_type = 1;
    r.distance_to_fixity = 2.5f;
    r.design_span = 144.0f;
    r.dead_load = 204.38f;
    r.live_load = 71.86f;
    r.total_load = static_cast<float>(static_cast<double>(71.86f) + static_cast<double>(204.38f));
    r.rotation_y_dead = static_cast<float>(static_cast<double>(0.6f) + static_cast<double>(0.75f));
    r.rotation_y_total =
        static_cast<float>(static_cast<double>(r.rotation_y_dead) + static_cast<double>(0.34f));
    r.design_dimension = 0;
}

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

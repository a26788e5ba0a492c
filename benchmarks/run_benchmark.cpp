// A whole problem run in-process: dialogue, reading, the design search and the
// five-page report, with the files kept in memory.
#include <benchmark/benchmark.h>

#include <sstream>

#include "driver/run.h"
#include "memory_files.h"
#include "test_support.h"

namespace {

// A design of a pad with one load plate: 22.25 x 17 in, blank thickness,
// concrete beam of 144 ft span, 204.38 K dead and 71.86 K live load.
const char* const kDesignProblem =
    "        ROUTE 9 OVER OXBOW SLOUGH - EXPANSION END\n"
    "   222500170000        027500              1           2  1046\n"
    " C  250001440000204380  71860 0.750600 340\n";

void BM_WholeDesignRun(benchmark::State& state) {
    for (auto _ : state) {
        bearingpad::MemoryFileAccess files;
        files.files["/work/design.dat"] = kDesignProblem;
        std::istringstream in("design.dat\ndesign.rpt\n");
        std::ostringstream out, err;
        bearingpad::RunEnvironment env{in, out, err, files, bearingpad::test_support::fixed_time};
        const int status = bearingpad::run(env);
        if (status != 0) state.SkipWithError("run failed");
        benchmark::DoNotOptimize(files.files["/work/design.rpt"].size());
    }
}
BENCHMARK(BM_WholeDesignRun)->Unit(benchmark::kMicrosecond);

}  // namespace

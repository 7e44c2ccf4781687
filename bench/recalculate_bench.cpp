// The cost of one recomputation of each geometry window's full case, fields to fields and
// display list, and of each keyboard window's key case, without any painting.
#include <benchmark/benchmark.h>

#include <string>

#include "full_cases.h"

namespace {

using namespace quillon;

void Recalculate(benchmark::State& state, const bench::FullCase& c) {
    bench::OpenedCase opened(c);
    if (!opened.Solved()) {
        state.SkipWithError("the full case did not compute");
        return;
    }
    const size_t ops = opened.Figure().Ops().size();
    for (auto _ : state) {
        opened.Run();
        benchmark::DoNotOptimize(opened.Figure().Ops().data());
    }
    // Every run drew the same figure and wrote the same results.
    if (!opened.Solved() || opened.Figure().Ops().size() != ops)
        state.SkipWithError("a timed run computed something else");
}

// The cost of one key case: every key through the window's keyboard handling, model only.
void Keys(benchmark::State& state, const bench::KeyCase& c) {
    bench::KeyedCase keyed(c);
    if (!keyed.Solved()) {
        state.SkipWithError("the key case did not compute");
        return;
    }
    for (auto _ : state) keyed.Run();
    if (!keyed.Solved()) state.SkipWithError("a timed run computed something else");
}

}  // namespace

int main(int argc, char** argv) {
    for (const bench::FullCase& c : bench::FullCases())
        benchmark::RegisterBenchmark((std::string("Recalculate/") + c.window).c_str(), Recalculate,
                                     c)
            ->Unit(benchmark::kMicrosecond);
    for (const bench::KeyCase& c : bench::KeyCases())
        benchmark::RegisterBenchmark((std::string("Keys/") + c.window).c_str(), Keys, c)
            ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Speed of the chamber calculation alone, and of a whole design from field texts.
#include "core/chamber/chamber.h"
#include "core/chamber/design_pipeline.h"
#include "tests/sample_designs.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Calc_Chamber(benchmark::State& state) {
    const DsnInput in = Sample_Input(true);
    DsnResult r;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        r = Calc_Chamber(in, r);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Calc_Chamber);

void BM_Calc_Design_From_Texts(benchmark::State& state) {
    const Design_Form f = Sample_Form(true, true);
    Design_State s;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f);
        const auto run = Calc_Design(f, s);
        benchmark::DoNotOptimize(run);
    }
}
BENCHMARK(BM_Calc_Design_From_Texts);

} // namespace

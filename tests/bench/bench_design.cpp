// Speed of the chamber calculation alone, and of a whole design from field texts.
#include "design/chamber.h"
#include "design/dsn_check.h"
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

void BM_Checked_Design_From_Texts(benchmark::State& state) {
    const Dsn_Form_Input f = Sample_Form(true, true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(f);
        Dsn_Check c = Check_Dsn_Input(f);
        Calc_Chamber_C(c.input, c.result);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_Checked_Design_From_Texts);

} // namespace

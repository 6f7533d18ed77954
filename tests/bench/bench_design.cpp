// Speed of the chamber calculation alone, and of a whole design from field texts.
#include "design/chamber.h"
#include "design/dsn_check.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Calc_Chamber(benchmark::State& state) {
    DsnInput in;
    in.ThreeStage = true;
    in.TempFromBmep = in.CoefFromBmep = true;
    in.TargetBmep = 10;
    in.HornCoef = 1.5f;
    in.PrtDiam = 40;
    in.FlangeDiam = 44;
    in.PrtLnth = 20;
    in.OpenAngle = 88;
    in.EngineSpeed = 11000;
    DsnResult r;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        r = Calc_Chamber(in, r);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Calc_Chamber);

void BM_Checked_Design_From_Texts(benchmark::State& state) {
    Dsn_Form_Input f;
    f.Option1 = {false, true, false, true, false, true};
    f.ThreeStage = true;
    f.Texh[TexhHorn] = "1.5";
    f.Texh[TexhBmep] = "10";
    f.Texh[TexhDX] = "40";
    f.Texh[TexhD1] = "44";
    f.Texh[TexhLX] = "20";
    f.Texh[TexhAngle] = "88";
    f.Texh[TexhSpeed] = "11000";
    for (auto _ : state) {
        benchmark::DoNotOptimize(f);
        Dsn_Check c = Check_Dsn_Input(f);
        Calc_Chamber_C(c.input, c.result);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_Checked_Design_From_Texts);

} // namespace

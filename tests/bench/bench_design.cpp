// Speed of a whole design from field texts (its chamber calculation a part of it), of the
// port map, and of the returning wave: one speed's curve and the map of 201 speeds.
#include "core/calculators/port_map.h"
#include "core/chamber/design_pipeline.h"
#include "core/chamber/pipe_waves.h"
#include "core/fields/vocabulary.h"
#include "tests/sample_designs.h"

#include <benchmark/benchmark.h>

namespace {

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

// The port map of a cylinder with every group, from its field texts, as the window
// recomputes it at each keystroke.
void BM_Port_Map_From_Texts(benchmark::State& state) {
    Port_Map_Inputs in;
    const char* const engine[] = {"54", "54.5", "110", "0.5", "12000"};
    for (size_t i = 0; i < 5; ++i)
        in.PortTxt[i] = engine[i];
    const char* const groups[Port_Group_Count][4] = {{"1", "38", "6", "85"},
                                                     {"2", "8", "2", "87"},
                                                     {"2", "16", "3", "114"},
                                                     {"2", "14", "3", "116"},
                                                     {"1", "18", "4", "118"}};
    for (size_t g = 0; g < Port_Group_Count; ++g)
        for (int16_t c = 0; c < 4; ++c)
            in.PortTxt[static_cast<size_t>(Port_Field(g, static_cast<Port_Column>(c)))] =
                groups[g][c];
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        const auto run = Calc_Port_Map(in);
        benchmark::DoNotOptimize(run);
    }
}
BENCHMARK(BM_Port_Map_From_Texts);

// The worked three-stage design's waves from half to one and a half times its speed.
void BM_Waves(benchmark::State& state) {
    const Chamber_Design design = Calc_Design(Sample_Form(true, true)).value;
    const std::vector<double> rpm =
        state.range(0) == 1 ? std::vector<double>{11000} : Map_Speeds(11000);
    for (auto _ : state) {
        const Wave_Map map = Design_Waves(design, rpm);
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(BM_Waves)->Arg(1)->Arg(201)->Unit(benchmark::kMillisecond);

} // namespace

// The returning wave: the cases the model answers exactly, its convergence as the cylinders
// shrink, and the speed at which the plugging peak meets the exhaust closing.

#include "core/chamber/pipe_waves.h"
#include "core/chamber/wave_pictures.h"
#include "core/fields/numbers.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace {

// A straight pipe returns the pulse inverted after 2L/c; a step in area from A1 to A2
// returns (A1 - A2) / (A1 + A2) of it after twice the way to the step (long before the
// open end's echo comes back).
TEST(PipeWaves, TheExactCases) {
    const struct {
        std::vector<Pipe_Station> pipe;
        double toEcho, share; // mm to where the first echo comes from; what it returns
    } cases[] = {
        {{{0, 40}, {500, 40}}, 500, -1},
        {{{0, 40}, {300, 40}, {300, 60}, {3300, 60}}, 300, (1600.0 - 3600) / (1600 + 3600)},
    };
    const double c = 500, rpm = 6000, eo = 90; // the pulse 2.5 ms wide
    for (const auto& k : cases) {
        const Port_Response r = Impulse_Response(k.pipe, c, 0.01, 1);
        const auto echo = static_cast<size_t>(std::lround(2 * k.toEcho / 1000 / c / r.step));
        EXPECT_NEAR(r.returned[echo], k.share, 1e-12);
        double others = 0;
        for (size_t i = 0; i < echo + 2 * k.toEcho; ++i)
            others += i == echo ? 0 : std::abs(r.returned[i]);
        EXPECT_EQ(others, 0);
        // The curve: the pulse, scaled and delayed, until the next echo could return.
        const std::vector<double> angles = Crank_Angles(eo, 720);
        const std::vector<double> p = Returning_Wave(r, eo, rpm, angles);
        for (size_t i = 0; i < angles.size(); ++i) {
            const double t = (angles[i] - eo) / (6 * rpm) - 2 * k.toEcho / 1000 / c;
            const double pulse = t >= 0 && t <= 0.0025 ? std::sin(Pi * t / 0.0025) : 0;
            if (t < 2 * k.toEcho / 1000 / c) {
                EXPECT_NEAR(p[i], k.share * pulse, 1e-9) << angles[i];
            }
        }
    }
}

// Halving the cylinders changes no worked design's curve by 0.5 % of the pulse, at any speed
// of the map.
TEST(PipeWaves, ConvergesAsTheCylindersShrink) {
    for (bool threeStage : {true, false}) {
        const Outcome<Chamber_Design> run = Calc_Design(Sample_Form(threeStage, threeStage));
        ASSERT_TRUE(run.ok());
        const std::vector<Pipe_Station> pipe = Pipe_Stations(run.value.state);
        const double c = run.value.result.SoundSpeed, eo = 88;
        EXPECT_NEAR(pipe.back().x - pipe[pipe.size() - 2].x,
                    run.value.state.Lnth[threeStage ? 6 : 5], 1e-9);
        const std::vector<double> angles = Crank_Angles(eo, 720);
        for (double rpm : {5500.0, 11000.0, 16500.0}) {
            const std::vector<double> coarse =
                Returning_Wave(Impulse_Response(pipe, c, 60 / rpm, Wave_Cell_Mm), eo, rpm, angles);
            const std::vector<double> fine = Returning_Wave(
                Impulse_Response(pipe, c, 60 / rpm, Wave_Cell_Mm / 2), eo, rpm, angles);
            double worst = 0;
            for (size_t i = 0; i < angles.size(); ++i)
                worst = std::max(worst, std::abs(coarse[i] - fine[i]));
            EXPECT_LT(worst, 0.005) << threeStage << " " << rpm;
        }
    }
}

// The same model solved independently, in the frequency domain: Webster's equation
// integrated (Runge-Kutta) from the open end (p = 0) back to the port for each harmonic of a
// long period, the port's reflection (Z - Z0) / (Z + Z0) times the pulse's spectrum, summed
// back at each crank angle.
std::vector<double> Frequency_Domain_Wave(const std::vector<Pipe_Station>& pipe, double c,
                                          double eo, double rpm,
                                          const std::vector<double>& angles) {
    using Z = std::complex<double>;
    const double period = 0.1, fmax = 40000, width = (180 - eo) / (6 * rpm), a = Pi / width;
    const auto area = [&](double mm) {
        for (size_t i = 1; i < pipe.size(); ++i)
            if (mm <= pipe[i].x && pipe[i].x > pipe[i - 1].x) {
                const double d = pipe[i - 1].diameter + (pipe[i].diameter - pipe[i - 1].diameter) *
                                                            (mm - pipe[i - 1].x) /
                                                            (pipe[i].x - pipe[i - 1].x);
                return d * d;
            }
        return pipe.back().diameter * pipe.back().diameter;
    };
    const double length = pipe.back().x;
    const int steps = 1500;
    const double h = -length / steps; // mm, from the open end to the port
    std::vector<double> p(angles.size(), -2 * width / Pi / period); // the mean: R(0) = -1
    for (int k = 1; k <= fmax * period; ++k) {
        const double w = 2 * Pi * k / period, perMm = w / 1000;
        const auto slope = [&](double x, Z pr, Z u, Z& dp, Z& du) {
            dp = Z(0, -perMm) * u / area(x);
            du = Z(0, -perMm) * area(x) * pr / (c * c);
        };
        Z pr = 0, u = 1;
        for (int i = 0; i < steps; ++i) {
            const double x = length + h * i;
            Z p1, u1, p2, u2, p3, u3, p4, u4;
            slope(x, pr, u, p1, u1);
            slope(x + h / 2, pr + h / 2 * p1, u + h / 2 * u1, p2, u2);
            slope(x + h / 2, pr + h / 2 * p2, u + h / 2 * u2, p3, u3);
            slope(x + h, pr + h * p3, u + h * u3, p4, u4);
            pr += h / 6 * (p1 + 2. * p2 + 2. * p3 + p4);
            u += h / 6 * (u1 + 2. * u2 + 2. * u3 + u4);
        }
        const Z z = pr / u, z0 = c / area(0);
        const Z pulse = std::abs(w - a) < 1e-9 * a
                            ? Z(0, -width / 2)
                            : a * (1. + std::polar(1.0, -w * width)) / (a * a - w * w);
        const Z back = (z - z0) / (z + z0) * pulse;
        for (size_t i = 0; i < angles.size(); ++i)
            p[i] +=
                2 / period * std::real(back * std::polar(1.0, w * (angles[i] - eo) / (6 * rpm)));
    }
    return p;
}

// The worked designs' curves at their speed agree with the frequency-domain solution: the
// whole curve within 0.03 of the pulse, the suction trough and the plugging peak within 1
// degree of crank.
TEST(PipeWaves, AgreesWithTheFrequencyDomainSolution) {
    for (bool threeStage : {true, false}) {
        const Outcome<Chamber_Design> run = Calc_Design(Sample_Form(threeStage, threeStage));
        const Wave_Map map = Design_Waves(run.value, {11000});
        const std::vector<double> exact = Frequency_Domain_Wave(
            Pipe_Stations(run.value.state), run.value.result.SoundSpeed, 88, 11000, map.crankDeg);
        const std::vector<double>& p = map.pressure[0];
        double worst = 0;
        for (size_t i = 0; i < p.size(); ++i)
            worst = std::max(worst, std::abs(p[i] - exact[i]));
        EXPECT_LT(worst, 0.03) << threeStage;
        const auto at = [&](const std::vector<double>& v, bool peak) {
            const auto e =
                peak ? std::max_element(v.begin(), v.end()) : std::min_element(v.begin(), v.end());
            return map.crankDeg[static_cast<size_t>(e - v.begin())];
        };
        for (bool peak : {false, true})
            EXPECT_NEAR(at(p, peak), at(exact, peak), 1) << threeStage << peak;
    }
}

// The map's events, and the speed it names for the plugging peak at EC: the curve at that
// speed has its peak there.
TEST(PipeWaves, ThePlugReachesExhaustClosing) {
    const Outcome<Chamber_Design> run = Calc_Design(Sample_Form(true, true));
    std::vector<double> rpm;
    for (int i = 0; i <= 200; ++i)
        rpm.push_back(5500 + 55.0 * i);
    const Wave_Map map = Design_Waves(run.value, rpm);
    EXPECT_EQ(map.events.EC, 272);
    ASSERT_EQ(map.pressure.size(), 201U);
    ASSERT_EQ(map.pressure[0].size(), 721U);
    ASSERT_TRUE(map.plugAtEc);
    const std::vector<double> p =
        Returning_Wave(Impulse_Response(Pipe_Stations(run.value.state), run.value.result.SoundSpeed,
                                        0.02, Wave_Cell_Mm),
                       88, *map.plugAtEc, map.crankDeg);
    const auto peak = std::max_element(p.begin(), p.end()) - p.begin();
    EXPECT_NEAR(map.crankDeg[static_cast<size_t>(peak)], 272, 1) << *map.plugAtEc;
    // A pipe name is text in the saved sheet, whatever it holds.
    EXPECT_NE(Wave_Sheet_Svg("<A & B>", map, map, 11000).find(">&lt;A &amp; B&gt;</text>"),
              std::string::npos);
}

} // namespace

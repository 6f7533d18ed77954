#include "core/chamber/pipe_waves.h"

#include "core/fields/numbers.h"

#include <algorithm>
#include <cmath>
#include <complex>

const char* const Wave_Model_Text =
    "Linear, lossless acoustics in the pipe as drawn, at the design's one speed of sound; the "
    "port absorbs what returns, the tail pipe's end is open (reflection -1, no end "
    "correction); the pulse is a half-sine from EO to BDC. No losses, mean flow, temperature "
    "change or cylinder: it shows where the waves arrive, not how strong they are on an "
    "engine.";

std::vector<Pipe_Station> Pipe_Stations(const Design_State& d) {
    // The section ends' diameters as the side view draws them: a straight header, the
    // diffuser cones, the belly, the baffle cone and the tail pipe.
    const std::vector<float> ends =
        d.ThreeStage
            ? std::vector<float>{d.Diam[0], d.Diam[1], d.Diam[2], d.Diam[3],
                                 d.Diam[3], d.Diam[4], d.Diam[4]}
            : std::vector<float>{d.Diam[0], d.Diam[1], d.Diam[2], d.Diam[2], d.Diam[3], d.Diam[3]};
    std::vector<Pipe_Station> pipe = {{0, d.PrtDiam}, {d.PrtLnth, d.Diam[0]}};
    for (size_t i = 0; i < ends.size(); ++i)
        pipe.push_back({pipe.back().x + d.Lnth[i], ends[i]});
    return pipe;
}

namespace {

// The diameter at x along the outline (linear between stations).
double Diameter_At(const std::vector<Pipe_Station>& pipe, double x) {
    const auto after = std::upper_bound(pipe.begin(), pipe.end(), x,
                                        [](double at, const Pipe_Station& s) { return at < s.x; });
    if (after == pipe.begin())
        return pipe.front().diameter;
    if (after == pipe.end())
        return pipe.back().diameter;
    const Pipe_Station& a = *(after - 1);
    const Pipe_Station& b = *after;
    return b.x > a.x ? a.diameter + (b.diameter - a.diameter) * (x - a.x) / (b.x - a.x)
                     : b.diameter;
}

} // namespace

Port_Response Impulse_Response(const std::vector<Pipe_Station>& pipe, double soundSpeed,
                               double duration, double cellMm) {
    const double length = pipe.back().x;
    const auto cells = static_cast<size_t>(std::max(1.0, std::ceil(length / cellMm)));
    const double h = length / static_cast<double>(cells);
    Port_Response r;
    r.step = h / 1000 / soundSpeed;
    // Each cylinder's area (the diameter squared will do) at its middle, and the reflection
    // of a wave running downstream at the joint after it.
    std::vector<double> area(cells), reflect(cells);
    for (size_t i = 0; i < cells; ++i)
        area[i] = std::pow(Diameter_At(pipe, (static_cast<double>(i) + 0.5) * h), 2);
    for (size_t i = 0; i + 1 < cells; ++i)
        reflect[i] = (area[i] - area[i + 1]) / (area[i] + area[i + 1]);
    // down[i]: the wave at the downstream end of cylinder i; up[i]: at its upstream end.
    std::vector<double> down(cells), up(cells), nextDown(cells), nextUp(cells);
    const auto steps = static_cast<size_t>(std::ceil(duration / r.step)) + 1;
    r.returned.resize(steps);
    for (size_t k = 0; k < steps; ++k) {
        r.returned[k] = up[0]; // leaves into the endless port duct
        nextDown[0] = k == 0 ? 1 : 0;
        for (size_t i = 0; i + 1 < cells; ++i) {
            const double R = reflect[i];
            nextDown[i + 1] = (1 + R) * down[i] - R * up[i + 1];
            nextUp[i] = R * down[i] + (1 - R) * up[i + 1];
        }
        nextUp[cells - 1] = -down[cells - 1]; // the open end
        down.swap(nextDown);
        up.swap(nextUp);
    }
    return r;
}

std::vector<double> Crank_Angles(double openAngle, int count) {
    std::vector<double> angles(static_cast<size_t>(count) + 1);
    for (int i = 0; i <= count; ++i)
        angles[static_cast<size_t>(i)] = openAngle + 360.0 * i / count;
    return angles;
}

std::vector<double> Returning_Wave(const Port_Response& response, double openAngle, double rpm,
                                   const std::vector<double>& crankDeg) {
    // The pulse sin(w u) for 0 <= u <= width; at time t the impulses k with t - width <=
    // k step <= t add r_k sin(w (t - k step)) = sin(w t) C_k - cos(w t) S_k, where C and S
    // sum r_k cos(w k step) and r_k sin(w k step): running sums make it one pass.
    const double degPerSecond = 6 * rpm;
    const double width = (180 - openAngle) / degPerSecond;
    const double w = Pi / width;
    const std::vector<double>& r = response.returned;
    std::vector<double> C(r.size() + 1), S(r.size() + 1);
    const std::complex<double> turn = std::polar(1.0, w * response.step);
    std::complex<double> at = 1;
    for (size_t k = 0; k < r.size(); ++k) {
        C[k + 1] = C[k] + r[k] * at.real();
        S[k + 1] = S[k] + r[k] * at.imag();
        at *= turn;
    }
    std::vector<double> p(crankDeg.size());
    const auto last = static_cast<double>(r.size()) - 1;
    for (size_t i = 0; i < crankDeg.size(); ++i) {
        const double t = (crankDeg[i] - openAngle) / degPerSecond;
        const double to = std::min(last, std::floor(t / response.step));
        const double from = std::max(0.0, std::ceil((t - width) / response.step));
        if (to < from)
            continue;
        const auto a = static_cast<size_t>(from), b = static_cast<size_t>(to) + 1;
        p[i] = std::sin(w * t) * (C[b] - C[a]) - std::cos(w * t) * (S[b] - S[a]);
    }
    return p;
}

std::vector<double> Map_Speeds(double designRpm) {
    std::vector<double> rpm(201);
    for (size_t i = 0; i < rpm.size(); ++i)
        rpm[i] = designRpm * (0.5 + static_cast<double>(i) / 200);
    return rpm;
}

Wave_Map Design_Waves(const Chamber_Design& design, const std::vector<double>& rpm) {
    Wave_Map map;
    const double eo = design.input.OpenAngle;
    map.events = {eo, 180, 360 - eo};
    map.rpm = rpm;
    map.crankDeg = Crank_Angles(eo, 720);
    const double slowest = *std::min_element(rpm.begin(), rpm.end());
    const Port_Response response = Impulse_Response(
        Pipe_Stations(design.state), design.result.SoundSpeed, 60 / slowest, Wave_Cell_Mm);
    std::optional<double> previous; // the plugging peak's angle beyond EC at the last speed
    for (double n : rpm) {
        map.pressure.push_back(Returning_Wave(response, eo, n, map.crankDeg));
        const std::vector<double>& p = map.pressure.back();
        const double peak =
            map.crankDeg[static_cast<size_t>(std::max_element(p.begin(), p.end()) - p.begin())];
        const double beyond = peak - map.events.EC;
        if (previous && !map.plugAtEc && (*previous < 0) != (beyond < 0))
            map.plugAtEc =
                n - (n - map.rpm[map.pressure.size() - 2]) * beyond / (beyond - *previous);
        previous = beyond;
    }
    return map;
}

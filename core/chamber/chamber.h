#pragma once
// The chamber calculation: from one accepted set of design inputs, every dimension of a
// tuned two-stroke expansion chamber. Single-precision storage, double-precision
// intermediates, rounded to single exactly where a quantity is stored.

#include <array>
#include <cstdint>
#include <string>

// Degrees C to kelvin.
inline constexpr double Kelvin_Offset = 273.15;

struct DsnInput {
    bool ThreeStage = false;   // three-stage diffuser (true) or two-stage
    bool TempFromBmep = false; // exhaust temperature derived from the target BMEP
    bool CoefFromBmep = false; // mid-section and tail pipe coefficients derived from it
    float HornCoef = 0;        // 1.25 to 2.0, three-stage only
    float TargetBmep = 0;      // bar, 8 to 12
    float ExhTemp = 0;         // degrees C, 450 to 650
    float PrtDiam = 0;         // DX, mm, 1 to 100
    float FlangeDiam = 0;      // D1, mm, DX to 1.2 x DX
    float PrtLnth = 0;         // LX, mm, 2 to 100
    float MidCoef = 0;         // 2.125 to 3.25
    float TailCoef = 0;        // 0.5 to 0.8
    float OpenAngle = 0;       // degrees ATDC, 70 to 105
    float EngineSpeed = 0;     // rpm, 1000 to 50000
    std::string PipeName;      // only shown on the window
};

struct DsnResult {
    float GasTemp = 0;           // mean exhaust gas temperature, K
    float MidCoef = 0;           // diameter coefficients actually used (typed or derived)
    float TailCoef = 0;          //
    float SoundSpeed = 0;        // speed of sound in the exhaust gas, m/s
    float ETotal = 0;            // tuned length, piston face to tail pipe entry, mm
    float MaxPrtLnth = 0;        // upper limit of LX, mm
    std::array<float, 5> Diam{}; // D1..D5, mm
    std::array<float, 7> Lnth{}; // L1..L7, mm
    int16_t Numdiam = 0;         // highest index of Diam in use: 4 three-stage, 3 two-stage
    int16_t Numlen = 0;          // highest index of Lnth in use: 6 three-stage, 5 two-stage
};

// The gas: its mean temperature and, when derived from the target BMEP, the diameter
// coefficients (otherwise the typed ones are taken over).
void Calc_Gas_And_Coefficients(const DsnInput& in, DsnResult& out);
// The speed of sound, the tuned length and the LX limit. Needs the gas temperature.
void Calc_Tuned_Length(const DsnInput& in, DsnResult& out);
// Every section's length and diameter, Numdiam and Numlen. Needs the tuned length. Writes
// only the entries in use, so a two-stage run leaves Diam(4) and Lnth(6) as they were.
void Calc_Sections(const DsnInput& in, DsnResult& out);

// The speed of sound in the exhaust gas at `gasTemp` kelvin, m/s, as the tuned length takes it.
float Sound_Speed(float gasTemp);
// The tuned length's formula solved for the engine speed (double precision): the speed at
// which a pipe of `tunedLength` mm is tuned, for this opening angle and speed of sound.
double Tuned_Speed(double openAngle, double soundSpeed, double tunedLength);

// All three in order. `previous` supplies the entries a two-stage run leaves alone.
DsnResult Calc_Chamber(const DsnInput& in, const DsnResult& previous = DsnResult{});

// The LX limit as the limit message shows it: MaxPrtLnth - 0.05 formatted "##0.0".
std::string Max_Prt_Lnth_Text(float maxPrtLnth);

#include "common/display_format.h"
#include "design/chamber.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::string shown(float v) {
    return Format_Number(v, "##0.0");
}

DsnInput threeStageFromBmep() {
    return Sample_Input(true);
}

DsnInput twoStageTyped() {
    return Sample_Input(false);
}

void expectShown(const DsnResult& r, const std::vector<std::string>& diam,
                 const std::vector<std::string>& lnth) {
    ASSERT_EQ(static_cast<size_t>(r.Numdiam) + 1, diam.size());
    ASSERT_EQ(static_cast<size_t>(r.Numlen) + 1, lnth.size());
    for (size_t i = 0; i < diam.size(); ++i)
        EXPECT_EQ(shown(r.Diam[i]), diam[i]) << "D" << i + 1;
    for (size_t j = 0; j < lnth.size(); ++j)
        EXPECT_EQ(shown(r.Lnth[j]), lnth[j]) << "L" << j + 1;
}

TEST(Chamber, ThreeStageFromTargetBmep) {
    const DsnResult r = Calc_Chamber(threeStageFromBmep());
    EXPECT_EQ(r.GasTemp, 848.15f);
    EXPECT_EQ(Format_Number(r.SoundSpeed, "#0.00"), "583.77");
    EXPECT_EQ(Format_Number(r.ETotal, "###0.0"), "813.7");
    EXPECT_EQ(Format_Number(r.MaxPrtLnth, "#0.00"), "81.37");
    EXPECT_EQ(Max_Prt_Lnth_Text(r.MaxPrtLnth), "81.3");
    expectShown(r, {"44.0", "60.8", "88.2", "109.8", "25.5"},
                {"61.4", "223.8", "148.9", "74.9", "89.5", "195.3", "195.3"});
    EXPECT_EQ(r.Lnth[6], r.Lnth[5]); // the tail pipe is the very same value as the rear cone
}

TEST(Chamber, TwoStageTyped) {
    const DsnResult r = Calc_Chamber(twoStageTyped());
    EXPECT_EQ(r.GasTemp, 873.15f);
    EXPECT_EQ(Format_Number(r.ETotal, "###0.0"), "825.6");
    expectShown(r, {"44.0", "67.6", "100.0", "26.0"},
                {"62.6", "338.5", "115.6", "90.8", "198.2", "198.2"});
    EXPECT_EQ(r.Lnth[5], r.Lnth[4]);
}

TEST(Chamber, ThreeStageAtTopBmep) {
    DsnInput in = threeStageFromBmep();
    in.TargetBmep = 12;
    in.HornCoef = 2.0f;
    in.OpenAngle = 80;
    in.EngineSpeed = 12000;
    const DsnResult r = Calc_Chamber(in);
    EXPECT_EQ(r.Diam[3], 130.0f);
    EXPECT_EQ(r.Diam[4], 24.0f);
    EXPECT_EQ(Format_Number(r.ETotal, "###0.0"), "845.9");
}

TEST(Chamber, BmepEndsMeetTheConstantBranches) {
    struct {
        float bmep;
        float kelvin;
        float tail;
        float mid;
    } cases[] = {{8, 773.15f, 0.7f, 2.125f}, {12, 923.15f, 0.6f, 3.25f}};
    for (const auto& c : cases) {
        DsnInput in = threeStageFromBmep();
        in.TargetBmep = c.bmep;
        DsnResult r;
        Calc_Chamber_A(in, r);
        EXPECT_EQ(r.GasTemp, c.kelvin);
        EXPECT_EQ(r.TailCoef, c.tail);
        EXPECT_EQ(r.MidCoef, c.mid);
    }
    // Just inside the ends the formulas run and stay within a step of the constants.
    for (float b : {std::nextafter(8.0f, 9.0f), std::nextafter(12.0f, 11.0f)}) {
        DsnInput in = threeStageFromBmep();
        in.TargetBmep = b;
        DsnResult r;
        Calc_Chamber_A(in, r);
        EXPECT_NEAR(r.TailCoef, b < 10 ? 0.7f : 0.6f, 1e-5);
        EXPECT_NEAR(r.MidCoef, b < 10 ? 2.125f : 3.25f, 1e-4);
    }
}

TEST(Chamber, HeaderLengthAtTheLxLimit) {
    DsnInput in = threeStageFromBmep();
    DsnResult r = Calc_Chamber(in);
    in.PrtLnth = r.MaxPrtLnth;
    r = Calc_Chamber(in);
    EXPECT_NEAR(r.Lnth[0], 0.0f, 1e-5);
    in.PrtLnth = std::nextafter(r.MaxPrtLnth, 0.0f);
    r = Calc_Chamber(in);
    EXPECT_GT(r.Lnth[0], 0.0f);
}

TEST(Chamber, TwoStageLeavesTheThreeStageOnlyEntries) {
    const DsnResult three = Calc_Chamber(threeStageFromBmep());
    const DsnResult two = Calc_Chamber(twoStageTyped(), three);
    EXPECT_EQ(two.Diam[4], three.Diam[4]);
    EXPECT_EQ(two.Lnth[6], three.Lnth[6]);
    EXPECT_EQ(two.Numdiam, 3);
    EXPECT_EQ(two.Numlen, 5);
}

TEST(Chamber, LengthsAddUpToTheTunedLength) {
    for (bool three : {false, true}) {
        DsnInput in = three ? threeStageFromBmep() : twoStageTyped();
        const DsnResult r = Calc_Chamber(in);
        double sum = in.PrtLnth;
        for (int j = 0; j < r.Numlen; ++j) // every section but the tail pipe
            sum += r.Lnth[j];
        EXPECT_NEAR(sum, r.ETotal, 1e-3);
    }
}

} // namespace

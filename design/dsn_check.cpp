#include "design/dsn_check.h"

#include "common/field_check.h"

#include <string>

namespace {

// One numeric field of the design window: texts of its three check stages and its range.
struct Dsn_Field {
    Texh_Index index;
    Field_Texts texts;
    std::string rangeTitle;
    std::string rangePrompt;
    float lo;
    float hi;
};

const Dsn_Field HornField{TexhHorn,
                          {"Horn Coefficient Not Set", "Horn Coefficient Incorrectly Set",
                           "Enter a value for the Horn Coefficient"},
                          "Horn Coefficient Out of Range",
                          "Enter a value between 1.25 and 2.0",
                          1.25f,
                          2.0f};
const Dsn_Field BmepField{
    TexhBmep,
    {"Target BMEP Not Set", "Target BMEP Incorrectly Set", "Enter a value for the Target BMEP"},
    "Target BMEP value is Out of Range",
    "Enter a value between 8 and 12",
    8.0f,
    12.0f};
const Dsn_Field TempField{TexhTemp,
                          {"Mean Exhaust Temperature Not Set",
                           "Mean Exhaust Temperature Incorrectly Set",
                           "Enter a value for the Exhaust Temperature"},
                          "Mean Exhaust Temperature Out of Range",
                          "Enter a value between 450C and 650C",
                          450.0f,
                          650.0f};
const Dsn_Field DxField{TexhDX,
                        {"Exhaust Port Effective Diameter Not Set",
                         "Exhaust Port Effective Diameter Incorrectly Set",
                         "Enter a value for the Exhaust Port Effective Diameter"},
                        "Exhaust Port Effective Diameter Out of Range",
                        "Enter a value between 1 and 100",
                        1.0f,
                        100.0f};
const Dsn_Field MidField{TexhMid,
                         {"Mid-Section Diameter Coefficient Not Set",
                          "Mid-Section Diameter Coefficient Incorrectly Set",
                          "Enter a value for the Mid-Section Diameter Coefficient"},
                         "Mid Section Diameter Coefficient Out of Range",
                         "Enter a value between 2.125 and 3.25",
                         2.125f,
                         3.25f};
const Dsn_Field TailField{TexhTail,
                          {"Tail Pipe Diameter Coefficient Not Set",
                           "Tail Pipe Diameter Coefficient Incorrectly Set",
                           "Enter a value for the Tail Pipe Diameter Coefficient"},
                          "Tail Pipe Diameter Coefficient Out of Range",
                          "Enter a value between 0.5 and 0.8",
                          0.5f,
                          0.8f};
const Dsn_Field AngleField{TexhAngle,
                           {"Exhaust Port Opening Angle Not Set",
                            "Exhaust Port Opening Angle Incorrectly Set",
                            "Enter a value for the Exhaust Port Opening Angle"},
                           "Exhaust Port Opening Angle Out of Range",
                           "Enter a value between 70 and 105",
                           70.0f,
                           105.0f};
const Dsn_Field SpeedField{
    TexhSpeed,
    {"Engine Speed Not Set", "Engine Speed Incorrectly Set", "Enter a value for the Engine Speed"},
    "Engine Speed Out of Range",
    "Enter a value between 1000 and 50000",
    1000.0f,
    50000.0f};
const Field_Texts D1Texts{"Barrel Flange Diameter Not Set",
                          "Barrel Flange Diameter Incorrectly Set",
                          "Enter a value for the Barrel Flange Diameter"};
const Field_Texts LxTexts{"Barrel Exhaust Duct Length Not Set",
                          "Barrel Exhaust Duct Length Incorrectly Set",
                          "Enter a value for the Barrel Duct Length"};

// All three stages of one field; on success `value` holds the accepted value.
std::optional<Field_Failure> checkField(const Dsn_Form_Input& form, const Dsn_Field& f,
                                        float& value) {
    if (auto fail = Read_Field(form.Texh[f.index], f.index, f.texts, value))
        return fail;
    return Check_Range(value, f.lo, f.hi, f.index, f.rangeTitle, f.rangePrompt);
}

Field_Failure optionFailure(const char* title, const char* prompt) {
    return Fail_At(-1, title, prompt);
}

} // namespace

Dsn_Check Check_Dsn_Input(const Dsn_Form_Input& form) {
    Dsn_Check out;
    const auto& opt = form.Option1;
    DsnInput& in = out.input;
    in.PipeName = form.PipeName;

    // Steps 1 to 3: the option groups.
    if (!opt[0] && !opt[1]) {
        out.failure =
            optionFailure("Diffuser Type Not Set", "Select an Option for the Diffuser Type");
        return out;
    }
    if (!opt[2] && !opt[3]) {
        out.failure = optionFailure("Exhaust Temperature Option Not Set",
                                    "Select an Option for the Exhaust Temperature setting");
        return out;
    }
    if (!opt[4] && !opt[5]) {
        out.failure = optionFailure("Diameter Coefficients Option Not Set",
                                    "Select an Option for the Diameter Coefficient settings");
        return out;
    }
    in.ThreeStage = form.ThreeStage;
    in.TempFromBmep = opt[3];
    in.CoefFromBmep = opt[5];

    // Step 4: horn coefficient, three stages only.
    if (in.ThreeStage) {
        if ((out.failure = checkField(form, HornField, in.HornCoef)))
            return out;
    }
    // Step 5: target BMEP, when either value comes from it.
    if (opt[3] || opt[5]) {
        if ((out.failure = checkField(form, BmepField, in.TargetBmep)))
            return out;
    }
    // Step 6: typed exhaust temperature.
    if (opt[2]) {
        if ((out.failure = checkField(form, TempField, in.ExhTemp)))
            return out;
    }
    // Step 7: port effective diameter DX.
    if ((out.failure = checkField(form, DxField, in.PrtDiam)))
        return out;
    out.PrtDiam = in.PrtDiam;

    // Step 8: barrel flange diameter D1 against DX; two of its limits only warn.
    if ((out.failure = Read_Field(form.Texh[TexhD1], TexhD1, D1Texts, in.FlangeDiam)))
        return out;
    out.Diam0 = in.FlangeDiam;
    const float d1 = in.FlangeDiam;
    const double dx = in.PrtDiam;
    if (d1 < in.PrtDiam) {
        out.failure = Fail_At(TexhD1, "Barrel Flange Diameter Too Small",
                              std::string("The Barrel Flange Diameter must not be less than the ") +
                                  "Port Effective Diameter" + CrLf + CrLf + "Enter a new value.");
        return out;
    }
    if (d1 < Single(1.05 * dx)) {
        out.warnings.push_back(Fail_At(TexhD1,
                                       std::string("WARNING - Barrel Flange Diameter less than ") +
                                           "the Recommended Limit",
                                       std::string("The Barrel Flange Diameter is less than ") +
                                           "1.05 x Port Effective Diameter"));
    } else if (d1 > Single(1.2 * dx)) {
        out.failure =
            Fail_At(TexhD1, "Barrel Flange Diameter Too Large",
                    std::string("The Barrel Flange Diameter must not exceed ") +
                        "1.2 x Port Effective Diameter" + CrLf + CrLf + "Enter a new value.");
        return out;
    } else if (d1 > Single(1.125 * dx)) {
        out.warnings.push_back(
            Fail_At(TexhD1, "WARNING - Barrel Flange Diameter exceeds the Recommended Limit",
                    std::string("The Barrel Flange Diameter exceeds ") +
                        "1.125 x Exhaust Port Effective Diameter"));
    }

    // Step 9: barrel exhaust duct length LX.
    if ((out.failure = Read_Field(form.Texh[TexhLX], TexhLX, LxTexts, in.PrtLnth)))
        return out;
    out.PrtLnth = in.PrtLnth;
    if (in.PrtLnth < 2.0f) {
        out.failure =
            Fail_At(TexhLX, "Barrel Exhaust Duct Length too small", "Enter a larger value");
        return out;
    }
    if (in.PrtLnth > 100.0f) {
        out.failure =
            Fail_At(TexhLX, "Barrel Exhaust Duct Length too large", "Enter a smaller value");
        return out;
    }

    // Step 10: typed diameter coefficients.
    if (opt[4]) {
        if ((out.failure = checkField(form, MidField, in.MidCoef)))
            return out;
        if ((out.failure = checkField(form, TailField, in.TailCoef)))
            return out;
    }
    // Steps 11 and 12: opening angle and engine speed.
    if ((out.failure = checkField(form, AngleField, in.OpenAngle)))
        return out;
    if ((out.failure = checkField(form, SpeedField, in.EngineSpeed)))
        return out;

    // Step 13: the tuned length and the LX limit.
    Calc_Chamber_A(in, out.result);
    Calc_Chamber_B(in, out.result);
    out.ETotal = out.result.ETotal;
    if (in.PrtLnth > out.result.MaxPrtLnth) {
        out.failure = Fail_At(
            TexhLX, "Unacceptable Length from Piston Face to Barrel Flange",
            std::string("The Length from Piston Face to Barrel Flange is Too Long") + CrLf + CrLf +
                "This Length must Not Exceed " + Max_Prt_Lnth_Text(out.result.MaxPrtLnth) + " mm");
        return out;
    }
    return out;
}

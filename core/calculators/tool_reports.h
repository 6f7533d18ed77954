#pragma once
// The calculators' runs as reports: the failure, the result line as the window shows
// it and the stored quantities (common/report.h). The command line prints them and the
// JavaScript module returns them.

#include "core/calculators/bmep_calc.h"
#include "core/calculators/port_height_calc.h"
#include "core/calculators/port_map.h"
#include "core/calculators/prof_port_calc.h"
#include "core/calculators/rect_port_calc.h"
#include "core/fields/form_entries.h"
#include "core/fields/report.h"

report::Report Bmep_Report(const Bmep_Inputs& in);
report::Report PrtHgt_Report(const PrtHgt_Inputs& in);
report::Report RectPrt_Report(const RectPrt_Inputs& in);
report::Report ProfPrt_Report(const ProfPrt_Inputs& in);
report::Report Port_Map_Report(const Port_Map_Inputs& in);

// The calculators' inputs from a form in the vocabulary's words. An option group left
// unset reads as its first word (hp, single port): the callers ask for it first.
Bmep_Inputs Bmep_Inputs_Of(const Form_Entries& entries);
PrtHgt_Inputs PrtHgt_Inputs_Of(const Form_Entries& entries);
RectPrt_Inputs RectPrt_Inputs_Of(const Form_Entries& entries);
// Stations beyond the eleventh are left out: the callers refuse them first.
ProfPrt_Inputs ProfPrt_Inputs_Of(const Form_Entries& entries);
Port_Map_Inputs Port_Map_Inputs_Of(const Form_Entries& entries);

// The report of the calculator of this form on the entries.
report::Report Tool_Report(Form_Key form, const Form_Entries& entries);

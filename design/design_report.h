#pragma once
// A design run as a report: the warnings, the failure, the result table's texts as the
// window shows them, the stored quantities, and the table as plain text. The command line
// prints it; a design file keeps it for other programs to read.

#include "common/report.h"
#include "design/design_pipeline.h"

report::Report Design_Report(const Outcome<Chamber_Design>& run);

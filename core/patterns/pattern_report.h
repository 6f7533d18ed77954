#pragma once
// The flat patterns as JSON, as the templates command prints them and the JavaScript
// module returns them: the options, every piece with its figures and how many pages it
// takes, and the sections too short to cut.

#include "core/fields/report.h"
#include "core/patterns/pattern_layout.h"

// {options: {the options by their fields' keys, the paper's word}, pdfPages,
//  pieces: [...], omitted: [...]}
report::Json Patterns_Json(const Chamber_Patterns& set, Paper paper);

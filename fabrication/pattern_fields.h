#pragma once
// The options of the flat patterns as a window's fields: sheet thickness, seam allowance
// and pieces per cone, checked like every field of the program (Not Set, Incorrectly Set,
// the range), with the command line's bounds and defaults.

#include "common/field_failure.h"
#include "fabrication/flat_pattern.h"

#include <array>
#include <string>

enum Pattern_Field : int16_t { PatSheet = 0, PatSeam = 1, PatPieces = 2 };

// The fields' texts when the window opens: the command line's defaults.
std::array<std::string, 3> Default_Pattern_Texts();

// The options the texts give, or the first field that fails with its message.
Outcome<Pattern_Options> Check_Pattern_Fields(const std::array<std::string, 3>& texts);

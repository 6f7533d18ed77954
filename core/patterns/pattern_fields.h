#pragma once
// The options of the flat patterns as a window's fields: sheet thickness, seam allowance
// and pieces per cone, checked like every field of the program (Not Set, Incorrectly Set,
// the range), and the paper. The window, the command line and the web page all check them
// here.

#include "core/fields/field_failure.h"
#include "core/patterns/flat_pattern.h"
#include "core/patterns/pattern_layout.h"

#include <array>
#include <optional>
#include <string>

enum Pattern_Field : int16_t { PatSheet = 0, PatSeam = 1, PatPieces = 2 };

// The fields' texts when the window opens.
std::array<std::string, 3> Default_Pattern_Texts();

// The options the texts give, or the first field that fails with its message.
Outcome<Pattern_Options> Check_Pattern_Fields(const std::array<std::string, 3>& texts);

// The paper a word of the paper choice names ("a4", "letter", in any case), or nothing.
std::optional<Paper> Paper_Of(const std::string& word);
// The word of the paper choice for a paper.
const char* Paper_Word(Paper paper);

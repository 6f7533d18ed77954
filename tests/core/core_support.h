#pragma once
// What the core tests share: a failure that keeps the text, failures printed as a user
// reads them, and the text that reads back as exactly a given single.

#include "core/fields/field_failure.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <utility>

// The failure of a check that keeps the field's text, with the focus on the field.
inline Field_Failure Failed(int16_t field, std::string title, std::string prompt,
                            FieldKind kind = FieldKind::Input) {
    return {std::move(title), std::move(prompt), field, false, kind};
}

inline void PrintTo(const Field_Failure& f, std::ostream* os) {
    *os << "[" << f.title << "] " << f.prompt << " (field " << f.field
        << (f.kind == FieldKind::Ordinate ? " ordinate" : "")
        << (f.clearField ? ", emptied)" : ")");
}

inline void PrintTo(const Field_Warning& w, std::ostream* os) {
    *os << "[" << w.title << "] " << w.prompt << " (field " << w.field << ")";
}

inline std::string Text(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

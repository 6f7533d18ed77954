#pragma once
// What the core tests share: failures printed as a user reads them, and the text that
// reads back as exactly a given single.

#include "core/fields/field_failure.h"

#include <cstdio>
#include <ostream>
#include <string>

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

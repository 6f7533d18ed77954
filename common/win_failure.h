#pragma once
// How a window reports a failed check: the message box, then (for a field that is not
// set) the field emptied, then the focus on that field. A failure that names no field
// (an option group) leaves the focus where it is.

#include "common/field_failure.h"
#include "common/win_controls.h"
#include "common/win_msgbox.h"

template <int N> void Show_Failure(const Field_Failure& f, Ctl_Array<TextBox, N>& fields) {
    MsgBox(f.prompt, f.title);
    if (f.field < 0 || f.field >= N) {
        return;
    }
    if (f.clearField) {
        fields[f.field].SetText("");
    }
    fields[f.field].SetFocus();
}

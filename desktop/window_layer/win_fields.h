#pragma once
// What every window does with its fields and results: creating them in the windows' look,
// reading their texts for a check-and-compute operation, and reporting its outcome: the
// warning and failure boxes, the field emptied for Not Set, the focus moved.

#include "core/fields/field_failure.h"
#include "desktop/window_layer/win_controls.h"
#include "desktop/window_layer/win_msgbox.h"

#include <array>
#include <initializer_list>
#include <string>

// A light yellow input field named by its label.
void Create_Field(TextBox& field, Container& in, float left, float top, Label& label,
                  float width = 615);

// A result box: a field only the program fills, right-aligned, outside the tab order.
void Create_Result_Box(TextBox& box, Container& in, float left, float top, Label& label,
                       float width = 615);

// A label that shows a result line once a calculation succeeds; empty until then.
void Create_Result_Line(Label& line, Container& in, float left, float top, float width);

// Gives the controls tab indexes 0, 1, 2 ... in the order listed.
void Set_Tab_Order(std::initializer_list<Control*> order);

// The texts of the fields, in index order.
template <int N> std::array<std::string, N> Texts_Of(const Ctl_Array<TextBox, N>& fields) {
    std::array<std::string, N> texts;
    for (int16_t i = 0; i < N; ++i) {
        texts[static_cast<size_t>(i)] = fields[i].Text();
    }
    return texts;
}

// The box of a warning, then the focus on its field.
template <int N> void Show_Warning(const Field_Warning& w, Ctl_Array<TextBox, N>& fields) {
    MsgBox(w.prompt, w.title);
    if (w.field >= 0 && w.field < N) {
        fields[w.field].SetFocus();
    }
}

// The box of a failure, then (for a field that is not set) the field emptied, then the
// focus on it. A failure that names no field (an option group) leaves the focus where it is.
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

// Every warning in order, then the failure if any, on the window's field array (and its
// ordinate array, for the failures that name an ordinate). True when nothing failed.
template <int N, int M, class T>
bool Show_Outcome(const Outcome<T>& o, Ctl_Array<TextBox, N>& fields,
                  Ctl_Array<TextBox, M>* ordinates) {
    for (const Field_Warning& w : o.warnings) {
        Show_Warning(w, fields);
    }
    if (o.failure && o.failure->kind == FieldKind::Ordinate && ordinates) {
        Show_Failure(*o.failure, *ordinates);
    } else if (o.failure) {
        Show_Failure(*o.failure, fields);
    }
    return o.ok();
}

template <int N, class T> bool Show_Outcome(const Outcome<T>& o, Ctl_Array<TextBox, N>& fields) {
    return Show_Outcome<N, 1, T>(o, fields, nullptr);
}

template <int N, int M, class T>
bool Show_Outcome(const Outcome<T>& o, Ctl_Array<TextBox, N>& fields,
                  Ctl_Array<TextBox, M>& ordinates) {
    return Show_Outcome<N, M, T>(o, fields, &ordinates);
}

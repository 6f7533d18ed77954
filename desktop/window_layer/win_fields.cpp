#include "desktop/window_layer/win_fields.h"

#include "core/screen/palette.h"

void Create_Field(TextBox& field, Container& in, float left, float top, Label& label, float width) {
    field.Create(in, left, top, width, 285);
    field.SetBackColor(Palette::Field);
    field.SetLabel(label);
}

void Create_Result_Box(TextBox& box, Container& in, float left, float top, Label& label,
                       float width) {
    Create_Field(box, in, left, top, label, width);
    box.SetLocked(true);
    box.SetAlignment(Align::Right);
}

void Create_Result_Line(Label& line, Container& in, float left, float top, float width) {
    line.Create(in, left, top, width, 255, "");
    line.SetAccessibleName("Result");
}

void Set_Tab_Order(std::initializer_list<Control*> order) {
    int16_t i = 0;
    for (Control* c : order) {
        c->SetTabIndex(i++);
    }
}

#pragma once
// The safety net under the front screen's navigation: every work window's form is kept, on
// every Calculate and whenever the window is left or the program ends, in a file of the
// user's state folder (core/fields/kept_forms.h), so that "Restore Previous Form" brings
// back the form a window held before the front screen emptied it, and a program that was
// killed offers its unsaved forms at the next start. The design files last opened or saved
// are kept there too.

#include "core/fields/kept_forms.h"
#include "desktop/window_layer/win_controls.h"
#include "desktop/window_layer/win_fields.h"

#include <string>

class QWidget;

// A work window whose form is kept: its "Restore Previous Form" command, what the form
// holds in the vocabulary's words, and how to put such a form back as the tuner would.
class Kept_Window {
public:
    explicit Kept_Window(Form_Key key) : key_(key) {}
    virtual ~Kept_Window() = default;
    Form_Key Kept_Key() const { return key_; }

    virtual Kept_Form Form_Now() const = 0;
    // Chooses and types the form in as the tuner would (choices first, then texts), without
    // calculating.
    virtual void Put_Form(const Kept_Form& form) = 0;
    virtual CommandButton& Calculate_Command() = 0;

    CommandButton RestCom{"RestCom"}; // "Restore Previous Form"

protected:
    // Creates RestCom at this place in the window's free space; it comes after the window's
    // other controls in the tab order.
    void Create_Restore_Command(Container& in, float left, float top, float width, float height);

private:
    Form_Key key_;
};

// The word of the option chosen among a group's buttons, "" while none is; and the place of
// the form's word in its group, -1 for none.
template <int N>
std::string Chosen_Word(const Choice_Group& group, const Ctl_Array<OptionButton, N>& options) {
    for (int16_t i = 0; i < N; ++i) {
        if (options[i].Value()) {
            return group.words.at(static_cast<size_t>(i)).word;
        }
    }
    return "";
}
inline int Chosen_Place(const Choice_Group& group, const Kept_Form& form) {
    return Chosen(group, form.entries).value_or(-1);
}

// A window's field array as a kept form (with or without its results), and back into it.
template <int N>
Kept_Form Kept_Texts(Form_Key key, const Ctl_Array<TextBox, N>& fields, bool results) {
    Kept_Form f;
    Put_Field_Texts(Words_Of(key), Texts_Of(fields), f.entries);
    f.results = results;
    return f;
}
template <int N>
void Put_Texts(Form_Key key, const Kept_Form& form, Ctl_Array<TextBox, N>& fields) {
    const auto texts = Field_Texts<static_cast<size_t>(N)>(Words_Of(key), form.entries);
    for (int16_t i = 0; i < N; ++i) {
        fields[i].SetText(texts[static_cast<size_t>(i)]);
    }
}

namespace keeper {

// Where the forms are kept between runs, a folder that need not exist yet; "" keeps them
// only while the program runs. Reads what a run before kept there: its forms become the
// ones "Restore Previous Form" brings back, and this run is marked as running.
void Keep_In(const std::string& folder);

// The form as it stands is kept: after Calculate, and when the window is hidden.
void Keep(const Kept_Window& window);
// The window is about to be emptied (by the front screen, or by a design opened over it):
// the form it held becomes its previous form.
void Emptying(const Kept_Window& window);
// "Restore Previous Form": the previous form back in the window, with its results when it
// had them (Calculate run without its boxes); the form it replaces becomes the previous one.
void Restore_Previous(Kept_Window& window);
// The program ends: every form as it stands, and the file says the program ended.
void Program_Ends();

// At start: after a run that was killed, asks whether to bring back the forms it left
// unsaved, and brings them back into their windows (the first one shown). True when it did.
bool Offer_Unsaved(QWidget* parent);

// The design files last opened or saved, the latest first.
const Recent_Designs& Recent();
void Design_Used(const std::string& file, const std::string& pipeName);
void Design_Gone(const std::string& file);

} // namespace keeper

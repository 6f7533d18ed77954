#pragma once
// What the program keeps of the tuner's work between runs, so that nothing typed is lost:
// for each work window the form as it stands (kept on every Calculate, when the window is
// left and when the program ends) and the form as it stood before the window was last
// emptied, in the vocabulary's words; whether the program that wrote them was still running
// (it was killed); and the design files last opened or saved. JSON, so that any front end
// can keep the same words. The words of the commands and messages that go with it are here
// too.

#include "core/fields/field_failure.h"
#include "core/fields/form_entries.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One window's form.
struct Kept_Form {
    Form_Entries entries; // texts and chosen words by key, a repeated field's stations
    bool results = false; // its results were on screen
    std::string file;     // the design file it was opened from or saved to, "" none
    bool unsaved = false; // changed since (or never saved)

    bool operator==(const Kept_Form& o) const {
        return entries.texts == o.entries.texts && entries.stations == o.entries.stations &&
               results == o.results && file == o.file && unsaved == o.unsaved;
    }
};

// Whether the form holds nothing the tuner typed or chose: each text and choice as the
// window opens with it.
bool Is_Blank(const Form_Words& words, const Kept_Form& form);

struct Kept_Forms {
    bool running = false; // written by a program that had not ended (yet)
    // By the form's key ("design", "bmep", ...).
    std::map<std::string, Kept_Form> now;    // as the window stands
    std::map<std::string, Kept_Form> before; // as it stood before it was last emptied
};

inline constexpr const char* Kept_Forms_File = "forms.json";
std::string Kept_Forms_Text(const Kept_Forms& kept);
// The forms the text holds; a form or an entry that is not understood is left out, the rest
// is kept. Nothing when the text is not such a file at all.
std::optional<Kept_Forms> Read_Kept_Forms(std::string_view text);

// The design files last opened or saved, the latest first, and the folder the file dialogs
// used last.
inline constexpr size_t Recent_Design_Count = 8;
struct Recent_Design {
    std::string file;
    std::string pipeName;
    bool operator==(const Recent_Design& o) const {
        return file == o.file && pipeName == o.pipeName;
    }
};
struct Recent_Designs {
    std::vector<Recent_Design> designs;
    std::string folder;
};
inline constexpr const char* Recent_Designs_File = "recent.json";
std::string Recent_Designs_Text(const Recent_Designs& recent);
Recent_Designs Read_Recent_Designs(std::string_view text);
// The design goes first, once; the oldest beyond eight go.
void Add_Recent_Design(Recent_Designs& recent, const Recent_Design& design);
void Drop_Recent_Design(Recent_Designs& recent, const std::string& file);
// Its line in the list: "&1  GP 125  (gp125.ecd)", an ampersand of the name doubled.
std::string Recent_Design_Caption(const Recent_Design& design, size_t place);

// ---- The words ----

inline constexpr const char* Restore_Form_Caption = "Restore &Previous Form";
inline constexpr const char* Recent_Designs_Caption = "&Recent Designs";

// The design window's title: its caption, the design file's name and a star while the form
// differs from that file (or, without a file, while anything is typed).
std::string Design_Window_Title(const std::string& caption, const std::string& file, bool unsaved);

Field_Failure No_Previous_Form();
// The forms could not be written to `where`: said once a run.
Field_Failure Forms_Not_Kept(const std::string& where, const std::string& reason);
Field_Failure Recent_Design_Missing(const std::string& file);

// The question at start after a run that was killed, naming the forms it left unsaved.
struct Question {
    std::string title, prompt, yes, no;
};
Question Offer_Unsaved_Forms(const std::vector<std::string>& forms);
// A form as that question names it: the window's title, the pipe name beside a design's.
std::string Kept_Form_Name(const Form_Words& words, const Kept_Form& form);

#pragma once
// The words of every form the program shows (the design, the four calculators, the flat
// patterns' options), in one table: for each field its key, its command-line flag, its
// caption as the window shows it, its unit, its accepted range as text and a help line; for
// each option group its key and its words. The design file, the command line with its help
// and manual, the JavaScript module and the web page all take their words from here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Field_Kind {
    Number,    // a numeric text, checked
    Free_Text, // kept as typed (the pipe name)
    Repeated,  // one text per station (the profiled port's ordinates)
};

struct Field_Word {
    const char* key;     // one word: the design file, JSON, the module and the page
    const char* flag;    // the command line's flag
    const char* caption; // exactly as the window shows it
    const char* unit;    // "mm", "rpm", ...; "" for a plain number
    const char* range;   // "1 to 100", words for one that depends on other fields, or ""
    const char* help;    // what it is, in a few words
    int16_t index;       // in the window's field array; -1: a control of its own
    Field_Kind kind = Field_Kind::Number;
    const char* opening = ""; // the text it has when the window opens
    const char* hint = "";    // the recommended values shown under it, a line each
};

struct Choice_Word {
    const char* word;    // as the files, JSON, the module and the page name it
    const char* flag;    // its own flag, or "" when the group's flag takes the word
    const char* caption; // the option button's caption
    const char* help;
    // The caption this choice gives the field measured in it (the BMEP window's power), or "".
    const char* fieldCaption = "";
};

struct Choice_Group {
    const char* key;     // "diffuser"
    const char* caption; // the frame's caption
    const char* flag;    // a flag that takes the word as its value, or ""
    const char* help;
    std::vector<Choice_Word> words; // in the order of the option buttons
    const char* opening = "";       // the word chosen when the window opens, "" none
};

enum class Form_Key {
    Design,
    Bmep,
    Port_Height,
    Rect_Port,
    Profiled_Port,
    Patterns,
    Port_Map,
    Pipe_Check
};

struct Form_Words {
    Form_Key id;
    const char* key;             // "design", "bmep", ...: the page's and the module's name
    const char* command;         // the command line's command
    const char* title;           // the window's caption
    const char* controls;        // the window's field array ("Texh")
    const char* stationControls; // the array of a repeated field ("OrdTxt"), or ""
    std::vector<Choice_Group> choices;
    std::vector<Field_Word> fields; // in the order of the window's fields on screen

    // The field of this key or window index, or the first of this kind; nullptr when there
    // is none.
    const Field_Word* Field(std::string_view key) const;
    const Field_Word* At(int16_t index) const;
    const Field_Word* Of_Kind(Field_Kind kind) const;
    // The control that takes the focus for a field index ("Texh(9)").
    std::string Control(int16_t index, bool station = false) const;
};

const std::vector<Form_Words>& All_Forms();
const Form_Words& Words_Of(Form_Key form);

// The port map's groups of ports, in the order of the page: their key (the first word of
// their fields' keys and flags) and their name in captions and messages.
struct Port_Group_Word {
    const char* key;  // "exhaust"
    const char* name; // "Exhaust Port"
};
const std::vector<Port_Group_Word>& Port_Group_Words();
// The port map's fields of a group, in the order of their columns.
enum Port_Column : int16_t { PortCount, PortWidth, PortRadius, PortTiming, PortHeight, PortTarget };
inline constexpr int16_t Port_Columns = 6;
// The caption over each column of the groups' table ("Width (mm)"), and the word that
// follows a group's key in its fields' keys ("Width": "exhaustWidth").
const char* Port_Column_Caption(Port_Column column);
const char* Port_Column_Key(Port_Column column);
inline constexpr int16_t Port_Engine_Fields = 5; // bore, stroke, rod, deck, rpm
inline int16_t Port_Field(size_t group, Port_Column column) {
    return static_cast<int16_t>(Port_Engine_Fields + Port_Columns * group + column);
}

// The pipe check's fields PipeTxt: the design window's at the same indexes (the engine
// speed's place, 2, stays empty: the check finds the speed), then the measured lengths
// L1 to L6 and diameters D2 to D5.
inline constexpr int16_t Pipe_Length_Field = 10;   // L1; L(k) at 9 + k
inline constexpr int16_t Pipe_Diameter_Field = 16; // D2; D(k) at 14 + k
inline constexpr int16_t Pipe_Field_Count = 20;

// The closed range a field's range text states ("1.25 to 2.0": 1.25 and 2), rounded to
// single precision as the checks of single values compare, and to double precision for
// options kept as doubles; nothing when the range depends on other fields.
struct Bounds {
    float lo = 0;
    float hi = 0;
    double exactLo = 0;
    double exactHi = 0;
};
std::optional<Bounds> Range_Bounds(const Field_Word& field);
// The same for the field of this window index, which must have such a range.
Bounds Bounds_Of(Form_Key form, int16_t index);

// The caption of the field of this window index.
const char* Field_Caption(Form_Key form, int16_t index);

// The help line of a field as --help and the manual give it: "what, unit, range".
std::string Help_Line(const Field_Word& field);

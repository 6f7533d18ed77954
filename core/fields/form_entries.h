#pragma once
// A form as a front end hands it over, in the vocabulary's words: for each field key the
// text typed, for each option group the word chosen, and the texts of a repeated field
// station by station. The command line builds it from its flags, a design file and the
// JavaScript module from JSON; each calculation reads its inputs from it.

#include "core/fields/vocabulary.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct Form_Entries {
    std::map<std::string, std::string> texts; // by field or group key; left out: empty
    std::vector<std::string> stations;        // the repeated field's texts, station 0 first

    // The text or word of this key, empty when it was left out.
    const std::string& operator[](const std::string& key) const;
};

// The place of the word chosen in the group: -1 while none is (left out or empty), nothing
// when the entry is no word of the group.
std::optional<int> Chosen(const Choice_Group& group, const Form_Entries& entries);

// The first option group of the form whose entry is none of its words; nullptr when every
// group's entry is one of its words or empty.
const Choice_Group* Unknown_Choice(const Form_Words& form, const Form_Entries& entries);

// The texts of the form's numeric fields, by their index in the window's field array.
template <size_t N>
std::array<std::string, N> Field_Texts(const Form_Words& form, const Form_Entries& entries) {
    std::array<std::string, N> texts;
    for (const Field_Word& f : form.fields)
        if (f.kind == Field_Kind::Number && f.index >= 0 && static_cast<size_t>(f.index) < N)
            texts[static_cast<size_t>(f.index)] = entries[f.key];
    return texts;
}

// The entries of the form's numeric fields from their texts by index.
template <size_t N>
void Put_Field_Texts(const Form_Words& form, const std::array<std::string, N>& texts,
                     Form_Entries& entries) {
    for (const Field_Word& f : form.fields)
        if (f.kind == Field_Kind::Number && f.index >= 0 && static_cast<size_t>(f.index) < N)
            entries.texts[f.key] = texts[static_cast<size_t>(f.index)];
}

// The word of the group at this place, or "" for -1.
std::string Word_At(const Choice_Group& group, int place);

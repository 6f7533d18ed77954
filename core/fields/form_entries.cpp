#include "core/fields/form_entries.h"

const std::string& Form_Entries::operator[](const std::string& key) const {
    static const std::string none;
    const auto it = texts.find(key);
    return it == texts.end() ? none : it->second;
}

std::optional<int> Chosen(const Choice_Group& group, const Form_Entries& entries) {
    const std::string& word = entries[group.key];
    if (word.empty())
        return -1;
    for (size_t i = 0; i < group.words.size(); ++i)
        if (word == group.words[i].word)
            return static_cast<int>(i);
    return std::nullopt;
}

const Choice_Group* Unknown_Choice(const Form_Words& form, const Form_Entries& entries) {
    for (const Choice_Group& g : form.choices)
        if (!Chosen(g, entries))
            return &g;
    return nullptr;
}

std::string Word_At(const Choice_Group& group, int place) {
    return place < 0 ? std::string() : group.words.at(static_cast<size_t>(place)).word;
}

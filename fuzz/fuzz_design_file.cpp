// The design-file reader on any bytes: it either gives a form or says what is wrong, never
// both and never neither; a form it gives, saved again, reads back as the same form.

#include "core/chamber/design_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Design_File_Read read = Read_Design_File(text);
    Require(read.form.has_value() != !read.problem.empty(), "a form or a problem", read.problem);
    if (read.form) {
        const std::string saved = Design_File_Text(*read.form, Calc_Design(*read.form));
        const Design_File_Read again = Read_Design_File(saved);
        Require(again.form && Entries_Of(*again.form).texts == Entries_Of(*read.form).texts,
                "a saved form reads back the same", saved);
    }
    return 0;
}

// The calculation core as a JavaScript module: one function, call(operation, request,
// bytes), that takes the request as JSON text (and a design file's bytes as a Uint8Array,
// or "") and answers JSON text. The operations and their answers: forms/form_calls.h and
// README.md here.

#include "core/calls/form_calls.h"

#include <emscripten/bind.h>

#include <string>

namespace {
std::string Call(std::string operation, std::string request, std::string bytes) {
    return Form_Call(operation, request, bytes);
}
} // namespace

EMSCRIPTEN_BINDINGS(expansion_chamber) {
    emscripten::function("call", &Call);
}

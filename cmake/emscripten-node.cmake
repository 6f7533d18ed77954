# WebAssembly with Debian's Emscripten: the programs (tests, the calculator) run under
# node with the real file system; the JavaScript module in wasm/ is built for browsers
# and node alike.
#   cmake --preset wasm          (NODE_PATH=/usr/share/nodejs must be set: em++ needs acorn)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Exceptions caught (Emscripten only aborts on a throw by default), on every compile and
# link. The loader of this Emscripten fetches the .wasm with fetch(), which node 18 and
# later have but cannot use on a file: the pre-js reads it from the disk instead.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_C_FLAGS_INIT "-fexceptions")
# The programs are linked without Binaryen's optimisations (-O1 after the build type's
# level): only tests and the calculator, and linking is most of this build's time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-O1 -fexceptions -sALLOW_MEMORY_GROWTH=1 -sNODERAWFS=1 \
--pre-js ${CMAKE_CURRENT_LIST_DIR}/node-read-wasm.js")

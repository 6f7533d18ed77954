// Loaded before an Emscripten program (--pre-js): under node the .wasm is read from the
// disk. This Emscripten's loader would call fetch() on the file's path, which fails on
// node 18 and later. Browsers keep the loader's own fetch.
if (typeof process == 'object' && typeof process.versions == 'object' &&
    typeof process.versions.node == 'string' && !Module['instantiateWasm'] &&
    !Module['wasmBinary']) {
  Module['instantiateWasm'] = function(imports, receiveInstance) {
    var file = wasmBinaryFile;
    if (file.startsWith('file:')) file = require('url').fileURLToPath(file);
    WebAssembly.instantiate(require('fs').readFileSync(file), imports)
        .then(function(r) { receiveInstance(r['instance'], r['module']); },
              function(e) { err('cannot load ' + file + ': ' + e); abort(e); });
    return {};
  };
}

// The JavaScript module under node: what only the module adds to the core's calls, whose
// answers and errors are tested in C++ (tests/forms): the JSON text in and out, a design
// file's bytes passed as a Uint8Array. Prints the time of one design computed from
// JavaScript.
//   node wasm/test_module.js build-wasm/bin/ecd-core.js
'use strict';
const assert = require('node:assert/strict');
const path = require('node:path');

const createEcdCore = require(path.resolve(process.argv[2]));

const threeStage = {
  diffuser: 'three-stage', temperature: 'bmep', coefficients: 'bmep', bmep: '10', horn: '1.5',
  dx: '40', d1: '44', lx: '20', angle: '88', rpm: '11000',
};

createEcdCore().then((module) => {
  const call = (operation, request, bytes = '') =>
    JSON.parse(module.call(operation, JSON.stringify(request), bytes));
  assert.equal(call('calculate', {form: 'design', input: threeStage}).display.TexTotLth, '813.7 ');

  const saved = call('designFile', {input: {...threeStage, pipeName: 'Ölrohr 😀'}}).text;
  const bytes = new TextEncoder().encode(saved);
  assert.equal(call('readDesignFile', {from: 'a.ecd'}, bytes).input.pipeName, 'Ölrohr 😀');
  bytes[bytes.indexOf(0xc3)] = 0xff; // no UTF-8 any longer
  assert.match(call('readDesignFile', {from: 'a.ecd'}, bytes).failure.prompt, /not valid JSON/);
  console.log('module: passed');

  const request = JSON.stringify({form: 'design', input: threeStage});
  for (let i = 0; i < 200; ++i) module.call('calculate', request, ''); // warm up
  const start = process.hrtime.bigint();
  for (let i = 0; i < 2000; ++i) JSON.parse(module.call('calculate', request, ''));
  const micros = Number(process.hrtime.bigint() - start) / 2000 / 1000;
  console.log(`one design from JavaScript: ${micros.toFixed(1)} microseconds`);
}).catch((e) => {
  console.error(e);
  process.exit(1);
});

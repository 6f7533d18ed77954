// The JavaScript module under node: each function on the worked examples of the README,
// failures with their focus, wrong calls, the result table from a returned state, the
// diagram and the flat patterns. Prints the time of one design computed from JavaScript.
//   node wasm/test_module.js build-wasm/bin/ecd-core.js
'use strict';
const assert = require('node:assert/strict');
const path = require('node:path');

const createEcdCore = require(path.resolve(process.argv[2]));

const threeStage = {
  diffuser: 'three-stage', tempSource: 'bmep', coefSource: 'bmep', bmep: '10', horn: '1.5',
  dx: '40', d1: '44', lx: '20', angle: '88', rpm: '11000',
};
const twoStage = {
  diffuser: 'two-stage', tempSource: 'typed', coefSource: 'typed', temp: '600', mid: '2.5',
  tail: '0.65', dx: '40', d1: '44', lx: '20', angle: '88', rpm: '11000',
};

function worked(ecd) {
  const cases = [
    [ecd.calcBmep, {unit: 'kw', bore: '54', stroke: '54.5', rpm: '12000', power: '30'},
     ['The Brake Mean Effective Pressure is 12.02 bar']],
    [ecd.calcPortHeight, {stroke: '54.5', rod: '110', start: '85', full: '180'},
     ['The Port Height is 26.22 mm']],
    [ecd.calcRectPort, {width: '40', height: '30', topRadius: '5', bottomRadius: '5'},
     ['Diameter of the Equivalent Circular Port is 38.74 mm']],
    [ecd.calcProfiledPort,
     {configuration: 'single', bore: '50', height: '20', intervals: '4',
      ordinates: ['30', '30', '30', '30', '30']},
     ['The Equivalent Diameter of the Port is 26.81 mm']],
  ];
  for (const [calc, inputs, texts] of cases) {
    const r = calc(inputs);
    assert.equal(r.failure, null, texts[0]);
    assert.deepEqual(r.warnings, []);
    assert.deepEqual(r.texts, texts);
  }
  const bmep = ecd.calcBmep(cases[0][1]).values;
  assert.deepEqual(Object.keys(bmep), ['V', 'Pk', 'BMEP']);
  assert.equal(bmep.BMEP, Math.fround(bmep.BMEP)); // a stored single, exactly

  const design = ecd.calcDesign(threeStage);
  assert.equal(design.failure, null);
  assert.equal(design.table.TexTotLth, '813.7');
  assert.deepEqual(design.table.Texdiam, ['44.0', '60.8', '88.2', '109.8', '25.5']);
  assert.equal(design.table.Texlen[6], '195.3');
  assert.equal(design.result.GasTemp, Math.fround(848.15));
  assert.equal(design.result.Lnth.length, 7);
  assert.equal(design.state.ETotal, design.result.ETotal);
  // The state goes back in as it came out.
  assert.deepEqual(ecd.makeResultTable(design.state), design.table);
  // A two-stage run keeps D5 and L7 of the state it is given, as the window does.
  const two = ecd.calcDesign({...twoStage, previous: design.state});
  assert.equal(two.table.TexTotLth, '825.6');
  assert.equal(two.state.Diam[4], design.state.Diam[4]);
  assert.equal(ecd.calcDesign(twoStage).state.Diam[4], 0);
}

function failures(ecd) {
  const design = ecd.calcDesign({...threeStage, d1: '41', rpm: ''});
  assert.deepEqual(design.warnings.map((w) => w.field), ['d1']);
  assert.deepEqual(
      {...design.failure, prompt: undefined},
      {title: 'Engine Speed Not Set', prompt: undefined, field: 'rpm', index: null,
       emptied: true});
  assert.equal(design.table, null);
  assert.equal(design.result, null);
  assert.equal(design.state.PrtDiam, 40); // read before the failure, kept as the window does

  const cases = [
    [ecd.calcDesign, {diffuser: 'two-stage'}, 'Exhaust Temperature Option Not Set', null],
    [ecd.calcBmep, {unit: 'hp', bore: '1,5'}, 'Cylinder Bore Incorrectly Set', 'bore'],
    [ecd.calcPortHeight, {stroke: '54.5', rod: '110', start: '85', full: '190'}, null, 'full'],
    [ecd.calcRectPort, {width: '40', height: ' '}, 'Port Height Not Set', 'height'],
    [ecd.calcProfiledPort,
     {configuration: 'single', bore: '50', height: '20', intervals: '4', ordinates: ['30', '30']},
     'Ordinate Not Set', 'ordinates'],
  ];
  for (const [calc, inputs, title, field] of cases) {
    const r = calc(inputs);
    assert.notEqual(r.failure, null, JSON.stringify(inputs));
    if (title) assert.equal(r.failure.title, title);
    assert.equal(r.failure.field, field);
    assert.equal(r.values ?? null, null);
  }
  const ordinate = ecd.calcProfiledPort(cases[4][1]);
  assert.equal(ordinate.failure.index, 2);
  assert.equal(ordinate.intervals, 4);
}

function wrongCalls(ecd) {
  const calls = [
    [() => ecd.calcBmep({unit: 'hp', bore: 54}), TypeError],
    [() => ecd.calcBmep({bore: '54'}), TypeError],
    [() => ecd.calcProfiledPort({configuration: 'double'}), TypeError],
    [() => ecd.calcProfiledPort({configuration: 'single', ordinates: new Array(12).fill('1')}),
     TypeError],
    [() => ecd.calcDesign('40'), TypeError],
    [() => ecd.calcDesign({...threeStage, previous: {ThreeStage: true}}), TypeError],
    [() => ecd.makeResultTable({...ecd.calcDesign(threeStage).state, Numdiam: 9}), RangeError],
    [() => ecd.drawPipe(ecd.calcDesign(threeStage).state, '6500'), TypeError],
    [() => ecd.makeChamberPatterns(threeStage, {sheet: 5}), RangeError],
    [() => ecd.makeChamberPatterns(threeStage, {pieces: 1.5}), RangeError],
    [() => ecd.designFileText({...threeStage, name: 'a\udc00b'}), RangeError], // never changed
    [() => ecd.readDesignFile('{}'), TypeError], // bytes, not text decoded on the way
  ];
  for (const [call, error] of calls) assert.throws(call, error, call.toString());
  // The module still works after a wrong call.
  assert.equal(ecd.calcDesign(threeStage).table.TexTotLth, '813.7');
}

// A design file is read from its bytes as the desktop reads them: strictly UTF-8, and a file
// over the limit is called so before it is read.
function designFiles(ecd) {
  const saved = new TextEncoder().encode(ecd.designFileText({...threeStage, name: 'Ölrohr 😀'}));
  assert.equal(ecd.readDesignFile(saved).form.name, 'Ölrohr 😀');
  const at = saved.indexOf(0xc3); // the Ö
  for (const broken of [[0xff], [0xc0, 0x96], [0xed, 0xa0, 0x80]]) { // invalid, overlong, surrogate
    const bytes = new Uint8Array([...saved.slice(0, at), ...broken, ...saved.slice(at + 2)]);
    assert.equal(ecd.readDesignFile(bytes).problem,
                 'It is not a design file: its text is not valid JSON.', broken.join());
  }
  assert.equal(ecd.designFileTooLarge(2 ** 20), null);
  assert.equal(ecd.designFileTooLarge(700e6), 'It is far too large for a design file.');
}

function diagram(ecd) {
  const three = ecd.drawPipe(ecd.calcDesign(threeStage).state, 6500);
  const two = ecd.drawPipe(ecd.calcDesign(twoStage).state, 6500);
  const lengths = {LDia: 8, LTop: 7, LBot: 7, Lv: 9, LLab: 7, Dv: 5, DDot: 5, DLab: 5, XLab: 2};
  for (const [name, n] of Object.entries(lengths)) assert.equal(three[name].length, n, name);
  for (const line of [three.Dprt, three.LPrt, ...three.LTop, ...three.LBot]) {
    for (const k of ['X1', 'Y1', 'X2', 'Y2']) assert.ok(Number.isFinite(line[k]), k);
  }
  assert.deepEqual(three.DLab.map((l) => l.Caption), ['D1', 'D2', 'D3', 'D4', 'D5']);
  // The controls of the third diffuser stage show for three stages only.
  const visible = (d) => [...d.LTop, ...d.LBot, ...d.LLab].filter((s) => s.Visible).length;
  assert.ok(visible(three) > visible(two));
}

function patterns(ecd) {
  const p = ecd.makeChamberPatterns(threeStage, {sheet: 1, seam: 0, pieces: 2});
  assert.equal(p.failure, null);
  assert.equal(p.sections.length, 7);
  assert.equal(p.pieces.length, 4 * 2 + 3); // every cone in two pieces
  for (const piece of p.pieces) {
    const around = piece.sector ? piece.outerArc : piece.rectWidth;
    assert.ok(Math.abs(around * piece.count - Math.PI * piece.dLarge) < 1e-9, piece.section);
    assert.ok(piece.lines.some((l) => l.layer === 'cut'));
    assert.ok(piece.figures.length > 0);
    assert.ok(piece.frame.x0 <= piece.outline.x0 && piece.outline.x1 <= piece.frame.x1);
  }
  const failed = ecd.makeChamberPatterns({...threeStage, dx: ''}, {});
  assert.equal(failed.failure.field, 'dx');
  assert.deepEqual(failed.pieces, []);
}

function timeOneDesign(ecd) {
  const runs = 2000;
  for (let i = 0; i < 200; ++i) ecd.calcDesign(threeStage); // warm up
  const start = process.hrtime.bigint();
  for (let i = 0; i < runs; ++i) ecd.calcDesign(threeStage);
  const micros = Number(process.hrtime.bigint() - start) / runs / 1000;
  console.log(`one design from JavaScript: ${micros.toFixed(1)} microseconds`);
}

createEcdCore().then((ecd) => {
  for (const test of [worked, failures, wrongCalls, designFiles, diagram, patterns]) {
    test(ecd);
    console.log(`${test.name}: passed`);
  }
  timeOneDesign(ecd);
}).catch((e) => {
  console.error(e);
  process.exit(1);
});

// The JavaScript module against the calculator: every case of calc_cases (the output of
// the Linux GCC build) that printed JSON is run through the module's functions, and the
// outcome must be the calculator's: the same warnings and failure with the same focus,
// the same result texts, the same stored singles.
//   node wasm/replay_cases.js build-wasm/bin/ecd-core.js CASES.jsonl
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const createEcdCore = require(path.resolve(process.argv[2]));
const cases = fs.readFileSync(process.argv[3], 'utf8').split('\n').filter((l) => l)
                  .map((l) => JSON.parse(l));

// Per command: its function, the input keys of its flags in the order of the window's
// field array (the focus names), its choices, and how the result shows.
const commands = {
  'design': {
    call: (ecd, input) => ecd.calcDesign(input),
    array: 'Texh',
    fields: ['temp', 'angle', 'rpm', 'bmep', 'tail', 'lx', 'mid', 'horn', 'dx', 'd1'],
    flags: {'--name': 'name'},
    choices: {
      '--two-stage': ['diffuser', 'two-stage'], '--three-stage': ['diffuser', 'three-stage'],
      '--temp-manual': ['tempSource', 'typed'], '--temp-bmep': ['tempSource', 'bmep'],
      '--coef-manual': ['coefSource', 'typed'], '--coef-bmep': ['coefSource', 'bmep'],
    },
    display: (r) => {
      const t = r.table;
      const shown = {PrtDia: t.PrtDia, PrtLth: t.PrtLth};
      t.Texdiam.forEach((s, i) => { shown[`Texdiam(${i})`] = s; });
      t.Texlen.forEach((s, i) => { shown[`Texlen(${i})`] = s; });
      shown.TexTotLth = t.TexTotLth;
      for (const k of Object.keys(shown)) shown[k] += ' '; // the blank after a box's figure
      return shown;
    },
    values: (r) => {
      const {Diam, Lnth, ...scalars} = r.result;
      const v = {...scalars};
      Diam.forEach((x, i) => { v[`Diam[${i}]`] = x; });
      Lnth.forEach((x, j) => { v[`Lnth[${j}]`] = x; });
      return v;
    },
  },
  'bmep': {
    call: (ecd, input) => ecd.calcBmep(input),
    array: 'BHP_Txt',
    fields: ['bore', 'stroke', 'rpm', 'power'],
    choices: {'--hp': ['unit', 'hp'], '--kw': ['unit', 'kw']},
    display: (r) => ({'BHP_Lab(4)': r.texts[0]}),
  },
  'port-height': {
    call: (ecd, input) => ecd.calcPortHeight(input),
    array: 'HghtTxt',
    fields: ['stroke', 'rod', 'start', 'full'],
    display: (r) => ({'HghtLab(4)': r.texts[0]}),
  },
  'rect-port': {
    call: (ecd, input) => ecd.calcRectPort(input),
    array: 'DiamTxt',
    fields: ['width', 'height', 'topRadius', 'bottomRadius'],
    display: (r) => ({'DiamLab(4)': r.texts[0]}),
  },
  'profiled-port': {
    call: (ecd, input) => ecd.calcProfiledPort(input),
    array: 'ProfTxt',
    fields: ['bore', 'bridgeWidth', 'topRadius', 'bottomRadius', 'height', 'intervals'],
    choices: {'--single': ['configuration', 'single'], '--bridged': ['configuration', 'bridged']},
    display: (r) => (r.texts.length === 1 ? {'ProfLab(8)': r.texts[0]} :
                                            {'ProfLab(6)': r.texts[0], 'ProfLab(7)': r.texts[1]}),
  },
};

const flagName = (key) => '--' + key.replace(/[A-Z]/g, (c) => '-' + c.toLowerCase());

// The module's input for the calculator's arguments ("--flag text" or "--flag=text").
function inputOf(command, args) {
  const commandInfo = commands[command];
  const keyOf = {...commandInfo.flags};
  for (const key of commandInfo.fields) keyOf[flagName(key)] = key;
  const input = {};
  for (let i = 1; i < args.length; ++i) {
    const arg = args[i];
    if (arg === '--json') continue;
    if (commandInfo.choices && commandInfo.choices[arg]) {
      const [key, word] = commandInfo.choices[arg];
      input[key] = word;
      continue;
    }
    const eq = arg.indexOf('=');
    const flag = eq > 0 ? arg.slice(0, eq) : arg;
    const text = eq > 0 ? arg.slice(eq + 1) : args[++i];
    if (flag === '--ordinate') (input.ordinates ??= []).push(text);
    else if (keyOf[flag]) input[keyOf[flag]] = text;
    else throw new Error(`no input for ${arg} in ${args.join(' ')}`);
  }
  return input;
}

function focusOf(commandInfo, field, index) {
  if (field === null) return null;
  if (field === 'ordinates') return `OrdTxt(${index})`;
  return `${commandInfo.array}(${commandInfo.fields.indexOf(field)})`;
}

// The module's outcome as the calculator prints it, values compared as stored singles.
function reportOf(commandInfo, r) {
  const report = {
    warnings: r.warnings.map((w) => ({title: w.title, prompt: w.prompt,
                                      focus: focusOf(commandInfo, w.field, null)})),
    failure: r.failure && {title: r.failure.title, prompt: r.failure.prompt,
                           focus: focusOf(commandInfo, r.failure.field, r.failure.index),
                           emptied: r.failure.emptied},
    display: r.failure ? {} : commandInfo.display(r),
    values: r.failure ? {} : (commandInfo.values ? commandInfo.values(r) : r.values),
  };
  return report;
}

createEcdCore().then((ecd) => {
  const compared = {};
  let differences = 0;
  for (const c of cases) {
    const command = c.args[0];
    if (!c.args.includes('--json') || c.status === 64) continue; // usage errors: no outcome
    const expected = JSON.parse(c.out);
    const commandInfo = commands[command];
    const got = reportOf(commandInfo, commandInfo.call(ecd, inputOf(command, c.args)));
    for (const [name, value] of Object.entries(expected.values)) {
      expected.values[name] = Math.fround(value); // nine digits read back to the single
    }
    try {
      assert.deepStrictEqual(got, {warnings: expected.warnings, failure: expected.failure,
                                   display: expected.display, values: expected.values});
      compared[command] = (compared[command] ?? 0) + 1;
    } catch (e) {
      if (++differences <= 5) console.error(`differs: ${c.args.join(' ')}\n${e.message}`);
    }
  }
  const counts = Object.entries(compared).map(([k, n]) => `${k} ${n}`).join(', ');
  console.log(`  module: ${counts}; ${differences} differ`);
  process.exit(differences === 0 && Object.keys(compared).length === 5 ? 0 : 1);
}).catch((e) => {
  console.error(e);
  process.exit(1);
});

// The web edition in headless Chromium against the command line (build/bin/
// expansion-chamber-calc --json says what the desktop shows): the page shows the core's
// words and reports, puts the focus and empties fields where the desktop does, announces
// its boxes, saves and opens files byte for byte, keeps every form, prints at 100 %, fits a
// phone, works offline and installs; axe-core finds no WCAG 2.1 A/AA violation.
//   node web/test/browser_test.js SITE_DIR [SHOTS_DIR]
// SITE_DIR is scripts/web.sh's build. Prints how long the page took to load.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const http = require('node:http');
const { execFileSync, spawnSync } = require('node:child_process');
const { chromium } = require('playwright-core');

const [site, shots] = process.argv.slice(2);
const cli = process.env.ECD_CLI || path.resolve(__dirname, '../../build/bin/expansion-chamber-calc');
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'ecd-web-'));
const file = (name) => path.join(tmp, name);
const cliRun = (args) => { const r = spawnSync(cli, args, { encoding: 'utf8' }); if (r.error) throw r.error; return r; };
const cliJson = (args) => JSON.parse(cliRun([...args, '--json']).stdout);
const same = (actual, expected, what) => assert.deepStrictEqual(actual, expected, what);

// The site's module: its vocabulary says which flag sets which field or option.
let core = null;
const call = (operation, request) => JSON.parse(core.call(operation, JSON.stringify(request), ''));
const byCommand = {}; // the command line's command -> its form, with what each flag sets

// What the page is given for a command's arguments: its window, options and texts by key.
function inputOf([command, ...args]) {
  const form = byCommand[command];
  const input = { form: form.key, options: {}, texts: {}, ordinates: [], stations: form.fields.find((f) => f.kind === 'stations')?.key };
  for (let i = 0; i < args.length; ++i) {
    const what = form.flags[args[i]];
    if (what.word) input.options[what.group] = what.word;
    else if (what.stations) input.ordinates.push(args[++i]);
    else input.texts[what.key] = args[++i];
  }
  return input;
}
const designOf = (args) => ({ ...inputOf(args).options, ...inputOf(args).texts });

const examples = [
  'design --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 --dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000',
  'design --two-stage --temp-manual --coef-manual --temp 500 --mid 2.5 --tail 0.6 --dx 38 --d1 44 --lx 30 --angle 85 --rpm 9000',
  'bmep --kw --bore 54 --stroke 54.5 --rpm 12000 --power 30',
  'port-height --stroke 54.5 --rod 110 --start 85 --full 180',
  'rect-port --width 40 --height 30 --top-radius 5 --bottom-radius 5',
  'profiled-port --single --bore 50 --height 20 --intervals 4' + ' --ordinate 30'.repeat(5),
  'profiled-port --bridged --bore 54 --bridge-width 5 --top-radius 2 --bottom-radius 2 --height 25 --intervals 4' +
    ' --ordinate 20 --ordinate 21 --ordinate 22 --ordinate 21 --ordinate 20',
  'port-map --bore 54 --stroke 54.5 --rod 110 --rpm 12000 --exhaust-count 1 --exhaust-width 38 --exhaust-radius 6' +
    ' --exhaust-timing 85 --transfer1-count 2 --transfer1-width 16 --transfer1-radius 3 --transfer1-height 41',
].map((line) => line.split(' '));

// The command line's report as the page can show it: the boxes, the focused field (by key,
// an ordinate as key-station; null for a box without a field), emptied or not, the texts.
function caseOf(args) {
  const report = cliJson(args);
  const [f, last] = [report.failure, report.failure || report.warnings.at(-1)];
  return { args, input: inputOf(args), expected: {
    warnings: report.warnings.map((w) => ({ title: w.title, prompt: w.prompt })),
    failure: f && { title: f.title, prompt: f.prompt, emptied: f.emptied }, display: report.display, announced: true,
    focus: !last ? undefined : last.field === null ? null : [last.field, last.station].filter((x) => x != null).join('-') } };
}

// Every failure of one case: each field blank, not a number and out of range both ways, and
// each design option group left unset (before a calculator's option is chosen Calculate
// does nothing). Which message a text earns is the core's, tested there.
function failureCases([command, ...args]) {
  return args.flatMap((flag, i) => {
    if (!flag.startsWith('--')) return [];
    if (byCommand[command].flags[flag].word) return command === 'design' ? [[command, ...args.slice(0, i), ...args.slice(i + 1)]] : [];
    return ['   ', '1x', '-1e9', '1e9'].map((text) => [command, ...args.slice(0, i + 1), text, ...args.slice(i + 2)]);
  });
}

// Runs in the page: opens the window from the menu, clicks the options, sets the texts as
// typing does (input events), clicks Calculate and reads what the window shows.
function runInPage(cases) {
  const $ = (s, r = document) => r.querySelector(s);
  const set = (el, text) => { el.value = text; el.dispatchEvent(new Event('input', { bubbles: true })); };
  return cases.map((c) => {
    $(`nav button[data-open="${c.form}"]`).click();
    const win = document.getElementById(c.form);
    if (c.form === 'port-map') for (const f of win.querySelectorAll('input[type=text]')) set(f, ''); // kept from before
    for (const [group, word] of Object.entries(c.options)) $(`input[name="${c.form}-${group}"][value="${word}"]`).click();
    for (const [key, text] of Object.entries(c.texts)) set(document.getElementById(`${c.form}-${key}`), text);
    // Only the stations the intervals show can be typed into.
    c.ordinates.forEach((text, i) => $(`#${c.form}-${c.stations}-${i}`) && set($(`#${c.form}-${c.stations}-${i}`), text));
    if (!c.enter) $('.calc', win).click(); // else Enter in the last field typed
    else [...win.querySelectorAll('input[type=text]')].filter((f) => f.value).at(-1).dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }));
    const boxes = [...win.querySelectorAll('.messages .box')];
    const read = (b) => ({ title: $('.title', b).textContent, prompt: $('.prompt', b).textContent });
    const failure = boxes.find((b) => b.classList.contains('failure'));
    const active = document.activeElement;
    const focus = active && active.id.startsWith(c.form + '-') ? active.id.slice(c.form.length + 1) : null;
    const display = Object.fromEntries([...win.querySelectorAll('[id^="out-"]')].filter((o) => o.offsetParent && o.textContent)
      .map((o) => [o.id.slice(4), o.textContent + (c.form === 'design' ? ' ' : '')]));
    return { warnings: boxes.filter((b) => b !== failure).map(read),
      failure: failure ? { ...read(failure), emptied: focus !== null && active.value === '' } : null, focus, display,
      announced: boxes.every((b) => b.closest('[role=alert], [role=status], [aria-live=polite], [aria-live=assertive]')) };
  });
}

async function compare(page, cases, what) {
  const got = await page.evaluate(runInPage, cases.map((c) => c.input));
  got.forEach((g, i) => {
    const want = { ...cases[i].expected };
    if (want.focus === undefined) delete want.focus, delete g.focus; // no box: the focus is not the check's
    else if (want.focus === null) g.focus = null; // a box without a field: the focus stays
    same(g, want, `${what}: ${cases[i].args.join(' ')}`);
  });
}

// Every window shows the core's words: its title, each field's caption and hint, each option
// and its group's caption; the BMEP power's caption follows the unit chosen.
async function captions(page) {
  same(await page.evaluate((forms) => forms.flatMap((form) => {
    const texts = (sel) => [...document.querySelectorAll(`#${form.key} :is(${sel})`)].map((e) => e.textContent.trim());
    const out = [form.title, ...form.fields.flatMap((f) => [f.caption, f.hint]), ...form.choices.flatMap((g) =>
      [g.caption, ...g.words.map((w) => w.caption)])].filter((c) => c && !texts('h2, label, legend, .hint').includes(c.trim()));
    for (const g of form.choices) for (const w of g.words.filter((x) => x.fieldCaption)) {
      document.querySelector(`nav button[data-open="${form.key}"]`).click();
      document.querySelector(`input[name="${form.key}-${g.key}"][value="${w.word}"]`).click();
      if (!texts('label').includes(w.fieldCaption.trim())) out.push(w.fieldCaption);
    }
    return out;
  }), Object.values(byCommand)), [], 'every caption is the vocabulary\'s');
}

async function download(page, button, name) {
  const [d] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
  await d.saveAs(file(name));
  return { name: d.suggestedFilename(), text: fs.readFileSync(file(name), 'utf8') };
}

// Design files both ways, and files that are no design refused with the command line's reason.
async function designFiles(page) {
  const args = [...examples[0], '--name', 'GP "125" \\'];
  // An empty port map: no engine in the file, as the command line writes it.
  await page.evaluate(runInPage, [{ form: 'port-map', options: {}, texts: {}, ordinates: [] }, inputOf(args)]);
  const [program, titles] = [await page.textContent('h1'), [await page.title()]];
  const saved = await download(page, '#design-save', 'page.ecd');
  titles.push(await page.title());
  cliRun([...args, '--save', file('cli.ecd')]);
  same(saved, { name: call('designFile', { input: designOf(args) }).name, text: fs.readFileSync(file('cli.ecd'), 'utf8') },
    'the page saves the command line\'s file, under the core\'s name');
  cliRun([...examples[1], '--save', file('cli.ecd')]);
  await page.setInputFiles('#design-open', file('cli.ecd'));
  await page.waitForSelector('#design-results:not([hidden])');
  same(await page.$$eval('#design output', (os) => Object.fromEntries(os.map((o) => [o.id.slice(4), o.textContent + ' ']))),
    cliJson(examples[1]).display, 'the page opens a file saved by the command line');
  for (const act of [() => 0, () => page.type('#design-d1', '0'), () => page.click('nav button[data-open="design"]')]) {
    await act();
    titles.push(await page.title());
  }
  same(titles, [`*${program}`, `${saved.name} - ${program}`, `cli.ecd - ${program}`, `*cli.ecd - ${program}`, program],
    'the title names the design file and marks changes not saved');
  for (const [name, bytes] of Object.entries({
    'latin1.ecd': Buffer.from(fs.readFileSync(file('cli.ecd'), 'utf8').replace('"38"', '"38\u00b0"'), 'latin1'),
    'huge.ecd': Buffer.alloc(2 ** 20 + 1, 0x20),
  })) {
    fs.writeFileSync(file(name), bytes);
    const why = cliRun(['design', '--open', file(name)]).stderr.trim();
    await page.evaluate(() => document.querySelector('#design .messages').replaceChildren());
    await page.setInputFiles('#design-open', file(name));
    await page.waitForSelector('#design .box');
    same(await page.$$eval('#design .box p', (ps) => ps.map((p) => p.textContent)), ['Design Not Opened',
      `The design could not be opened from "${name}".\r\n\r\n${why.slice(why.indexOf(file(name)) + file(name).length + 2)}`],
    `a file that is no design (${name}) is refused with the command line's reason`);
  }
  // Half of a surrogate pair has no UTF-8 form: refused, never saved changed.
  same(await page.evaluate(() => {
    const name = Object.assign(document.querySelector('#design-pipeName'), { value: 'a\udc00b' });
    document.querySelector('#design-save').click();
    return [document.querySelector('#design .box .title').textContent, document.activeElement === name, name.value === 'a\udc00b'];
  }), ['Character Not Valid', true, true], 'a pipe name with half a surrogate pair is refused and kept');
}

// The length in mm of the 100 mm check bar on a page rendered as a PGM image (P5, 8 bits,
// 10 dots a mm): the row with five dark runs of about 10 mm (its black blocks, 20 mm
// apart), measured as five times their pitch.
function checkBarMm(pgm) {
  const [head, w] = pgm.toString('latin1', 0, 64).match(/^P5\s+(\d+)\s+\d+\s+\d+\s/);
  const pixels = pgm.toString('latin1', head.length);
  for (let y = 0; y * w < pixels.length; ++y) {
    const starts = [...pixels.slice(y * w, (y + 1) * w).matchAll(/[\x00-\x5f]+/g)]
      .filter((m) => Math.abs(m[0].length - 100) <= 5).map((m) => m.index);
    if (starts.length >= 5) return (starts[4] - starts[0]) / 4 * 5 / 10;
  }
}

// The flat patterns of the worked design: the table is the core's, the downloads are the
// command line's files, and the printed sheets its PDF's, one a page at 100 % on the paper
// chosen (reached with its underlined access key).
async function printedPatterns(page, args) {
  await page.evaluate(runInPage, [inputOf(args)]);
  const { fields, choices: [paper] } = byCommand.templates;
  for (const options of [{ sheet: '1.5', seam: '5', pieces: '3', paper: 'a4' }, { sheet: '1.0', seam: '0', pieces: '1', paper: 'letter' }]) {
    const what = JSON.stringify(options);
    await page.click('nav button[data-open="patterns"]');
    for (const f of fields) await page.fill(`#patterns-${f.key}`, options[f.key]);
    await page.check(`input[name="patterns-${paper.key}"][value="${options.paper}"]`);
    await page.click('#patterns .calc');
    const answer = call('patterns', { design: designOf(args), input: options });
    same(await page.$$eval('#patterns tr', (trs) => trs.map((tr) => [...tr.children].map((c) => c.textContent))),
      [answer.table.header, ...answer.table.rows], `the table of pieces is the core's, ${what}`);
    const flags = [...fields.flatMap((f) => [f.flag, options[f.key]]), paper.flag, options.paper];
    const cliSheets = cliJson(['templates', ...args.slice(1), ...flags, '--svg', file('cli.svg'), '--dxf', file('cli.dxf')])
      .templates.pieces.flatMap((p) => Array(p.pages.columns * p.pages.rows).fill(p.pages.orientation === 'landscape'));
    for (const format of ['svg', 'dxf']) {
      same((await download(page, `#patterns-${format}`, 'page.' + format)).text, fs.readFileSync(file('cli.' + format), 'utf8'),
        `the page's ${format} is the command line's, ${what}`);
    }
    const sheets = await page.$$eval('.print-sheet', (ss) => ss.map((s) => s.classList.contains('landscape')));
    same(sheets, cliSheets, `the page prints the sheets of the command line's PDF, ${what}`);
    await page.evaluate(() => document.body.classList.add('printing-patterns')); // as its Print button does
    await page.pdf({ path: file('patterns.pdf'), preferCSSPageSize: true });
    // One sheet a page, the paper's size (turned for a landscape sheet), none scaled: at 254
    // dots per inch a millimetre is 10 dots.
    const sizes = [...execFileSync('pdfinfo', ['-f', '1', '-l', '999', file('patterns.pdf')], { encoding: 'utf8' })
      .matchAll(/size:\s+([\d.]+) x ([\d.]+) pts/g)].map((m) => [m[1], m[2]].map((pt) => Math.round(pt / 72 * 25.4)));
    const [w, h] = [answer.paper.width, answer.paper.height].map(Math.round);
    same(sizes, sheets.map((landscape) => (landscape ? [h, w] : [w, h])), `one printed page per sheet, on the paper chosen, ${what}`);
    execFileSync('pdftoppm', ['-r', '254', '-gray', file('patterns.pdf'), file(options.paper)]);
    const bars = fs.readdirSync(tmp).filter((f) => f.startsWith(options.paper) && f.endsWith('.pgm')).sort().map((f) => checkBarMm(fs.readFileSync(file(f))));
    same(bars.map((bar) => Math.abs(bar - 100) <= 0.5), sheets.map(() => true), `every printed check bar 100 mm long: ${bars}, ${what}`);
  }
  same(await page.$eval('#patterns .access-key', (u) => u.textContent.toLowerCase() === u.closest('fieldset').querySelector('input').accessKey),
    true, 'the paper\'s access key is the letter underlined');
}

// The design window's tab order after option clicks, as the desktop's tab indexes give it:
// the BMEP field after the temperature's place when the temperature comes from the BMEP,
// after the barrel duct when only the coefficients do.
const tabOrders = [
  ['--three-stage --temp-bmep --coef-bmep', 'horn bmep dx d1 lx angle rpm'],
  ['--two-stage --temp-manual --coef-bmep', 'temp dx d1 lx bmep angle rpm'],
  ['--two-stage --temp-bmep --coef-manual', 'bmep dx d1 lx mid tail angle rpm'],
  ['--three-stage --temp-manual --coef-manual', 'horn temp dx d1 lx mid tail angle rpm'],
];


// The pipe check against the command line, in mm, in inches and for a pipe too long for
// the design's speeds (the window keeps what the case before typed, as it keeps the tuner's): the same boxes and lines, the sections' lines as the table's rows,
// and the measured pipe drawn over the designed one while there is a result.
const pipeChecks = [
  '--three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 --dx 40 --d1 44 --lx 20 --angle 88 --l1 65 --l2 220 --l3 150' +
    ' --l4 75 --l5 90 --l6 190 --d2 61 --d3 88 --d4 110 --d5 25',
  '--two-stage --temp-manual --coef-manual --temp 500 --mid 2.5 --tail 0.6 --inches --dx 1.5 --d1 1.7 --lx 1.2 --angle 85' +
    ' --l1 2.5 --l2 9 --l3 6 --l4 10 --l5 8 --d2 2.4 --d3 4.2 --d4 1',
  '--two-stage --temp-manual --coef-manual --temp 500 --mid 2.5 --tail 0.6 --mm --dx 38 --d1 44 --lx 30 --angle 85 --l1 60' +
    ' --l2 3000 --l3 6000 --l4 300 --l5 200 --d2 60 --d3 100 --d4 25',
].map((line) => ['pipe-check', ...line.split(' ')]);

async function pipeCheck(page) {
  for (const args of pipeChecks) {
    const c = caseOf(args);
    const { sections = [] } = cliJson(args);
    const inches = args.includes('--inches');
    const row = (s) => [s.name, s.measured.toFixed(1), ...(inches ? [(s.measured / 25.4).toFixed(2)] : []), ...[s.designed, s.difference]
      .map((v) => v.toFixed(1)), s.measuredHalfAngle === undefined ? '–' : `${s.measuredHalfAngle.toFixed(2)} / ${s.designedHalfAngle.toFixed(2)}`].join(' ');
    c.expected.display = Object.fromEntries(Object.entries(c.expected.display).filter(([, t]) => !sections.some((s) => t.startsWith(s.name + ': '))));
    await compare(page, [c], 'pipe check');
    same(await page.$$eval('#pipe-check :is(tbody tr, svg title)', (es) => es.map((e) => [...e.children].map((td) => td.textContent).join(' ') || e.textContent)),
      [...sections.map(row), ...(sections.length ? ['Measured pipe (solid) and Designed for the speed found (dashed) on one scale'] : [])],
      `the pipe check's sections and picture: ${args.join(' ')}`);
  }
}

// Compare With…: the design beside a saved file of itself, every difference 0.0; beside the
// same engine at another speed, the command line's rows; gone after an edit.
async function comparison(page) {
  const other = examples[0].map((a, i) => (examples[0][i - 1] === '--rpm' ? '11220' : a));
  cliRun([...examples[0], '--save', file('a.ecd')]);
  cliRun([...other, '--save', file('b.ecd')]);
  await page.evaluate(runInPage, [inputOf(examples[0])]);
  await download(page, '#design-save', 'self.ecd');
  const rows = async (name) => {
    if (await page.isVisible('#design-compare')) await page.click('#design-compare-close');
    await page.setInputFiles('#design-compare-file', file(name));
    await page.waitForSelector('#design-compare:not([hidden])');
    return page.$$eval('#design-compare tbody tr', (trs) => trs.map((tr) => [...tr.children].map((c) => c.textContent)));
  };
  const self = await rows('self.ecd');
  same(self.map((r) => r[3]), Array(15).fill('0.0'), 'a design beside itself: every difference 0.0');
  const number = (v) => (v === null ? '–' : v.toFixed(1));
  same(await rows('b.ecd'), cliJson(['compare', file('a.ecd'), file('b.ecd')]).rows.map((r) => [r.name, r.a, r.b, r.difference].map((v, i) => (i ? number(v) : v))),
    'a design beside another speed: the command line\'s rows');
  await page.type('#design-angle', '0');
  same(await page.isVisible('#design-compare'), false, 'an edit takes the comparison away');
}

// What hides the design results and what leaves them: [action, results still shown].
const afterResults = [
  [(page) => page.type('#design-pipeName', ' B'), true], // the pipe name has no handler
  [(page) => page.click('#design-d1'), false], // a click into a field, without typing
  [(page) => page.type('#design-angle', '0'), false],
  [(page) => page.check('input[name="design-temperature"][value="manual"]'), false], // an option that empties no field
];

// Each window's example, calculated with Enter, comes back with Restore Previous Form (its access key, sent as a
// keyboard does) after the menu, after a reload, and when the storage is full or refused (a note then says so).
async function keptForms(page, load) {
  const read = (key) => page.evaluate((k) => [...document.querySelectorAll(`#${k} :is(input[type=text], input:checked, [id^="out-"])`)]
    .filter((e) => e.offsetParent).map((e) => e.value ?? e.textContent).concat(k === 'design' ? document.title : []), key);
  const states = {};
  for (const args of [0, 2, 3, 4, 6, 7].map((i) => examples[i])) {
    await compare(page, [{ ...caseOf(args), input: { ...inputOf(args), enter: true } }], 'Enter calculates');
    states[inputOf(args).form] = await read(inputOf(args).form);
  }
  same(await page.evaluate(() => Object.values(localStorage).map((v) => JSON.parse(v).shown)), Array(6).fill(true),
    'Calculate keeps every window\'s form with its results');
  const [cdp, key] = [await page.context().newCDPSession(page), { modifiers: 1, key: 'p', code: 'KeyP', windowsVirtualKeyCode: 80, text: 'p', unmodifiedText: 'p' }];
  for (const how of ['the menu', 'a reload', 'storage full', 'storage refused']) {
    if (how.startsWith('storage')) {
      await page.evaluate((full) => { const no = () => { throw new DOMException('', full ? 'QuotaExceededError' : 'SecurityError'); };
        if (full) Storage.prototype.setItem = no; else Object.defineProperty(window, 'localStorage', { get: no, configurable: true }); }, how.endsWith('full'));
      await page.evaluate(runInPage, [inputOf(examples[1])]);
      same(await page.isVisible('#not-kept'), true, `a note: ${how}`);
    }
    if (how === 'a reload') await page.evaluate(() => localStorage.clear()); // leaving the page keeps them again
    if (how !== 'the menu') await load(() => page.reload());
    for (const [form, state] of Object.entries(states)) {
      await page.click(`nav button[data-open="${form}"]`);
      for (const type of ['rawKeyDown', 'char', 'keyUp']) await cdp.send('Input.dispatchKeyEvent', { type, ...key });
      same(await read(form), state, `${form}: Restore Previous Form after ${how}`);
    }
  }
  await page.emulateMedia({ media: 'print' });
  same(await page.isVisible('#design-restore'), false, 'Restore Previous Form is not printed');
  await page.emulateMedia({ media: null });
}

async function axe(page, what) {
  await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const r = await page.evaluate(() => window.axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] }));
  same(r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`), [], `no WCAG 2.1 A/AA violations (${what})`);
}

(async () => {
  core = await require(path.resolve(site, 'ecd-core.js'))();
  for (const form of call('vocabulary', {}).forms) {
    const flags = Object.fromEntries([...form.fields.map((f) => [f.flag, { key: f.key, stations: f.kind === 'stations' }]),
      ...form.choices.flatMap((g) => g.words.map((w) => [w.flag, { group: g.key, word: w.word }]))]);
    byCommand[form.command] = { ...form, flags };
  }
  // The site on 127.0.0.1 (the .wasm needs its MIME type for streaming compilation).
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
    '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };
  const missing = [];
  const server = http.createServer((req, res) => {
    const f = path.join(site, path.basename(new URL(req.url, 'http://x').pathname) || 'index.html');
    if (!fs.existsSync(f)) return missing.push(req.url) && res.writeHead(404).end();
    res.writeHead(200, { 'Content-Type': types[path.extname(f)] }).end(fs.readFileSync(f));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  const context = await browser.newContext({ viewport: { width: 1440, height: 1000 }, acceptDownloads: true });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  const load = async (how) => { const t0 = Date.now(); await how(); await page.waitForSelector('html[data-ready=true]'); return Date.now() - t0; };
  try {
    const loadMs = await load(() => page.goto(`http://127.0.0.1:${server.address().port}/`));
    await captions(page);
    await compare(page, examples.map(caseOf), 'worked example');
    same(await page.$$eval('#port-map .chart svg title', (t) => t.map((e) => e.textContent.split(' ')[0])),
      ['The', 'Open'], 'the port map shows its ports and their open areas'); // the last example's
    // Use in Design: the core's angle and speed in the design window; the port map keeps its texts.
    await page.click('#port-map-use');
    const typed = await page.evaluate(() => [document.getElementById('design-angle').value,
      document.getElementById('design-rpm').value, document.activeElement.id]);
    await page.click('nav button[data-open="port-map"]');
    same([...typed, await page.inputValue('#port-map-bore')],
      [...Object.values(call('portMapPictures', { input: inputOf(examples.at(-1)).texts }).design), 'design-angle', '54'],
      'Use in Design types the angle and the speed into the design window; the port map keeps its texts');
    // On a phone a failure's box is in view with its field (at the top of a form, in the port
    // map's table), and the side view scales to the screen: nothing to scroll sideways.
    await page.setViewportSize({ width: 390, height: 800 });
    for (const [i, flag] of [[0, '--horn'], [0, '--rpm'], [7, '--transfer1-width'], [2, '--power']]) {
      await page.evaluate(runInPage, [inputOf(examples[i].map((a, j) => (examples[i][j - 1] === flag ? '1x' : a)))]);
      same(await page.evaluate(() => [document.querySelector('.window:not([hidden]) .box'), document.activeElement]
        .map((e) => e.getBoundingClientRect()).every((r) => r.top >= 0 && r.bottom <= innerHeight)), true, `box and ${flag} in view at 390 px`);
    }
    await page.setViewportSize({ width: 1440, height: 1000 });
    await page.evaluate(runInPage, [inputOf(examples[0])]);
    await page.setViewportSize({ width: 390, height: 800 });
    await page.waitForTimeout(300);
    same(await page.$eval('.side-view', (v) => v.scrollWidth <= v.clientWidth && document.documentElement.scrollWidth <= 390),
      true, 'the side view fits a screen 390 px wide');
    await page.setViewportSize({ width: 1440, height: 1000 });
    same(await page.$$eval('#design-gas span', (g) => g.map((e) => e.textContent)),
      ['Gas Temp. (°C) 575', 'Sound Speed (m/s) 584'], 'the gas the design used (583.77 m/s at 575 °C)');
    await axe(page, 'the design with its results');
    await page.click('#design-waves-open');
    await page.$eval('#design-waves-rpm', (s) => { s.value = s.min; s.dispatchEvent(new Event('input')); });
    same(await page.$$eval('#design-waves svg title', (t) => t.map((e) => e.textContent)),
      ['Returning pressure at the port at 5500 rpm', 'Returning pressure against speed and crank angle'],
      'the wave diagram: the map, and the curve at the slider\'s speed');
    await axe(page, 'the wave diagram');
    await page.evaluate(runInPage, [inputOf(examples[5])]);
    await axe(page, 'a calculator with its result');
    await compare(page, examples.filter((a, i) => i !== 5).flatMap(failureCases).map(caseOf), 'failure');
    await axe(page, 'a failure shown');
    await keptForms(page, load);

    for (const [clicks, order] of tabOrders) {
      await page.evaluate(runInPage, [inputOf(['design', ...clicks.split(' ')])]);
      await page.focus('#design-pipeName');
      const seen = [];
      for (let i = 0; i < 20 && seen.at(-1) !== 'rpm'; ++i) {
        await page.keyboard.press('Tab');
        const id = await page.evaluate(() => document.activeElement.id);
        if (/^design-/.test(id) && !/pipeName|open|save|print/.test(id)) seen.push(id.slice(7));
      }
      same(seen.join(' '), order, `tab order after ${clicks}`);
    }
    for (const [action, shown] of afterResults) {
      await page.evaluate(runInPage, [inputOf(examples[0])]);
      await action(page);
      same(await page.isVisible('#design-results'), shown, `results after ${action}`);
    }
    await designFiles(page);
    await pipeCheck(page);
    await axe(page, 'the pipe check');
    await comparison(page);
    await printedPatterns(page, examples[0]);
    await axe(page, 'flat patterns');

    // Offline: the service worker serves the site once the server is gone.
    await page.evaluate(() => Promise.race([navigator.serviceWorker.ready, new Promise((_, no) => setTimeout(no, 9000, 'no worker'))]));
    await load(() => page.reload());
    await context.setOffline(true);
    await load(() => page.reload());
    // Installable as an app, offline too: its manifest and icon are served from the cache.
    same((await (await context.newCDPSession(page)).send('Page.getInstallabilityErrors')).installabilityErrors
      .map((e) => e.errorId).filter((e) => e !== 'in-incognito'), [], 'the page installs as an app');
    same((await page.evaluate(runInPage, [inputOf(examples[3])]))[0].display, cliJson(examples[3]).display, 'the page calculates offline');

    for (const w of shots ? [360, 1440] : []) {
      await page.setViewportSize({ width: w, height: 1000 });
      for (const args of [examples[0], examples[6], examples[2], examples.at(-1), pipeChecks[0], ['templates']]) {
        await page.evaluate(runInPage, [inputOf(args)]);
        await page.screenshot({ path: path.join(shots, `${inputOf(args).form}-${w}.png`), fullPage: true });
      }
    }
    same(errors, [], 'no script errors in the page');
    same(missing, [], 'no request the site cannot answer');
    console.log(`web: passed; load to usable form ${loadMs} ms (headless Chromium)`);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(tmp, { recursive: true, force: true });
  }
})().catch((e) => {
  console.error(e.message || e);
  process.exit(1);
});

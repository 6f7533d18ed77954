// The web edition in headless Chromium against the command line: the page must show what
// the desktop shows, and the command line (build/bin/expansion-chamber-calc --json) says
// what that is.
//   node web/test/browser_test.js SITE_DIR [SHOTS_DIR]
// SITE_DIR is scripts/web.sh's build. Prints the times it measured.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync, spawnSync } = require('node:child_process');
const { chromium } = require('playwright-core');
const { serve } = require('./serve.js');

const [site, shots] = process.argv.slice(2);
const root = path.resolve(__dirname, '../..');
const cli = process.env.ECD_CLI || path.join(root, 'build/bin/expansion-chamber-calc');
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'ecd-web-'));

let checks = 0;
function same(actual, expected, what) {
  assert.deepStrictEqual(actual, expected, what);
  ++checks;
}

// ---- The core's words and the command line ---------------------------------------------------

// The site's module, for its vocabulary (which flag sets which field or option) and its
// flat patterns' answer.
let core = null;
const call = (operation, request) => JSON.parse(core.call(operation, JSON.stringify(request), ''));
const byCommand = {}; // the command line's command -> its form, with what each flag sets

function learnVocabulary() {
  for (const form of call('vocabulary', {}).forms) {
    const flags = {};
    for (const f of form.fields) flags[f.flag] = { key: f.key, stations: f.kind === 'stations' };
    for (const g of form.choices) for (const w of g.words) if (w.flag) flags[w.flag] = { group: g.key, word: w.word };
    byCommand[form.command] = { ...form, flags };
  }
}

function cliJson(args) {
  const r = spawnSync(cli, [...args.filter((a) => a !== '--json'), '--json'], { encoding: 'utf8' });
  if (r.error) throw new Error(`${r.error.message}: ${JSON.stringify(args)}`);
  try {
    return JSON.parse(r.stdout);
  } catch {
    throw new Error(`no JSON from ${args.join(' ')}: ${r.stderr}`);
  }
}

// What the page is given for a command's arguments: its window, options and texts by key.
function inputOf(args) {
  const form = byCommand[args[0]];
  const input = { form: form.key, options: {}, texts: {}, stations: null, ordinates: [] };
  for (let i = 1; i < args.length; ++i) {
    if (args[i] === '--json') continue;
    const eq = args[i].indexOf('=');
    const what = form.flags[eq > 0 ? args[i].slice(0, eq) : args[i]];
    if (!what) return null;
    if (what.word) {
      input.options[what.group] = what.word;
      continue;
    }
    const text = eq > 0 ? args[i].slice(eq + 1) : args[++i];
    if (what.stations) {
      input.stations = what.key;
      input.ordinates.push(text);
    } else {
      input.texts[what.key] = text;
    }
  }
  return input;
}

// The command line's report as the page can show it: boxes, the focused field (by key, an
// ordinate as key-station), emptied or not, result texts.
function expectedOf(report) {
  const f = report.failure;
  const last = f || report.warnings.at(-1);
  const focus = !last ? undefined : last.field === null ? null
    : last.station == null ? last.field : `${last.field}-${last.station}`;
  return {
    warnings: report.warnings.map((w) => ({ title: w.title, prompt: w.prompt })),
    failure: f && { title: f.title, prompt: f.prompt, emptied: f.emptied },
    focus,
    display: report.display,
  };
}

// ---- The page --------------------------------------------------------------------------------

// Runs in the page: opens the window from the menu, clicks the options, sets the texts as
// typing does (input events), clicks Calculate and reads what the window shows.
function runInPage(cases) {
  const $ = (s, r = document) => r.querySelector(s);
  const set = (el, text) => { el.value = text; el.dispatchEvent(new Event('input', { bubbles: true })); };
  return cases.map((c) => {
    $(`nav button[data-open="${c.form}"]`).click();
    const win = document.getElementById(c.form);
    for (const [group, word] of Object.entries(c.options)) $(`input[name="${c.form}-${group}"][value="${word}"]`).click();
    for (const [key, text] of Object.entries(c.texts)) set(document.getElementById(`${c.form}-${key}`), text);
    // Only the stations the intervals show can be typed into.
    c.ordinates.forEach((text, i) => {
      const el = document.getElementById(`${c.form}-${c.stations}-${i}`);
      if (el) set(el, text);
    });
    $('.calc', win).click();
    const boxes = [...win.querySelectorAll('.messages .box')].map((b) => ({
      kind: b.classList.contains('failure') ? 'failure' : 'warning',
      title: $('.title', b).textContent, prompt: $('.prompt', b).textContent }));
    const failure = boxes.find((b) => b.kind === 'failure');
    const active = document.activeElement;
    const focus = active && active.id.startsWith(c.form + '-') ? active.id.slice(c.form.length + 1) : null;
    const display = {};
    for (const o of win.querySelectorAll('[id^="out-"]')) {
      if (o.offsetParent === null || o.textContent === '') continue;
      display[o.id.slice(4)] = o.textContent + (c.form === 'design' ? ' ' : '');
    }
    return {
      warnings: boxes.filter((b) => b.kind === 'warning').map(({ title, prompt }) => ({ title, prompt })),
      failure: failure ? { title: failure.title, prompt: failure.prompt,
                           emptied: focus !== null && active.value === '' } : null,
      focus,
      display,
    };
  });
}

async function compareCases(page, list, what) {
  const got = await page.evaluate(runInPage, list.map((l) => l.input));
  got.forEach((g, i) => {
    const want = { ...list[i].expected };
    if (want.focus === undefined) { // no box: the focus is not the check's
      delete want.focus;
      delete g.focus;
    } else if (want.focus === null) {
      g.focus = null; // a box without a field: the focus stays
    }
    same(g, want, `${what}: ${list[i].args.join(' ')}`);
  });
  return got.length;
}

function caseOf(args) {
  return { args, input: inputOf(args), expected: expectedOf(cliJson(args)) };
}

// Every failure of one case: each field blank, not a number and out of range both ways,
// and each design option group left unset; the expected boxes from the command line.
// (Which message a text earns is the core's, tested there; these show the page puts each
// kind of box, emptied field and focus where the desktop does.)
function failureCases(base) {
  const out = [];
  const flags = byCommand[base[0]].flags;
  for (let i = 1; i < base.length; ++i) {
    if (flags[base[i]].word) {
      // The calculators' options are no check: before one is chosen Calculate does nothing.
      if (base[0] === 'design') out.push([...base.slice(0, i), ...base.slice(i + 1)]);
      continue;
    }
    for (const text of ['   ', '1x', '-1e9', '1e9']) {
      out.push([...base.slice(0, i + 1), text, ...base.slice(i + 2)]);
    }
    ++i;
  }
  return out;
}

// Every window shows the core's words: its title, each field's caption and hint, each
// option group's caption and each option's; the BMEP power's caption follows the unit.
async function captions(page) {
  const missing = await page.evaluate((forms) => {
    const out = [];
    for (const form of forms) {
      const win = document.getElementById(form.key);
      const shown = (sel) => [...win.querySelectorAll(sel)].map((e) => e.textContent.trim());
      const want = (what, texts, caption) => { if (!texts.includes(caption.trim())) out.push(`${what}: "${caption}"`); };
      want(form.key, shown('h2'), form.title);
      for (const f of form.fields) {
        want(f.key, shown(f.kind === 'stations' ? 'legend' : `label[for="${form.key}-${f.key}"]`), f.caption);
        if (f.hint) want(f.key, shown('.hint'), f.hint);
      }
      for (const g of form.choices) {
        want(g.key, shown('legend'), g.caption);
        for (const w of g.words) {
          const radio = `input[name="${form.key}-${g.key}"][value="${w.word}"]`;
          want(w.word, shown(`label:has(${radio})`), w.caption);
          if (!w.fieldCaption) continue;
          document.querySelector(`nav button[data-open="${form.key}"]`).click();
          win.querySelector(radio).click();
          want(w.word, shown('label'), w.fieldCaption);
        }
      }
    }
    return out;
  }, Object.values(byCommand));
  same(missing, [], 'every caption is the vocabulary\'s');
}

// ---- Design files --------------------------------------------------------------------------

async function designFiles(page) {
  const args = ['design', '--three-stage', '--temp-bmep', '--coef-bmep', '--name', 'GP "125" \\',
                '--bmep', '10', '--horn', '1.5', '--dx', '40', '--d1', '44', '--lx', '20',
                '--angle', '88', '--rpm', '11000'];
  // The page saves; the command line opens it and reports what the page showed.
  await page.evaluate(runInPage, [inputOf(args)]);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#design-save')]);
  const fromPage = path.join(tmp, 'page.ecd');
  await download.saveAs(fromPage);
  const fromCli = path.join(tmp, 'cli.ecd');
  execFileSync(cli, [...args, '--save', fromCli], { stdio: 'ignore' });
  const design = { ...inputOf(args).options, ...inputOf(args).texts };
  same(download.suggestedFilename(), call('designFile', { input: design }).name, 'the file is offered under the core\'s name');
  same(fs.readFileSync(fromPage, 'utf8'), fs.readFileSync(fromCli, 'utf8'), 'the page saves the file the command line saves');
  same(cliJson(['design', '--open', fromPage]), cliJson(args), 'a file saved by the page opens in the command line');
  // The command line saves (a two-stage design this time); the page opens it.
  const two = ['design', '--two-stage', '--temp-manual', '--coef-manual', '--temp', '500', '--mid', '2.5',
               '--tail', '0.6', '--dx', '38', '--d1', '40', '--lx', '30', '--angle', '85', '--rpm', '9000'];
  execFileSync(cli, [...two, '--save', fromCli], { stdio: 'ignore' });
  await page.click('nav button[data-open="design"]');
  await page.setInputFiles('#design-open', fromCli);
  await page.waitForSelector('#design-results:not([hidden])');
  const shown = await page.evaluate(() => Object.fromEntries(
    [...document.querySelectorAll('#design output')].map((o) => [o.id.slice(4), o.textContent + ' '])));
  same(shown, cliJson(['design', '--open', fromCli]).display, 'the page opens a file saved by the command line');
  same(await page.inputValue('#design-temp'), '500', 'the opened file\'s texts are in the fields');
  // Files that are no design (a wrong field, UTF-16, bytes that are no UTF-8, a huge file):
  // the command line's reason in the desktop's box.
  const good = fs.readFileSync(fromCli);
  const bads = {
    'field.ecd': Buffer.from('{"format": "expansion-chamber-design", "version": 1, "fields": {"dx": 40}}'),
    'utf16.ecd': Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(good.toString(), 'utf16le')]),
    'latin1.ecd': Buffer.from(good.toString().replace('"38"', '"38\u00b0"'), 'latin1'),
    'overlong.ecd': Buffer.concat([good.subarray(0, 20), Buffer.from([0xc0, 0xaf]), good.subarray(20)]),
    'huge.ecd': Buffer.alloc(2 ** 20 + 1, 0x20),
  };
  for (const [name, bytes] of Object.entries(bads)) {
    const bad = path.join(tmp, name);
    fs.writeFileSync(bad, bytes);
    const why = spawnSync(cli, ['design', '--open', bad], { encoding: 'utf8' }).stderr.trim();
    await page.evaluate(() => document.querySelector('#design .messages').replaceChildren());
    await page.setInputFiles('#design-open', bad);
    await page.waitForSelector('#design .box');
    const box = await page.evaluate(() => [...document.querySelectorAll('#design .box p')].map((p) => p.textContent));
    same(box, ['Design Not Opened', `The design could not be opened from "${name}".\r\n\r\n${why.slice(why.indexOf(bad) + bad.length + 2)}`],
         `a file that is no design (${name}) is refused with the command line's reason`);
  }
  // Half of a surrogate pair has no UTF-8 form: refused, never saved changed.
  const refused = await page.evaluate(() => {
    const name = document.querySelector('#design-pipeName');
    name.value = 'a\udc00b';
    document.querySelector('#design-save').click();
    const box = [...document.querySelectorAll('#design .box p')].map((p) => p.textContent);
    return [box[0], document.activeElement === name, name.value === 'a\udc00b'];
  });
  same(refused, ['Character Not Valid', true, true], 'a pipe name with half a surrogate pair is refused and kept');
}

// ---- Flat patterns, printed ------------------------------------------------------------------

// The length in mm of the 100 mm check bar on a page rendered as a PGM image (P5, 8 bits,
// 10 dots a mm): the row with five dark runs of about 10 mm (its black blocks, 20 mm
// apart), measured as five times their pitch.
function checkBarMm(pgm) {
  const header = pgm.toString('latin1', 0, 64).match(/^P5\s+(\d+)\s+(\d+)\s+(\d+)\s/);
  const [w, h] = [Number(header[1]), Number(header[2])];
  const data = pgm.subarray(header[0].length);
  for (let y = 0; y < h; ++y) {
    const starts = [];
    for (let x = 0, run = 0; x <= w; ++x) {
      if (x < w && data[y * w + x] < 96) { ++run; continue; }
      if (Math.abs(run - 100) <= 5) starts.push(x - run);
      run = 0;
    }
    if (starts.length >= 5) return (starts[4] - starts[0]) / 4 * 5 / 10;
  }
  return null;
}

// The flat patterns of the worked design: the table is the core's, the downloads are the
// command line's templates files, and the printed sheets its PDF's sheets, one a page at
// 100 % on the paper chosen.
async function printedPatterns(page, args) {
  await page.evaluate(runInPage, [inputOf(args)]);
  const design = { ...inputOf(args).options, ...inputOf(args).texts };
  const patterns = byCommand.templates;
  let answer, cliSheets;
  for (const options of [{ sheet: '1.5', seam: '5', pieces: '3', paper: 'a4' }, { sheet: '1.0', seam: '0', pieces: '1', paper: 'letter' }]) {
    await page.click('nav button[data-open="patterns"]');
    for (const f of patterns.fields) await page.fill(`#patterns-${f.key}`, options[f.key]);
    const paper = patterns.choices[0];
    await page.check(`input[name="patterns-${paper.key}"][value="${options.paper}"]`);
    await page.click('#patterns .calc');
    const table = await page.evaluate(() => [...document.querySelectorAll('#patterns tr')]
      .map((tr) => [...tr.children].map((c) => c.textContent)));
    answer = call('patterns', { design, input: options });
    same(table, [answer.table.header, ...answer.table.rows], `the table of pieces is the core's, ${JSON.stringify(options)}`);
    const flags = [...patterns.fields.flatMap((f) => [f.flag, options[f.key]]), paper.flag, options.paper];
    const r = spawnSync(cli, ['templates', ...args.slice(1), ...flags, '--svg', path.join(tmp, 'templates.svg'),
      '--dxf', path.join(tmp, 'templates.dxf'), '--json'], { encoding: 'utf8' });
    cliSheets = JSON.parse(r.stdout).templates.pieces.flatMap((p) =>
      Array(p.pages.columns * p.pages.rows).fill(p.pages.orientation === 'landscape'));
    for (const format of ['svg', 'dxf']) {
      const [file] = await Promise.all([page.waitForEvent('download'), page.click(`#patterns-${format}`)]);
      const saved = path.join(tmp, 'page.' + format);
      await file.saveAs(saved);
      same(fs.readFileSync(saved, 'utf8'), fs.readFileSync(path.join(tmp, 'templates.' + format), 'utf8'),
        `the page's ${format.toUpperCase()} is the command line's, ${JSON.stringify(options)}`);
    }
  }
  const pieces = await page.locator('#patterns figure.piece').count();
  same(pieces, answer.pieces.length, 'a drawing for every piece');
  const sheets = await page.evaluate(() => [...document.querySelectorAll('.print-sheet')]
    .map((s) => s.classList.contains('landscape')));
  same(sheets, cliSheets, 'the page prints the sheets of the command line\'s PDF');
  await page.evaluate(() => document.body.classList.add('printing-patterns'));
  await page.emulateMedia({ media: 'print' });
  const pdf = path.join(tmp, 'patterns.pdf');
  await page.pdf({ path: pdf, preferCSSPageSize: true, printBackground: false });
  await page.emulateMedia({ media: 'screen' });
  await page.evaluate(() => document.body.classList.remove('printing-patterns'));
  // One sheet a page, the paper's size (turned for a landscape sheet).
  const sizes = [...execFileSync('pdfinfo', ['-f', '1', '-l', '999', pdf], { encoding: 'utf8' })
    .matchAll(/size:\s+([\d.]+) x ([\d.]+) pts/g)].map((m) => [m[1], m[2]].map((pt) => Math.round(pt / 72 * 25.4)));
  const { width, height } = answer.paper;
  const [w, h] = [width, height].map(Math.round);
  same(sizes, sheets.map((landscape) => (landscape ? [h, w] : [w, h])),
    'one printed page per sheet, on the paper chosen, a landscape sheet on a landscape page');
  // None scaled: at 254 dots per inch a millimetre is 10 dots.
  execFileSync('pdftoppm', ['-r', '254', '-gray', pdf, path.join(tmp, 'page')]);
  const bars = fs.readdirSync(tmp).filter((f) => f.startsWith('page') && f.endsWith('.pgm')).sort()
    .map((f) => checkBarMm(fs.readFileSync(path.join(tmp, f))));
  same(bars.length, sheets.length, 'every page rendered');
  for (const [i, bar] of bars.entries()) {
    assert.ok(bar !== null && Math.abs(bar - 100) <= 0.5, `the check bar of printed page ${i + 1} is ${bar} mm long, not 100 mm`);
  }
  return { pieces, pages: sheets.length };
}

// ---- Keyboard ------------------------------------------------------------------------------

// The design window's tab order after option clicks, as the desktop's tab indexes give it:
// the BMEP field after the temperature's place when the temperature comes from the BMEP,
// after the barrel duct when only the coefficients do.
const tabOrders = [
  [['--three-stage', '--temp-bmep', '--coef-bmep'], ['horn', 'bmep', 'dx', 'd1', 'lx', 'angle', 'rpm']],
  [['--two-stage', '--temp-manual', '--coef-bmep'], ['temp', 'dx', 'd1', 'lx', 'bmep', 'angle', 'rpm']],
  [['--two-stage', '--temp-bmep', '--coef-manual'], ['bmep', 'dx', 'd1', 'lx', 'mid', 'tail', 'angle', 'rpm']],
  [['--three-stage', '--temp-manual', '--coef-manual'], ['horn', 'temp', 'dx', 'd1', 'lx', 'mid', 'tail', 'angle', 'rpm']],
];

async function keyboardOrder(page) {
  for (const [clicks, order] of tabOrders) {
    await page.click('nav button[data-open="design"]');
    for (const [group, word] of Object.entries(inputOf(['design', ...clicks]).options)) {
      await page.check(`input[name="design-${group}"][value="${word}"]`);
    }
    await page.focus('#design-pipeName');
    const seen = [];
    for (let i = 0; i < 20 && seen.at(-1) !== 'rpm'; ++i) {
      await page.keyboard.press('Tab');
      const id = await page.evaluate(() => document.activeElement.id);
      if (/^design-/.test(id) && !/pipeName|open|save|print/.test(id)) seen.push(id.slice(7));
    }
    same(seen, order, `tab order after ${clicks.join(' ')}`);
  }
}

// What hides the design results and what leaves them: [action, results still shown].
const afterResults = [
  [(page) => page.type('#design-pipeName', ' B'), true], // the pipe name has no handler
  [(page) => page.click('#design .calc'), true], // Calculate again: the same results
  [(page) => page.click('#design-d1'), false], // a click into a field, without typing
  [(page) => page.type('#design-angle', '0'), false],
  [(page) => page.check('input[name="design-diffuser"][value="two-stage"]'), false],
];

async function resultsShown(page, args) {
  for (const [action, shown] of afterResults) {
    await page.evaluate(runInPage, [inputOf(args)]);
    await action(page);
    same(await page.isVisible('#design-results'), shown, `results after ${action}`);
  }
}

// ---- Accessibility -------------------------------------------------------------------------

async function axe(page, what) {
  await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const r = await page.evaluate(() => window.axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } }));
  const found = r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  same(found, [], `no WCAG 2.1 A/AA violations (${what})`);
}

// ---- The run ---------------------------------------------------------------------------------

(async () => {
  core = await require(path.resolve(site, 'ecd-core.js'))();
  learnVocabulary();
  const server = await serve(site);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  const context = await browser.newContext({ viewport: { width: 1440, height: 1000 }, acceptDownloads: true });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  try {
    const t0 = Date.now();
    await page.goto(url);
    await page.waitForSelector('html[data-ready=true]');
    const loadMs = Date.now() - t0;
    await captions(page);

    // Worked examples: the command line's texts and warnings.
    const examples = [
      ['design', '--three-stage', '--temp-bmep', '--coef-bmep', '--bmep', '10', '--horn', '1.5', '--dx', '40',
       '--d1', '44', '--lx', '20', '--angle', '88', '--rpm', '11000'],
      ['design', '--two-stage', '--temp-manual', '--coef-manual', '--temp', '500', '--mid', '2.5', '--tail',
       '0.6', '--dx', '38', '--d1', '44', '--lx', '30', '--angle', '85', '--rpm', '9000'],
      ['bmep', '--kw', '--bore', '54', '--stroke', '54.5', '--rpm', '12000', '--power', '30'],
      ['port-height', '--stroke', '54.5', '--rod', '110', '--start', '85', '--full', '180'],
      ['rect-port', '--width', '40', '--height', '30', '--top-radius', '5', '--bottom-radius', '5'],
      ['profiled-port', '--single', '--bore', '50', '--height', '20', '--intervals', '4',
       ...['30', '30', '30', '30', '30'].flatMap((o) => ['--ordinate', o])],
    ];
    const worked = await compareCases(page, examples.map((a) => caseOf(a)), 'worked example');
    assert.ok(await page.locator('#design-diagram svg line').count() > 20, 'the side view is drawn');
    // On a phone the side view scales to the screen: nothing to scroll sideways.
    await page.evaluate(runInPage, [inputOf(examples[0])]);
    const viewport = page.viewportSize();
    await page.setViewportSize({ width: 390, height: 800 });
    await page.waitForTimeout(300);
    same(await page.evaluate(() => {
      const v = document.querySelector('.side-view');
      return v.scrollWidth <= v.clientWidth;
    }), true, 'the side view fits a screen 390 px wide');
    await page.setViewportSize(viewport);
    // One Calculate of the worked design, inside the page (checks, table and side view): the
    // median of 15.
    await page.evaluate(runInPage, [inputOf(examples[0])]);
    const calcMs = await page.evaluate(() => {
      const times = [];
      for (let i = 0; i < 15; ++i) {
        const t = performance.now();
        document.querySelector('#design .calc').click();
        times.push(performance.now() - t);
      }
      return times.sort((a, b) => a - b)[7];
    });
    await axe(page, 'the design with its results');
    await page.evaluate(runInPage, [inputOf(examples[5])]);
    await axe(page, 'a calculator with its result');

    // Every failure of one case per window, checked against the command line's boxes.
    const bases = [examples[0], examples[1], ...examples.slice(2, 5),
      ['profiled-port', '--bridged', '--bore', '54', '--bridge-width', '5', '--top-radius', '2',
       '--bottom-radius', '2', '--height', '25', '--intervals', '4',
       ...['20', '21', '22', '21', '20'].flatMap((o) => ['--ordinate', o])]];
    const failures = bases.flatMap((b) => failureCases(b)).map((a) => caseOf(a));
    const failed = await compareCases(page, failures, 'failure');
    await axe(page, 'a failure shown');

    await keyboardOrder(page);
    await resultsShown(page, examples[0]);
    await designFiles(page);
    const printed = await printedPatterns(page, examples[0]);
    await axe(page, 'flat patterns');

    // Offline: the service worker serves the site once the server is gone.
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForSelector('html[data-ready=true]');
    await context.setOffline(true);
    await page.reload();
    await page.waitForSelector('html[data-ready=true]');
    const offline = await page.evaluate(runInPage, [inputOf(examples[3])]);
    same(offline[0].display, cliJson(examples[3]).display, 'the page calculates offline');
    await context.setOffline(false);

    for (const w of shots ? [360, 1440] : []) {
      await page.setViewportSize({ width: w, height: 1000 });
      for (const [name, args] of [['design', examples[0]], ['profiled-port', bases[5]], ['bmep', examples[2]]]) {
        await page.evaluate(runInPage, [inputOf(args)]);
        await page.screenshot({ path: path.join(shots, `${name}-${w}.png`), fullPage: true });
      }
      await page.click('nav button[data-open="patterns"]');
      await page.click('#patterns .calc');
      await page.screenshot({ path: path.join(shots, `patterns-${w}.png`), fullPage: true });
    }
    same(errors, [], 'no script errors in the page');
    console.log(`web: ${checks} checks passed: captions, ${worked} worked examples, ${failed} failures, ` +
      `tab orders, design files both ways, ${printed.pieces} pieces printed on ${printed.pages} pages (every check bar 100 mm), offline, axe`);
    console.log(`web: load to usable form ${loadMs} ms, one Calculate ${calcMs.toFixed(1)} ms (median of 15; headless Chromium)`);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(tmp, { recursive: true, force: true });
  }
})().catch((e) => {
  console.error(e.message || e);
  process.exit(1);
});

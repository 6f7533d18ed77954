// The web edition in headless Chromium against the command line: the page must show what
// the desktop shows, and the command line (build/bin/expansion-chamber-calc --json) says
// what that is.
//   node web/test/browser_test.js SITE_DIR CASES.jsonl [SHOTS_DIR]
// SITE_DIR is scripts/web.sh's build; CASES.jsonl the random cases of calc_cases, whose
// arguments are run through the page and through the command line. Prints the sizes and times it measured.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync, spawnSync } = require('node:child_process');
const { chromium } = require('playwright-core');
const { serve } = require('./serve.js');

const [site, casesFile, shots] = process.argv.slice(2);
const root = path.resolve(__dirname, '../..');
const cli = process.env.ECD_CLI || path.join(root, 'build/bin/expansion-chamber-calc');
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'ecd-web-'));

let checks = 0;
function same(actual, expected, what) {
  assert.deepStrictEqual(actual, expected, what);
  ++checks;
}

// ---- The command line ----------------------------------------------------------------------

function cliJson(args) {
  const r = spawnSync(cli, [...args.filter((a) => a !== '--json'), '--json'], { encoding: 'utf8' });
  if (r.error) throw new Error(`${r.error.message}: ${JSON.stringify(args)}`);
  try {
    return JSON.parse(r.stdout);
  } catch {
    throw new Error(`no JSON from ${args.join(' ')}: ${r.stderr}`);
  }
}

// Each command: the page's window, its field keys in the order of the window's field array
// (the names of the focus), the option flags, the flags of the texts.
const commands = {
  'design': { win: 'design', array: 'Texh',
    fields: ['temp', 'angle', 'rpm', 'bmep', 'tail', 'lx', 'mid', 'horn', 'dx', 'd1'],
    choices: { '--two-stage': ['diffuser', 'two-stage'], '--three-stage': ['diffuser', 'three-stage'],
               '--temp-manual': ['tempSource', 'typed'], '--temp-bmep': ['tempSource', 'bmep'],
               '--coef-manual': ['coefSource', 'typed'], '--coef-bmep': ['coefSource', 'bmep'] } },
  'bmep': { win: 'bmep', array: 'BHP_Txt', fields: ['bore', 'stroke', 'rpm', 'power'],
            choices: { '--hp': ['unit', 'hp'], '--kw': ['unit', 'kw'] } },
  'port-height': { win: 'height', array: 'HghtTxt', fields: ['stroke', 'rod', 'start', 'full'] },
  'rect-port': { win: 'rect', array: 'DiamTxt', fields: ['width', 'height', 'topRadius', 'bottomRadius'] },
  'profiled-port': { win: 'prof', array: 'ProfTxt',
    fields: ['bore', 'bridgeWidth', 'topRadius', 'bottomRadius', 'height', 'intervals'],
    choices: { '--single': ['configuration', 'single'], '--bridged': ['configuration', 'bridged'] } },
};
const flagOf = (key) => '--' + key.replace(/[A-Z]/g, (c) => '-' + c.toLowerCase());

// What the page is given for the calculator's arguments: options and texts by key.
function inputOf(args) {
  const c = commands[args[0]];
  const keyOf = { '--name': 'name' };
  for (const k of c.fields) keyOf[flagOf(k)] = k;
  const input = { command: args[0], win: c.win, options: {}, texts: {}, ordinates: [] };
  for (let i = 1; i < args.length; ++i) {
    const a = args[i];
    if (a === '--json') continue;
    if (c.choices && c.choices[a]) {
      input.options[c.choices[a][0]] = c.choices[a][1];
      continue;
    }
    const eq = a.indexOf('=');
    const flag = eq > 0 ? a.slice(0, eq) : a;
    const text = eq > 0 ? a.slice(eq + 1) : args[++i];
    if (flag === '--ordinate') input.ordinates.push(text);
    else if (keyOf[flag]) input.texts[keyOf[flag]] = text;
    else return null;
  }
  return input;
}

// The command line's report as the page can show it: boxes, focus, emptied field, texts.
function expectedOf(command, report) {
  const c = commands[command];
  const focusKey = (focus) => {
    if (focus === null) return null;
    const m = /^(\w+)\((\d+)\)$/.exec(focus);
    return m[1] === 'OrdTxt' ? `ord-${m[2]}` : c.fields[Number(m[2])];
  };
  const f = report.failure;
  const last = f ? f.focus : report.warnings.length ? report.warnings.at(-1).focus : undefined;
  return {
    warnings: report.warnings.map((w) => ({ title: w.title, prompt: w.prompt })),
    failure: f && { title: f.title, prompt: f.prompt, emptied: f.emptied },
    focus: last === undefined ? undefined : focusKey(last),
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
    $(`nav button[data-open="${c.win}"]`).click();
    const win = document.getElementById(c.win);
    for (const [group, value] of Object.entries(c.options)) $(`input[name="${group}"][value="${value}"]`, win).click();
    for (const [key, text] of Object.entries(c.texts)) set(document.getElementById(`${c.win}-${key}`), text);
    c.ordinates.forEach((text, i) => set(document.getElementById(`prof-ord-${i}`), text));
    $('.calc', win).click();
    const boxes = [...win.querySelectorAll('.messages .box')].map((b) => ({
      kind: b.classList.contains('failure') ? 'failure' : 'warning',
      title: $('.title', b).textContent, prompt: $('.prompt', b).textContent }));
    const failure = boxes.find((b) => b.kind === 'failure');
    const active = document.activeElement;
    const focus = active && active.id.startsWith(c.win + '-') ? active.id.slice(c.win.length + 1) : null;
    const display = {};
    const shown = (el) => el && el.offsetParent !== null && el.textContent !== '';
    if (c.win === 'design') {
      if (!$('#design-results').hidden) {
        for (const o of win.querySelectorAll('output')) display[o.id.slice(4)] = o.textContent + ' ';
      }
    } else {
      const results = { bmep: [['BHP_Lab(4)', '.result']], height: [['HghtLab(4)', '.result']],
        rect: [['DiamLab(4)', '.result']],
        prof: [['ProfLab(8)', '[data-single]'], ['ProfLab(6)', '[data-constant]'], ['ProfLab(7)', '[data-widened]']] };
      for (const [name, sel] of results[c.win]) if (shown($(sel, win))) display[name] = $(sel, win).textContent;
    }
    return {
      warnings: boxes.filter((b) => b.kind === 'warning').map(({ title, prompt }) => ({ title, prompt })),
      failure: failure ? { title: failure.title, prompt: failure.prompt,
                           emptied: focus !== null && active.value === '' } : null,
      focus: focus === null ? null : focus.replace(/^ord-/, 'ord-'),
      display,
    };
  });
}

async function compareCases(page, list, what) {
  const inputs = list.map((l) => l.input);
  const got = await page.evaluate(runInPage, inputs);
  got.forEach((g, i) => {
    const e = list[i].expected;
    const label = `${what}: ${list[i].args.join(' ')}`;
    if (e.focus === undefined) delete g.focus; // no box: the focus is not the check's
    else if (e.focus === null) g.focus = null; // a box without a field: the focus stays
    const want = { ...e };
    if (want.focus === undefined) delete want.focus;
    same(g, want, label);
  });
  return got.length;
}

// `lenient`: a case the command line refuses as a usage error (no JSON) is left out.
function caseOf(args, lenient = false) {
  const input = inputOf(args);
  // Without its option a calculator's Calculate does nothing (the command line refuses).
  if (!input || (args[0] !== 'design' && commands[args[0]].choices && !Object.keys(input.options).length)) {
    return null;
  }
  let report;
  try {
    report = cliJson(args);
  } catch (e) {
    if (lenient && /^no JSON/.test(e.message)) return null;
    throw e;
  }
  return { args, input, expected: expectedOf(args[0], report) };
}

// Every failure of one case: each field not set, blank, not a number and out of range
// both ways, and each design option group left unset; the expected boxes from the command line.
function failureCases(base) {
  const out = [];
  const c = commands[base[0]];
  for (let i = 1; i < base.length; ++i) {
    const flag = base[i];
    if (c.choices && c.choices[flag]) {
      // The calculators' options are no check: before one is chosen Calculate does nothing.
      if (base[0] === 'design') out.push([...base.slice(0, i), ...base.slice(i + 1)]);
      continue;
    }
    for (const text of ['', '   ', '1x', '-1e9', '1e9', '0']) {
      out.push([...base.slice(0, i + 1), text, ...base.slice(i + 2)]);
    }
    ++i;
  }
  return out;
}

// ---- Design files --------------------------------------------------------------------------

async function designFiles(page) {
  const args = ['design', '--three-stage', '--temp-bmep', '--coef-bmep', '--name', 'GP "125" \\',
                '--bmep', '10', '--horn', '1.5', '--dx', '40', '--d1', '44', '--lx', '20',
                '--angle', '88', '--rpm', '11000'];
  // The page saves; the command line opens it and reports what the page showed.
  const input = inputOf(args);
  await page.evaluate(runInPage, [input]);
  await page.fill('#design-name', input.texts.name);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#design-save')]);
  const fromPage = path.join(tmp, 'page.ecd');
  await download.saveAs(fromPage);
  const fromCli = path.join(tmp, 'cli.ecd');
  execFileSync(cli, [...args, '--save', fromCli], { stdio: 'ignore' });
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
    const name = document.querySelector('#design-name');
    name.value = 'a\udc00b';
    document.querySelector('#design-save').click();
    const box = [...document.querySelectorAll('#design .box p')].map((p) => p.textContent);
    return [box[0], document.activeElement === name, name.value === 'a\udc00b'];
  });
  same(refused, ['Character Not Valid', true, true], 'a pipe name with half a surrogate pair is refused and kept');
}

// ---- Flat patterns, printed ------------------------------------------------------------------

// The longest run of dark pixels along a row of a PGM image (P5, 8 bits), counting only
// pixels dark for `tall` rows downwards: the 2 mm check bar, not the thin outlines.
function longestThickRun(pgm, tall) {
  const header = pgm.toString('latin1', 0, 64).match(/^P5\s+(\d+)\s+(\d+)\s+(\d+)\s/);
  const [w, h] = [Number(header[1]), Number(header[2])];
  const data = pgm.subarray(header[0].length);
  const dark = (x, y) => data[y * w + x] < 96;
  let best = 0;
  for (let y = 0; y + tall < h; ++y) {
    let run = 0;
    for (let x = 0; x < w; ++x) {
      let thick = true;
      for (let k = 0; k < tall && thick; k += 3) thick = dark(x, y + k);
      run = thick ? run + 1 : 0;
      if (run > best) best = run;
    }
  }
  return best;
}

// The table of pieces as the command line's templates command gives the figures (its
// --json; the command needs the Qt build: ECD_TEMPLATES_CLI names it, else ECD_CLI); it
// writes its SVG and DXF as tmp/templates.svg and .dxf.
function templateRows(args, options) {
  const flags = Object.entries(options).flatMap(([k, v]) => [`--${k}`, v]);
  const r = spawnSync(process.env.ECD_TEMPLATES_CLI || cli,
    ['templates', ...args.slice(1), ...flags, '--svg', path.join(tmp, 'templates.svg'),
     '--dxf', path.join(tmp, 'templates.dxf'), '--json'],
    { encoding: 'utf8' });
  if (r.error || !r.stdout) throw new Error(`no JSON from templates: ${r.error?.message ?? r.stderr}`);
  const t = JSON.parse(r.stdout).templates;
  const f = (x, n = 2) => x.toFixed(n);
  const rows = t.pieces.map((p) => {
    const sector = p.shape === 'sector';
    return [`${p.section} ${p.role}${p.pieces > 1 ? ` ${p.piece}/${p.pieces}` : ''}`,
      sector ? 'sector' : p.fromTube ? 'rectangle or tube' : 'rectangle',
      f(p.insideSmall) + (sector ? ' / ' + f(p.insideLarge) : ''),
      f(p.d) + (sector ? ' / ' + f(p.D) : ''), f(p.length), f(p.slant), f(p.halfAngleDeg) + '°',
      sector ? f(p.innerRadius) : '-', sector ? f(p.outerRadius) : '-',
      sector ? f(p.angleDeg, 3) + '°' : '-', String(p.pieces)];
  });
  return [...rows, ...t.omitted.map((o) => [`${o.section} ${o.role}`,
    `no piece: ${f(o.length)} mm long, nothing to cut`])];
}

async function printedPatterns(page, args) {
  await page.evaluate(runInPage, [inputOf(args)]);
  for (const options of [{ sheet: '1.5', seam: '5', pieces: '3' }, { sheet: '1.0', seam: '0', pieces: '1' }]) {
    await page.click('nav button[data-open="patterns"]');
    for (const [k, v] of Object.entries(options)) await page.fill(`#patterns-${k}`, v);
    await page.click('#patterns-make');
    const rows = await page.evaluate(() => [...document.querySelectorAll('#patterns tbody tr')]
      .map((tr) => [...tr.children].map((c) => c.textContent)));
    same(rows, templateRows(args, options), `the table of pieces, ${JSON.stringify(options)}`);
    for (const format of ['svg', 'dxf']) {
      const [file] = await Promise.all([page.waitForEvent('download'), page.click(`#patterns-${format}`)]);
      const saved = path.join(tmp, 'page.' + format);
      await file.saveAs(saved);
      same(fs.readFileSync(saved, 'utf8'), fs.readFileSync(path.join(tmp, 'templates.' + format), 'utf8'),
        `the page's ${format.toUpperCase()} is the command line's, ${JSON.stringify(options)}`);
    }
  }
  const pieces = await page.locator('#patterns figure.piece').count();
  assert.ok(pieces > 0, 'a drawing for every piece');
  await page.evaluate(() => document.body.classList.add('printing-patterns'));
  await page.emulateMedia({ media: 'print' });
  const pdf = path.join(tmp, 'patterns.pdf');
  await page.pdf({ path: pdf, format: 'A4', preferCSSPageSize: true, printBackground: false });
  await page.emulateMedia({ media: 'screen' });
  await page.evaluate(() => document.body.classList.remove('printing-patterns'));
  // One sheet per page, none scaled: at 254 dots per inch a millimetre is 10 dots, and the
  // check bar of every page must be 1000 dots long.
  const sheets = await page.locator('.print-sheet').count();
  const pages = Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }))[1]);
  same(pages, sheets, 'one printed page per sheet of the pieces');
  execFileSync('pdftoppm', ['-r', '254', '-gray', pdf, path.join(tmp, 'page')]);
  const bars = fs.readdirSync(tmp).filter((f) => f.startsWith('page') && f.endsWith('.pgm')).sort()
    .map((f) => longestThickRun(fs.readFileSync(path.join(tmp, f)), 15) / 10);
  same(bars.length, pages, 'every page rendered');
  for (const [i, bar] of bars.entries()) {
    assert.ok(Math.abs(bar - 100) <= 0.5, `the check bar of printed page ${i + 1} is ${bar} mm long, not 100 mm`);
  }
  const bar = Math.max(...bars);
  return { pieces, pages, bar };
}

// ---- Keyboard ------------------------------------------------------------------------------

// The design window's tab order after option clicks, as the desktop's tab indexes give it:
// the BMEP field after the temperature's place when the temperature comes from the BMEP,
// after the barrel duct when only the coefficients do.
const tabOrders = [
  [['three-stage', 'bmep', 'bmep'], ['horn', 'bmep', 'dx', 'd1', 'lx', 'angle', 'rpm']],
  [['two-stage', 'typed', 'bmep'], ['temp', 'dx', 'd1', 'lx', 'bmep', 'angle', 'rpm']],
  [['two-stage', 'bmep', 'typed'], ['bmep', 'dx', 'd1', 'lx', 'mid', 'tail', 'angle', 'rpm']],
  [['three-stage', 'typed', 'typed'], ['horn', 'temp', 'dx', 'd1', 'lx', 'mid', 'tail', 'angle', 'rpm']],
];

async function keyboardOrder(page) {
  for (const [clicks, order] of tabOrders) {
    await page.click('nav button[data-open="design"]');
    for (const [group, value] of [['diffuser', clicks[0]], ['tempSource', clicks[1]], ['coefSource', clicks[2]]]) {
      await page.check(`#design input[name="${group}"][value="${value}"]`);
    }
    await page.focus('#design-name');
    const seen = [];
    for (let i = 0; i < 20 && seen.at(-1) !== 'rpm'; ++i) {
      await page.keyboard.press('Tab');
      const id = await page.evaluate(() => document.activeElement.id);
      if (/^design-/.test(id) && !/name|calc|open|save|print/.test(id)) seen.push(id.slice(7));
    }
    same(seen, order, `tab order after ${clicks.join(', ')}`);
  }
}

// What hides the design results and what leaves them: [action, results still shown].
const afterResults = [
  [(page) => page.type('#design-name', ' B'), true], // the pipe name has no handler
  [(page) => page.click('#design-calc'), true], // Calculate again: the same results
  [(page) => page.click('#design-d1'), false], // a click into a field, without typing
  [(page) => page.type('#design-angle', '0'), false],
  [(page) => page.check('#design input[name="diffuser"][value="two-stage"]'), false],
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

    // Worked examples, typed into the page with the keyboard and mouse.
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
    let calcMs = 0;
    for (const args of examples) {
      const c = caseOf(args);
      await page.click(`nav button[data-open="${c.input.win}"]`);
      const win = `#${c.input.win}`;
      for (const [g, v] of Object.entries(c.input.options)) await page.check(`${win} input[name="${g}"][value="${v}"]`);
      for (const [k, text] of Object.entries(c.input.texts)) await page.type(`#${c.input.win}-${k}`, text);
      for (const [i, text] of c.input.ordinates.entries()) await page.type(`#prof-ord-${i}`, text);
      await page.click(`${win} .calc`);
      // What the window shows, by result box (design) or result line (calculators).
      const shown = await page.evaluate((w) => Object.fromEntries(
        [...document.querySelectorAll(`#${w} output, #${w} .result`)]
          .filter((e) => e.offsetParent !== null && e.textContent)
          .map((e, i) => [e.id ? e.id.slice(4) : i, e.textContent])), c.input.win);
      const want = Object.fromEntries(Object.entries(c.expected.display).map(([k, v], i) =>
        (args[0] === 'design' ? [k, v.slice(0, -1)] : [i, v])));
      assert.ok(Object.keys(want).length > 0, `the worked example ${args.join(' ')} has results`);
      same(shown, want, `worked example: ${args.join(' ')}`);
      const boxes = await page.evaluate((w) => [...document.querySelectorAll(`#${w} .box`)]
        .map((b) => ({ title: b.querySelector('.title').textContent, prompt: b.querySelector('.prompt').textContent })),
        c.input.win);
      same(boxes, c.expected.warnings, `worked example's warnings: ${args.join(' ')}`);
      if (args === examples[0] && shots) {
        for (const w of [360, 1440]) {
          await page.setViewportSize({ width: w, height: 1000 });
          await page.waitForTimeout(250);
          await page.screenshot({ path: path.join(shots, `design-results-${w}.png`), fullPage: true });
        }
      }
    }
    assert.ok(await page.locator('#design-diagram svg line').count() > 20, 'the side view is drawn');
    // One Calculate of the worked design, inside the page (checks, table and side view): the
    // median of 15.
    await page.evaluate(runInPage, [inputOf(examples[0])]);
    calcMs = await page.evaluate(() => {
      const times = [];
      for (let i = 0; i < 15; ++i) {
        const t = performance.now();
        document.getElementById('design-calc').click();
        times.push(performance.now() - t);
      }
      return times.sort((a, b) => a - b)[7];
    });
    await axe(page, 'the profiled port with its results');
    for (const args of examples.slice(1, 5)) {
      await page.evaluate(runInPage, [inputOf(args)]);
      await axe(page, `${args[0]} with its results`);
    }

    // Every failure of one case per window, checked against the command line's boxes.
    const bases = [examples[0], examples[1], ...examples.slice(2, 5),
      ['profiled-port', '--bridged', '--bore', '54', '--bridge-width', '5', '--top-radius', '2',
       '--bottom-radius', '2', '--height', '25', '--intervals', '4',
       ...['20', '21', '22', '21', '20'].flatMap((o) => ['--ordinate', o])]];
    const failures = bases.flatMap((b) => failureCases(b)).map((a) => caseOf(a));
    const failed = await compareCases(page, failures, 'failure');
    await axe(page, 'a failure shown');

    // The random cases of calc_cases: the page's texts are the calculator's.
    const random = fs.readFileSync(casesFile, 'utf8').split('\n').filter((l) => l).map((l) => JSON.parse(l))
      .filter((r) => r.args.includes('--json') && !r.args.includes('--open') && !r.args.includes('--save'))
      .map((r) => caseOf(r.args, true))
      .filter((c) => c);
    const perCommand = {};
    for (const c of random) perCommand[c.args[0]] = (perCommand[c.args[0]] || 0) + 1;
    await compareCases(page, random, 'random');

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

    if (shots) {
      for (const w of [360, 1440, 1920]) {
        await page.setViewportSize({ width: w, height: 1000 });
        await page.evaluate(runInPage, [inputOf(examples[0])]);
        await page.click('nav button[data-open="design"]');
        await page.screenshot({ path: path.join(shots, `design-form-${w}.png`), fullPage: true });
        await page.evaluate(runInPage, [inputOf(bases[5])]);
        await page.screenshot({ path: path.join(shots, `profiled-port-${w}.png`), fullPage: true });
        await page.evaluate(runInPage, [inputOf(examples[0])]);
        await page.click('nav button[data-open="patterns"]');
        await page.click('#patterns-make');
        await page.screenshot({ path: path.join(shots, `patterns-${w}.png`), fullPage: true });
      }
    }
    same(errors, [], 'no script errors in the page');
    console.log(`web: ${checks} checks passed: ${examples.length} worked examples, ${failed} failures, ` +
      `${random.length} random cases (${Object.entries(perCommand).map(([k, v]) => `${k} ${v}`).join(', ')}), ` +
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

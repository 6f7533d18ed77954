// The web edition's page: the design window, the four calculators and the flat patterns,
// on the calculation core compiled to WebAssembly (ecd-core.js). Every check, message and
// result text comes from the core; this file only shows them and keeps the windows'
// visible state (which panels show, which field is emptied and focused).
'use strict';

const $ = (sel, root = document) => root.querySelector(sel);
const $$ = (sel, root = document) => Array.from(root.querySelectorAll(sel));

let core = null;

// ---- Messages ----------------------------------------------------------------------------

// Shows the boxes of a run (warnings first, then the failure) in the window's message area;
// the failing field is emptied when the core says so and takes the focus.
function showOutcome(win, run, fieldOf) {
  const area = $('.messages', win);
  area.replaceChildren();
  for (const el of $$('[aria-invalid]', win)) {
    el.removeAttribute('aria-invalid');
    el.removeAttribute('aria-errormessage');
  }
  const boxes = [...run.warnings.map((w) => ({ ...w, kind: 'warning' }))];
  if (run.failure) boxes.push({ ...run.failure, kind: 'failure' });
  let focus = null;
  boxes.forEach((b, i) => {
    const box = document.createElement('div');
    box.className = 'box ' + b.kind;
    box.id = `${win.id}-box-${i}`;
    const title = document.createElement('p');
    title.className = 'title';
    title.textContent = b.title;
    const prompt = document.createElement('p');
    prompt.className = 'prompt';
    prompt.textContent = b.prompt;
    box.append(title, prompt);
    area.append(box);
    const field = b.field === null ? null : fieldOf(b);
    if (field) {
      if (b.emptied) setText(field, '');
      if (b.kind === 'failure') {
        field.setAttribute('aria-invalid', 'true');
        field.setAttribute('aria-errormessage', box.id);
      }
      focus = field;
    }
  });
  if (focus) focus.focus();
  return !run.failure;
}

// A text that holds half of a surrogate pair has no UTF-8 form: no file can keep it, and the
// core refuses it rather than change it. Such a text is refused here, with a box and the focus
// on its field, before it reaches the core; true when every field's text can be taken.
function textsTaken(win, fields) {
  const broken = fields.find((f) => /\p{Cs}/u.test(f.value));
  if (!broken) return true;
  showOutcome(win, { warnings: [], failure: {
    title: 'Character Not Valid', field: broken.id, emptied: false,
    prompt: 'This text holds half of a surrogate pair, a character that no file can keep. Retype it.',
  } }, () => broken);
  return false;
}

function clearMessages(win) {
  $('.messages', win).replaceChildren();
}

// Sets a field's text as the program does: its change handler runs.
function setText(field, text) {
  field.value = text;
  field.dispatchEvent(new Event('input', { bubbles: true }));
}

function radioValue(win, name) {
  const r = $(`input[name="${name}"]:checked`, win);
  return r ? r.value : undefined;
}

// ---- The design window -------------------------------------------------------------------

const design = {
  win: null,
  keys: ['temp', 'angle', 'rpm', 'bmep', 'tail', 'lx', 'mid', 'horn', 'dx', 'd1'],
  state: null, // the form-level values of the last run
  lastForm: null, // the form of the last successful run (for the flat patterns)

  field(key) { return $('#design-' + key); },
  textFields() { return [$('#design-name'), ...this.keys.map((k) => this.field(k))]; },

  form() {
    const f = { name: $('#design-name').value };
    for (const g of ['diffuser', 'tempSource', 'coefSource']) {
      const v = radioValue(this.win, g);
      if (v) f[g] = v;
    }
    for (const k of this.keys) f[k] = this.field(k).value;
    return f;
  },

  show(id, on) { $('#' + id).hidden = !on; },

  // The BMEP panel stands in the upper place (after the temperature) when the temperature
  // comes from the BMEP, else in the lower place (after the barrel duct).
  placeBmep(upper) {
    $(upper ? '#bmep-upper' : '#bmep-lower').append($('#panel-bmep'));
  },

  hideResults() {
    $('#design-results').hidden = true;
    $('#design-print').hidden = true;
  },

  option(group, value) {
    this.hideResults();
    const coefBmep = radioValue(this.win, 'coefSource') === 'bmep';
    const tempTyped = radioValue(this.win, 'tempSource') === 'typed';
    const tempBmep = radioValue(this.win, 'tempSource') === 'bmep';
    if (group === 'diffuser') {
      if (value === 'two-stage') {
        this.show('panel-horn', false);
        setText(this.field('horn'), '');
      } else {
        this.show('panel-horn', true);
        this.field('horn').focus();
      }
    } else if (group === 'tempSource' && value === 'typed') {
      if (!coefBmep) {
        this.show('panel-bmep', false);
        setText(this.field('bmep'), '');
      } else {
        this.placeBmep(false);
      }
      this.show('panel-temp', true);
      this.field('temp').focus();
    } else if (group === 'tempSource') {
      this.show('panel-temp', false);
      setText(this.field('temp'), '');
      this.placeBmep(true);
      this.show('panel-bmep', true);
      if (!coefBmep) this.field('bmep').focus();
    } else if (group === 'coefSource' && value === 'typed') {
      if (tempTyped) {
        this.show('panel-bmep', false);
        setText(this.field('bmep'), '');
      }
      this.show('panel-mid', true);
      this.show('panel-tail', true);
      this.field('mid').focus();
    } else {
      this.show('panel-mid', false);
      this.show('panel-tail', false);
      setText(this.field('mid'), '');
      setText(this.field('tail'), '');
      if (tempBmep) {
        this.field('angle').focus();
      } else {
        this.placeBmep(false);
        this.show('panel-bmep', true);
        this.field('bmep').focus();
      }
    }
  },

  calculate() {
    if (!textsTaken(this.win, this.textFields())) return null;
    const form = this.form();
    if (this.state) form.previous = this.state;
    const run = core.calcDesign(form);
    this.state = run.state;
    if (!showOutcome(this.win, run, (b) => this.field(b.field))) return run;
    this.lastForm = this.form();
    this.lastTable = run.table;
    this.fillTable(run.table);
    $('#design-results').hidden = false;
    $('#design-print').hidden = false;
    this.drawSideView();
    return run;
  },

  fillTable(t) {
    const rows = $('#design-rows');
    rows.replaceChildren();
    const n = Math.max(t.Texdiam.length, t.Texlen.length);
    const cell = (label, id, text) => {
      const th = document.createElement('th');
      th.scope = 'row';
      th.textContent = label;
      const td = document.createElement('td');
      if (text !== undefined) {
        const out = document.createElement('output');
        out.id = 'out-' + id;
        out.textContent = text;
        td.append(out);
      } else {
        th.textContent = '';
      }
      return [th, td];
    };
    const first = document.createElement('tr');
    first.className = 'rule';
    first.append(...cell('DX', 'PrtDia', t.PrtDia), ...cell('LX', 'PrtLth', t.PrtLth));
    rows.append(first);
    for (let i = 0; i < n; ++i) {
      const tr = document.createElement('tr');
      tr.append(...cell('D' + (i + 1), `Texdiam(${i})`, t.Texdiam[i]),
                ...cell('L' + (i + 1), `Texlen(${i})`, t.Texlen[i]));
      rows.append(tr);
    }
    $('#out-TexTotLth').textContent = t.TexTotLth;
  },

  // The side view: the core's diagram controls (twips) as SVG, for a panel as wide as the
  // screen allows (the window's is 9400) and scaled to fit it.
  drawSideView() {
    if (!this.state || $('#design-results').hidden) return;
    const host = $('#design-diagram');
    const px = host.clientWidth || 600;
    const width = px < 600 ? 6500 : 9400;
    const d = core.drawPipe(this.state, width);
    host.replaceChildren(diagramSvg(d, width, 2700));
  },
};

const SVG = 'http://www.w3.org/2000/svg';
function svgEl(name, attrs) {
  const e = document.createElementNS(SVG, name);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
  return e;
}
// 0xBBGGRR as a CSS colour.
function colour(bgr) {
  const r = bgr & 0xff, g = (bgr >> 8) & 0xff, b = (bgr >> 16) & 0xff;
  return `rgb(${r},${g},${b})`;
}

// The drawing's extent: the panel, widened to every visible control.
function extent(d, width, height) {
  let x0 = 0, y0 = 0, x1 = width, y1 = height;
  const take = (x, y) => { x0 = Math.min(x0, x); y0 = Math.min(y0, y); x1 = Math.max(x1, x); y1 = Math.max(y1, y); };
  for (const v of Object.values(d)) {
    for (const c of Array.isArray(v) ? v : [v]) {
      if (!c.Visible) continue;
      if ('X1' in c) { take(c.X1, c.Y1); take(c.X2, c.Y2); }
      else { take(c.Left, c.Top); take(c.Left + c.Width, c.Top + c.Height); }
    }
  }
  return [x0 - 60, y0 - 60, x1 - x0 + 120, y1 - y0 + 120];
}

function diagramSvg(d, width, height) {
  const [vx, vy, vw, vh] = extent(d, width, height);
  const svg = svgEl('svg', { viewBox: `${vx} ${vy} ${vw} ${vh}`, role: 'img',
                             'aria-labelledby': 'side-view-title', class: 'diagram' });
  const title = svgEl('title', { id: 'side-view-title' });
  title.textContent = 'Side view of the chamber with its lengths and diameters';
  svg.append(title, svgEl('rect', { x: vx, y: vy, width: vw, height: vh, class: 'diagram-back' }));
  const all = (v) => (Array.isArray(v) ? v : [v]);
  for (const v of Object.values(d)) {
    for (const c of all(v)) {
      if (!c.Visible) continue;
      if ('X1' in c) {
        const a = { x1: c.X1, y1: c.Y1, x2: c.X2, y2: c.Y2, stroke: colour(c.BorderColor),
                    'stroke-width': 15 * c.BorderWidth };
        if (c.BorderStyle === 3) a['stroke-dasharray'] = '15 30';
        svg.append(svgEl('line', a));
      } else if ('FillColor' in c) {
        svg.append(svgEl('ellipse', { cx: c.Left + c.Width / 2, cy: c.Top + c.Height / 2,
                                      rx: c.Width / 2, ry: c.Height / 2, fill: colour(c.FillColor) }));
      } else if ('Caption' in c) {
        const t = svgEl('text', { x: c.Left + c.Width / 2, y: c.Top + c.Height * 0.8,
                                  fill: colour(c.ForeColor), 'text-anchor': 'middle',
                                  'font-size': 165 });
        t.textContent = c.Caption;
        svg.append(t);
      }
    }
  }
  return svg;
}

// ---- The calculators ---------------------------------------------------------------------

const tools = {
  bmep: { keys: ['bore', 'stroke', 'rpm', 'power'], run: (f) => core.calcBmep(f),
          options: 'unit' },
  height: { keys: ['stroke', 'rod', 'start', 'full'], run: (f) => core.calcPortHeight(f) },
  rect: { keys: ['width', 'height', 'topRadius', 'bottomRadius'], run: (f) => core.calcRectPort(f) },
  prof: { keys: ['bore', 'bridgeWidth', 'topRadius', 'bottomRadius', 'height', 'intervals'],
          run: (f) => core.calcProfiledPort(f), options: 'configuration' },
};

function hideToolResult(id) {
  const win = $('#' + id);
  for (const r of $$('.result', win)) r.textContent = '';
  const frame = $('.result-frame', win);
  if (frame) frame.hidden = true;
}

function toolField(id, b) {
  if (b.field === 'ordinates') return $(`#prof-ord-${b.index}`);
  return $(`#${id}-${b.field}`);
}

function calculateTool(id) {
  const t = tools[id];
  const win = $('#' + id);
  // Until an option is chosen after opening, Calculate does nothing (BMEP and profiled port).
  if (t.options && !radioValue(win, t.options)) return null;
  if (!textsTaken(win, $$('input[type=text]', win))) return null;
  const f = {};
  for (const k of t.keys) f[k] = $(`#${id}-${k}`).value;
  if (t.options) f[t.options] = radioValue(win, t.options);
  if (id === 'prof') f.ordinates = $$('.stations input', win).map((i) => i.value);
  const run = t.run(f);
  if (!showOutcome(win, run, (b) => toolField(id, b))) return run;
  if (id === 'prof' && f.configuration === 'bridged') {
    $('[data-constant]', win).textContent = run.texts[0];
    $('[data-widened]', win).textContent = run.texts[1];
    $('.result-frame', win).hidden = false;
  } else {
    $('.result', win).textContent = run.texts[0];
  }
  if (id === 'prof') $('#prof-bore').focus();
  return run;
}

function bmepUnit(value) {
  const win = $('#bmep');
  const first = $('.fields', win).hidden;
  $('#bmep-power-label').textContent = value === 'hp' ? 'Engine Power (hp):' : 'Engine Power (kW):';
  $('.fields', win).hidden = false;
  // A later unit click keeps bore, stroke and speed and empties only the power.
  if (!first) setText($('#bmep-power'), '');
  hideToolResult('bmep');
}

function profConfiguration(value) {
  const bridged = value === 'bridged';
  const rows = $$('#prof .fields .row');
  rows.forEach((r) => { r.hidden = true; });
  $('#prof-ordinates').hidden = true;
  hideToolResult('prof');
  const shown = bridged ? [0, 1, 2, 3, 4, 5] : [0, 4, 5];
  for (const i of shown) {
    rows[i].hidden = false;
    setText($('input', rows[i]), '');
  }
  $(bridged ? '#prof-bridgeWidth' : '#prof-bore').focus();
}

// The ordinate fields follow the intervals field as it is typed: stations 0 to n, emptied.
function profIntervals() {
  const text = $('#prof-intervals').value;
  const frame = $('#prof-ordinates');
  frame.hidden = true;
  if (text === '') return;
  const n = core.intervalsValue(text);
  if (n === null || n < 4 || n > 10) return;
  $$('.stations .station', frame).forEach((s, i) => {
    s.hidden = i > n;
    if (i <= n) setText($('input', s), '');
  });
  frame.hidden = false;
}

function buildStations() {
  const host = $('#prof .stations');
  for (let i = 0; i <= 10; ++i) {
    const s = document.createElement('div');
    s.className = 'station';
    s.innerHTML = `<label for="prof-ord-${i}">${i}</label>` +
      `<input id="prof-ord-${i}" type="text" inputmode="decimal">`;
    host.append(s);
  }
}

// ---- Design files ------------------------------------------------------------------------

// Saves as the design window does: the texts on screen, with the results a calculation of
// them gives from the window's state.
function saveDesign() {
  if (!textsTaken(design.win, design.textFields())) return;
  const form = design.form();
  if (design.state) form.previous = design.state;
  download(fileName(form.name, '.ecd', 'design.ecd'), core.designFileText(form), 'application/json');
}

// A file name from free text: characters a file name cannot hold become hyphens, blanks,
// dots and hyphens at either end go, very long names are cut; `fallback` if nothing is left.
function fileName(text, extension, fallback) {
  let name = text.replace(/[\\/:*?"<>|\x00-\x1f]/g, '-');
  if (name.toLowerCase().endsWith(extension)) name = name.slice(0, -extension.length);
  const trim = (n) => n.replace(/^[\s.-]+|[\s.-]+$/g, '');
  name = trim(name);
  if (name.length > 100) name = trim(name.slice(0, 100));
  return name ? name + extension : fallback;
}

function download(name, text, type) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([text], { type }));
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

// Puts a design file's form into the window, as if typed and chosen, then calculates. The
// file's size is checked before it is read: a huge file is refused without filling memory.
async function openDesignFile(file) {
  const tooLarge = core.designFileTooLarge(file.size);
  const read = tooLarge ? { form: null, problem: tooLarge }
    : core.readDesignFile(new Uint8Array(await file.arrayBuffer()));
  const from = file.name;
  const area = $('.messages', design.win);
  if (!read.form) {
    area.replaceChildren();
    const box = document.createElement('div');
    box.className = 'box failure';
    box.innerHTML = '<p class="title">Design Not Opened</p><p class="prompt"></p>';
    $('.prompt', box).textContent = `The design could not be opened from "${from}".\r\n\r\n${read.problem}`;
    area.append(box);
    return null;
  }
  openWindow('design');
  const f = read.form;
  $('#design-name').value = f.name;
  for (const g of ['diffuser', 'tempSource', 'coefSource']) {
    if (!f[g]) continue;
    const r = $(`input[name="${g}"][value="${f[g]}"]`, design.win);
    r.checked = true;
    design.option(g, f[g]);
  }
  for (const k of design.keys) setText(design.field(k), f[k]);
  return design.calculate();
}

// ---- Flat patterns -----------------------------------------------------------------------

const pieceColumns = ['Piece', 'Shape', 'Inside d / D', 'Mean d / D', 'Length h', 'Slant s',
                      'Half-angle', 'Ri', 'Ro', 'Sector', 'Per section'];

function makePatterns() {
  const win = $('#patterns');
  const out = $('#patterns-out');
  out.hidden = true;
  showPatternCommands(false);
  if (!design.lastForm) {
    $('#patterns-info').textContent = 'Calculate a design first: the patterns are those of the design window.';
    return null;
  }
  if (!textsTaken(win, $$('input[type=text]', win))) return null;
  const texts = {};
  for (const k of ['sheet', 'seam', 'pieces']) texts[k] = $('#patterns-' + k).value;
  const fields = core.patternFields(texts);
  if (!showOutcome(win, fields, (b) => $('#patterns-' + b.field))) return fields;
  const set = core.makeChamberPatterns(design.lastForm, fields.options);
  if (!showOutcome(win, set, () => null)) return set;
  const f = design.lastForm;
  $('#patterns-info').textContent =
    `${f.name ? f.name + ': ' : ''}${f.diffuser === 'three-stage' ? 'three' : 'two'}-stage diffuser, ` +
    `tuned length ${design.lastTable.TexTotLth} mm`;
  const head = $('.pieces thead tr', win);
  head.replaceChildren(...pieceColumns.map((c) => {
    const th = document.createElement('th');
    th.scope = 'col';
    th.textContent = c;
    return th;
  }));
  const body = $('.pieces tbody', win);
  body.replaceChildren();
  for (const row of [...set.pieces.map((p) => p.row), ...set.omitted.map((s) => s.row)]) {
    const tr = document.createElement('tr');
    row.forEach((text, i) => {
      const c = document.createElement(i === 0 ? 'th' : 'td');
      if (i === 0) c.scope = 'row';
      c.textContent = text;
      tr.append(c);
    });
    body.append(tr);
  }
  const host = $('#patterns-drawings');
  host.replaceChildren(...set.pieces.map(pieceFigure));
  out.hidden = false;
  showPatternCommands(true);
  patternOptions = fields.options;
  return set;
}

// Print and the two downloads belong to the pieces on screen: hidden until they are made,
// and again as soon as a field changes.
let patternOptions = null;
function showPatternCommands(shown) {
  for (const b of $$('#patterns .after-make')) b.hidden = !shown;
}

// The sheet of every piece as the command line's templates command writes it.
function downloadPatterns(format) {
  const files = core.patternFiles(design.lastForm, patternOptions);
  if (files.failure) return; // not after a made set: its design passed
  const type = format === 'svg' ? 'image/svg+xml' : 'application/dxf';
  download(fileName(design.lastForm.name, '.' + format, 'patterns.' + format), files[format], type);
}

// One piece at full size: the core's drawing in millimetres (y up), with a 100 mm check bar
// beside it so that a print can be measured.
function pieceFigure(p) {
  const fig = document.createElement('figure');
  fig.className = 'piece';
  const cap = document.createElement('figcaption');
  cap.textContent = p.row[0];
  const bar = 100, pad = 5;
  const x0 = Math.min(p.frame.x0, p.outline.x0) - pad;
  const x1 = Math.max(p.frame.x1, p.outline.x1, x0 + bar + 2 * pad) + pad;
  const y0 = Math.min(p.frame.y0, p.outline.y0) - pad - 15;
  const y1 = Math.max(p.frame.y1, p.outline.y1) + pad;
  const w = x1 - x0, h = y1 - y0;
  const svg = svgEl('svg', { viewBox: `${x0} ${-y1} ${w} ${h}`, width: `${w}mm`, height: `${h}mm`,
                             role: 'img', class: 'piece-drawing' });
  const title = svgEl('title', {});
  title.textContent = 'Full-size pattern of ' + p.row[0];
  svg.append(title);
  const flip = (pt) => [pt.x, -pt.y];
  for (const l of p.lines) {
    const [ax, ay] = flip(l.a), [bx, by] = flip(l.b);
    svg.append(svgEl('line', { x1: ax, y1: ay, x2: bx, y2: by, class: 'pl ' + l.role }));
  }
  for (const a of p.arcs) {
    let sweep = a.end - a.start;
    while (sweep <= 0) sweep += 2 * Math.PI;
    const sx = a.centre.x + a.radius * Math.cos(a.start), sy = -(a.centre.y + a.radius * Math.sin(a.start));
    const ex = a.centre.x + a.radius * Math.cos(a.end), ey = -(a.centre.y + a.radius * Math.sin(a.end));
    // Counter-clockwise with y up is clockwise on screen (sweep flag 0).
    svg.append(svgEl('path', { d: `M ${sx} ${sy} A ${a.radius} ${a.radius} 0 ${sweep > Math.PI ? 1 : 0} 0 ${ex} ${ey}`,
                               class: 'pl ' + a.role }));
  }
  for (const t of [...p.texts, ...p.figures]) {
    const [x, y] = flip(t.at);
    const e = svgEl('text', { x, y, 'font-size': t.height,
                              'text-anchor': t.anchor === 'centre' ? 'middle' : 'start',
                              'dominant-baseline': t.anchor === 'centre' ? 'central' : 'alphabetic' });
    if (t.bold) e.setAttribute('font-weight', 'bold');
    e.textContent = t.text;
    svg.append(e);
  }
  // The check bar: 100 mm, with its length written under it.
  const by = -y0 - 10;
  svg.append(svgEl('rect', { x: x0 + pad, y: by - 2, width: bar, height: 2, class: 'check-bar' }));
  const bt = svgEl('text', { x: x0 + pad, y: by + 6, 'font-size': 4 });
  bt.textContent = 'Check: this bar is 100 mm long';
  svg.append(bt);
  fig.append(cap, svg, printTiles(p.row[0], svg, [x0, -y1, w, h]));
  return fig;
}

// The piece for print: at full size on as many sheets as it needs, each sheet a window of
// 180 x 230 mm onto the drawing (it fits A4 and Letter inside 10 mm margins), framed by
// a dashed line to align the sheets, with the 100 mm check bar under it.
const Tile = { w: 180, h: 230 };
function printTiles(name, drawing, [vx, vy, w, h]) {
  const box = document.createElement('div');
  box.className = 'print-tiles';
  const cols = Math.ceil(w / Tile.w), rows = Math.ceil(h / Tile.h);
  for (let r = 0; r < rows; ++r) {
    for (let c = 0; c < cols; ++c) {
      const tw = Math.min(Tile.w, w - c * Tile.w), th = Math.min(Tile.h, h - r * Tile.h);
      const sheet = document.createElement('div');
      sheet.className = 'print-sheet';
      const label = document.createElement('p');
      label.textContent = rows * cols > 1
        ? `${name}: sheet ${r * cols + c + 1} of ${rows * cols} (row ${r + 1}, column ${c + 1})` : name;
      const part = svgEl('svg', { viewBox: `${vx + c * Tile.w} ${vy + r * Tile.h} ${tw} ${th}`,
                                  width: `${tw}mm`, height: `${th}mm`, 'aria-hidden': 'true' });
      for (const e of drawing.children) if (e.tagName !== 'title') part.append(e.cloneNode(true));
      part.append(svgEl('rect', { x: vx + c * Tile.w, y: vy + r * Tile.h, width: tw, height: th,
                                  class: 'tile-edge' }));
      const bar = svgEl('svg', { viewBox: '0 0 100 2', width: '100mm', height: '2mm', class: 'print-bar',
                                 'aria-hidden': 'true' });
      bar.append(svgEl('rect', { x: 0, y: 0, width: 100, height: 2, class: 'check-bar' }));
      const note = document.createElement('p');
      note.textContent = 'Check: this bar is 100 mm long';
      sheet.append(label, part, bar, note);
      box.append(sheet);
    }
  }
  return box;
}

// ---- Windows -----------------------------------------------------------------------------

// Opening a window from the menu puts it into its opening state, as the front screen does.
function openWindow(id) {
  for (const w of $$('.window')) w.hidden = w.id !== id;
  for (const b of $$('nav button')) b.setAttribute('aria-current', b.dataset.open === id ? 'page' : 'false');
  const win = $('#' + id);
  clearMessages(win);
  if (id === 'design') {
    for (const r of $$('input[type=radio]', win)) r.checked = false;
    $('#design-name').value = '';
    for (const k of design.keys) setText(design.field(k), '');
    for (const p of ['panel-horn', 'panel-temp', 'panel-bmep', 'panel-mid', 'panel-tail']) design.show(p, false);
    design.hideResults();
  } else if (id in tools) {
    for (const r of $$('input[type=radio]', win)) r.checked = false;
    for (const i of $$('.fields input', win)) setText(i, '');
    hideToolResult(id);
    if (id === 'bmep') $('.fields', win).hidden = true;
    if (id === 'prof') {
      for (const r of $$('.fields .row', win)) r.hidden = true;
      $('#prof-ordinates').hidden = true;
    }
  } else if (id === 'patterns') {
    const d = core.patternFields(undefined); // the opening texts
    for (const k of ['sheet', 'seam', 'pieces']) $('#patterns-' + k).value = d[k];
    $('#patterns-out').hidden = true;
    showPatternCommands(false);
    $('#patterns-info').textContent = design.lastForm ? '' :
      'Calculate a design first: the patterns are those of the design window.';
  }
  $('h2', win).setAttribute('tabindex', '-1');
  $('h2', win).focus();
}

function wire() {
  for (const b of $$('nav button')) b.addEventListener('click', () => openWindow(b.dataset.open));
  design.win = $('#design');
  for (const r of $$('#design input[type=radio]')) {
    r.addEventListener('click', () => design.option(r.name, r.value));
  }
  for (const k of design.keys) {
    const f = design.field(k);
    f.addEventListener('input', () => design.hideResults());
    f.addEventListener('click', () => design.hideResults());
  }
  $('#design-calc').addEventListener('click', () => design.calculate());
  $('#design-print').addEventListener('click', () => window.print());
  $('#design-save').addEventListener('click', saveDesign);
  $('#design-open').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    e.target.value = '';
    if (file) await openDesignFile(file);
  });
  let resize = null;
  window.addEventListener('resize', () => {
    clearTimeout(resize);
    resize = setTimeout(() => design.drawSideView(), 150);
  });

  buildStations();
  for (const id of Object.keys(tools)) {
    const win = $('#' + id);
    $('[data-calc]', win).addEventListener('click', () => calculateTool(id));
    for (const i of $$('input[type=text]', win)) i.addEventListener('input', () => hideToolResult(id));
  }
  for (const r of $$('#bmep input[name=unit]')) r.addEventListener('click', () => bmepUnit(r.value));
  for (const r of $$('#prof input[name=configuration]')) {
    r.addEventListener('click', () => profConfiguration(r.value));
  }
  $('#prof-intervals').addEventListener('input', profIntervals);

  $('#patterns-make').addEventListener('click', makePatterns);
  $('#patterns-print').addEventListener('click', () => {
    document.body.classList.add('printing-patterns');
    window.print();
    document.body.classList.remove('printing-patterns');
  });
  $('#patterns-svg').addEventListener('click', () => downloadPatterns('svg'));
  $('#patterns-dxf').addEventListener('click', () => downloadPatterns('dxf'));
  for (const i of $$('#patterns input')) {
    i.addEventListener('input', () => { $('#patterns-out').hidden = true; showPatternCommands(false); });
  }
}

async function start() {
  core = await createEcdCore();
  wire();
  openWindow('design');
  $('#loading').textContent = '';
  $('#loading').hidden = true;
  document.documentElement.dataset.ready = 'true';
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}

// For the browser tests: the page's own code paths.
window.ecdPage = { design, calculateTool, openDesignFile, makePatterns, openWindow, core: () => core };

start();

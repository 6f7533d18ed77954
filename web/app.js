// The web edition's page: the design window, the calculators and the flat patterns,
// on the calculation core compiled to WebAssembly (ecd-core.js). Every caption, check,
// message, result text and drawing comes from the core; this file builds the windows from
// the core's words and keeps their visible state (which panels show, which field is
// emptied and focused).
'use strict';

const $ = (sel, root = document) => root.querySelector(sel);
const $$ = (sel, root = document) => Array.from(root.querySelectorAll(sel));

// ---- The core ------------------------------------------------------------------------------

let core = null;
let vocabulary = null; // the core's words
const forms = {}; // the vocabulary's forms by key

// The page's own few words, beside the core's: the command that brings a form back and the
// note when the browser keeps no form.
const pageWords = {
  notKept: 'This browser could not keep the form; any copy it kept before stays.',
};

// One operation of the core: the request as JSON, the answer as an object. A request the
// core cannot take is thrown as the JavaScript error it names.
function call(operation, request, bytes = '') {
  const answer = JSON.parse(core.call(operation, JSON.stringify(request), bytes));
  if (answer.error) {
    const Kind = answer.error.type === 'RangeError' ? RangeError : TypeError;
    throw new Kind(answer.error.message);
  }
  return answer;
}

// ---- Building the windows from the vocabulary ----------------------------------------------

function element(tag, attrs = {}, text) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
  if (text !== undefined) e.textContent = text;
  return e;
}

const inputId = (form, field) => `${form.key}-${field.key}`;
const win = (form) => document.getElementById(form.key);

// A field with its caption: a panel (caption above, recommended values under it) when it
// has a hint, else a row.
function fieldBlock(form, field) {
  const id = inputId(form, field);
  const block = element('div', { class: field.hint ? 'panel' : 'row' });
  const input = element('input', { id, type: 'text', autocomplete: 'off' });
  if (field.kind === 'number') input.setAttribute('inputmode', 'decimal');
  block.append(element('label', { for: id }, field.caption), input);
  if (field.hint) {
    block.append(element('p', { class: 'hint', id: id + '-hint' }, field.hint));
    input.setAttribute('aria-describedby', id + '-hint');
  }
  return block;
}

// The ordinates of the profiled port: a frame of station fields, made as the intervals ask.
function stationsFrame(form, field) {
  const frame = element('fieldset', { class: 'ordinates', id: inputId(form, field) + '-frame', hidden: '' });
  frame.append(element('legend', {}, field.caption), element('div', { class: 'stations' }));
  return frame;
}

function stationInput(form, field, i) {
  const id = `${inputId(form, field)}-${i}`;
  let input = document.getElementById(id);
  if (!input) {
    const s = element('div', { class: 'station' });
    input = element('input', { id, type: 'text', inputmode: 'decimal', autocomplete: 'off' });
    s.append(element('label', { for: id }, String(i)), input);
    $('.stations', win(form)).append(s);
  }
  return input;
}

// An option group: a frame of option buttons named `${form}-${group}`, valued by word.
function choiceFrame(form, group) {
  const frame = element('fieldset');
  frame.append(element('legend', {}, group.caption));
  for (const w of group.words) {
    const label = element('label');
    label.append(element('input', { type: 'radio', name: `${form.key}-${group.key}`, value: w.word }),
                 ' ' + w.caption);
    frame.append(label);
  }
  return frame;
}

// Builds every window's captions, fields and option groups. A field goes into the slot of
// its window index if the window has one, else into the window's field list.
function buildWindows() {
  for (const form of Object.values(forms)) {
    const w = win(form);
    $('h2', w).textContent = form.title;
    const choices = $('.choices', w);
    for (const g of form.choices) choices.append(choiceFrame(form, g));
    for (const f of form.fields) {
      const block = f.kind === 'stations' ? stationsFrame(form, f) : fieldBlock(form, f);
      block.dataset.index = f.index;
      const slot = $(`.slot[data-index="${f.index}"]`, w);
      if (slot) {
        block.classList.add(...[...slot.classList].filter((c) => c !== 'slot'));
        slot.replaceWith(block);
      } else {
        $('.fields', w).append(block);
      }
    }
  }
  portTable(forms['port-map']);
  for (const form of Object.values(forms)) messageHomes[form.key] = $('.messages', win(form)).nextElementSibling;
}

// The port map's groups as a table: a group's name before each row, a column's caption over
// each column; every field keeps its whole caption as its label, for a screen reader.
function portTable(form) {
  const { portGroups, portColumns } = vocabulary;
  const table = element('table', { class: 'port-groups' });
  const head = element('tr');
  head.append(element('td'), ...portColumns.map((c) => element('th', { scope: 'col' }, c.caption)));
  table.append(element('thead'), element('tbody'));
  table.tHead.append(head);
  for (const g of portGroups) {
    const tr = element('tr');
    tr.append(element('th', { scope: 'row' }, g.name));
    for (const c of portColumns) {
      const block = document.getElementById(`${form.key}-${g.key}${c.key}`).parentElement;
      $('label', block).classList.add('visually-hidden');
      const td = element('td');
      td.append(block);
      tr.append(td);
    }
    table.tBodies[0].append(tr);
  }
  const scroll = element('div', { class: 'table-scroll' });
  scroll.append(table);
  $('.fields', win(form)).append(scroll);
}

const fieldAt = (form, index) => form.fields.find((f) => f.index === index);
const inputAt = (form, index) => document.getElementById(inputId(form, fieldAt(form, index)));
const textFields = (form) => $$('input[type=text]', win(form));

function chosen(form, group) {
  const r = $(`input[name="${form.key}-${group.key}"]:checked`, win(form));
  return r ? r.value : null;
}

// The form's entries as the core takes them: texts by field key, the chosen words.
function entries(form) {
  const input = {};
  for (const g of form.choices) input[g.key] = chosen(form, g);
  for (const f of form.fields) {
    input[f.key] = f.kind === 'stations'
      ? $$('.stations input', win(form)).map((i) => i.value)
      : document.getElementById(inputId(form, f)).value;
  }
  return input;
}

// ---- Messages ------------------------------------------------------------------------------

// Shows the boxes of a report (warnings first, then the failure) in the window's message
// area; the failing field is emptied when the core says so and takes the focus.
function showOutcome(form, report) {
  const w = win(form);
  const area = $('.messages', w);
  area.replaceChildren();
  for (const el of $$('[aria-invalid]', w)) {
    el.removeAttribute('aria-invalid');
    el.removeAttribute('aria-errormessage');
  }
  const boxes = (report.warnings || []).map((b) => ({ ...b, kind: 'warning' }));
  if (report.failure) boxes.push({ ...report.failure, kind: 'failure' });
  let focus = null;
  boxes.forEach((b, i) => {
    // Each box announces itself: a failure at once, a warning politely.
    const box = element('div', { class: 'box ' + b.kind, id: `${form.key}-box-${i}`,
                                 role: b.kind === 'failure' ? 'alert' : 'status' });
    box.append(element('p', { class: 'title' }, b.title), element('p', { class: 'prompt' }, b.prompt));
    area.append(box);
    const field = b.field ? form.fields.find((f) => f.key === b.field) : null;
    const input = b.input || (field && (field.kind === 'stations'
      ? stationInput(form, field, b.station) : document.getElementById(inputId(form, field))));
    if (!input) return;
    if (b.emptied) setText(input, '');
    if (b.kind === 'failure') {
      input.setAttribute('aria-invalid', 'true');
      input.setAttribute('aria-errormessage', box.id);
    }
    focus = input;
  });
  placeMessages(form, focus);
  if (focus) {
    focus.focus();
    area.scrollIntoView({ block: 'nearest' });
    focus.scrollIntoView({ block: 'nearest' });
  }
  return !report.failure;
}

// The message area stands under the field its boxes speak of (under the port map's table
// for one of its fields), so that on a narrow screen the box and its field are in view
// together; boxes about no field stand in the area's own place.
const messageHomes = {}; // form key -> the element the area stands before at home

function placeMessages(form, field) {
  const area = $('.messages', win(form));
  const block = field && (field.closest('.table-scroll') || field.closest('[data-index]'));
  if (block) block.after(area);
  else messageHomes[form.key].before(area);
}

// A text that holds half of a surrogate pair has no UTF-8 form: no file can keep it, and the
// core refuses it rather than change it. The form's first such field, or nothing.
const brokenText = (form) => textFields(form).find((f) => /\p{Cs}/u.test(f.value));

// Such a text is refused here, with a box and the focus on its field, before it reaches the
// core; true when every field's text can be taken.
function textsTaken(form) {
  const broken = brokenText(form);
  if (!broken) return true;
  showOutcome(form, { failure: {
    title: 'Character Not Valid', input: broken, emptied: false,
    prompt: 'This text holds half of a surrogate pair, a character that no file can keep. Retype it.',
  } });
  return false;
}

// Sets a field's text as the program does: its change handler runs.
function setText(field, text) {
  field.value = text;
  field.dispatchEvent(new Event('input', { bubbles: true }));
}

// ---- The design window ---------------------------------------------------------------------

const design = {
  form: null,
  options: [], // the option buttons 0..5: group g, word w is button 2g + w
  panels: [7, 0, 3, 6, 4], // the fields the options show and hide (window indexes)
  state: null, // the window's state after the last run (the core's, kept as it is)
  lastInput: null, // the entries of the last successful run (for the flat patterns)

  field(index) { return inputAt(this.form, index); },
  show(index, on) { this.field(index).closest('[data-index]').hidden = !on; },
  selected(n) { return this.options[n].checked; },

  // The BMEP panel stands in the upper place (after the temperature) when the temperature
  // comes from the BMEP, else in the lower place (after the barrel duct).
  placeBmep(upper) {
    $(upper ? '#bmep-upper' : '#bmep-lower').append(this.field(3).closest('[data-index]'));
  },

  hideResults() {
    $('#design-results').hidden = true;
    $('#design-print').hidden = true;
    $('#design-waves-open').hidden = true;
    $('#design-waves').hidden = true;
    $('#design-compare-open').hidden = true;
    hideComparison();
  },

  // The wave diagram of the design on screen: the map once, the curve as the slider moves
  // (between half and one and a half times the design's speed, the design's first).
  openWaves() {
    const answer = this.waves(null, true);
    const slider = $('#design-waves-rpm');
    Object.assign(slider, { min: answer.rpm / 2, max: answer.rpm * 1.5, step: answer.rpm / 200 });
    slider.value = answer.rpm;
    $('#design-waves .model').textContent = answer.model;
    $('#design-waves .wave-map').innerHTML = answer.map;
    $('#design-waves').hidden = false;
    slider.focus();
  },

  waves(rpm, map = false) {
    const answer = call('waves', { input: this.lastInput, previous: this.state, rpm, map });
    $('#design-waves .wave-curve').innerHTML = answer.curve;
    $('#design-waves-at').textContent = String(Math.round(answer.rpm));
    return answer;
  },

  // An option button's click: 0 two stages, 1 three; 2 temperature typed, 3 from the BMEP;
  // 4 coefficients typed, 5 from the BMEP. Fields by window index: 0 temperature, 1 opening
  // angle, 3 target BMEP, 4 tail coefficient, 6 mid coefficient, 7 horn.
  option(n) {
    this.hideResults();
    const empty = (index) => setText(this.field(index), '');
    if (n === 0) {
      this.show(7, false);
      empty(7);
    } else if (n === 1) {
      this.show(7, true);
      this.field(7).focus();
    } else if (n === 2) {
      if (!this.selected(5)) {
        this.show(3, false);
        empty(3);
      } else {
        this.placeBmep(false);
      }
      this.show(0, true);
      this.field(0).focus();
    } else if (n === 3) {
      this.show(0, false);
      empty(0);
      this.placeBmep(true);
      this.show(3, true);
      if (!this.selected(5)) this.field(3).focus();
    } else if (n === 4) {
      if (this.selected(2)) {
        this.show(3, false);
        empty(3);
      }
      this.show(6, true);
      this.show(4, true);
      this.field(6).focus();
    } else {
      this.show(6, false);
      this.show(4, false);
      empty(6);
      empty(4);
      if (this.selected(3)) {
        this.field(1).focus();
      } else {
        this.placeBmep(false);
        this.show(3, true);
        this.field(3).focus();
      }
    }
  },

  calculate() {
    if (!textsTaken(this.form)) return null;
    const input = entries(this.form);
    const run = call('calculate', { form: 'design', input, previous: this.state });
    this.state = run.state;
    if (!showOutcome(this.form, run)) return run;
    this.lastInput = input;
    this.fillTable(run.table);
    $('#design-gas').replaceChildren(...run.gas.map((g) => element('span', {}, `${g.caption} ${g.text}`)));
    $('#design-results').hidden = false;
    $('#design-print').hidden = false;
    $('#design-waves-open').hidden = false;
    $('#design-compare-open').hidden = false;
    this.drawSideView();
    return run;
  },

  fillTable(table) {
    const cell = (c) => {
      const th = element('th', { scope: 'row' }, c ? c.label : '');
      const td = element('td');
      if (c) td.append(element('output', { id: 'out-' + c.control }, c.text));
      return [th, td];
    };
    $('#design-rows').replaceChildren(...table.rows.map((row, i) => {
      const tr = element('tr', i === 0 ? { class: 'rule' } : {});
      tr.append(...row.flatMap(cell));
      return tr;
    }));
    const [label, total] = cell(table.total);
    label.colSpan = 3;
    $('#design-total').replaceChildren(label, total);
  },

  // The side view: the core's drawing for a panel as wide as the screen allows (the
  // window's is 9400 twips; 6500 on a narrow screen).
  drawSideView() {
    if (!this.state || $('#design-results').hidden) return;
    const host = $('#design-diagram');
    const width = (host.clientWidth || 600) < 600 ? 6500 : 9400;
    host.innerHTML = call('sideView', { state: this.state, width }).svg;
  },

  // The window's opening state: no option chosen, every field empty, the panels hidden.
  open() {
    this.from = null; // the name of the design file the window shows, if any
    for (const r of this.options) r.checked = false;
    for (const f of textFields(this.form)) setText(f, '');
    for (const i of this.panels) this.show(i, false);
    this.hideResults();
    designFile(null, false);
  },

  // Puts a design file's entries into the window, as if chosen and typed: the options in
  // the vocabulary's order, then the texts.
  fill(input) {
    this.form.choices.forEach((g, gi) => {
      const w = g.words.findIndex((x) => x.word === input[g.key]);
      if (w < 0) return;
      this.options[2 * gi + w].checked = true;
      this.option(2 * gi + w);
    });
    for (const f of this.form.fields) setText(document.getElementById(inputId(this.form, f)), input[f.key] ?? '');
  },

  wire() {
    this.form = forms.design;
    this.options = this.form.choices.flatMap((g) =>
      $$(`input[name="design-${g.key}"]`, win(this.form)));
    this.options.forEach((r, n) => r.addEventListener('click', () => this.option(n)));
    // The pipe name has no handler; every other field hides the results when typed or clicked.
    for (const f of this.form.fields.filter((x) => x.kind === 'number')) {
      const input = document.getElementById(inputId(this.form, f));
      input.addEventListener('input', () => this.hideResults());
      input.addEventListener('click', () => this.hideResults());
    }
    // Any typing or option click is a change the design file does not hold yet.
    win(this.form).addEventListener('input', (e) => {
      if (['text', 'radio'].includes(e.target.type)) designFile(shownFile.name, true);
    });
    $('#design-print').addEventListener('click', () => window.print());
    $('#design-waves-open').addEventListener('click', () => this.openWaves());
    $('#design-waves-rpm').addEventListener('input', (e) => this.waves(Number(e.target.value)));
    $('#design-save').addEventListener('click', saveDesign);
    $('#design-open').addEventListener('change', async (e) => {
      const file = e.target.files[0];
      e.target.value = '';
      if (file) await openDesignFile(file);
    });
    let resize = null;
    window.addEventListener('resize', () => {
      clearTimeout(resize);
      resize = setTimeout(() => this.drawSideView(), 150);
    });
  },
};

// ---- The calculators -----------------------------------------------------------------------

function hideToolResult(form) {
  const w = win(form);
  for (const r of $$('.result-lines, .chart, .pipe-sections tbody', w)) r.replaceChildren();
  for (const r of $$('.pipe-sections', w)) r.hidden = true;
  const frame = $('.result-frame', w);
  if (frame) frame.hidden = true;
}

// Calculate: the result lines as the core's report shows them; two lines (the bridged
// port pair) in the window's result frame.
function calculateTool(form) {
  const w = win(form);
  // Until an option is chosen after opening, Calculate does nothing (the pipe check's options
  // are the design window's, checked as it checks them).
  if (form.key !== 'pipe-check' && form.choices.some((g) => !chosen(form, g))) return null;
  if (!textsTaken(form)) return null;
  const report = call('calculate', { form: form.key, input: entries(form) });
  if (!showOutcome(form, report)) return report;
  showToolResult(form, report);
  if (form.key === 'profiled-port') inputAt(form, 0).focus();
  return report;
}

function showToolResult(form, report) {
  if (form.key === 'pipe-check') return showPipeCheck(form, report);
  const w = win(form);
  const lines = Object.entries(report.display);
  const frame = $('.result-frame', w);
  const host = lines.length > 1 && frame ? $('.result-lines', frame) : $('.result-lines', w);
  host.replaceChildren(...lines.map(([control, text]) =>
    element('p', { class: 'result', id: 'out-' + control }, text)));
  if (host.closest('.result-frame')) frame.hidden = false;
  if (form.key === 'port-map') {
    const { chart, ports } = call('portMapPictures', { input: entries(form) });
    $('.chart', w).innerHTML = ports + chart;
  }
}

// The port map and the pipe check are recomputed and redrawn as the tuner types, without a
// message: the figures and pictures while every field is a sensible figure, nothing while one
// is not.
function liveResult(form) {
  hideToolResult(form);
  if (brokenText(form)) return;
  const report = call('calculate', { form: form.key, input: entries(form) });
  if (!report.failure) showToolResult(form, report);
}

// Use in Design: the design window as the menu opens it, with the exhaust opening angle and
// the engine speed typed in (design window indexes 1 and 2).
function useInDesign(form) {
  const report = calculateTool(form);
  if (!report || report.failure) return;
  const { design: texts } = call('portMapPictures', { input: entries(form) });
  openWindow('design');
  setText(inputAt(design.form, 1), texts.angle);
  setText(inputAt(design.form, 2), texts.rpm);
  inputAt(design.form, 1).focus();
}

// The BMEP window's unit: the power field (window index 3) takes the unit's caption; a
// later click keeps bore, stroke and speed and empties only the power.
function bmepUnit(form, word) {
  const fields = $('.fields', win(form));
  const power = inputAt(form, 3);
  $(`label[for="${power.id}"]`).textContent = word.fieldCaption;
  if (!fields.hidden) setText(power, '');
  fields.hidden = false;
  hideToolResult(form);
}

// The profiled port's configuration: a single port shows the bore, the height and the
// intervals (window indexes 0, 4, 5), a bridged pair the bridge's fields (1 to 3) too;
// every shown field is emptied.
function profConfiguration(form, bridged) {
  const shown = bridged ? [0, 1, 2, 3, 4, 5] : [0, 4, 5];
  for (const f of form.fields) {
    $(`[data-index="${f.index}"]`, win(form)).hidden = !shown.includes(f.index);
  }
  hideToolResult(form);
  for (const i of shown) setText(inputAt(form, i), '');
  inputAt(form, bridged ? 1 : 0).focus();
}

// The ordinate fields follow the intervals field (window index 5) as it is typed: the core
// says how many intervals it shows; stations 0 to n, emptied.
function profIntervals(form) {
  const field = form.fields.find((f) => f.kind === 'stations');
  const frame = $('.ordinates', win(form));
  const { shown } = call('intervals', { text: inputAt(form, 5).value });
  frame.hidden = shown === null;
  if (shown === null) return;
  for (let i = 0; i <= shown; ++i) stationInput(form, field, i);
  $$('.station', frame).forEach((s, i) => {
    s.hidden = i > shown;
    if (i <= shown) setText($('input', s), '');
  });
}

function openTool(form) {
  // The port map and the pipe check open as the tuner left them: the engine and the pipe are
  // theirs, also after Use in Design.
  if (!['port-map', 'pipe-check'].includes(form.key) || !win(form).dataset.opened) resetTool(form);
}

function resetTool(form) {
  const w = win(form);
  w.dataset.opened = 'true';
  for (const r of $$('input[type=radio]', w)) r.checked = false;
  for (const i of textFields(form)) setText(i, '');
  for (const f of form.fields) if (f.opening) setText($(`#${form.key}-${f.key}`, w), f.opening);
  hideToolResult(form);
  if (form.key === 'bmep') $('.fields', w).hidden = true;
  if (form.key === 'profiled-port') for (const b of $$('.fields > *', w)) b.hidden = true;
}

function wireTools() {
  for (const w of $$('.window.tool')) {
    const form = forms[w.id];
    w.addEventListener('input', (e) => {
      if (e.target.type !== 'text') return;
      if (form.key === 'port-map' || form.key === 'pipe-check') liveResult(form);
      else hideToolResult(form);
    });
  }
  $('#port-map-use').addEventListener('click', () => useInDesign(forms['port-map']));
  const bmep = forms.bmep;
  for (const g of bmep.choices) {
    for (const word of g.words) {
      $(`input[name="bmep-${g.key}"][value="${word.word}"]`).addEventListener('click', () => bmepUnit(bmep, word));
    }
  }
  const prof = forms['profiled-port'];
  for (const g of prof.choices) {
    g.words.forEach((word, i) => {
      $(`input[name="profiled-port-${g.key}"][value="${word.word}"]`)
        .addEventListener('click', () => profConfiguration(prof, i === 1));
    });
  }
  inputAt(prof, 5).addEventListener('input', () => profIntervals(prof));
}

// ---- The pipe check ------------------------------------------------------------------------

const pipeCheck = {
  // The fields that follow the options, by window index: those of the design window (7 horn,
  // 0 temperature, 3 target BMEP, 6 and 4 the coefficients) and L6 and D5 (15, 19), which only
  // a three-stage pipe has.
  panels: (three, temperature, coefficients) => ({
    7: three, 15: three, 19: three, 0: temperature === 'manual',
    3: temperature === 'bmep' || coefficients === 'bmep', 6: coefficients === 'manual', 4: coefficients === 'manual',
  }),

  // Shows the fields the options ask for; a hidden field keeps its text, which the core does
  // not read under these options.
  showPanels(form) {
    const word = (key) => chosen(form, form.choices.find((g) => g.key === key));
    const shown = this.panels(word('diffuser') === 'three-stage', word('temperature'), word('coefficients'));
    for (const [index, on] of Object.entries(shown)) inputAt(form, Number(index)).closest('[data-index]').hidden = !on;
  },

  // Opened as the tuner left it; the first time, the unit at its opening word.
  open(form) {
    for (const g of form.choices.filter((x) => x.opening && !chosen(form, x))) {
      $(`input[name="${form.key}-${g.key}"][value="${g.opening}"]`).checked = true;
    }
    this.showPanels(form);
  },

  wire() {
    const form = forms['pipe-check'];
    win(form).addEventListener('input', (e) => {
      if (e.target.type !== 'radio') return;
      this.showPanels(form);
      liveResult(form);
    });
    $('nav button[data-open="pipe-check"]').addEventListener('click', () => this.open(form));
  },
};

// The check's result: the core's lines, its sections as a table (under the line that
// introduces them), and the measured pipe drawn over the designed one.
function showPipeCheck(form, report) {
  const w = win(form);
  const { sections } = report;
  const lines = Object.entries(report.display);
  const isSection = ([, text]) => sections.some((s) => text.startsWith(s.name + ': '));
  const caption = lines[lines.findIndex(isSection) - 1];
  const line = ([control, text]) => element('p', { class: 'result', id: 'out-' + control }, text);
  $('.result-lines', w).replaceChildren(...[...lines.filter((l) => l !== caption && !isSection(l)), caption].map(line));
  const table = $('.pipe-sections', w);
  $('table', table).setAttribute('aria-labelledby', 'out-' + caption[0]);
  const { columns, rows } = report.table; // the core's captions and figures
  $('thead tr', table).replaceChildren(...columns.map((h) => element('th', { scope: 'col' }, h)));
  $('thead th', table).replaceChildren(element('span', { class: 'visually-hidden' }, columns[0])); // for a screen reader
  $('tbody', table).replaceChildren(...rows.map(([name, ...cells]) => {
    const tr = element('tr');
    tr.append(element('th', { scope: 'row' }, name), ...cells.map((t) => element('td', {}, t)));
    return tr;
  }));
  table.hidden = false;
  $('.chart', w).innerHTML = call('pipeCheckPicture', { input: entries(form) }).svg;
}

// ---- Comparison of two designs -------------------------------------------------------------

// Compares the design on screen (A) with a design file (B): both result tables row by row and
// both pipes on one scale, under the design's results. A file that is no design, or whose
// design fails its checks, is refused with the core's message.
async function compareWith(file) {
  if (!textsTaken(design.form)) return null;
  $('.messages', win(design.form)).replaceChildren();
  const from = file.name;
  let { failure } = call('designFileSize', { from, size: file.size });
  let input = null, answer = null;
  if (!failure) ({ input, failure } = call('readDesignFile', { from }, new Uint8Array(await file.arrayBuffer())));
  if (!failure) {
    // The pipe name as it stands: typing it leaves the results shown.
    const a = { ...design.lastInput, pipeName: entries(design.form).pipeName };
    ({ failure } = answer = call('compare', { a: { input: a, name: design.from || '' }, b: { input, name: from } }));
  }
  hideComparison();
  if (failure && failure.side) { // the checks of a design: said of the file's
    failure.prompt = `The design in "${from}" could not be compared.\r\n\r\n${failure.prompt}`;
  }
  if (failure) {
    showOutcome(design.form, { failure: { title: failure.title, prompt: failure.prompt } });
    return null;
  }
  const number = (v) => (v === null ? '–' : v.toFixed(1));
  const box = $('#design-compare');
  $('caption', box).replaceChildren(`A: ${answer.a}`, element('br'), `B: ${answer.b}`);
  $('tbody', box).replaceChildren(...answer.rows.map((r) => {
    const tr = element('tr');
    tr.append(element('th', { scope: 'row' }, r.name), ...[r.a, r.b, r.difference].map((v) => element('td', {}, number(v))));
    return tr;
  }));
  $('.overlay', box).innerHTML = answer.svg;
  box.hidden = false;
  $('#design-compare-h').focus();
  return answer;
}

function hideComparison() {
  const box = $('#design-compare');
  box.hidden = true;
  $('tbody', box).replaceChildren();
  $('.overlay', box).replaceChildren();
}

function wireComparison() {
  $('#design-compare-file').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    e.target.value = '';
    if (file) await compareWith(file);
  });
  $('#design-compare-close').addEventListener('click', () => {
    hideComparison();
    $('#design-compare-file').focus();
  });
}

// ---- Design files --------------------------------------------------------------------------

// Saves as the design window does: the texts on screen, with the results a calculation of
// them gives from the window's state.
function saveDesign() {
  if (!textsTaken(design.form)) return;
  // The port map's texts go with it as its engine (the core leaves out one never typed into).
  const engine = forms['port-map'];
  const file = call('designFile', { input: entries(design.form), previous: design.state,
                                    engine: brokenText(engine) ? null : entries(engine) });
  download(file.name, file.text, 'application/json');
  designFile(file.name, false);
}

// The design file on screen and whether the form holds changes it does not: the page's title
// names the file and marks such changes before the program's name.
const shownFile = { name: null, changed: false, program: '' };

function designFile(name, changed) {
  Object.assign(shownFile, { name, changed });
  document.title = (changed ? '*' : '') + (name ? name + ' - ' : '') + shownFile.program;
}

function download(name, text, type) {
  const a = element('a', { download: name });
  a.href = URL.createObjectURL(new Blob([text], { type }));
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

// Opens a design file into the window and calculates. The file's size is checked before it
// is read: a huge file is refused without filling memory.
async function openDesignFile(file) {
  const from = file.name;
  let { failure } = call('designFileSize', { from, size: file.size });
  let input = null, engine = null;
  if (!failure) ({ input, engine, failure } = call('readDesignFile', { from }, new Uint8Array(await file.arrayBuffer())));
  if (failure) {
    showOutcome(design.form, { failure });
    return null;
  }
  if (engine) {
    const ports = forms['port-map'];
    for (const f of ports.fields) setText(document.getElementById(inputId(ports, f)), engine[f.key] ?? '');
    win(ports).dataset.opened = 'true';
  }
  openWindow('design');
  design.from = from;
  design.fill(input);
  const run = design.calculate();
  designFile(from, false);
  return run;
}

// ---- Flat patterns -------------------------------------------------------------------------

let patternFiles = null; // the files of the pieces on screen

function showPatternCommands(shown) {
  for (const b of $$('#patterns .after-make')) b.hidden = !shown;
}

// The printed sheets' pages: the paper's size, turned for a landscape sheet.
function pageRules(paper) {
  const page = (name, w, h) => `@page ${name} { size: ${w}mm ${h}mm; margin: ${paper.margin}mm; }`;
  return [page('tile', paper.width, paper.height), page('tile-landscape', paper.height, paper.width),
          '.print-sheet { page: tile; }', '.print-sheet.landscape { page: tile-landscape; }'].join('\n');
}

function makePatterns() {
  const form = forms.patterns;
  $('#patterns-out').hidden = true;
  showPatternCommands(false);
  if (!design.lastInput) {
    $('#patterns-info').textContent = 'Calculate a design first: the patterns are those of the design window.';
    return null;
  }
  if (!textsTaken(form)) return null;
  const set = call('patterns', { design: design.lastInput, input: entries(form) });
  if (!showOutcome(form, set)) return set;
  $('#patterns-info').textContent = set.line;
  const headCell = (text) => element('th', { scope: 'col' }, text);
  $('#patterns thead tr').replaceChildren(...set.table.header.map(headCell));
  $('#patterns tbody').replaceChildren(...set.table.rows.map((row) => {
    const tr = element('tr');
    tr.append(...row.map((text, i) => element(i === 0 ? 'th' : 'td', i === 0 ? { scope: 'row' } : {}, text)));
    return tr;
  }));
  $('#patterns-drawings').replaceChildren(...set.pieces.map((p) => {
    const fig = element('figure', { class: 'piece' });
    fig.append(element('figcaption', {}, p.name), svgBlock(p.svg, 'piece-drawing'));
    return fig;
  }));
  $('#patterns-sheets').replaceChildren(...set.pieces.flatMap((p) => p.tiles.map((t) => {
    const sheet = element('div', { class: 'print-sheet' + (t.landscape ? ' landscape' : '') });
    sheet.append(element('p', {}, `${p.name}: sheet ${t.name} (${t.position})`),
                 svgBlock(t.svg, 'tile'), svgBlock(set.checkBars, 'check-bars'));
    return sheet;
  })));
  $('#patterns-pages').textContent = pageRules(set.paper);
  patternFiles = set.files;
  $('#patterns-out').hidden = false;
  showPatternCommands(true);
  return set;
}

function svgBlock(markup, className) {
  const box = element('div', { class: className });
  box.innerHTML = markup;
  return box;
}

function wirePatterns() {
  const w = win(forms.patterns);
  $('.calc', w).addEventListener('click', makePatterns);
  $('#patterns-print').addEventListener('click', () => {
    document.body.classList.add('printing-patterns');
    window.print();
    document.body.classList.remove('printing-patterns');
  });
  for (const format of ['svg', 'dxf']) {
    $('#patterns-' + format).addEventListener('click', () => {
      const file = patternFiles[format];
      download(file.name, file.text, format === 'svg' ? 'image/svg+xml' : 'application/dxf');
    });
  }
  // Print and the downloads belong to the pieces on screen: hidden again on any change.
  const changed = () => { $('#patterns-out').hidden = true; showPatternCommands(false); };
  w.addEventListener('input', changed);
  for (const r of $$('input[type=radio]', w)) r.addEventListener('click', changed);
  // The paper: reached with its access key, the first letter of its caption.
  for (const g of forms.patterns.choices) {
    const caption = g.caption.trim();
    const first = $(`input[name="patterns-${g.key}"]`, w);
    first.dataset.accessKey = caption[0].toLowerCase();
    const legend = first.closest('fieldset').querySelector('legend');
    legend.replaceChildren(element('span', { class: 'access-key' }, caption[0]), caption.slice(1));
  }
}

function openPatterns(form) {
  for (const f of form.fields) document.getElementById(inputId(form, f)).value = f.opening;
  for (const g of form.choices) {
    for (const r of $$(`input[name="patterns-${g.key}"]`)) r.checked = r.value === g.opening;
  }
  $('#patterns-out').hidden = true;
  showPatternCommands(false);
  $('#patterns-info').textContent = design.lastInput ? ''
    : 'Calculate a design first: the patterns are those of the design window.';
}

// ---- Kept forms ----------------------------------------------------------------------------

// Every work window's form is kept in the browser's local storage on every Calculate, before
// the menu empties it and when the page is left; "Restore Previous Form" brings back the
// copy, and the results with it when it had them (Calculate runs again).
const keptForms = ['design', 'bmep', 'port-height', 'rect-port', 'profiled-port', 'port-map', 'pipe-check'];
const keptName = (form) => 'ecd-form-' + form.key;

// Calculate as its command runs it.
const calculateIn = (form) => (form.key === 'design' ? design.calculate() : calculateTool(form));

function snapshot(form) {
  const shown = form.key === 'design' ? !$('#design-results').hidden : !!$('.result', win(form));
  const copy = { input: entries(form), shown };
  if (form.key === 'design') Object.assign(copy, { file: shownFile.name, changed: shownFile.changed });
  return copy;
}

// A form as the menu opens it (every text empty or its opening text, no option chosen) holds
// nothing typed: it never takes a kept copy's place.
function untouched(form, input) {
  return form.choices.every((g) => !input[g.key]) && form.fields.every((f) =>
    [input[f.key]].flat().every((t) => !t || t === f.opening));
}

// The copy kept of a form, or null; none where the browser keeps nothing.
function keptCopy(form) {
  try {
    return JSON.parse(window.localStorage.getItem(keptName(form)));
  } catch {
    return null;
  }
}

// Keeps the form as it stands. Where the browser refuses (no storage, or full), the copy
// kept before stays and the page says so once.
function keep(form) {
  const copy = snapshot(form);
  if (untouched(form, copy.input)) return;
  let kept = true;
  try {
    window.localStorage.setItem(keptName(form), JSON.stringify(copy));
  } catch {
    kept = false;
  }
  // The note comes when a form is not kept and goes when one is; the field in use stays clear
  // of it.
  const note = $('#not-kept');
  if (note.hidden !== kept) {
    note.textContent = kept ? '' : pageWords.notKept;
    note.hidden = kept;
    if (!kept && document.activeElement.matches('input, button')) document.activeElement.scrollIntoView({ block: 'nearest' });
  }
  offerRestore(form);
}

function offerRestore(form) {
  $('.restore', win(form)).disabled = !keptCopy(form);
}

// Brings back the kept copy as the tuner would: the window emptied as the menu does it, the
// options clicked, the texts typed, then Calculate if it had results. The form on screen is
// kept in the copy's place, so a second Restore brings it back.
function restoreForm(form) {
  const copy = keptCopy(form);
  if (!copy) return;
  keep(form);
  const w = win(form);
  $('.messages', w).replaceChildren();
  placeMessages(form, null);
  if (form.key === 'design') {
    design.open();
    design.fill(copy.input);
  } else {
    resetTool(form);
    for (const g of form.choices) {
      const r = $(`input[name="${form.key}-${g.key}"][value="${copy.input[g.key]}"]`, w);
      if (r) r.click();
    }
    // The ordinates last: their fields are those the intervals typed show.
    const typed = (f) => f.kind !== 'stations';
    for (const f of [...form.fields.filter(typed), ...form.fields.filter((x) => !typed(x))]) {
      const texts = [copy.input[f.key] ?? ''].flat();
      const at = (i) => document.getElementById(typed(f) ? inputId(form, f) : `${inputId(form, f)}-${i}`);
      texts.forEach((t, i) => at(i) && !at(i).closest('[hidden]') && setText(at(i), t));
    }
  }
  if (copy.shown) calculateIn(form);
  if (form.key === 'design') designFile(copy.file, copy.changed);
}

function wireKeptForms() {
  for (const form of keptForms.map((k) => forms[k])) {
    const b = element('button', { type: 'button', class: 'restore', id: form.key + '-restore' });
    const [before, after] = vocabulary.words.restoreForm.split('&'); // the core's caption
    b.append(before, element('span', { class: 'access-key' }, after[0]), after.slice(1));
    b.dataset.accessKey = after[0].toLowerCase();
    b.addEventListener('click', () => restoreForm(form));
    $('.commands', win(form)).append(b);
    $('.calc', win(form)).addEventListener('click', () => {
      calculateIn(form);
      keep(form);
    });
    offerRestore(form);
  }
  window.addEventListener('pagehide', () => keptForms.forEach((k) => keep(forms[k])));
}

// ---- Windows -------------------------------------------------------------------------------

// Opening a window from the menu puts it into its opening state, as the front screen does.
// The form is kept first.
function openWindow(key) {
  for (const w of $$('.window')) w.hidden = w.id !== key;
  for (const b of $$('nav button')) b.setAttribute('aria-current', b.dataset.open === key ? 'page' : 'false');
  const form = forms[key];
  if (keptForms.includes(key)) keep(form);
  // Keys that several windows' controls share belong to the shown window's (the first of
  // several elements with one key would take it, hidden or not).
  for (const e of $$('[data-access-key]')) e.accessKey = e.closest('.window').id === key ? e.dataset.accessKey : '';
  $('.messages', win(form)).replaceChildren();
  placeMessages(form, null);
  if (key === 'design') design.open();
  else if (key === 'patterns') openPatterns(form);
  else openTool(form);
  const h = $('h2', win(form));
  h.setAttribute('tabindex', '-1');
  h.focus();
}

async function start() {
  core = await createEcdCore();
  vocabulary = call('vocabulary', {});
  for (const f of vocabulary.forms) forms[f.key] = f;
  buildWindows();
  for (const b of $$('nav button')) b.addEventListener('click', () => openWindow(b.dataset.open));
  shownFile.program = document.title;
  design.wire();
  wireTools();
  wirePatterns();
  pipeCheck.wire();
  wireComparison();
  wireKeptForms();
  // Enter in a field runs the window's Calculate on the texts as typed.
  for (const w of $$('.window')) {
    w.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.isComposing || e.target.type !== 'text') return;
      e.preventDefault();
      $('.calc', w).click();
    });
  }
  openWindow('design');
  $('#loading').textContent = '';
  $('#loading').hidden = true;
  document.documentElement.dataset.ready = 'true';
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}

start();

// The form: its rows, its values, and the solve of every change.

// ---------------------------------------------------------------------
// The form: one row a field, its label, control, unit, columns, what the
// program reads, help, marks and refusal, the last five tied to the
// control with aria-describedby. A group of radio buttons is a fieldset
// named by its legend.
const inputs = {};

function buildForm() {
  const form = $("form");
  for (let rec = 0; rec < 3; rec++) {
    const set = document.createElement("fieldset");
    const legend = document.createElement("legend");
    legend.textContent = RECORD_NAMES[rec] + " (record " + (rec + 1) + ")";
    set.appendChild(legend);
    for (const f of FIELDS.filter((x) => x.rec === rec)) set.appendChild(fieldRow(f));
    form.appendChild(set);
  }
  form.addEventListener("input", onFormChange);
  form.addEventListener("change", onFormChange);
  form.addEventListener("submit", (e) => { e.preventDefault(); runForm(); });
  // Enter in a field solves the records and says how they ended.
  form.addEventListener("keydown", (e) => {
    if (e.key === "Enter" && e.target.tagName === "INPUT") { e.preventDefault(); runForm(); }
  });
}


function fieldRow(f) {
  const radios = f.kind === "choice" && f.choices.length <= 2;
  const row = document.createElement(radios ? "fieldset" : "div");
  row.className = "field" + (f.kind === "text" ? " wide" : radios ? " radios" : "");
  row.id = "row-" + f.id;
  const described = [];
  let control;
  if (radios) {
    const legend = document.createElement("legend");
    legend.textContent = f.label;
    row.appendChild(legend);
    control = document.createElement("div");
    control.className = "choices";
    control.id = "f-" + f.id;
    for (const [ch, text] of f.choices) {
      const l = document.createElement("label");
      const r = document.createElement("input");
      r.type = "radio"; r.name = f.id; r.value = ch;
      l.appendChild(r); l.appendChild(document.createTextNode(" " + text));
      control.appendChild(l);
    }
  } else {
    const label = document.createElement("label");
    label.textContent = f.label;
    label.htmlFor = "f-" + f.id;
    row.appendChild(label);
    if (f.kind === "choice") {
      control = document.createElement("select");
      for (const [ch, text] of f.choices) {
        const o = document.createElement("option");
        o.value = ch; o.textContent = text;
        control.appendChild(o);
      }
    } else {
      control = document.createElement("input");
      control.type = "text";
      control.name = f.id;
      control.spellcheck = false;
      if (f.kind === "real") { control.inputMode = "decimal"; control.placeholder = f.zero ? f.zero : "blank"; }
    }
    control.id = "f-" + f.id;
  }
  inputs[f.id] = control;
  row.appendChild(control);
  if (f.kind === "real") {
    row.appendChild(span("unit", "unit-" + f.id, f.unit || ""));
    described.push("unit-" + f.id);
  }
  row.appendChild(span("cols", "cols-" + f.id, cols(f) + " " + form_of(f)));
  described.push("cols-" + f.id);
  if (f.kind !== "text") {
    row.appendChild(span("reads", "reads-" + f.id));
    described.push("reads-" + f.id);
  }
  row.appendChild(span("help", "help-" + f.id, f.help));
  if (f.id === "holes") {
    const note = span("field-note", "note-" + f.id);
    note.hidden = true;
    row.appendChild(note);
    described.push("note-" + f.id);
  }
  const mark = span("field-mark", "mark-" + f.id);
  mark.hidden = true;
  row.appendChild(mark);
  const refused = span("refused", "refused-" + f.id);
  refused.hidden = true;
  row.appendChild(refused);
  described.push("help-" + f.id, "mark-" + f.id, "refused-" + f.id);
  (radios ? row : control).setAttribute("aria-describedby", described.join(" "));
  return row;
}

function getValues() {
  const v = {};
  for (const f of FIELDS) {
    const c = inputs[f.id];
    if (c.classList && c.classList.contains("choices")) {
      const r = c.querySelector("input:checked");
      v[f.id] = r ? r.value : " ";
    } else {
      v[f.id] = c.value;
    }
  }
  return v;
}

// Puts values into the form; marks (by field id) are carried onto the
// fields until they are changed.
function setValues(v, marks) {
  for (const f of FIELDS) {
    const c = inputs[f.id];
    const value = v[f.id] === undefined ? (f.kind === "choice" ? " " : "") : v[f.id];
    if (c.classList && c.classList.contains("choices")) {
      let any = false;
      for (const r of c.querySelectorAll("input")) { r.checked = r.value === value; any = any || r.checked; }
      if (!any) c.querySelector("input").checked = true;
    } else if (c.tagName === "SELECT") {
      c.value = value;
      if (c.selectedIndex < 0) c.selectedIndex = 0;
    } else {
      c.value = value;
    }
  }
  carried = marks || {};
  onFormChange();
}

let current = null;   // the form's records and refusals
let carried = {};     // marks of an opened file's explanation, by field id
let live = true;      // false after New until the first change
let namedByNumber = true;  // the saved names follow the problem number

// Every change the form can write is solved at once; a refusal leaves the
// last good result, greyed, with the refusal.
function onFormChange(e) {
  // A text field's change (on leaving it) follows its inputs, already solved.
  if (e && e.type === "change" && e.target.type === "text") return;
  const values = getValues();
  current = buildRecords(values);
  if (e && e.target) {
    const id = e.target.name || String(e.target.id).replace(/^f-/, "");
    delete carried[id];
    live = true;
  }
  for (const f of FIELDS) {
    const row = $("row-" + f.id);
    const ref = $("refused-" + f.id);
    const bad = current.refused[f.id];
    row.classList.toggle("bad", !!bad);
    ref.hidden = !bad;
    setText(ref, bad || "");
    const reads = $("reads-" + f.id);
    if (reads) setText(reads, bad ? "" : readsText(f, current.texts[f.id], values.mode));
  }
  setText($("records"), ruler(80) + "\n" + current.records.join("\n"));
  try { localStorage.setItem(STORAGE_KEY, JSON.stringify(values)); } catch (err) { /* no storage: nothing kept */ }
  if (namedByNumber) inputName = nameFromNumber(values.number);
  if (!engine) return;
  const bad = Object.keys(current.refused);
  if (!live) { showMarks([]); return; }
  if (bad.length) {
    showMarks(null);
    // A number begun ("." or "-" before ".25"): the results stay as they
    // are until it is complete, but nothing is saved or printed meanwhile.
    const typing = e && e.type === "input" && bad.length === 1 && inputs[bad[0]] === e.target &&
                   /^[+-]?\.?$/.test(e.target.value.trim()) && (lastRun || lastReport);
    if (typing) { setStale(true, "", true); return; }
    staleResults("Not solved: " + bad.map((id) => FIELDS.find((f) => f.id === id).label).join(", ") +
                 (bad.length === 1 ? " is" : " are") + " refused (marked in the form). Shown greyed: the last records the form could write.");
    return;
  }
  const bytes = recordsBytes(current.records);
  showRun(runEngine(bytes, new Date(), inputName), bytes, "form");
  showMarks(explainInput(bytes, inputName).marks);
  if (e && e.target) formChanged(bytes);
}

// The saved names of a typed problem: its number ("0007.dat"), or
// input.dat without one.
function nameFromNumber(number) {
  const n = String(number || "").trim().replace(/[^A-Za-z0-9_.-]/g, "_").replace(/^\.+/, "");
  return n ? n + ".dat" : DEFAULT_INPUT_NAME;
}

// The marks of the explanation of the form's records, and those carried
// from an opened file, on the fields whose columns they cover; a mark
// about a whole record under the records. null keeps the last marks.
let lastMarks = [];
function showMarks(marks) {
  if (marks) lastMarks = marks;
  const byField = {};
  const loose = [];
  for (const m of lastMarks) {
    const f = m.first > 0 && FIELDS.find((x) => x.rec === m.record - 1 && m.first <= x.col + x.w - 1 && m.last >= x.col);
    if (f) (byField[f.id] = byField[f.id] || []).push(m.text);
    else loose.push(RECORD_NAMES[m.record - 1] + ": " + m.text);
  }
  for (const id of Object.keys(verdictMarks)) {
    if (id) (byField[id] = byField[id] || []).push(...verdictMarks[id]);
    else loose.push(...verdictMarks[id]);
  }
  for (const f of FIELDS) {
    // A mark carried from the file as opened and the same mark of the
    // records as they are now: shown once, as opened.
    const own = byField[f.id] || [];
    const from = carried[f.id] || [];
    const texts = [...new Set(from.concat(own.filter((t) => !from.includes("as opened: " + t))))];
    const el = $("mark-" + f.id);
    el.hidden = texts.length === 0;
    setText(el, texts.join("; "));
    $("row-" + f.id).classList.toggle("marked", texts.length > 0);
  }
  const list = $("record-marks");
  if ([...list.children].map((li) => li.textContent).join("\n") !== loose.join("\n")) {
    list.textContent = "";
    for (const t of loose) { const li = document.createElement("li"); li.textContent = t; list.appendChild(li); }
  }
  showNotes();
}

// What a blank fills in that a person may not expect, noted on the field
// (information, not a fault): a blank hole count is one hole, of 3 in when
// the diameter is blank too.
function showNotes() {
  if (!current) return;
  const v = getValues();
  let note = "";
  if (v.holes === " " || v.holes === "1" || v.holes === "2" || v.holes === "3" || v.holes === "4") {
    const f = FIELDS.find((x) => x.id === "diameter");
    const t = current.texts.diameter;
    const d = t === undefined ? NaN : readReal(t, f.d);
    const n = v.holes === " " ? 1 : Number(v.holes);
    const size = d === 0 ? (f.zero || "3.0") + " in (diameter blank or 0)" : isNaN(d) ? "" : shown(d) + " in";
    note = (v.holes === " " ? "Blank: the program drills 1 hole" : n + (n === 1 ? " hole" : " holes")) +
           (size ? " of " + size : "") + " through the pad" + (v.holes === " " ? "; choose 0 for a pad without holes." : ".");
  }
  const el = $("note-holes");
  setText(el, note);
  el.hidden = !note;
}

// What the program reads from the field's columns, and what it makes of it.
function readsText(f, text, mode) {
  if (f.kind === "choice") return text === " " ? "writes a blank" : "writes '" + text + "'";
  if (!engine) return "";
  const v = readReal(text, f.d);
  if (isNaN(v)) return "unreadable";
  let s = "reads " + shown(v);
  if (v === 0 && f.zero) s += ", so " + f.zero;
  else if (DEFAULTS_NOTE[f.id] && v < 0.1) s += "; " + DEFAULTS_NOTE[f.id](mode);
  return s;
}

function restoreForm() {
  let v = null;
  try { v = JSON.parse(localStorage.getItem(STORAGE_KEY) || "null"); } catch (e) { v = null; }
  setValues(v && typeof v === "object" ? v : START);
}

// Run: the form's records solved now, and the outcome brought into view.
function runForm() {
  if (!current) { showError(noForm); return; }
  live = true;
  $("explain-box").hidden = true;
  onFormChange();
  const bad = Object.keys(current.refused);
  if (bad.length) {
    showError("Not run: " + bad.length + " field(s) cannot be written: " +
                bad.map((id) => FIELDS.find((f) => f.id === id).label).join(", ") + ".");
    $("row-" + bad[0]).scrollIntoView({ block: "center" });
    return;
  }
  showMessage("");
  $("results-side").scrollTop = 0;
  const o = $("outcome");
  if (o.getBoundingClientRect().top < 0 || o.getBoundingClientRect().top > window.innerHeight) o.scrollIntoView({ block: "start" });
}

// The page: a form for the three records of an input file and, beside it,
// the engine's solve of the records as they are typed: the outcome, the table
// of checks, the drawing and the report page by page, printed and saved as
// shown. Several input files opened at once give the bearing schedule.
// The engine (createBearingpadEngine, from the script before this one) is the
// console program's solve compiled to WebAssembly; every number the page
// shows as read, and every report, comes from it.
"use strict";

(function () {
  const scriptAt = performance.now();
  let formAt = null;
  let engineAt = null;
  const VERSION = "@VERSION@";
  const STORAGE_KEY = "bearingpad.form.v1";
  const DEFAULT_INPUT_NAME = "input.dat";

  // ---------------------------------------------------------------------
  // The fields of the three records as the form shows them: id, the name of
  // the engine's field, how the form writes it, label and help. Where each
  // stands comes from the engine's layout (applyLayout): rec (0 title, 1 pad,
  // 2 beam), col (first column), w (width), d (decimals of a real field
  // Fw.d), unit, and zero (what a real field that reads 0 becomes).
  const DEFAULTS_NOTE = {
    width: (mode) => mode === "A" ? "used as entered (0 when blank)"
                                  : "below 0.1: the design starts at 1.0 and finds the width",
    length: (mode) => mode === "A" ? "used as entered (0 when blank)"
                                   : "below 0.1: the design starts at 1.0 and finds the length",
    thickness: (mode) => mode === "A" ? "used as entered (0 when blank)"
                                      : "below 0.1: the design starts at 0.5",
  };
  const FIELDS = [
    { id: "number", name: "problem_number", kind: "text", label: "Problem number",
      help: "Any 4 characters, printed as typed in the banner." },
    { id: "title", name: "title", kind: "text", label: "Title",
      help: "Free text, printed as typed under the banner." },

    { id: "mode", name: "run_mode", kind: "choice", label: "Mode",
      choices: [[" ", "design: the program sizes the pad"], ["A", "analysis: check the pad as entered"]],
      help: "A = analysis; anything else (blank) = design." },
    { id: "basis", name: "dimension_basis", kind: "choice", label: "Bearing properties from",
      choices: [[" ", "plate dimensions"], ["B", "bearing dimensions"]],
      help: "B = properties from the bearing dimensions; otherwise from the plate dimensions when the pad has load plates." },
    { id: "width", name: "width", kind: "real", label: "Width W",
      help: "Bearing width; blank in a design: the search finds it." },
    { id: "length", name: "length", kind: "real", label: "Length L",
      help: "Bearing length; blank in a design: the search finds it." },
    { id: "thickness", name: "thickness", kind: "real", label: "Total thickness",
      help: "Total bearing thickness; blank in a design: the search starts at 0.5 in." },
    { id: "holes", name: "hole_count_character", kind: "choice", label: "Number of holes",
      choices: [[" ", "blank: 1 hole"], ["0", "0"], ["1", "1"], ["2", "2"], ["3", "3"], ["4", "4"]],
      help: "Blank = 1 hole, or 0 to 4." },
    { id: "diameter", name: "diameter_of_hole", kind: "real", label: "Hole diameter",
      help: "Diameter of the hole(s); blank or 0 = 3.0 in." },
    { id: "cover", name: "cover_thickness", kind: "real", label: "Top and bottom cover",
      help: "Top and bottom cover layers; blank or 0 = 0.25 in." },
    { id: "side", name: "side_cover", kind: "real", label: "Side cover",
      help: "Side cover; blank or 0 = 0.25 in." },
    { id: "loadplates", name: "load_plate_count_character", kind: "choice", label: "Number of load plates",
      choices: [[" ", "0 (blank): none"], ["1", "1"], ["2", "2"]],
      help: "Load plates: blank or 0 = none, 1 or 2." },
    { id: "loadthick", name: "load_plate_thickness", kind: "real", label: "Load plate thickness",
      help: "Thickness of each load plate; blank or 0 = 0.1875 in." },
    { id: "internal", name: "internal_plate_count", kind: "choice", label: "Number of internal plates",
      choices: [[" ", "0 (blank)"], ["1", "1"], ["2", "2"], ["3", "3"], ["4", "4"], ["5", "5"],
                ["6", "6"], ["7", "7"], ["8", "8"], ["9", "9"]],
      help: "Internal plates 0 to 9, only with two load plates (a design sets them to 0 otherwise)." },
    { id: "internalthick", name: "internal_plate_thickness", kind: "real", label: "Internal plate thickness",
      help: "Thickness of each internal plate; blank or 0 = 0.0747 in (14 gage)." },

    { id: "beam", name: "beam_type_character", kind: "choice", label: "Beam",
      choices: [[" ", "concrete (70 degrees, .000006 per degree)"], ["S", "steel (120 degrees, .0000065 per degree)"]],
      help: "S = steel beam; anything else (blank) = concrete." },
    { id: "fixity", name: "distance_to_fixity", kind: "real", label: "Distance to fixity",
      help: "Distance from the bearing to the point of fixity." },
    { id: "span", name: "design_span", kind: "real", label: "Design span",
      help: "Design span of the beam." },
    { id: "dead", name: "dead_load", kind: "real", label: "Dead load reaction",
      help: "Dead load reaction." },
    { id: "live", name: "live_load", kind: "real", label: "Live load reaction",
      help: "Live load reaction without impact." },
    { id: "camber", name: "camber", kind: "real", label: "Camber",
      help: "Camber of the beam." },
    { id: "deaddefl", name: "dead_load_deflection", kind: "real", label: "Dead load deflection",
      help: "Dead load deflection of the beam." },
    { id: "livedefl", name: "live_load_deflection", kind: "real", label: "Live load deflection",
      help: "Live load deflection of the beam." },
  ];
  const RECORD_NAMES = ["Title record", "Pad record", "Beam record"];
  // The columns each record ends at as the program reads it (applyLayout).
  const RECORD_END = [0, 0, 0];

  // Fills the fields' places from the engine's layout of the records (the
  // JSON of bp_input_fields). Returns what does not match, empty when all do.
  function applyLayout(json) {
    let layout;
    try { layout = JSON.parse(json); } catch (e) { return ["the engine's layout is not JSON (" + e.message + ")"]; }
    if (!Array.isArray(layout)) return ["the engine's layout is not a list of fields"];
    const byName = new Map(layout.map((x) => [x.name, x]));
    const problems = [];
    for (const f of FIELDS) {
      const x = byName.get(f.name);
      if (!x) { problems.push("the form's field " + f.id + " (" + f.name + ") is not one of the engine's"); continue; }
      if ((f.kind === "real") !== (x.form === "real")) {
        problems.push("the form writes " + f.id + " as " + f.kind + ", the engine reads " + f.name + " as " + x.form);
        continue;
      }
      f.rec = x.record - 1;
      f.col = x.first;
      f.w = x.width;
      f.d = x.decimals;
      f.unit = x.unit;
      if (x.rule === "zero") {
        const z = String(x.default);
        f.zero = /[.e]/.test(z) ? z : z + ".0";
      }
      RECORD_END[f.rec] = Math.max(RECORD_END[f.rec], f.col + f.w - 1);
    }
    for (const x of layout) {
      if (!FIELDS.some((f) => f.name === x.name)) problems.push("the engine's field " + x.name + " is not in the form");
    }
    return problems;
  }

  // The starting form: examples/analysis.dat.
  const START = {
    number: "0101", title: "ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS", mode: "A", basis: " ",
    width: "12.0", length: "9.0", thickness: "2.0", holes: "1", diameter: "1.0", cover: ".25",
    side: ".25", loadplates: "2", loadthick: ".25", internal: "1", internalthick: ".0747",
    beam: " ", fixity: "100.0", span: "80.0", dead: "40.0", live: "20.0", camber: "1.0",
    deaddefl: ".5", livedefl: ".25",
  };

  const $ = (id) => document.getElementById(id);
  const cols = (f) => f.w === 1 ? "col " + f.col : "cols " + f.col + "-" + (f.col + f.w - 1);
  const form_of = (f) => f.kind === "real" ? "F" + f.w + "." + f.d : f.kind === "text" ? "A" + f.w : "A1";

  // ---------------------------------------------------------------------
  // The engine.
  let engine = null;
  let firstReportAt = null;
  // Why the form is not there (yet): it is built from the engine's layout.
  const LOADING = "The engine is still loading.";
  let noForm = LOADING;

  function call(name, ret, types, args) { return engine.ccall(name, ret, types, args); }
  // The bytes of a C string of the engine, as they are (no decoding).
  function cBytes(ptr) {
    let end = ptr;
    while (engine.HEAPU8[end] !== 0) end++;
    return engine.HEAPU8.slice(ptr, end);
  }
  const utf8 = new TextDecoder("utf-8");

  // The engine keeps the last run only: a result is read from it while its
  // run is the last, and kept once read.
  let runCount = 0;
  function resultOf(run, key, read) {
    if (!(key in run)) {
      if (run.id !== runCount) throw new Error("run: read the " + key + " of a run before the next run");
      run[key] = read();
    }
    return run[key];
  }

  // Runs the bytes of an input file; returns what the console program would
  // leave: status, report bytes, console line, failure line, and the outcome;
  // the result as data, the drawing and the schedule row.
  function runEngine(bytes, when, inputName) {
    if (!engine) throw new Error("the engine is still loading");
    if (!(bytes instanceof Uint8Array)) throw new TypeError("run: the input must be a Uint8Array");
    if (!(when instanceof Date) || isNaN(when.getTime())) throw new TypeError("run: when must be a valid Date");
    const name = inputName || DEFAULT_INPUT_NAME;
    // As the command line names it: the extension after the base name's
    // first character replaced (".dat" alone is a base name: ".dat.rpt").
    const reportName = name.replace(/([^/\\])\.[^./\\]*$/, "$1") + ".rpt";
    const ptr = engine._malloc(Math.max(bytes.length, 1));
    try {
      engine.HEAPU8.set(bytes, ptr);
      const run = { id: ++runCount };
      const status = call("bp_run", "number",
        ["number", "number", "string", "string", "number", "number", "number", "number", "number", "number"],
        [ptr, bytes.length, name, reportName, when.getFullYear(), when.getMonth() + 1, when.getDate(),
         when.getHours(), when.getMinutes(), when.getSeconds()]);
      const data = call("bp_report_data", "number", [], []);
      const size = call("bp_report_size", "number", [], []);
      return {
        status: status,
        report: engine.HEAPU8.slice(data, data + size),
        console: call("bp_console", "string", [], []),
        failure: call("bp_failure", "string", [], []),
        end: ["none", "rejected", "solved", "failure"][call("bp_end", "number", [], [])],
        warnings: call("bp_warnings", "number", [], []),
        impossible: call("bp_design_not_possible", "number", [], []) === 1,
        analysis: call("bp_analysis", "number", [], []) === 1,
        reportName: reportName,
        name: name,
        // The result as data (the engine's JSON, parsed), the drawing (SVG
        // text, "" when none) and the schedule row (its bytes as
        // scheduleBytes), taken from the engine when first read: they cost
        // more than the run.
        get result() { return resultOf(run, "result", () => JSON.parse(call("bp_result_json", "string", [], []))); },
        get drawing() { return resultOf(run, "drawing", () => call("bp_drawing_svg", "string", [], [])); },
        get scheduleRow() { return resultOf(run, "scheduleRow", () => call("bp_schedule_row", "string", [], [])); },
        get scheduleBytes() { return resultOf(run, "scheduleBytes", () => cBytes(call("bp_schedule_row", "number", [], []))); },
      };
    } finally {
      engine._free(ptr);
    }
  }

  // The value a real field's columns read as (NaN: unreadable, message 64).
  function readReal(text, d) { return call("bp_read_real", "number", ["string", "number"], [text, d]); }
  function readInteger(text) {
    const v = call("bp_read_integer", "number", ["string"], [text]);
    return call("bp_read_ok", "number", [], []) === 1 ? v : NaN;
  }

  // A 32-bit real as a short decimal.
  function shown(v) {
    if (!isFinite(v)) return String(v);
    return String(parseFloat(v.toPrecision(7)));
  }

  // ---------------------------------------------------------------------
  // Writing a field: the form always writes the decimal point, right-
  // justified in the field's columns, and refuses what does not fit.
  const NUMBER = /^([+-]?)(\d*)(?:\.(\d*))?$/;

  function writeReal(f, typed) {
    const t = typed.trim();
    if (t === "") return { text: " ".repeat(f.w) };
    const m = NUMBER.exec(t);
    if (!m || (m[2] === "" && (m[3] === undefined || m[3] === ""))) {
      return { refused: "\"" + t + "\" is not a number: type digits with an optional decimal point " +
                        "(no comma, letter, blank or exponent)." };
    }
    const integer = m[2].replace(/^0+/, "");
    const fraction = (m[3] || "").replace(/0+$/, "");
    const zero = integer === "" && fraction === "";
    const sign = m[1] === "-" && !zero ? "-" : "";
    let text = sign + integer + "." + fraction;
    if (text.length > f.w) {
      return { refused: t + " does not fit " + form_of(f) + " (" + cols(f) + "): it needs " + text.length +
                        " columns with its point, the field has " + f.w + "." };
    }
    if (integer === "" && text.length < f.w) text = sign + "0." + fraction;
    return { text: text.padStart(f.w, " ") };
  }

  function writeText(f, typed) {
    if (/[^\x20-\x7e]/.test(typed)) {
      return { refused: "Only plain ASCII characters: the file has one byte a column, and " +
                        JSON.stringify(typed.match(/[^\x20-\x7e]/)[0]) + " is not one of them." };
    }
    if (typed.length > f.w) {
      return { refused: "The " + f.label.toLowerCase() + " has " + f.w + " columns (" + cols(f) + "); this one has " +
                        typed.length + " characters." };
    }
    return { text: typed.padEnd(f.w, " ") };
  }

  function writeField(f, value) {
    if (f.kind === "real") return writeReal(f, value);
    if (f.kind === "text") return writeText(f, value);
    return { text: value || " " };
  }

  // The three records from the form's values; refusals by field.
  function buildRecords(values) {
    const recs = [[], [], []].map(() => Array(80).fill(" "));
    const refused = {};
    const texts = {};
    for (const f of FIELDS) {
      const r = writeField(f, values[f.id] || "");
      if (r.refused) { refused[f.id] = r.refused; continue; }
      texts[f.id] = r.text;
      for (let i = 0; i < f.w; i++) recs[f.rec][f.col - 1 + i] = r.text[i];
    }
    const records = recs.map((r) => r.join("").replace(/ +$/, ""));
    return { records, refused, texts };
  }

  function recordsBytes(records) { return latin1(records.join("\n") + "\n"); }
  function latin1(s) { const b = new Uint8Array(s.length); for (let i = 0; i < s.length; i++) b[i] = s.charCodeAt(i) & 255; return b; }
  function fromLatin1(b) { let s = ""; for (let i = 0; i < b.length; i += 8192) s += String.fromCharCode.apply(null, b.subarray(i, i + 8192)); return s; }

  function ruler(width) {
    let tens = "", units = "";
    for (let c = 1; c <= width; c++) {
      tens += c % 10 === 0 ? String((c / 10) % 10) : " ";
      units += String(c % 10);
    }
    return tens + "\n" + units;
  }

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

  function span(cls, id, text) {
    const s = document.createElement("span");
    s.className = cls;
    if (id) s.id = id;
    if (text) s.textContent = text;
    return s;
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
    if (f.kind !== "text" && !radios) {
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
      ref.textContent = bad || "";
      const reads = $("reads-" + f.id);
      if (reads) reads.textContent = bad ? "" : readsText(f, current.texts[f.id], values.mode);
    }
    $("records").textContent = ruler(80) + "\n" + current.records.join("\n");
    try { localStorage.setItem(STORAGE_KEY, JSON.stringify(values)); } catch (err) { /* no storage: nothing kept */ }
    if (namedByNumber) inputName = nameFromNumber(values.number);
    if (!engine) return;
    const bad = Object.keys(current.refused);
    if (!live) { showMarks([]); return; }
    if (bad.length) {
      showMarks(null);
      staleResults("Not solved: " + bad.map((id) => FIELDS.find((f) => f.id === id).label).join(", ") +
                   (bad.length === 1 ? " is" : " are") + " refused (marked in the form). Shown greyed: the last records the form could write.");
      return;
    }
    const bytes = recordsBytes(current.records);
    showRun(runEngine(bytes, new Date(), inputName), bytes, "form");
    showMarks(explainInput(bytes, inputName).marks);
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
    for (const id of Object.keys(carried)) (byField[id] = byField[id] || []).push(...carried[id]);
    for (const f of FIELDS) {
      const texts = [...new Set(byField[f.id] || [])];
      const el = $("mark-" + f.id);
      el.hidden = texts.length === 0;
      el.textContent = texts.join("; ");
      $("row-" + f.id).classList.toggle("marked", texts.length > 0);
    }
    const list = $("record-marks");
    list.textContent = "";
    for (const t of loose) { const li = document.createElement("li"); li.textContent = t; list.appendChild(li); }
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
  // ---------------------------------------------------------------------
  // Opening an input file: when every field is one the form writes, the
  // form takes it; otherwise the records are shown with what stops the form.
  function analyseInput(bytes) {
    let text = fromLatin1(bytes);
    if (text.startsWith("\xef\xbb\xbf")) text = text.slice(3);
    const lines = text.split("\n").map((l) => l.replace(/\r$/, ""));
    if (lines.length && lines[lines.length - 1] === "" && text.endsWith("\n")) lines.pop();
    const records = lines.slice(0, 3);
    const problems = [];  // {rec, col, width, why}
    const values = {};
    if (records.length < 3) {
      problems.push({ rec: Math.max(records.length - 1, 0), col: 0, width: 0,
                      why: "the file has " + records.length + " record(s); a problem has three (title, pad, beam)" });
    }
    const used = [new Set(), new Set(), new Set()];
    for (const f of FIELDS) {
      const rec = records[f.rec] || "";
      const field = rec.slice(f.col - 1, f.col - 1 + f.w).padEnd(f.w, " ");
      for (let i = 0; i < f.w; i++) used[f.rec].add(f.col + i);
      if (f.kind === "text") {
        values[f.id] = f.id === "title" ? field.replace(/ +$/, "") : field.replace(/ +$/, "");
        continue;
      }
      if (f.kind === "choice") {
        let ch = field;
        if (f.id === "beam" && ch === "C") ch = " ";
        if (f.id === "internal" && ch === "0") ch = " ";
        if (f.id === "loadplates" && ch === "0") ch = " ";
        if (!f.choices.some((c) => c[0] === ch)) {
          problems.push({ rec: f.rec, col: f.col, width: 1, why: f.label + ": column " + f.col + " holds '" + field +
                          "', which the form does not write (" + f.help + ")" });
        } else {
          values[f.id] = ch;
        }
        continue;
      }
      const v = readReal(field, f.d);
      const trimmed = field.replace(/ /g, "");
      if (isNaN(v)) {
        problems.push({ rec: f.rec, col: f.col, width: f.w, why: f.label + " (" + cols(f) + ", " + form_of(f) + "): '" + field +
                        "' cannot be read: the run ends with input conversion error (64)" });
      } else if (trimmed !== "" && !trimmed.includes(".")) {
        problems.push({ rec: f.rec, col: f.col, width: f.w, why: f.label + " (" + cols(f) + ", " + form_of(f) + "): '" + field +
                        "' has no decimal point, so its last " + f.d + " digits are decimals: it reads " + shown(v) + " " + f.unit });
        values[f.id] = shown(v);
      } else if (trimmed !== "" && !/^[+-]?\d*\.\d*$/.test(trimmed)) {
        problems.push({ rec: f.rec, col: f.col, width: f.w, why: f.label + " (" + cols(f) + "): '" + field +
                        "' reads " + shown(v) + ", but not as a plain decimal number" });
        values[f.id] = shown(v);
      } else {
        values[f.id] = trimmed;
      }
    }
    records.forEach((rec, r) => {
      for (let c = 1; c <= rec.length; c++) {
        const ch = rec[c - 1];
        if (ch < " " || ch > "~") {
          problems.push({ rec: r, col: c, width: 1, why: RECORD_NAMES[r].toLowerCase() + ", column " + c + ": a byte that is not a printable ASCII character (" +
                          ch.charCodeAt(0) + ")" });
        } else if (ch !== " " && !used[r].has(c)) {
          problems.push({ rec: r, col: c, width: 1, why: RECORD_NAMES[r].toLowerCase() + ", column " + c + ": '" + ch + "' stands in a column the program " +
                          (c > RECORD_END[r] ? "does not read (after column " + RECORD_END[r] + ")" : "skips") });
        }
      }
    });
    return { records, problems, values, notes: lines.length > 3 };
  }

  let opened = null;  // { name, bytes, analysis, explained } of the last opened input file

  // One input file opened: the form takes it when it can hold it as it is;
  // otherwise the explanation shows why, with the outcome of the file as it
  // is, and the results show the file's own run.
  function openInput(name, bytes) {
    if (!current) { showMessage(noForm === LOADING ? LOADING + " Open the file again in a moment." : noForm); return; }
    const a = analyseInput(bytes);
    const explained = explainInput(bytes, name);
    opened = { name, bytes, analysis: a, explained };
    inputName = name;
    namedByNumber = false;
    live = true;
    $("file-name").textContent = name;
    showWorkbench();
    if (a.problems.length === 0 && explained.count === 0) {
      $("explain-box").hidden = true;
      setValues(a.values);
      showMessage(a.notes ? "Opened " + name + ": the form holds its three records (the lines after them are not kept)." : "");
      return;
    }
    showExplanation(a, explained);
  }

  function showExplanation(a, explained) {
    const box = $("explain-box");
    box.hidden = false;
    const reasons = $("explain-reasons");
    reasons.textContent = a.problems.length ? "The form cannot hold this file as it is:"
                                            : "The explanation marks what is probably a slip:";
    const list = document.createElement("ul");
    const items = a.problems.map((p) => p.why);
    if (a.problems.length === 0) for (const m of explained.marks) items.push(RECORD_NAMES[m.record - 1] + (m.first ? ", columns " + m.first + "-" + m.last : "") + ": " + m.text);
    for (const why of items) {
      const li = document.createElement("li");
      li.textContent = why;
      list.appendChild(li);
    }
    reasons.appendChild(list);
    $("explain").textContent = explained.text.replace(/\r\n/g, "\n");
    // The file as it is: its own outcome, and its results beside.
    const r = runEngine(opened.bytes, new Date(), opened.name);
    showRun(r, opened.bytes, "file");
    $("explain-outcome").textContent = "As it is, " + opened.name + " gives: " + outcomeOf(r)[1] +
      (outcomeOf(r)[2] ? " (" + outcomeOf(r)[2] + ")" : "") + " The results beside are this file's.";
    showMessage("Opened " + opened.name + ": see \u201cThe file as opened\u201d above the form.");
    // The explanation stands first in the form's column, under the toolbar.
    window.scrollTo(0, 0);
    $("explain-heading").focus({ preventScroll: true });
  }

  // The engine's explanation of an input file (the console's --explain):
  // its text, its number of marks and the marks as data.
  function explainInput(bytes, name) {
    const ptr = engine._malloc(Math.max(bytes.length, 1));
    try {
      engine.HEAPU8.set(bytes, ptr);
      const text = call("bp_explain", "string", ["number", "number", "string"], [ptr, bytes.length, name]);
      return { text: text, count: call("bp_explain_marks", "number", [], []),
               marks: JSON.parse(call("bp_explain_marks_json", "string", [], [])) };
    } finally {
      engine._free(ptr);
    }
  }

  // The marks of an explanation by the form's field they fall on.
  function marksByField(marks) {
    const by = {};
    for (const m of marks) {
      const f = m.first > 0 && FIELDS.find((x) => x.rec === m.record - 1 && m.first <= x.col + x.w - 1 && m.last >= x.col);
      if (f) (by[f.id] = by[f.id] || []).push("as opened: " + m.text);
    }
    return by;
  }

  // ---------------------------------------------------------------------
  // The report: carriage control rendered as a printer does it. LF starts a
  // new line, CR returns to column 1 (what follows overprints), FF starts a
  // new page.
  function reportPages(bytes) {
    const pages = [];
    let lines = [];
    let line = [];
    let col = 0;
    let open = false;
    const put = (ch) => {
      while (line.length < col) line.push(" ");
      if (col < line.length) { if (ch !== " ") line[col] = ch; } else line.push(ch);
      col++;
    };
    for (let i = 0; i < bytes.length; i++) {
      const b = bytes[i];
      if (b === 10) { lines.push(line.join("")); line = []; col = 0; open = false; }
      else if (b === 13) { col = 0; open = true; }
      else if (b === 12) {
        if (open || line.length) lines.push(line.join(""));
        pages.push(lines); lines = []; line = []; col = 0; open = false;
      } else { put(String.fromCharCode(b)); open = true; }
    }
    if (open || line.length) lines.push(line.join(""));
    if (lines.length || pages.length === 0) pages.push(lines);
    return pages;
  }

  const SEPARATOR = /^ *-{78} *$/;
  const FOOTER5 = /^ +PAGE 5 *$/;

  function showReport(bytes) {
    const pages = reportPages(bytes);
    const box = $("report");
    box.textContent = "";
    let warnings = 0;
    pages.forEach((lines, n) => {
      const pre = document.createElement("pre");
      pre.className = "page";
      pre.setAttribute("aria-label", "page " + (n + 1));
      const footer = lines.findIndex((l) => FOOTER5.test(l));
      let sep = -1;
      if (footer >= 0) for (let i = footer - 1; i >= 0; i--) if (SEPARATOR.test(lines[i])) { sep = i; break; }
      lines.forEach((l, i) => {
        let cls = "";
        if (footer >= 0 && sep >= 0 && i > sep && i < footer && l.trim() !== "") cls = "warning";
        if (footer >= 0 && i > footer && l.trim() !== "") cls = "closing";
        if (cls === "warning") warnings++;
        const text = l + (i < lines.length - 1 ? "\n" : "");
        if (cls) pre.appendChild(span(cls, null, text));
        else pre.appendChild(document.createTextNode(text));
      });
      box.appendChild(pre);
    });
    lastReport = bytes;
    if (firstReportAt === null) firstReportAt = performance.now();
    return { pages: pages.length, warningLines: warnings };
  }

  function showOutcome(cls, head, detail, toWarnings) {
    const o = $("outcome");
    o.hidden = false;
    o.className = "screen " + cls;
    o.textContent = head;
    if (toWarnings) {
      const b = document.createElement("button");
      b.type = "button"; b.textContent = "Show the warnings";
      b.addEventListener("click", () => {
        const w = document.querySelector("#report .warning");
        if (w) w.scrollIntoView({ block: "center" });
      });
      o.appendChild(document.createTextNode(" "));
      o.appendChild(b);
    }
    if (detail) o.appendChild(span("detail", null, detail));
  }

  function outcomeOf(r) {
    const summary = r.console.replace(/\r\n$/, "");
    const words = summary.slice(summary.indexOf(" ", summary.indexOf(": ") + 2) + 1);
    const what = r.analysis ? "Analysis" : "Design";
    if (r.status !== 0) {
      return ["failure", "The run ended with message " + r.status + (r.report.length ? "; the report keeps what was written before." : "."),
              r.failure.replace(/\r\n$/, "")];
    }
    if (r.end === "none") return ["rejected", "No problem in the input: the report holds the banner at most.", words];
    if (r.end === "rejected") return ["rejected", what + " rejected: the report is one page with the message.", r.result.closing_messages.join("; ")];
    if (r.impossible) return ["impossible", "Design not possible: the report shows the last attempt of the search.", r.result.closing_messages.join("; ")];
    if (r.warnings) return ["warnings", what + ": " + r.warnings + (r.warnings === 1 ? " warning" : " warnings") + " on page 5 (marked).", "", true];
    return ["ok", what + ": no warnings, every check passed.", ""];
  }

  // ---------------------------------------------------------------------
  // The table of checks, from the result: the governing check first, each
  // with its article, demand, limit, a bar for its ratio and pass or fail.
  // A demand or limit to four figures (the report has them in full).
  const num = (x, t) => {
    if (x === null || x === undefined) return t || "";
    return Math.abs(x) >= 1000 ? String(Math.round(x)) : String(Number(x.toPrecision(4)));
  };

  function showChecks(result) {
    const box = $("checks-box");
    const body = $("checks").tBodies[0];
    body.textContent = "";
    if (!result || !result.checks || result.checks.length === 0) { box.hidden = true; return; }
    box.hidden = false;
    const gov = result.governing ? result.governing.key : null;
    const order = result.checks.filter((c) => c.key === gov).concat(result.checks.filter((c) => c.key !== gov));
    for (const c of order) {
      const tr = document.createElement("tr");
      tr.className = !c.applies ? "na" : c.passed ? "pass" : "fail";
      if (c.key === gov) tr.classList.add("governs");
      tr.dataset.key = c.key;
      const cell = (text, cls) => { const td = document.createElement("td"); td.textContent = text; if (cls) td.className = cls; tr.appendChild(td); return td; };
      const th = document.createElement("th");
      th.scope = "row";
      th.textContent = c.name + (c.key === gov ? " (governs)" : "");
      tr.appendChild(th);
      cell(c.article);
      cell(c.applies ? num(c.demand, c.demand_text) + (c.unit ? " " + c.unit : "") : "", "num");
      cell(c.applies ? num(c.limit, c.limit_text) + (c.unit ? " " + c.unit : "") : "", "num");
      const ratio = c.ratio === null ? NaN : c.ratio;
      const bar = cell("", "ratio");
      if (c.applies) {
        const track = span("bar");
        const fill = span("fill");
        fill.style.width = (isFinite(ratio) ? Math.max(0, Math.min(ratio, 1.5)) / 1.5 * 100 : 100) + "%";
        track.appendChild(fill);
        track.appendChild(span("limit-line"));
        bar.appendChild(track);
        bar.appendChild(span("ratio-text", null, c.ratio === null ? (c.ratio_text || "") : ratio.toFixed(2)));
      }
      cell(!c.applies ? "n/a" : c.passed ? "pass" : "FAIL", "verdict");
      body.appendChild(tr);
    }
  }

  // The drawing and strain chart of the result.
  function showPictures(svg) {
    const box = $("pictures");
    box.textContent = "";
    box.hidden = !svg;
    if (!svg) return;
    // The engine's own SVG (its texts escaped), parsed by the HTML parser.
    box.innerHTML = svg;
    if (!box.querySelector("svg")) box.textContent = "The drawing could not be shown.";
  }

  // ---------------------------------------------------------------------
  // Run, print, save. What is shown is one run: of the form's records, of a
  // file as opened, or a report opened; lastRun and lastReport are its.
  let lastReport = null;
  let lastReportName = null;
  let lastRun = null;
  let inputName = DEFAULT_INPUT_NAME;
  let stale = false;

  // The outcome and the checks at once; the drawing and the report's pages
  // in the next frame, only those of the last run when keys come faster.
  // What is saved and printed is the run's own report either way.
  let pending = null;
  let renderedAt = null;
  let renderWork = null;  // milliseconds the last drawing and report took
  function showRun(r, bytes, source) {
    lastRun = { run: r, bytes, source };
    lastReport = r.report;
    lastReportName = r.reportName;
    const [cls, head, detail, toWarnings] = outcomeOf(r);
    showOutcome(cls, (source === "file" ? r.name + " as it is: " : "") + head, detail, toWarnings);
    showChecks(r.result);
    void r.drawing;  // read now: the engine keeps the last run only
    setStale(false);
    if (pending === null) {
      const render = () => {
        const run = pending;
        pending = null;
        if (!run || lastRun === null || lastRun.run !== run) return;
        const from = performance.now();
        showPictures(run.drawing);
        showReport(run.report);
        void document.body.offsetHeight;
        renderedAt = performance.now();
        renderWork = renderedAt - from;
      };
      if (document.hidden) setTimeout(render, 0); else requestAnimationFrame(render);
    }
    pending = r;
    return r;
  }

  // Resolves once the pictures and report of the last run are on the page.
  function rendered() {
    return new Promise((resolve) => {
      const wait = () => (pending === null ? resolve() : setTimeout(wait, 5));
      wait();
    });
  }

  function setStale(on, why) {
    stale = on;
    $("results-side").classList.toggle("stale", on);
    let note = $("stale-note");
    if (!on) { if (note) note.remove(); return; }
    if (!note) { note = span("stale-note", "stale-note"); $("outcome").prepend(note); }
    note.textContent = why;
    $("outcome").hidden = false;
  }

  function staleResults(why) {
    if (!lastRun && !lastReport) { clearResults(why); return; }
    setStale(true, why);
  }

  function clearResults(note) {
    lastRun = null; lastReport = null; lastReportName = null; pending = null;
    $("report").textContent = "";
    showChecks(null);
    showPictures("");
    setStale(false);
    const o = $("outcome");
    o.className = "screen none";
    o.textContent = note || "";
    o.hidden = !note;
  }

  // Run: the form's records solved now, and the outcome brought into view.
  function runForm() {
    if (!current) { showMessage(noForm); return; }
    live = true;
    $("explain-box").hidden = true;
    onFormChange();
    const bad = Object.keys(current.refused);
    if (bad.length) {
      showMessage("Not run: " + bad.length + " field(s) cannot be written: " +
                  bad.map((id) => FIELDS.find((f) => f.id === id).label).join(", ") + ".");
      $("row-" + bad[0]).scrollIntoView({ block: "center" });
      return;
    }
    showMessage("");
    $("results-side").scrollTop = 0;
    const o = $("outcome");
    if (o.getBoundingClientRect().top < 0 || o.getBoundingClientRect().top > window.innerHeight) o.scrollIntoView({ block: "start" });
  }

  // Saved files go through here; a test may watch it.
  function download(bytes, name) {
    const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    const a = document.createElement("a");
    a.href = url; a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  }

  function saveDat() {
    if (!current) { showMessage(noForm); return; }
    if (Object.keys(current.refused).length) { showMessage("Not saved: a field cannot be written (marked in the form)."); return; }
    download(recordsBytes(current.records), inputName);
  }

  // Only the report of what is shown, never a stale one.
  function reportReady(what) {
    if (stale) { showMessage(what + ": the results are not those of the form (a field is refused)."); return false; }
    if (!lastReport) { showMessage(what + ": no report yet."); return false; }
    return true;
  }

  function saveRpt() {
    if (reportReady("Not saved")) download(lastReport, lastReportName || "report.rpt");
  }

  // Prints the report, or the drawing sheet ("drawing"), or the schedule
  // ("schedule", when it is shown); the last two on landscape sheets.
  function printAs(mode) {
    document.body.classList.toggle("print-drawing", mode === "drawing");
    const landscape = document.createElement("style");
    landscape.id = "print-landscape";
    landscape.textContent = "@page { size: landscape; }";
    if (mode) document.head.appendChild(landscape);
    window.print();
  }

  function showMessage(text) {
    const m = $("message");
    m.hidden = !text;
    m.textContent = text || "";
  }

  function readFiles(files) {
    return Promise.all(files.map((f) => f.arrayBuffer().then((b) => ({ name: f.name, bytes: new Uint8Array(b) }))));
  }

  const isReport = (f) => /\.rpt$/i.test(f.name) || (f.bytes.includes(12) && !/\.dat$/i.test(f.name));

  // One file: the form (or the report viewer); several: the schedule.
  function openFiles(list) {
    openAt = performance.now();
    return readFiles(list).then((files) => {
      if (files.length === 1) {
        const f = files[0];
        if (isReport(f)) viewReport(f.bytes, f.name); else openInput(f.name, f.bytes);
        return;
      }
      const inputs = files.filter((f) => !isReport(f) && /\.(dat|txt)$/i.test(f.name));
      if (inputs.length === 0) { showMessage("None of the files is an input file (.dat)."); return; }
      if (inputs.length < files.length) showMessage((files.length - inputs.length) + " file(s) that are not input files left out.");
      else showMessage("");
      buildSchedule(inputs);
    }).catch((err) => showMessage("The files could not be read: " + err));
  }

  function onOpen(e) {
    const list = Array.from(e.target.files || []);
    e.target.value = "";
    if (list.length) openFiles(list);
  }

  // A drop of files, or of a folder where the browser gives its entries.
  function onDrop(e) {
    e.preventDefault();
    const items = Array.from(e.dataTransfer.items || []);
    const entries = items.map((i) => (i.webkitGetAsEntry ? i.webkitGetAsEntry() : null));
    if (entries.length && entries.every((x) => x)) {
      const files = [];
      const walk = (entry) => new Promise((resolve) => {
        if (entry.isFile) { entry.file((f) => { files.push(f); resolve(); }, () => resolve()); return; }
        const reader = entry.createReader();
        const all = [];
        const more = () => reader.readEntries((batch) => {
          if (batch.length === 0) Promise.all(all.map(walk)).then(resolve);
          else { all.push(...batch); more(); }
        }, () => resolve());
        more();
      });
      Promise.all(entries.map(walk)).then(() => {
        const inputs = files.length > 1 ? files.filter((f) => /\.dat$/i.test(f.name)) : files;
        if (inputs.length) openFiles(inputs.sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0)));
      });
      return;
    }
    const list = Array.from(e.dataTransfer.files || []);
    if (list.length) openFiles(list);
  }

  function viewReport(bytes, name) {
    if (!(bytes instanceof Uint8Array)) throw new TypeError("view: the report must be a Uint8Array");
    showWorkbench();
    lastRun = null;
    showChecks(null);
    showPictures("");
    setStale(false);
    pending = null;
    const shownReport = showReport(bytes);
    lastReportName = name || "report.rpt";
    if (name) $("file-name").textContent = name;
    showOutcome(shownReport.warningLines ? "warnings" : "ok",
                (name ? name + ": " : "Report: ") + shownReport.pages + (shownReport.pages === 1 ? " page" : " pages") +
                (shownReport.warningLines ? ", " + shownReport.warningLines + " warning line(s) on page 5 (marked)." : "."),
                "Print gives one sheet a page.", shownReport.warningLines > 0);
    $("results-side").scrollTop = 0;
    return shownReport;
  }

  // ---------------------------------------------------------------------
  // The bearing schedule: every file opened solved, one row each as the
  // console's --schedule writes it; the table is those rows.
  let schedule = null;  // { header, rows: [{ name, bytes, report, reportName, row }] }
  let openAt = null;
  let scheduleAt = null;

  function csvFields(line) {
    const out = [];
    let i = 0;
    const s = line.replace(/\r?\n$/, "");
    while (i <= s.length) {
      if (s[i] === "\"") {
        let v = "";
        i++;
        while (i < s.length) {
          if (s[i] === "\"" && s[i + 1] === "\"") { v += "\""; i += 2; } else if (s[i] === "\"") { i++; break; } else v += s[i++];
        }
        out.push(v);
        i++;
      } else {
        const j = s.indexOf(",", i);
        out.push(s.slice(i, j < 0 ? s.length : j));
        i = j < 0 ? s.length + 1 : j + 1;
      }
    }
    return out;
  }

  function buildSchedule(files) {
    if (!engine) { showMessage(LOADING); return; }
    const when = new Date();
    const rows = files.map((f) => {
      const r = runEngine(f.bytes, when, f.name);
      return { name: f.name, bytes: f.bytes, report: r.report, reportName: r.reportName, row: r.scheduleBytes };
    });
    schedule = { header: cBytes(call("bp_schedule_header", "number", [], [])), rows };
    const head = $("schedule").tHead;
    head.textContent = "";
    const htr = document.createElement("tr");
    const columns = csvFields(utf8.decode(schedule.header));
    for (const h of [""].concat(columns)) {
      const th = document.createElement("th");
      th.scope = "col"; th.textContent = h.replace(/_/g, " ");
      htr.appendChild(th);
    }
    head.appendChild(htr);
    const body = $("schedule").tBodies[0];
    body.textContent = "";
    const fragment = document.createDocumentFragment();
    rows.forEach((x, i) => {
      const tr = document.createElement("tr");
      const tools = document.createElement("td");
      tools.className = "row-tools screen";
      for (const [label, act] of [["Open", "open"], ["Save .rpt", "save"], ["Print", "print"]]) {
        const b = document.createElement("button");
        b.type = "button"; b.textContent = label; b.dataset.act = act; b.dataset.row = i;
        b.setAttribute("aria-label", label + " " + x.name);
        tools.appendChild(b);
      }
      tr.appendChild(tools);
      const text = utf8.decode(x.row);
      const values = csvFields(text);
      values.forEach((v, k) => {
        const td = document.createElement(k === 0 ? "th" : "td");
        if (k === 0) td.scope = "row";
        td.textContent = v;
        if (/^-?[\d.]+$/.test(v)) td.className = "num";
        tr.appendChild(td);
      });
      const column = (name) => values[columns.indexOf(name)];
      if (column("outcome") !== "solved" || Number(column("warnings")) > 0) tr.className = "fail";
      tr.dataset.row = i;
      fragment.appendChild(tr);
    });
    body.appendChild(fragment);
    $("schedule-count").textContent = rows.length + (rows.length === 1 ? " bearing" : " bearings");
    $("show-schedule").hidden = false;
    showSchedule();
    scheduleAt = performance.now();
  }

  function onScheduleClick(e) {
    const b = e.target.closest("button[data-act]");
    const tr = e.target.closest("tr[data-row]");
    if (!tr) return;
    const x = schedule.rows[Number(tr.dataset.row)];
    const act = b ? b.dataset.act : "open";
    if (act === "save") { download(x.report, x.reportName); return; }
    openInput(x.name, x.bytes);
    if (act === "print") printAs(null);
  }

  function showSchedule() {
    $("workbench").hidden = true;
    $("schedule-box").hidden = false;
    $("schedule-heading").focus({ preventScroll: true });
    window.scrollTo(0, 0);
  }

  function showWorkbench() {
    $("schedule-box").hidden = true;
    $("workbench").hidden = false;
  }

  function scheduleBytes() {
    const parts = [schedule.header].concat(schedule.rows.map((x) => x.row));
    const out = new Uint8Array(parts.reduce((n, p) => n + p.length, 0));
    let at = 0;
    for (const p of parts) { out.set(p, at); at += p.length; }
    return out;
  }

  // ---------------------------------------------------------------------
  // The script interface.
  let resolveReady;
  const ready = new Promise((r) => { resolveReady = r; });
  window.bearingpad = {
    version: VERSION,
    ready: ready,
    run(input, when) {
      const r = runEngine(input, when === undefined ? new Date() : when, DEFAULT_INPUT_NAME);
      // drawing: the sheet of the bearing and its strain chart as SVG text,
      // "" when the run drew none.
      return { status: r.status, report: r.report, console: r.console, failure: r.failure,
               get result() { return r.result; }, get scheduleRow() { return r.scheduleRow; },
               get drawing() { return r.drawing; } };
    },
    view(report) { viewReport(report, null); },
    // Resolves when the drawing and the report's pages shown are the last run's.
    rendered: rendered,
    explain(input) {
      if (!engine) throw new Error("the engine is still loading");
      if (!(input instanceof Uint8Array)) throw new TypeError("explain: the input must be a Uint8Array");
      const e = explainInput(input, DEFAULT_INPUT_NAME);
      return { text: e.text, marks: e.count };
    },
    // Milliseconds from the start of the page's navigation: this script
    // started, the form was built, the engine was ready, the first report
    // shown; the last Open of several files and its schedule complete.
    get timing() {
      return { script: scriptAt, form: formAt, engine: engineAt, firstReport: firstReportAt,
               open: openAt, schedule: scheduleAt, rendered: renderedAt, renderWork: renderWork };
    },
  };

  function start() {
    $("open-button").addEventListener("click", () => $("open").click());
    $("run").addEventListener("click", runForm);
    $("print").addEventListener("click", () => { if (reportReady("Not printed")) { showWorkbench(); printAs(null); } });
    $("print-drawing").addEventListener("click", () => {
      showWorkbench();
      if ($("pictures").hidden) { showMessage("No drawing: the problem shown has no bearing."); return; }
      if (!stale) printAs("drawing"); else reportReady("Not printed");
    });
    window.addEventListener("afterprint", () => {
      document.body.classList.remove("print-drawing");
      const landscape = $("print-landscape");
      if (landscape) landscape.remove();
    });
    $("save-dat").addEventListener("click", saveDat);
    $("save-rpt").addEventListener("click", saveRpt);
    $("clear").addEventListener("click", () => {
      if (!current) { showMessage(noForm); return; }
      inputName = DEFAULT_INPUT_NAME; namedByNumber = true;
      $("file-name").textContent = ""; opened = null;
      $("explain-box").hidden = true;
      showWorkbench();
      live = false;
      setValues({});
      clearResults("A new problem: the results follow the form as it is filled in.");
      showMessage("");
    });
    $("open").addEventListener("change", onOpen);
    $("explain-fill").addEventListener("click", () => {
      if (!opened) return;
      $("explain-box").hidden = true;
      live = true;
      setValues(opened.analysis.values, marksByField(opened.explained.marks));
      showMessage("The form now holds the values as the program reads them from " + opened.name +
                  "; the fields that could not be read are blank, and the marks of the file stay on their fields.");
    });
    $("explain-run").addEventListener("click", () => {
      if (opened && engine) { showRun(runEngine(opened.bytes, new Date(), opened.name), opened.bytes, "file"); $("results-side").scrollTop = 0; }
    });
    $("save-csv").addEventListener("click", () => { if (schedule) download(scheduleBytes(), "schedule.csv"); });
    $("print-schedule").addEventListener("click", () => printAs("schedule"));
    $("hide-schedule").addEventListener("click", showWorkbench);
    $("show-schedule").addEventListener("click", showSchedule);
    $("schedule").addEventListener("click", onScheduleClick);
    document.addEventListener("dragover", (e) => e.preventDefault());
    document.addEventListener("drop", onDrop);

    if (!engineLoading) {
      noForm = "The engine is missing from this page.";
      showMessage(noForm);
      return;
    }
    engineLoading.then((m) => {
      engineAt = performance.now();
      // The form is built from the engine's layout of the records.
      const problems = applyLayout(m.ccall("bp_input_fields", "string", [], []));
      if (problems.length) {
        noForm = "The page and its engine do not agree on the input records, so the page has no form: " +
                 problems.join("; ") + ".";
        showMessage(noForm);
        return;
      }
      engine = m;
      buildForm();
      restoreForm();
      formAt = performance.now();
      const v = call("bp_version", "string", [], []);
      if (v !== VERSION) showMessage("The engine's version " + v + " differs from the page's " + VERSION + ".");
      resolveReady(window.bearingpad);
    }).catch((err) => {
      showMessage("The engine could not start in this browser (" + err + "). It needs WebAssembly with " +
                  "exception handling: Chrome or Edge 95, Firefox 100, Safari 15.2 or newer.");
    });
  }

  // The engine compiles in the background; the form waits for its layout.
  const engineLoading = typeof createBearingpadEngine === "function" ? createBearingpadEngine() : null;
  window.addEventListener("error", (e) => showMessage("Something went wrong in the page: " + e.message));
  window.addEventListener("unhandledrejection", (e) => showMessage("Something went wrong in the page: " + e.reason));
  if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", start);
  else start();
})();

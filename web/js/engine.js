// The engine's calls: a run of an input file's bytes, the reading of a
// field's columns, the explanation of a file.

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
    const standard = call("bp_standard_data", "number", [], []);
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
      // With a catalog: the standard pad's type ("" without one), whether
      // it passes, and its records (NAME.standard.dat, empty when none).
      standardPad: call("bp_standard_pad", "string", [], []),
      standardPasses: call("bp_standard_passes", "number", [], []) === 1,
      standard: engine.HEAPU8.slice(standard, standard + call("bp_standard_size", "number", [], [])),
      standardName: call("bp_standard_name", "string", [], []),
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

// Calls fn with the bytes copied into the engine (pointer, length).
function withBytes(bytes, fn) {
  const ptr = engine._malloc(Math.max(bytes.length, 1));
  try {
    engine.HEAPU8.set(bytes, ptr);
    return fn(ptr, bytes.length);
  } finally {
    engine._free(ptr);
  }
}

// The owner's criteria (a criteria file's bytes) or the standard pads (a
// table's bytes) every run after applies; empty bytes take them away.
// Returns "" when taken, or the line that refuses them (what was taken
// before then stays).
function setEngineCriteria(bytes) {
  return withBytes(bytes, (p, n) => call("bp_set_criteria", "string", ["number", "number"], [p, n]));
}
function setEngineCatalog(bytes) {
  return withBytes(bytes, (p, n) => call("bp_set_catalog", "string", ["number", "number"], [p, n]));
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

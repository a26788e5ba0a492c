// The page: a form for the three records of an input file and, beside it,
// the engine's solve of the records as they are typed: the outcome, the table
// of checks, the drawing and the report page by page, printed and saved as
// shown. Several input files opened at once give the bearing schedule.
// The engine (createBearingpadEngine, from the script before this one) is the
// console program's solve compiled to WebAssembly; every number the page
// shows as read, and every report, comes from it.
//
// The page's script is these files, joined by the build (web/embed.cmake) in
// the order of BEARINGPAD_PAGE_SCRIPTS into one function: common, fields,
// engine, records, form, results, open, print, schedule, main. This one is
// shared by every part: the version, the names the page saves under, the
// times of its start, the lookups of the document, the message line and the
// bytes of text in one byte a character.

const scriptAt = performance.now();
let formAt = null;
let engineAt = null;
const VERSION = "@VERSION@";
const STORAGE_KEY = "bearingpad.form.v1";
const DEFAULT_INPUT_NAME = "input.dat";

const $ = (id) => document.getElementById(id);

function span(cls, id, text) {
  const s = document.createElement("span");
  s.className = cls;
  if (id) s.id = id;
  if (text) s.textContent = text;
  return s;
}

// The message line under the toolbar: information in plain style, an
// error (something refused or gone wrong) in red.
function showMessage(text, error) {
  const m = $("message");
  m.hidden = !text;
  m.className = error ? "error" : "info";
  m.textContent = text || "";
}
const showError = (text) => showMessage(text, true);
// A text put in place only when it differs: an unchanged text costs no layout.
function setText(el, text) { if (el.textContent !== text) el.textContent = text; }
const capital = (t) => t.charAt(0).toUpperCase() + t.slice(1);

function recordsBytes(records) { return latin1(records.join("\n") + "\n"); }
function latin1(s) { const b = new Uint8Array(s.length); for (let i = 0; i < s.length; i++) b[i] = s.charCodeAt(i) & 255; return b; }
function fromLatin1(b) { let s = ""; for (let i = 0; i < b.length; i += 8192) s += String.fromCharCode.apply(null, b.subarray(i, i + 8192)); return s; }

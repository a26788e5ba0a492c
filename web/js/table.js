// A table of bearings (.csv, .tsv or pasted from a spreadsheet) as the
// schedule: the engine reads it as --table does; its cells are edited in
// place, each change re-read and its row re-solved; saved as --to-table,
// --schedule and one zip of every row's .dat and .rpt.

// Reads a table's bytes in the engine: { refused, cells, rows, refusals }.
function readTable(bytes, stem) {
  const ptr = engine._malloc(Math.max(bytes.length, 1));
  try {
    engine.HEAPU8.set(bytes, ptr);
    return JSON.parse(call("bp_table_read", "string", ["number", "number", "string"], [ptr, bytes.length, stem]));
  } finally {
    engine._free(ptr);
  }
}
const enc = new TextEncoder();
const csvCell = (c) => (/[",\r\n\t]/.test(c) ? "\"" + c.replace(/"/g, "\"\"") + "\"" : c);
// The table as the page holds it, written back as CSV: row k is row k + 2.
const tableCsv = (t) => enc.encode([t.header].concat(t.rows.map((x) => x.cells)).map((r) => r.map(csvCell).join(",")).join("\r\n") + "\r\n");

// A table opened, dropped or pasted becomes the schedule.
function openTable(name, bytes) {
  if (!engine) { showError(LOADING); return; }
  const stem = name.replace(/\.[^.]*$/, "") || "table";
  const t = readTable(bytes, stem);
  if (t.refused) { showError(name + ": not read: " + t.refused + "."); return; }
  const header = t.cells[0].cells;
  const rows = t.cells.slice(1).map((c) => ({ cells: header.map((h, k) => c.cells[k] === undefined ? "" : c.cells[k]) }));
  schedule = { header: cBytes(call("bp_schedule_header", "number", [], [])), rows, when: new Date(),
               table: { name, stem, header, rows } };
  rereadTable(null);
  showMessage(name + ": " + rows.length + " rows." + (t.refusals.length ? " " + t.refusals.length + " refused: marked in their rows." : ""));
  renderSchedule();
  showSchedule();
  scheduleAt = performance.now();
}

// The whole table read again; the rows whose records changed (or changed
// is null: every row) are solved again.
function rereadTable(changed) {
  const tb = schedule.table;
  const t = readTable(tableCsv(tb), tb.stem);
  if (t.refused) {
    // No row stands alone: none keeps a verdict the table no longer gives.
    tb.rows.forEach((x) => Object.assign(x, { refused: "the table: " + t.refused, refusedCol: -1, word: "refused", governing: null, bytes: null, report: null, standard: "", standardBytes: null }));
    showError("The table: " + t.refused + ".");
    return;
  }
  const keys = tb.header.map((h) => call("bp_header_key", "string", ["string"], [h]));
  const at = new Map(t.cells.slice(1).map((c, i) => [c.row, i]));
  tb.rows.forEach((x) => { x.refused = null; x.refusedCol = -1; x.accepted = null; });
  for (const r of t.refusals) {
    const x = tb.rows[at.get(r.row)];
    const m = /`([^`]*)`/.exec(r.reason);
    x.refused = r.reason;
    x.refusedCol = m ? keys.indexOf(call("bp_header_key", "string", ["string"], [m[1]])) : -1;
  }
  for (const r of t.rows) tb.rows[at.get(r.row)].accepted = r;
  const when = new Date();
  tb.rows.forEach((x) => {
    if (x.refused || !x.accepted) { Object.assign(x, { word: x.refused ? "refused" : "empty", governing: null, bytes: null, report: null, standard: "", standardBytes: null }); return; }
    const a = x.accepted;
    const bytes = latin1(a.input);
    if (changed !== null && x !== changed && x.bytes && x.name === a.stem + ".dat" && fromLatin1(x.bytes) === a.input) return;
    Object.assign(x, scheduleEntry({ name: a.stem + ".dat", bytes }, when), { mark: a.mark || a.stem, location: a.location, quantity: a.quantity });
  });
}

// A cell typed in: the table read again, its row solved again.
function onCellChange(e) {
  const input = e.target.closest("input[data-col]");
  if (!input || !schedule.table) return;
  const x = schedule.table.rows[Number(input.closest("tr").dataset.row)];
  x.cells[Number(input.dataset.col)] = input.value;
  rereadTable(x);
  renderSchedule();
}

function tableRowTools(act, i) {
  const rows = schedule.table.rows;
  if (act === "remove") rows.splice(i, 1);
  else if (act === "copy") rows.splice(i + 1, 0, { cells: rows[i].cells.slice() });
  else if (act === "add") rows.push({ cells: schedule.table.header.map(() => "") });
  rereadTable(act === "remove" ? null : rows[act === "add" ? rows.length - 1 : i + 1]);
  renderSchedule();
}

// The form holding a row opened from the table, changed: that row takes the
// form's values, as --to-table writes them (the table gains the columns it
// lacked, blank in the other rows, as they read).
let formRow = null;
function formChanged(bytes) {
  if (!formRow || !schedule || !schedule.table || !schedule.table.rows.includes(formRow)) return;
  const x = formRow;
  const line = cBytes(call("bp_table_row", "number", ["array", "number", "string", "string", "number"],
                           [bytes, bytes.length, x.mark || "", x.location || "", x.quantity || 1]));
  if (line.length === 0) return;
  const names = csvFields(utf8.decode(cBytes(call("bp_table_header", "number", [], []))).replace(/^\ufeff/, ""));
  const values = csvFields(utf8.decode(line));
  const tb = schedule.table;
  const key = (h) => call("bp_header_key", "string", ["string"], [h]);
  const keys = tb.header.map(key);
  names.forEach((n, k) => {
    let c = keys.indexOf(key(n));
    if (c < 0) { tb.header.push(n); keys.push(key(n)); tb.rows.forEach((r) => r.cells.push("")); c = tb.header.length - 1; }
    x.cells[c] = values[k];
  });
  rereadTable(x);
  renderSchedule();
}

// Save .csv: the table as --to-table writes it for the same rows.
function tableBytes() {
  const parts = [cBytes(call("bp_table_header", "number", [], []))];
  for (const x of schedule.rows) {
    if (!x.bytes) continue;
    const t = schedule.table;
    parts.push(cBytes(call("bp_table_row", "number", ["array", "number", "string", "string", "number"],
                           [x.bytes, x.bytes.length, t ? x.mark : x.name.replace(/([^/\\])\.[^./\\]*$/, "$1"),
                            t ? x.location : "", t ? x.quantity : 1])));
  }
  return joinBytes(parts);
}

// The schedule of a table as --table --schedule writes it: every row solved
// again in order, so that its type is lettered as the command line letters it.
function tableScheduleBytes() {
  const parts = [cBytes(call("bp_table_schedule_header", "number", [], []))];
  call("bp_table_types_clear", null, [], []);
  const when = new Date();
  for (const x of schedule.rows) {
    if (!x.bytes) continue;
    runEngine(x.bytes, when, x.name);
    parts.push(cBytes(call("bp_table_schedule_row", "number", ["string", "string", "number"], [x.mark, x.location, x.quantity])));
  }
  return joinBytes(parts);
}

function joinBytes(parts) {
  const out = new Uint8Array(parts.reduce((n, p) => n + p.length, 0));
  let at = 0;
  for (const p of parts) { out.set(p, at); at += p.length; }
  return out;
}

// Save all: one zip (stored, no compression) of every row's .dat and .rpt.
const CRC = Array.from({ length: 256 }, (_, n) => { let c = n; for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1; return c >>> 0; });
function crc32(b) { let c = 0xffffffff; for (let i = 0; i < b.length; i++) c = CRC[(c ^ b[i]) & 255] ^ (c >>> 8); return (c ^ 0xffffffff) >>> 0; }
function zipBytes(files) {
  const parts = [], central = [];
  let at = 0;
  const head = (sig, n) => { const b = new DataView(new ArrayBuffer(n)); b.setUint32(0, sig, true); return b; };
  for (const f of files) {
    const name = enc.encode(f.name), crc = crc32(f.bytes);
    const l = head(0x04034b50, 30);
    l.setUint16(4, 20, true); l.setUint16(6, 0x800, true); l.setUint32(14, crc, true);
    l.setUint32(18, f.bytes.length, true); l.setUint32(22, f.bytes.length, true); l.setUint16(26, name.length, true);
    const c = head(0x02014b50, 46);
    c.setUint16(4, 20, true); c.setUint16(6, 20, true); c.setUint16(8, 0x800, true); c.setUint32(16, crc, true);
    c.setUint32(20, f.bytes.length, true); c.setUint32(24, f.bytes.length, true); c.setUint16(28, name.length, true);
    c.setUint32(42, at, true);
    parts.push(new Uint8Array(l.buffer), name, f.bytes);
    central.push(new Uint8Array(c.buffer), name);
    at += 30 + name.length + f.bytes.length;
  }
  const size = central.reduce((n, p) => n + p.length, 0);
  const e = head(0x06054b50, 22);
  e.setUint16(8, files.length, true); e.setUint16(10, files.length, true); e.setUint32(12, size, true); e.setUint32(16, at, true);
  return joinBytes(parts.concat(central, [new Uint8Array(e.buffer)]));
}
function saveAll() {
  if (!schedule) return;
  const files = [];
  for (const x of schedule.rows) {
    if (!x.bytes) continue;
    files.push({ name: x.name, bytes: x.bytes }, { name: x.reportName, bytes: x.report });
    // With a catalog, the chosen pad's records beside, as --catalog writes them.
    if (x.standardBytes && x.standardBytes.length) files.push({ name: x.standardName, bytes: x.standardBytes });
  }
  download(zipBytes(files), (schedule.table ? schedule.table.stem : "schedule") + ".zip");
}

// Ctrl+V of a table (TAB-separated, as a spreadsheet copies it) on the
// schedule, or anywhere outside the form's fields, becomes the schedule.
function onPaste(e) {
  const text = e.clipboardData ? e.clipboardData.getData("text/plain") : "";
  if (!text.includes("\t") || !/[\r\n]./.test(text)) return;
  if (e.target.closest && e.target.closest("input, textarea") && $("schedule-box").hidden) return;
  e.preventDefault();
  openTable("pasted.tsv", enc.encode(text));
}

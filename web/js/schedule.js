// The bearing schedule of several input files.

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

// The columns the page's table leads with, readable without scrolling
// sideways: the verdict, the governing check in words and its ratio; then
// the file (the row's header) and the rest as --schedule writes them.
const SCHEDULE_LEAD = ["verdict", "governing check", "ratio"];
const SCHEDULE_SHOWN_IN_LEAD = ["verdict", "governing_check", "governing_name", "governing_ratio"];

// One bearing of the schedule: its file solved, its row as --schedule
// writes it, and its verdict as the page shows it.
function scheduleEntry(f, when) {
  const r = runEngine(f.bytes, when, f.name);
  const row = r.scheduleBytes;
  const verdict = r.status === 0 ? verdictOf(r) : null;
  const word = verdict ? verdict.word : "failure";
  return { name: f.name, bytes: f.bytes, report: r.report, reportName: r.reportName, row, word,
           standard: r.standardPad, standardBytes: r.standard, standardName: r.standardName,
           governing: verdict && verdict.governingKey
             ? { key: verdict.governingKey, name: verdict.governing, ratio: verdict.governingRatio } : null };
}

function buildSchedule(files) {
  if (!engine) { showMessage(LOADING); return; }
  const when = new Date();
  const rows = files.map((f) => scheduleEntry(f, when));
  schedule = { header: cBytes(call("bp_schedule_header", "number", [], [])), rows, when };
  renderSchedule();
  showSchedule();
  scheduleAt = performance.now();
}

// With a catalog, the standard pad chosen leads too.
const scheduleWithPads = () => owner.pads > 0;

function renderSchedule() {
  const columns = csvFields(utf8.decode(schedule.header));
  const inLead = SCHEDULE_SHOWN_IN_LEAD.concat(scheduleWithPads() ? ["standard_pad"] : []);
  const rest = columns.map((c, k) => k).filter((k) => !inLead.includes(columns[k]));
  const head = $("schedule").tHead;
  head.textContent = "";
  const htr = document.createElement("tr");
  const tb = schedule.table;
  for (const h of [""].concat(SCHEDULE_LEAD, scheduleWithPads() ? ["standard pad"] : [], tb ? tb.header : rest.map((k) => columns[k].replace(/_/g, " ")))) {
    const th = document.createElement("th");
    th.scope = "col"; th.textContent = h;
    htr.appendChild(th);
  }
  htr.children[1].className = "verdict-col";
  head.appendChild(htr);
  const body = $("schedule").tBodies[0];
  body.textContent = "";
  const fragment = document.createDocumentFragment();
  schedule.rows.forEach((x, i) => fragment.appendChild(scheduleRow(x, i, rest)));
  body.appendChild(fragment);
  const n = schedule.rows.length;
  $("schedule-count").textContent = n + (n === 1 ? " bearing" : " bearings");
  $("schedule-rules").textContent = "checked under " + rulesText();
  $("show-schedule").hidden = false;
}

function scheduleRow(x, i, rest) {
  const tr = document.createElement("tr");
  const tools = document.createElement("td");
  tools.className = "row-tools screen";
  const acts = schedule.table ? [["Open", "open"], ["Copy", "copy"], ["Remove", "remove"], ["Save .rpt", "save"]]
                               : [["Open", "open"], ["Save .rpt", "save"], ["Print", "print"]];
  for (const [label, act] of acts) {
    if ((act === "open" || act === "save") && !x.bytes) continue;
    const b = document.createElement("button");
    b.type = "button"; b.textContent = label; b.dataset.act = act; b.dataset.row = i;
    b.setAttribute("aria-label", label + " " + (x.name || "row " + (i + 2)));
    tools.appendChild(b);
  }
  tr.appendChild(tools);
  const cell = (text, cls, tag) => {
    const td = document.createElement(tag || "td");
    td.textContent = text;
    if (cls) td.className = cls;
    tr.appendChild(td);
    return td;
  };
  const judged = x.word === "adequate" || x.word === "inadequate";
  cell(VERDICT_WORDS[x.word] || x.word, "verdict");
  if (schedule.table) {
    if (x.word === "refused" || x.word === "empty") {
      const why = cell(x.refused || "an empty row: type its values", "why");
      why.colSpan = scheduleWithPads() ? 3 : 2;
    } else {
      const gov = cell(judged && x.governing ? x.governing.name : "");
      if (judged && x.governing) gov.title = x.governing.key;
      cell(judged && x.governing && x.governing.ratio !== null ? x.governing.ratio.toFixed(3) : "", "num");
      if (scheduleWithPads()) cell(x.standard || "", "pad");
    }
    x.cells.forEach((v, k) => {
      const td = cell("", "cell");
      const input = document.createElement("input");
      input.value = v; input.dataset.col = k; input.size = Math.max(3, Math.min(v.length + 1, 40));
      input.setAttribute("aria-label", schedule.table.header[k] + ", row " + (i + 2));
      if (k === x.refusedCol) { input.className = "refused"; input.title = x.refused; input.setAttribute("aria-invalid", "true"); }
      td.appendChild(input);
    });
    tr.className = "v-" + x.word;
    tr.dataset.row = i;
    return tr;
  }
  const gov = cell(judged && x.governing ? x.governing.name : "");
  if (judged && x.governing) gov.title = x.governing.key;
  cell(judged && x.governing && x.governing.ratio !== null ? x.governing.ratio.toFixed(3) : "", "num");
  if (scheduleWithPads()) cell(x.standard || "", "pad");
  const values = csvFields(utf8.decode(x.row));
  rest.forEach((k, n) => {
    const v = values[k] === undefined ? "" : values[k];
    const td = cell(v, /^-?[\d.]+$/.test(v) ? "num" : "", n === 0 ? "th" : "td");
    if (n === 0) td.scope = "row";
  });
  tr.className = "v-" + x.word;
  tr.dataset.row = i;
  return tr;
}

function onScheduleClick(e) {
  const b = e.target.closest("button[data-act]");
  const tr = e.target.closest("tr[data-row]");
  if (!tr) return;
  const x = schedule.rows[Number(tr.dataset.row)];
  if (!b && e.target.closest("input")) return;
  const act = b ? b.dataset.act : "open";
  if (act === "copy" || act === "remove") { tableRowTools(act, Number(tr.dataset.row)); return; }
  if (!x.bytes) return;
  if (act === "save") { download(x.report, x.reportName); return; }
  openInput(x.name, x.bytes);
  formRow = schedule.table ? x : null;
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
  if (schedule.table) return tableScheduleBytes();
  return joinBytes([schedule.header].concat(schedule.rows.map((x) => x.row)));
}

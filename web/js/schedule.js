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

// The results of one run: the outcome, the table of checks, the drawing
// and the report page by page.

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

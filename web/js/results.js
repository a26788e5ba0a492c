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
  box.classList.remove("behind");
  lastReport = bytes;
  if (firstReportAt === null) firstReportAt = performance.now();
  return { pages: pages.length, warningLines: warnings };
}

function showOutcome(cls, head, detail, toWarnings, answer) {
  const o = $("outcome");
  o.hidden = false;
  o.className = "screen " + cls;
  o.textContent = "";
  // Every part an element, so that a stale outcome greys whole.
  if (answer) o.appendChild(span("answer", null, answer));
  o.appendChild(span("head", null, head));
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

// ---------------------------------------------------------------------
// The verdict, the engine's: "passes" only where a check was made and held.
// The result's verdict (word, text, reasons by input field, the governing
// check), each check's verdict and reason, and a design's answer.
const VERDICT_WORDS = { adequate: "adequate", inadequate: "inadequate", design_not_possible: "design not possible",
                        rejected: "rejected", failure: "failure", not_evaluated: "not evaluated" };

// A check's verdict as shown: not_applicable for a check that does not
// apply; the reason without its leading words.
function checkVerdict(c) {
  if (!c.applies) return { verdict: "not_applicable", reason: "" };
  return { verdict: c.verdict || "not_evaluated", reason: (c.reason || "").replace(/^not evaluated: /, "") };
}

// The verdict of a run: word, text, reasons ({field, text}), the governing
// check's key, name and ratio, the answer of a design, each check's verdict.
function verdictOf(r) {
  const result = r.result;
  const v = result.verdict || { word: "not_evaluated", text: "not evaluated: no verdict", reasons: [] };
  const checks = new Map((result.checks || []).map((c) => [c.key, checkVerdict(c)]));
  const gov = (result.checks || []).find((c) => c.key === v.governing);
  return { word: v.word, text: v.text, reasons: v.reasons || [], governing: v.governing_name || null, rules: v.rules || "",
           governingKey: v.governing || null, governingRatio: gov && gov.ratio !== null ? gov.ratio : null,
           answer: result.answer || null, checks };
}

// The outcome banner: class, head, detail, whether page 5 has warnings to
// show, and the answer of a design.
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
  const v = verdictOf(r);
  if (r.impossible) {
    return ["impossible", "Design not possible: the report shows the last attempt of the search.", r.result.closing_messages.join("; "),
            false, v.answer];
  }
  const warned = r.warnings ? r.warnings + (r.warnings === 1 ? " warning" : " warnings") + " on page 5, marked" : "no warnings on page 5";
  if (v.word === "not_evaluated") {
    const why = v.reasons.length ? v.reasons.map((x) => x.text).join("; ") : v.text.replace(/^not evaluated:?\s*/, "") || "a check could not be made";
    return ["unevaluated", what + " not evaluated: " + why + ".",
            "The report is written, " + warned + ", but the bearing as used is not one the checks can judge: see the marked field(s).",
            r.warnings > 0];
  }
  const answer = r.analysis ? null : v.answer;
  if (r.warnings || v.word === "inadequate") return ["warnings", what + ": " + warned + ". " + capital(v.text) + ".", "", r.warnings > 0, answer];
  return ["ok", what + ": " + warned + ". " + capital(v.text) + ".", "", false, answer];
}

// ---------------------------------------------------------------------
// The table of checks, from the result: the governing check first, each
// with its article, demand, limit, a bar for its ratio and its verdict.
// A demand or limit to four figures (the report has them in full).
const num = (x, t) => {
  if (x === null || x === undefined) return t || "";
  return Math.abs(x) >= 1000 ? String(Math.round(x)) : String(Number(x.toPrecision(4)));
};

// Shown: "passes" (with a bar), "FAILS" (with a bar), "not evaluated" with
// its reason and no bar; for a problem that is not evaluated or a design
// that is not possible no check passes: nothing there is green.
function showChecks(result, verdict) {
  const box = $("checks-box");
  const body = $("checks").tBodies[0];
  body.textContent = "";
  if (!result || !result.checks || result.checks.length === 0) { box.hidden = true; return; }
  box.hidden = false;
  const judged = !verdict || verdict.word === "adequate" || verdict.word === "inadequate";
  // The verdict's governing check first (the failing check with the
  // highest ratio, or the passing one when all pass).
  const gov = verdict ? verdict.governingKey : result.governing ? result.governing.key : null;
  // The eleven AASHTO checks, then under a heading of the owner's set its
  // checks; in each, the governing check first.
  const governingFirst = (cs) => cs.filter((c) => c.key === gov).concat(cs.filter((c) => c.key !== gov));
  const owners = result.checks.filter((c) => c.owner);
  const order = governingFirst(result.checks.filter((c) => !c.owner)).concat(governingFirst(owners));
  const fragment = document.createDocumentFragment();
  for (const c of order) {
    if (c === order.find((x) => x.owner)) {
      const head = document.createElement("tr");
      head.className = "owner-head";
      const th = document.createElement("th");
      th.colSpan = 6;
      th.scope = "colgroup";
      // The set as the check's source names it: "NAME (DOCUMENT, EDITION), ARTICLE".
      th.textContent = "The owner's criteria: " + (c.source || "").slice(0, Math.max(0, (c.source || "").length - c.article.length - 2));
      head.appendChild(th);
      fragment.appendChild(head);
    }
    let { verdict: cv, reason } = checkVerdict(c);
    if (!judged && cv === "passes") {
      cv = "not_evaluated";
      reason = verdict.word === "design_not_possible" ? "held for the last bearing tried only" : "the bearing as used is not physical";
    }
    const tr = document.createElement("tr");
    tr.className = { passes: "pass", fails: "fail", not_evaluated: "unevaluated" }[cv] || "na";
    if (c.key === gov && judged) tr.classList.add("governs");
    if (c.owner) tr.classList.add("owner");
    tr.dataset.key = c.key;
    const cell = (text, cls) => { const td = document.createElement("td"); td.textContent = text; if (cls) td.className = cls; tr.appendChild(td); return td; };
    const th = document.createElement("th");
    th.scope = "row";
    th.textContent = c.name + (c.key === gov && judged ? " (governs)" : "");
    if (reason) th.appendChild(span("reason", null, reason));
    // What to change: the design search's first step for this failure.
    if (cv === "fails" && c.remedy) th.appendChild(span("remedy", null, "What to change: " + c.remedy));
    tr.appendChild(th);
    cell(c.article);
    cell(c.applies ? num(c.demand, c.demand_text) + (c.unit ? " " + c.unit : "") : "", "num");
    cell(c.applies ? num(c.limit, c.limit_text) + (c.unit ? " " + c.unit : "") : "", "num");
    const ratio = c.ratio === null ? NaN : c.ratio;
    const bar = cell("", "ratio");
    if (judged && (cv === "passes" || cv === "fails")) {
      const track = span("bar");
      const fill = span("fill");
      fill.style.width = (isFinite(ratio) ? Math.max(0, Math.min(ratio, 1.5)) / 1.5 * 100 : 100) + "%";
      track.appendChild(fill);
      track.appendChild(span("limit-line"));
      bar.appendChild(track);
      bar.appendChild(span("ratio-text", null, isFinite(ratio) ? ratio.toFixed(2) : ""));
    }
    cell({ passes: "passes", fails: "FAILS", not_evaluated: "not evaluated" }[cv] || "n/a", "verdict");
    fragment.appendChild(tr);
  }
  body.appendChild(fragment);
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
let renderWork = null;  // milliseconds the last report's pages took
let drawWork = null;  // milliseconds the last drawing took
function showRun(r, bytes, source) {
  lastRun = { run: r, bytes, source };
  lastReport = r.report;
  lastReportName = r.reportName;
  const [cls, head, detail, toWarnings, answer] = outcomeOf(r);
  showOutcome(cls, (source === "file" ? r.name + " as it is: " : "") + head, detail, toWarnings, answer);
  const verdict = r.end === "solved" && r.status === 0 ? verdictOf(r) : null;
  lastRun.verdict = verdict;
  // The rules the verdict was taken under, and the standard pad chosen.
  if (verdict) $("outcome").appendChild(span("rules", null, "Rules: " + verdict.rules + "." +
    (r.standardPad ? " Standard pad: " + r.standardPad + (r.standardPasses ? "" : " (none passes: the lowest governing ratio)") + "." : "")));
  showOwnerTools(r);
  showChecks(r.result, verdict);
  showReasons(verdict);
  // The drawing with the outcome, in the same frame; the report's pages in
  // the frame after, hidden until then so that no report older than the
  // outcome is seen.
  const from = performance.now();
  showPictures(r.drawing);
  drawWork = performance.now() - from;
  setStale(false);
  $("report").classList.add("behind");
  if (pending === null) {
    const render = () => {
      const run = pending;
      pending = null;
      if (!run || lastRun === null || lastRun.run !== run) return;
      const at = performance.now();
      showReport(run.report);
      $("report").classList.remove("behind");
      void document.body.offsetHeight;
      renderedAt = performance.now();
      renderWork = renderedAt - at;
    };
    if (document.hidden) setTimeout(render, 0); else requestAnimationFrame(() => setTimeout(render, 0));
  }
  pending = r;
  return r;
}

// The reasons a bearing is not evaluated, on the fields they come from (or
// under the records when no single field): showMarks puts them there.
let verdictMarks = {};
function showReasons(verdict) {
  verdictMarks = {};
  if (verdict && verdict.word === "not_evaluated") {
    for (const x of verdict.reasons) {
      const f = FIELDS.find((g) => g.name === x.field);
      const id = f ? f.id : "";
      (verdictMarks[id] = verdictMarks[id] || []).push("not evaluated: " + x.text);
    }
  }
}

// Resolves once the pictures and report of the last run are on the page.
function rendered() {
  return new Promise((resolve) => {
    const wait = () => (pending === null ? resolve() : setTimeout(wait, 5));
    wait();
  });
}

// A refusal greys the results (quiet: a number still being typed, such as
// "." or "-", keeps them as they are, but nothing is saved or printed).
function setStale(on, why, quiet) {
  stale = on;
  $("results-side").classList.toggle("stale", on && !quiet);
  if (quiet) return;
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
  $("report").classList.remove("behind");
  showReasons(null);
  showOwnerTools(null);
  showChecks(null);
  showPictures("");
  setStale(false);
  const o = $("outcome");
  o.className = "screen none";
  o.textContent = note || "";
  o.hidden = !note;
}

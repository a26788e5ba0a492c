// The owner's criteria and the standard pads every run applies (the console
// program's --criteria and --catalog), and "Design from this pad": the
// analysis shown solved again in design mode, beside it.

// The shipped criteria sets and standard pads, built in (web/embed.cmake).
const BUILT_IN = {
  /*@BUILT_IN@*/
};

// What the runs apply: the choice of each select ("" none, a built-in
// file's name, or "file:NAME" of a file opened), the set's rules as the
// verdict names them, the catalog's name and its number of pad types.
const owner = { criteria: "", rules: "", catalog: "", catalogName: "", pads: 0 };
const openedOwnerFiles = new Map();  // "file:NAME" -> bytes
const NO_BYTES = new Uint8Array(0);
const AASHTO_RULES = "AASHTO 1992 Art. 14.4.1 Method A";

// The rules the runs are solved under, in words, for the status line, the
// schedule and its print: which set, so that nobody mistakes an AASHTO-only
// verdict for an owner's.
function rulesText() {
  return (owner.rules ? AASHTO_RULES + " and the owner's " + owner.rules : AASHTO_RULES + " only (no owner's criteria)") +
         (owner.pads ? "; standard pads from " + owner.catalogName + " (" + owner.pads + " types)" : "");
}
function showRulesStatus() {
  setText($("rules-status"), "Checked under " + rulesText() + ".");
}

function choiceBytes(value) {
  if (value === "") return NO_BYTES;
  if (BUILT_IN[value] !== undefined) return enc.encode(BUILT_IN[value]);
  return openedOwnerFiles.get(value) || NO_BYTES;
}
const choiceName = (value) => value.replace(/^file:/, "");

// Takes a criteria set (kind "criteria") or a catalog (kind "catalog") for
// every run from now: the problem shown and the schedule's rows are solved
// again. A refused file keeps what was taken and says why; returns the
// refusal ("" when taken).
function takeOwnerChoice(kind, value) {
  const select = $(kind);
  const bytes = choiceBytes(value);
  const refused = kind === "criteria" ? setEngineCriteria(bytes) : setEngineCatalog(bytes);
  if (refused) {
    select.value = owner[kind];
    showError(choiceName(value) + ": not taken: " + refused + ". The runs stay under " + rulesText() + ".");
    return refused;
  }
  owner[kind] = value;
  select.value = value;
  if (kind === "criteria") owner.rules = call("bp_criteria_rules", "string", [], []);
  else { owner.catalogName = choiceName(value); owner.pads = call("bp_catalog_pads", "number", [], []); }
  showRulesStatus();
  solveAgain();
  showMessage(value === "" ? (kind === "criteria" ? "No owner's criteria: AASHTO alone." : "No standard pads: each problem's own pad.")
                           : "Solved again under " + rulesText() + ".");
  return "";
}

// A file opened as a criteria set or a catalog: a choice of its own, kept
// while it is taken. Empty bytes take the choice back to none.
function takeOwnerFile(kind, bytes, name) {
  if (!(bytes instanceof Uint8Array)) throw new TypeError(kind + ": the file must be a Uint8Array");
  if (!bytes.length) return takeOwnerChoice(kind, "");
  const value = "file:" + (name || (kind === "criteria" ? "criteria.toml" : "catalog.csv"));
  const select = $(kind);
  let option = [...select.options].find((o) => o.value === value);
  const before = openedOwnerFiles.get(value);
  openedOwnerFiles.set(value, bytes);
  const added = !option;
  if (added) {
    option = document.createElement("option");
    option.value = value;
    option.textContent = choiceName(value) + " (opened)";
    select.insertBefore(option, select.querySelector("option[value=open]"));
  }
  const refused = takeOwnerChoice(kind, value);
  if (refused && added) { option.remove(); openedOwnerFiles.delete(value); }
  else if (refused) openedOwnerFiles.set(value, before);
  return refused;
}
function openOwnerFile(kind, file) {
  return file.arrayBuffer().then((b) => takeOwnerFile(kind, new Uint8Array(b), file.name))
    .catch((err) => showError(file.name + " could not be read: " + err));
}

function onOwnerSelect(kind) {
  const value = $(kind).value;
  if (!engine) { $(kind).value = owner[kind]; showError(noForm); return; }
  if (value === "open") {
    $(kind).value = owner[kind];
    $("open-" + kind).click();
    return;
  }
  takeOwnerChoice(kind, value);
}

// The problem shown and the schedule's rows solved again under what the
// runs apply now.
function solveAgain() {
  if (lastRun && lastRun.source === "form") onFormChange();
  else if (lastRun) showRun(runEngine(lastRun.bytes, new Date(), lastRun.run.name), lastRun.bytes, lastRun.source);
  if (!schedule) return;
  if (schedule.table) rereadTable(null);
  else {
    const when = new Date();
    schedule.rows.forEach((x, i) => { if (x.bytes) schedule.rows[i] = scheduleEntry(x, when); });
  }
  renderSchedule();
}

// The built-in sets named by their own names in the choice.
function labelBuiltInSets() {
  for (const o of $("criteria").options) {
    if (BUILT_IN[o.value] === undefined || setEngineCriteria(choiceBytes(o.value))) continue;
    o.textContent = call("bp_criteria_name", "string", [], []) + " (built in)";
  }
  setEngineCriteria(NO_BYTES);
}

function saveStandard() {
  if (!reportReady("Not saved")) return;
  const r = lastRun && lastRun.run;
  if (!r || !r.standard.length) { showError("Not saved: no standard pad was chosen for the problem shown."); return; }
  download(r.standard, r.standardName);
}

// ---------------------------------------------------------------------
// Design from this pad: the analysis's three records (the chosen standard
// pad's, with a catalog) with the pad record's column 2 blank (design),
// solved under the same criteria, without the catalog.
function designRecords(bytes) {
  const lines = fromLatin1(bytes).split("\n");
  if (lines.length < 2) return null;
  const pad = lines[1].padEnd(2, " ");
  lines[1] = pad[0] + " " + pad.slice(2);
  return latin1(lines.join("\n"));
}

function designFromPad() {
  if (!lastRun || !lastRun.run.analysis || stale) { showError("No analysis shown to design from."); return; }
  const r = lastRun.run;
  const bytes = designRecords(r.standard.length ? r.standard : lastRun.bytes);
  if (!bytes) return;
  call("bp_use_catalog", null, ["number"], [0]);
  let d;
  try { d = runEngine(bytes, new Date(), r.name); } finally { call("bp_use_catalog", null, ["number"], [1]); }
  showDesign(d);
}

function showDesign(d) {
  const box = $("design-box");
  box.hidden = false;
  const body = $("design-checks").tBodies[0];
  body.textContent = "";
  const v = d.status === 0 && d.end === "solved" ? verdictOf(d) : null;
  let text;
  if (d.status !== 0) text = "The design ended with message " + d.status + ": " + d.failure.replace(/\r\n$/, "");
  else if (!v) text = outcomeOf(d)[1];
  else text = (v.answer ? v.answer + ". " : "") + capital(v.text) + ". Rules: " + v.rules + ".";
  $("design-outcome").textContent = text;
  for (const c of v ? d.result.checks : []) {
    const { verdict: cv } = checkVerdict(c);
    const tr = document.createElement("tr");
    tr.className = { passes: "pass", fails: "fail", not_evaluated: "unevaluated" }[cv] || "na";
    const th = document.createElement("th");
    th.scope = "row";
    th.textContent = c.name;
    tr.appendChild(th);
    for (const t of [c.article, c.ratio === null ? "" : c.ratio.toFixed(2),
                     { passes: "passes", fails: "FAILS", not_evaluated: "not evaluated" }[cv] || "n/a"]) {
      const td = document.createElement("td");
      td.textContent = t;
      tr.appendChild(td);
    }
    body.appendChild(tr);
  }
  $("design-heading").focus({ preventScroll: true });
  box.scrollIntoView({ block: "nearest" });
}

// After each run shown: Design from this pad offered for an analysis that
// was solved; the design of an earlier analysis put away.
function showOwnerTools(r) {
  $("design-box").hidden = true;
  $("design-tools").hidden = !(r && r.analysis && r.end === "solved" && r.status === 0);
  $("save-standard").hidden = !(r && r.standard.length);
}

function startOwner() {
  $("criteria").addEventListener("change", () => onOwnerSelect("criteria"));
  $("catalog").addEventListener("change", () => onOwnerSelect("catalog"));
  for (const kind of ["criteria", "catalog"]) {
    $("open-" + kind).addEventListener("change", (e) => {
      const file = e.target.files && e.target.files[0];
      e.target.value = "";
      if (file) openOwnerFile(kind, file);
    });
  }
  $("save-standard").addEventListener("click", saveStandard);
  $("design-from-pad").addEventListener("click", designFromPad);
  $("design-close").addEventListener("click", () => { $("design-box").hidden = true; });
  showRulesStatus();
}

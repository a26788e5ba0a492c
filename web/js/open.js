// Opening files: an input file into the form or its explanation, a report
// to view, several input files to the schedule.

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
  if (!current) { showError(noForm === LOADING ? LOADING + " Open the file again in a moment." : noForm); return; }
  formRow = null;  // the form follows a table's row only when opened from it
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


// The marks of an explanation by the form's field they fall on.
function marksByField(marks) {
  const by = {};
  for (const m of marks) {
    const f = m.first > 0 && FIELDS.find((x) => x.rec === m.record - 1 && m.first <= x.col + x.w - 1 && m.last >= x.col);
    if (f) (by[f.id] = by[f.id] || []).push("as opened: " + m.text);
  }
  return by;
}



function readFiles(files) {
  return Promise.all(files.map((f) => f.arrayBuffer().then((b) => ({ name: f.name, bytes: new Uint8Array(b) }))));
}

const isReport = (f) => /\.rpt$/i.test(f.name) || (f.bytes.includes(12) && !/\.dat$/i.test(f.name));

// One file: the form (or the report viewer); several: the schedule.
function openFiles(list) {
  openAt = performance.now();
  return readFiles(list).then((files) => {
    const table = files.find((f) => /\.(csv|tsv)$/i.test(f.name));
    if (table) { openTable(table.name, table.bytes); return; }
    if (files.length === 1) {
      const f = files[0];
      if (isReport(f)) viewReport(f.bytes, f.name); else openInput(f.name, f.bytes);
      return;
    }
    const inputs = files.filter((f) => !isReport(f) && /\.(dat|txt)$/i.test(f.name));
    if (inputs.length === 0) { showError("None of the files is an input file (.dat)."); return; }
    if (inputs.length < files.length) showMessage((files.length - inputs.length) + " file(s) that are not input files left out.");
    else showMessage("");
    buildSchedule(inputs);
  }).catch((err) => showError("The files could not be read: " + err));
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
      const inputs = files.length > 1 ? files.filter((f) => /\.(dat|csv|tsv)$/i.test(f.name)) : files;
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
  showOwnerTools(null);
  showChecks(null);
  showPictures("");
  setStale(false);
  pending = null;
  const shownReport = showReport(bytes);
  lastReportName = name || "report.rpt";
  if (name) $("file-name").textContent = name;
  showOutcome(shownReport.warningLines ? "warnings" : "none",
              (name ? name + ": " : "Report: ") + shownReport.pages + (shownReport.pages === 1 ? " page" : " pages") +
              (shownReport.warningLines ? ", " + shownReport.warningLines + " warning line(s) on page 5 (marked)." : "."),
              "Print gives one sheet a page.", shownReport.warningLines > 0);
  $("results-side").scrollTop = 0;
  return shownReport;
}

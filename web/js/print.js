// Printing and saving what is shown, never a stale report.

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
  if (!current) { showError(noForm); return; }
  if (Object.keys(current.refused).length) { showError("Not saved: a field cannot be written (marked in the form)."); return; }
  download(recordsBytes(current.records), inputName);
}

// Only the report of what is shown, never a stale one.
function reportReady(what) {
  if (stale) { showError(what + ": the results are not those of the form (a field is refused, or a number is still being typed)."); return false; }
  if (!lastReport) { showError(what + ": no report yet."); return false; }
  return true;
}

function saveRpt() {
  if (reportReady("Not saved")) download(lastReport, lastReportName || "report.rpt");
}

// Prints the report, or the drawing sheet ("drawing"), or the schedule
// ("schedule", when it is shown); the last two on landscape sheets, the
// report on portrait ones (the style sheet's @page) whatever the dialog says.
function printAs(mode) {
  preparePrint(mode);
  window.print();
}

// The page set up for printing as mode, until endPrint (after the dialog).
function preparePrint(mode) {
  endPrint();
  document.body.classList.toggle("print-drawing", mode === "drawing");
  if (mode === "schedule") {
    const n = schedule ? schedule.rows.length : 0;
    $("schedule-printed").textContent = "Bearing schedule, " + n + (n === 1 ? " bearing" : " bearings") + ", printed " +
      new Date().toLocaleString() + ", bearingpad " + VERSION + ", checked under " + rulesText();
  }
  if (!mode) return;
  const landscape = document.createElement("style");
  landscape.id = "print-landscape";
  landscape.textContent = "@page { size: landscape; }";
  document.head.appendChild(landscape);
}

function endPrint() {
  document.body.classList.remove("print-drawing");
  const landscape = $("print-landscape");
  if (landscape) landscape.remove();
}

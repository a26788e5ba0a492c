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
  if (!current) { showMessage(noForm); return; }
  if (Object.keys(current.refused).length) { showMessage("Not saved: a field cannot be written (marked in the form)."); return; }
  download(recordsBytes(current.records), inputName);
}

// Only the report of what is shown, never a stale one.
function reportReady(what) {
  if (stale) { showMessage(what + ": the results are not those of the form (a field is refused)."); return false; }
  if (!lastReport) { showMessage(what + ": no report yet."); return false; }
  return true;
}

function saveRpt() {
  if (reportReady("Not saved")) download(lastReport, lastReportName || "report.rpt");
}

// Prints the report, or the drawing sheet ("drawing"), or the schedule
// ("schedule", when it is shown); the last two on landscape sheets.
function printAs(mode) {
  document.body.classList.toggle("print-drawing", mode === "drawing");
  const landscape = document.createElement("style");
  landscape.id = "print-landscape";
  landscape.textContent = "@page { size: landscape; }";
  if (mode) document.head.appendChild(landscape);
  window.print();
}

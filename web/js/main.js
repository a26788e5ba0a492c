// The script interface (window.bearingpad) and the start of the page: the
// buttons, the engine's loading and the form built from its layout.

// ---------------------------------------------------------------------
// The script interface.
let resolveReady;
const ready = new Promise((r) => { resolveReady = r; });
window.bearingpad = {
  version: VERSION,
  ready: ready,
  run(input, when) {
    const r = runEngine(input, when === undefined ? new Date() : when, DEFAULT_INPUT_NAME);
    // drawing: the sheet of the bearing and its strain chart as SVG text,
    // "" when the run drew none; standard: the chosen standard pad's
    // records (NAME.standard.dat, empty without a catalog), standardPad its type.
    return { status: r.status, report: r.report, console: r.console, failure: r.failure,
             standard: r.standard, standardName: r.standardName, standardPad: r.standardPad,
             get result() { return r.result; }, get scheduleRow() { return r.scheduleRow; },
             get drawing() { return r.drawing; } };
  },
  view(report) { viewReport(report, null); },
  // A criteria file's or a catalog's bytes taken for every run after, as
  // opened on the page (empty bytes: none); returns "" or the refusal.
  criteria(bytes, name) { return takeOwnerFile("criteria", bytes, name); },
  catalog(bytes, name) { return takeOwnerFile("catalog", bytes, name); },
  // The page set up as Print, Print drawing or Print schedule set it up
  // (mode null, "drawing" or "schedule"), without the dialog; endPrint undoes it.
  preparePrint(mode) { preparePrint(mode); },
  endPrint() { endPrint(); },
  // Resolves when the drawing and the report's pages shown are the last run's.
  rendered: rendered,
  explain(input) {
    if (!engine) throw new Error("the engine is still loading");
    if (!(input instanceof Uint8Array)) throw new TypeError("explain: the input must be a Uint8Array");
    const e = explainInput(input, DEFAULT_INPUT_NAME);
    return { text: e.text, marks: e.count };
  },
  // Milliseconds from the start of the page's navigation: this script
  // started, the form was built, the engine was ready, the first report
  // shown; the last Open of several files and its schedule complete.
  get timing() {
    return { script: scriptAt, form: formAt, engine: engineAt, firstReport: firstReportAt,
             open: openAt, schedule: scheduleAt, rendered: renderedAt, renderWork: renderWork, drawWork: drawWork };
  },
};

function start() {
  $("open-button").addEventListener("click", () => $("open").click());
  $("run").addEventListener("click", runForm);
  $("print").addEventListener("click", () => { if (reportReady("Not printed")) { showWorkbench(); printAs(null); } });
  $("print-drawing").addEventListener("click", () => {
    showWorkbench();
    if ($("pictures").hidden) { showError("No drawing: the problem shown has no bearing."); return; }
    if (!stale) printAs("drawing"); else reportReady("Not printed");
  });
  window.addEventListener("afterprint", endPrint);
  $("save-dat").addEventListener("click", saveDat);
  $("save-rpt").addEventListener("click", saveRpt);
  $("clear").addEventListener("click", () => {
    if (!current) { showError(noForm); return; }
    inputName = DEFAULT_INPUT_NAME; namedByNumber = true;
    $("file-name").textContent = ""; opened = null; formRow = null;
    $("explain-box").hidden = true;
    showWorkbench();
    live = false;
    setValues({});
    const dia = FIELDS.find((f) => f.id === "diameter").zero || "3.0";
    const cover = FIELDS.find((f) => f.id === "cover").zero || "0.25";
    clearResults("A new problem: every field blank. A blank takes the input format's default: a design (the program " +
                 "sizes the pad), 1 hole of " + dia + " in (choose 0 holes for none), covers of " + cover +
                 " in, no load plates, a concrete beam; no load until one is typed. The results follow the form as it is filled in.");
    showMessage("");
  });
  $("open").addEventListener("change", onOpen);
  $("explain-fill").addEventListener("click", () => {
    if (!opened) return;
    $("explain-box").hidden = true;
    live = true;
    setValues(opened.analysis.values, marksByField(opened.explained.marks));
    showMessage("The form now holds the values as the program reads them from " + opened.name +
                "; the fields that could not be read are blank, and the marks of the file stay on their fields.");
  });
  $("explain-run").addEventListener("click", () => {
    if (opened && engine) { showRun(runEngine(opened.bytes, new Date(), opened.name), opened.bytes, "file"); $("results-side").scrollTop = 0; }
  });
  $("save-schedule").addEventListener("click", () => { if (schedule) download(scheduleBytes(), "schedule.csv"); });
  $("save-csv").addEventListener("click", () => {
    if (!schedule) return;
    const refused = schedule.rows.filter((x) => !x.bytes && x.word === "refused").length;
    if (refused) { showError("Not saved: " + refused + " row(s) refused (marked): mend or remove them first, so that no row is lost."); return; }
    download(tableBytes(), (schedule.table ? schedule.table.stem : "table") + ".csv");
  });
  $("save-all").addEventListener("click", saveAll);
  $("add-row").addEventListener("click", () => { if (schedule && schedule.table) tableRowTools("add", 0); });
  $("schedule").addEventListener("change", onCellChange);
  document.addEventListener("paste", onPaste);
  $("print-schedule").addEventListener("click", () => printAs("schedule"));
  $("hide-schedule").addEventListener("click", showWorkbench);
  $("show-schedule").addEventListener("click", showSchedule);
  $("schedule").addEventListener("click", onScheduleClick);
  document.addEventListener("dragover", (e) => e.preventDefault());
  document.addEventListener("drop", onDrop);
  startOwner();

  if (!engineLoading) {
    noForm = "The engine is missing from this page.";
    showError(noForm);
    return;
  }
  engineLoading.then((m) => {
    engineAt = performance.now();
    // The form is built from the engine's layout of the records.
    const problems = applyLayout(m.ccall("bp_input_fields", "string", [], []));
    if (problems.length) {
      noForm = "The page and its engine do not agree on the input records, so the page has no form: " +
               problems.join("; ") + ".";
      showError(noForm);
      return;
    }
    engine = m;
    labelBuiltInSets();
    buildForm();
    restoreForm();
    formAt = performance.now();
    const v = call("bp_version", "string", [], []);
    if (v !== VERSION) showError("The engine's version " + v + " differs from the page's " + VERSION + ".");
    resolveReady(window.bearingpad);
  }).catch((err) => {
    showError("The engine could not start in this browser (" + err + "). It needs WebAssembly with " +
                "exception handling: Chrome or Edge 95, Firefox 100, Safari 15.2 or newer.");
  });
}

// The engine compiles in the background; the form waits for its layout.
const engineLoading = typeof createBearingpadEngine === "function" ? createBearingpadEngine() : null;
window.addEventListener("error", (e) => showError("Something went wrong in the page: " + e.message));
window.addEventListener("unhandledrejection", (e) => showError("Something went wrong in the page: " + e.reason));
if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", start);
else start();

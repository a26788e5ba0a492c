// The page in a headless browser (chromium, or firefox over WebDriver BiDi),
// opened from disk: every input file of CASES run through window.bearingpad
// and compared with the native program's results in NATIVE (report bytes,
// exit status, console line, failure line, explanation and result, at the
// same fixed clock); a problem typed into the form and solved as it is typed;
// the faults an engineer met (Open by keyboard, the explanation in view, the
// blanks of its reasons, the marks after "Fill the form"); 50 files opened at
// once as the bearing schedule against --schedule; the examples' reports,
// the drawing sheet and the schedule printed to PDF; screenshots; the cases
// of OWNER_CASES under the shipped laminated criteria set and standard pads
// against OWNER_NATIVE (native_solve --criteria --catalog), and the owner's
// choices on the page. Timings are the benchmark's
// (benchmarks/page_benchmark.mjs), never asserted here.
//
//     node web_test.mjs BROWSER PAGE CASES NATIVE OUTDIR EXAMPLES NATIVE_BUILD OWNER_CASES OWNER_NATIVE
import { execFileSync, spawnSync } from "node:child_process";
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { basename, join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [browserName, ...paths] = process.argv.slice(2);
const [pagePath, casesDir, nativeDir, outDir, examplesDir, nativeBuild, ownerCases, ownerNative] = paths.map((p) => p && resolve(p));
if (!ownerNative || !["chromium", "firefox"].includes(browserName)) {
  console.error("usage: node web_test.mjs chromium|firefox PAGE CASES NATIVE OUTDIR EXAMPLES NATIVE_BUILD OWNER_CASES OWNER_NATIVE");
  process.exit(2);
}
mkdirSync(outDir, { recursive: true });
const url = pathToFileURL(pagePath).href;
// The clock of every comparison (native_solve uses the same): 7 December 2026, 15:15:00.
const FIXED = [2026, 11, 7, 15, 15, 0];
const SCREENS = [[1366, 768], [1920, 1080]];

let passed = 0;
let failed = 0;
function check(ok, what) {
  if (ok) passed++;
  else { failed++; console.log(`FAILED (${browserName}): ${what}`); }
  return ok;
}
const b64 = (buf) => Buffer.from(buf).toString("base64");
function firstDifference(a, b) {
  const n = Math.min(a.length, b.length);
  for (let i = 0; i < n; i++) if (a[i] !== b[i]) return i;
  return a.length === b.length ? -1 : n;
}

const launchedAt = Date.now();
let sectionAt = Date.now();
function section(name) { console.log(`${name}: ${((Date.now() - sectionAt) / 1000).toFixed(1)} s`); sectionAt = Date.now(); }
// Firefox wants a fresh profile folder; it is removed at the end.
const profile = browserName === "firefox" ? mkdtempSync(join(tmpdir(), "bearingpad-firefox-")) : null;
const browser = await puppeteer.launch(browserName === "firefox"
  ? { browser: "firefox", executablePath: process.env.FIREFOX || "/usr/bin/firefox-esr", headless: true,
      userDataDir: profile }
  : { executablePath: process.env.CHROMIUM || "/usr/bin/chromium", headless: true, args: ["--no-sandbox", "--disable-gpu"] });
console.log(`${browserName} ${await browser.version()} launched in ${Date.now() - launchedAt} ms`);

// Every page: the files the page saves kept in window.__saved (by name)
// instead of downloaded, and the file chooser's opening counted; with
// fixedClock, new Date() gives the fixed time.
async function openPage({ fixedClock = false, fresh = true, width = 1366, height = 768 } = {}) {
  const context = fresh ? await browser.createBrowserContext() : browser.defaultBrowserContext();
  const page = await context.newPage();
  const problems = [];
  page.on("pageerror", (e) => problems.push("page error: " + e.message));
  page.on("console", (m) => { if (m.type() === "error" || m.type() === "warn") problems.push("console: " + m.text()); });
  page.on("request", (r) => { if (!/^(file|data|blob|about):/.test(r.url())) problems.push("network: " + r.url()); });
  await page.setViewport({ width, height });
  await page.evaluateOnNewDocument((fixed) => {
    window.__saved = {};
    window.__chooser = 0;
    const blobs = new Map();
    const create = URL.createObjectURL;
    URL.createObjectURL = (b) => { const u = create.call(URL, b); blobs.set(u, b); return u; };
    HTMLAnchorElement.prototype.click = function () { if (this.download) window.__saved[this.download] = blobs.get(this.href); };
    const inputClick = HTMLInputElement.prototype.click;
    HTMLInputElement.prototype.click = function () { if (this.type === "file") window.__chooser++; else inputClick.call(this); };
    if (fixed) {
      const RealDate = Date;
      globalThis.Date = class extends RealDate {
        constructor(...args) { if (args.length === 0) super(...fixed); else super(...args); }
        static now() { return new RealDate(...fixed).getTime(); }
      };
    }
  }, fixedClock ? FIXED : null);
  await page.goto(url, { waitUntil: "load" });
  await page.evaluate(() => window.bearingpad.ready);
  return { page, context, problems };
}

// The bytes the page saved under name, or null; forgotten once read.
async function saved(page, name) {
  const text = await page.evaluate(async (n) => {
    const b = window.__saved[n];
    delete window.__saved[n];
    if (!b) return null;
    let s = "";
    for (const x of new Uint8Array(await b.arrayBuffer())) s += String.fromCharCode(x);
    return btoa(s);
  }, name);
  return text === null ? null : Buffer.from(text, "base64");
}
const savedNames = (page) => page.evaluate(() => Object.keys(window.__saved));

// Types into a field as a user does: select what is there, type over it.
async function type(page, id, text) {
  await page.$eval("#f-" + id, (e) => { e.focus(); e.select(); });
  await page.keyboard.press("Backspace");
  if (text) await page.keyboard.type(text);
}
const recordsShown = (page) => page.$eval("#records", (e) => e.textContent.split("\n").slice(2).join("\n") + "\n");
const text = (page, sel) => page.$eval(sel, (e) => (e.hidden ? "" : e.textContent));
async function screenshots(page, name) {
  for (const [w, h] of SCREENS) {
    await page.setViewport({ width: w, height: h });
    await page.screenshot({ path: join(outDir, `${name}-${w}x${h}.png`) });
  }
  await page.setViewport({ width: 1366, height: 768 });
}

// The native report of records, solved now by native_solve at the fixed clock.
function nativeReport(records, name) {
  const dir = join(outDir, "native-now");
  mkdirSync(dir, { recursive: true });
  writeFileSync(join(dir, name + ".dat"), records, "latin1");
  execFileSync(join(nativeBuild, "native_solve"), [dir, join(dir, name + ".dat")]);
  return readFileSync(join(dir, name + ".rpt"));
}

// ---------------------------------------------------------------------------
// 1. Every example and every generated case, through window.bearingpad.run.
{
  const { page, context, problems } = await openPage();
  const version = await page.evaluate(() => window.bearingpad.version);
  check(/^\d+\.\d+/.test(version), "window.bearingpad.version is a version: " + version);
  const files = readdirSync(casesDir).filter((f) => f.endsWith(".dat")).sort();
  let mismatches = 0;
  for (let start = 0; start < files.length; start += 50) {
    const batch = files.slice(start, start + 50);
    const inputs = batch.map((f) => b64(readFileSync(join(casesDir, f))));
    const results = await page.evaluate((inputs, fixed) => {
      const fromB64 = (s) => Uint8Array.from(atob(s), (c) => c.charCodeAt(0));
      const toB64 = (b) => { let s = ""; for (const x of b) s += String.fromCharCode(x); return btoa(s); };
      return inputs.map((i) => {
        const r = window.bearingpad.run(fromB64(i), new Date(...fixed));
        const e = window.bearingpad.explain(fromB64(i));
        return { status: r.status, report: toB64(r.report), console: r.console, failure: r.failure,
                 reportIsBytes: r.report instanceof Uint8Array, explained: e.marks + "\n" + e.text,
                 result: JSON.stringify(r.result), scheduleRow: r.scheduleRow };
      });
    }, inputs, FIXED);
    batch.forEach((f, k) => {
      const name = basename(f, ".dat");
      const want = readFileSync(join(nativeDir, name + ".rpt"));
      const out = readFileSync(join(nativeDir, name + ".out"), "latin1");
      const nl = out.indexOf("\n");
      const wantStatus = Number(out.slice(0, nl));
      const rest = out.slice(nl + 1);
      const consoleEnd = rest.indexOf("\r\n") + 2;
      const wantConsole = rest.slice(0, consoleEnd);
      const wantFailure = rest.slice(consoleEnd);
      const r = results[k];
      const got = Buffer.from(r.report, "base64");
      const same = r.reportIsBytes && got.equals(want) && r.status === wantStatus &&
                   r.console === wantConsole && r.failure === wantFailure;
      const wantExplained = readFileSync(join(nativeDir, name + ".exp"), "latin1");
      check(r.explained === wantExplained, f + ": the page's explanation differs from --explain");
      const wantResult = JSON.stringify(JSON.parse(readFileSync(join(nativeDir, name + ".json"), "utf8")));
      check(r.result === wantResult, f + ": the page's result differs from --json");
      check(r.scheduleRow === readFileSync(join(nativeDir, name + ".csv"), "utf8"),
            f + ": the page's schedule row differs from --schedule");
      if (!check(same, f + ": page and native program differ")) {
        if (++mismatches <= 5) {
          console.log(`  status ${r.status} / ${wantStatus}; console ${JSON.stringify(r.console)} / ${JSON.stringify(wantConsole)}`);
          console.log(`  failure ${JSON.stringify(r.failure)} / ${JSON.stringify(wantFailure)}; report bytes differ at ${firstDifference(got, want)}`);
        }
      }
    });
  }
  console.log(`compared ${files.length} inputs with the native program`);
  const bad = await page.evaluate(() => {
    try { window.bearingpad.run("not bytes", new Date()); return "no error"; } catch (e) { return e.message; }
  });
  check(/Uint8Array/.test(bad), "run() with a string says it wants a Uint8Array: " + bad);
  // A run's result is read while it is the last run; once read, it is kept.
  const stale = await page.evaluate((fixed) => {
    const bytes = new TextEncoder().encode("    0001\n");
    const a = window.bearingpad.run(bytes, new Date(...fixed));
    const b = window.bearingpad.run(bytes, new Date(...fixed));
    const kept = b.result.outcome;
    window.bearingpad.run(bytes, new Date(...fixed));
    const again = b.result.outcome;
    try { return "no error: " + a.result.outcome; } catch (e) { return kept + " " + again + " " + e.message; }
  }, FIXED);
  check(stale === "no_problem no_problem run: read the result of a run before the next run",
        "an earlier run's result, read after a later run, says so: " + stale);
  check(problems.length === 0, "no page errors, console errors or network requests: " + problems.join("; "));
  const size = statSync(pagePath).size;
  console.log(`page size: ${size} bytes (${(size / 1024).toFixed(0)} KB)`);
  // 700 KB since the criteria reader (toml++'s parser) joined the engine.
  check(size < 700 * 1024, "the page under 700 KB");
  await context.close();
  section("1. the comparison");
}

// ---------------------------------------------------------------------------
// 2. A problem typed into the form after New: the results follow each
//    change without Run, and what is saved is the report of the records shown.
{
  const { page, problems } = await openPage({ fixedClock: true, fresh: false });
  await page.click("#clear");
  check((await page.$$("#report .page")).length === 0 && (await page.$eval("#checks-box", (e) => e.hidden)) &&
        /new problem/i.test(await text(page, "#outcome")), "New clears the results");
  // How a value is written in its columns, or why it is refused.
  const cases = [
    ["width", "123.456", /does not fit F6\.4.*7 columns.*has 6/], ["width", "1,5", /not a number/],
    ["width", "14", "   14."], ["width", "0014", "   14."], ["width", "22.2500", "22.25"],
    ["width", "123.45", "123.45"], ["width", "+7", "    7."], ["width", "-0.25", "-0.25"],
    ["width", "0", "    0."], ["width", "-0", "    0."], ["width", ".5", "   0.5"],
    ["diameter", "0.1875", ".1875"], ["diameter", "-.1875", /does not fit F5\.4.*6 columns/],
    ["camber", "100.25", /does not fit F5\.3/], ["deaddefl", "1.25", "1.25"], ["deaddefl", "0.125", ".125"],
    ["span", "12345.6", "12345.6"], ["width", "1e2", /not a number/], ["width", "1 5", /not a number/],
    ["width", "1.2.3", /not a number/], ["width", ".", /not a number/],
    ["title", "X".repeat(73), /72 columns.*73 characters/], ["title", "CAF\u00c9", /plain ASCII/],
    ["number", "12345", /4 columns/],
  ];
  const fieldAt = { width: [1, 4, 6], diameter: [1, 25, 5], camber: [2, 30, 5], deaddefl: [2, 35, 4],
                    span: [2, 10, 7], title: [0, 9, 72], number: [0, 5, 4] };
  for (const [id, typed, want] of cases) {
    await page.$eval("#f-" + id, (e, v) => { e.value = v; e.dispatchEvent(new Event("input", { bubbles: true })); }, typed);
    const refusedText = await text(page, "#refused-" + id);
    const [rec, col, w] = fieldAt[id];
    const written = (await recordsShown(page)).split("\n")[rec].padEnd(90).slice(col - 1, col - 1 + w);
    if (typeof want === "string") check(refusedText === "" && written === want.padStart(w), `${id} ${JSON.stringify(typed)} is written ${JSON.stringify(written)}, wanted ${JSON.stringify(want)} ${refusedText}`);
    else check(want.test(refusedText), `${id} ${JSON.stringify(typed)} is refused: ${refusedText}`);
  }
  for (const id of ["title", "number", "diameter", "camber", "deaddefl", "span"]) await type(page, id, "");
  await type(page, "number", "0007");
  await type(page, "title", "FORM TYPED - TWO HOLES");
  await page.click("input[name=mode][value=A]");
  for (const [id, v] of [["width", "18"], ["length", "12"], ["thickness", "2.5"]]) await type(page, id, v);
  await page.select("#f-holes", "2");
  await type(page, "diameter", "1.25");
  await type(page, "cover", ".25");
  await page.select("#f-loadplates", "2");
  await type(page, "loadthick", ".25");
  await page.select("#f-internal", "2");
  await type(page, "internalthick", ".1046");
  await page.click("input[name=beam][value=S]");
  for (const [id, v] of [["fixity", "100"], ["span", "100"], ["dead", "120"], ["live", "50"], ["camber", ".75"],
                         ["deaddefl", ".5"], ["livedefl", ".3"]]) await type(page, id, v);
  const expected = readFileSync(new URL("./form-typed.dat", import.meta.url), "latin1");
  check((await recordsShown(page)) === expected, "the records shown for the typed problem:\n" + (await recordsShown(page)));
  check((await text(page, "#reads-width")) === "reads 18", "the width reads 18");
  check(/reads 0, so 0\.25/.test(await text(page, "#reads-side")), "a blank side cover shows its default");
  // No Run: the results are those of the records shown, saved under the problem number.
  await page.click("#save-dat");
  check((await saved(page, "0007.dat"))?.toString("latin1") === expected, "Save .dat writes the records shown as 0007.dat");
  await page.click("#save-rpt");
  const rpt = await saved(page, "0007.rpt");
  check(!!rpt && rpt.equals(readFileSync(join(nativeDir, "form-typed.rpt"))), "the typed problem's report (Save .rpt, no Run) equals the native program's");
  const warnings = /written, (\d+) warnings?/.exec(readFileSync(join(nativeDir, "form-typed.out"), "latin1"));
  check(!!warnings && (await text(page, "#outcome")).startsWith("Analysis: " + warnings[1] + " warning"), "the outcome of the typed problem");
  // One more change: the outcome, the checks and the report follow it.
  const before = await text(page, "#checks");
  await type(page, "dead", "300");
  const records300 = await recordsShown(page);
  await page.click("#save-rpt");
  check((await saved(page, "0007.rpt"))?.equals(nativeReport(records300, "dead-300")) === true,
        "after the dead load is changed to 300, Save .rpt equals the native report of the records shown");
  check((await text(page, "#checks")) !== before && (await page.$$("#checks tbody tr")).length > 0, "the checks follow the change");
  check(await page.$eval("#checks tbody tr", (e) => e.classList.contains("governs")), "the governing check is the table's first row");
  await page.evaluate(() => window.bearingpad.rendered());
  check((await page.$eval("#report", (e) => e.textContent)).includes("300.000") && (await page.$("#pictures svg")) !== null,
        "the report and the drawing shown follow the change");
  await page.evaluate(() => window.bearingpad.rendered());
  await screenshots(page, "after-change");
  // A refused field: the last result greyed, and nothing stale saved or printed.
  await type(page, "width", "1,5");
  check(await page.$eval("#results-side", (e) => e.classList.contains("stale")) && /refused/.test(await text(page, "#outcome")),
        "a refused width greys the last result and says why");
  await page.click("#save-rpt");
  check((await savedNames(page)).length === 0 && /not those of the form/.test(await text(page, "#message")),
        "Save .rpt refuses the report of other records");
  await type(page, "width", "18");
  check(!(await page.$eval("#results-side", (e) => e.classList.contains("stale"))), "the width mended, the results are current");
  // A dead load of 1000 prints as asterisks in the echo: marked on the field.
  await type(page, "dead", "1000");
  check(/\*{7}/.test(await text(page, "#mark-dead")), "a dead load of 1000 is marked: " + (await text(page, "#mark-dead")));
  await type(page, "dead", "120");
  check((await text(page, "#mark-dead")) === "", "the mark goes with the value");

  // A reload keeps the form.
  await page.reload({ waitUntil: "load" });
  await page.evaluate(() => window.bearingpad.ready);
  check((await recordsShown(page)) === expected, "a reload keeps the form");

  // Each example opened as a .dat: the form takes it (or shows why not), the
  // records the form then writes give the example's report, saved under its name.
  const input = await page.$("#open");
  for (const f of readdirSync(examplesDir).filter((x) => x.endsWith(".dat")).sort()) {
    await input.uploadFile(join(examplesDir, f));
    await page.waitForFunction((n) => document.getElementById("file-name").textContent === n, {}, f);
    if (await page.$eval("#explain-box", (e) => !e.hidden)) await page.click("#explain-fill");
    const records = await recordsShown(page);
    const report = await page.evaluate((t, fixed) => Array.from(window.bearingpad.run(Uint8Array.from(t, (c) => c.charCodeAt(0)), new Date(...fixed)).report), records, FIXED);
    const want = readFileSync(join(nativeDir, basename(f, ".dat") + ".rpt"));
    check(Buffer.from(report).equals(want), f + ": the form's records give the example's report");
    await page.click("#save-rpt");
    check((await saved(page, basename(f, ".dat") + ".rpt"))?.equals(want) === true, f + ": Save .rpt saves its report under its name");
  }
  check(problems.length === 0, "no page errors in the form test: " + problems.join("; "));
  await page.close();
  section("2. the form");
}

// ---------------------------------------------------------------------------
// 3. The faults of the trial: Open by keyboard, the explanation of a mistyped
//    file in view with its own outcome, blanks kept in its reasons, its marks
//    carried onto the fields "Fill the form" fills.
{
  const { page, context, problems } = await openPage({ fixedClock: true });
  let tabs = 0;
  while (tabs < 12 && (await page.evaluate(() => document.activeElement.id)) !== "open-button") {
    await page.keyboard.press("Tab");
    tabs++;
  }
  check((await page.evaluate(() => document.activeElement.id)) === "open-button", "Tab reaches Open");
  await page.keyboard.press("Enter");
  check((await page.evaluate(() => window.__chooser)) === 1, "Enter on Open opens the file chooser");
  // Enter in a field solves the records.
  await page.focus("#f-live");
  await page.keyboard.press("Enter");
  check(/warning|passed/.test(await text(page, "#outcome")), "Enter in a field keeps the outcome current");

  const analysis = readFileSync(join(examplesDir, "analysis.dat"), "latin1").split("\n");
  const mistyped = join(outDir, "mistyped.dat");
  writeFileSync(mistyped, ["    0001MISTYPED WIDTH", analysis[1].slice(0, 3) + "    14" + analysis[1].slice(9), analysis[2], ""].join("\n"), "latin1");
  await (await page.$("#open")).uploadFile(mistyped);
  await page.waitForFunction(() => !document.getElementById("explain-box").hidden);
  const inView = await page.evaluate(() => ["#explain-heading", "#explain-reasons li"].map((sel) => {
    const r = document.querySelector(sel).getBoundingClientRect();
    const at = document.elementFromPoint(r.left + 5, r.top + r.height / 2);
    return r.top >= 0 && r.bottom <= window.innerHeight && !!at && document.getElementById("explain-box").contains(at);
  }));
  check(inView.every((x) => x), "the explanation's heading and first reason are in view, not covered: " + inView);
  const reasons = await page.$eval("#explain-reasons", (e) => e.innerText);
  check(reasons.includes("'    14'"), "the reasons keep the blanks of the field as typed: " + reasons);
  check(/^mistyped\.dat as it is/.test(await text(page, "#outcome")) && /mistyped\.dat gives/.test(await text(page, "#explain-outcome")),
        "the outcome shown is the mistyped file's own: " + (await text(page, "#outcome")).slice(0, 80));
  await page.evaluate(() => window.bearingpad.rendered());
  await screenshots(page, "mistyped-file");
  await page.click("#explain-fill");
  check((await page.$eval("#f-width", (e) => e.value)) === "0.0014", "Fill the form puts the width as read");
  check(/without a point/.test(await text(page, "#mark-width")), "the width filled carries the mark of --explain: " + (await text(page, "#mark-width")));
  const marksShown = (await page.$$eval(".field-mark:not([hidden])", (es) => es.map((e) => e.textContent))).join("; ").split("; ");
  check(marksShown.length > 0 && marksShown.every((t, i) => marksShown.indexOf(t) === i &&
                                                          (!t.startsWith("as opened: ") || !marksShown.includes(t.slice(11)))), "Fill the form shows each mark once: " + marksShown.join(" | "));
  check(await page.$eval("#message", (e) => e.className === "info" && getComputedStyle(e).color !== "rgb(176, 0, 32)"),
        "what Fill the form did is information, not in the error style");
  await page.click("#save-rpt");
  check((await savedNames(page)).join() === "mistyped.rpt", "the opened file's name names the saved report");
  await type(page, "width", "12");
  check((await text(page, "#mark-width")) === "", "typing a width clears the mark");

  // A stray comma: the reason, and the file's outcome, message 64.
  const stray = join(outDir, "stray.dat");
  writeFileSync(stray, "    0001STRAY\n A   12,0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n    100.0   80.0  40.0 20.0    1.0  .5 .25\n");
  await (await page.$("#open")).uploadFile(stray);
  await page.waitForFunction(() => document.getElementById("file-name").textContent === "stray.dat");
  check(/12,0/.test(await text(page, "#explain")) && /input conversion error/.test(await text(page, "#explain-reasons")) &&
        /message 64/.test(await text(page, "#explain-outcome")), "a stray comma: the reason and message 64");
  check(problems.length === 0, "no page errors in the faults' test: " + problems.join("; "));
  await context.close();
  section("3. the faults");
}

// ---------------------------------------------------------------------------
// 4. 50 files opened at once: the schedule's rows, its CSV against
//    --schedule over the same files by the same bare names, a row opened, a
//    row's report saved, the schedule printed on landscape pages.
const pdfDir = join(outDir, "pdf");
mkdirSync(pdfDir, { recursive: true });
function pageTexts(pdfFile) {
  const info = execFileSync("pdfinfo", [pdfFile], { encoding: "latin1" });
  const pages = Number(/^Pages:\s+(\d+)/m.exec(info)[1]);
  const texts = [];
  for (let n = 1; n <= pages; n++) texts.push(execFileSync("pdftotext", ["-layout", "-f", String(n), "-l", String(n), pdfFile, "-"], { encoding: "latin1" }));
  return texts;
}
{
  const { page, context, problems } = await openPage({ fixedClock: true });
  const folder = join(outDir, "schedule-50");
  rmSync(folder, { recursive: true, force: true });
  mkdirSync(folder);
  const names = readdirSync(casesDir).filter((f) => f.startsWith("case-")).sort().slice(0, 50);
  for (const f of names) copyFileSync(join(casesDir, f), join(folder, f));
  await (await page.$("#open")).uploadFile(...names.map((f) => join(folder, f)));
  await page.waitForFunction(() => !document.getElementById("schedule-box").hidden);
  check((await page.$$("#schedule tbody tr")).length === 50, "50 files give 50 schedule rows");
  await page.click("#save-csv");
  const table = await saved(page, "table.csv");
  const toTable = spawnSync(join(nativeBuild, "bearingpad"), ["--to-table", ...names], { cwd: folder });
  check(toTable.stdout.length > 0 && !!table && table.equals(toTable.stdout),
        `Save .csv equals --to-table over the same files (${table ? table.length : 0} / ${toTable.stdout.length} bytes)`);
  await page.click("#save-schedule");
  const csv = await saved(page, "schedule.csv");
  if (csv) writeFileSync(join(outDir, "schedule-page.csv"), csv);
  const native = spawnSync(join(nativeBuild, "bearingpad"), ["--schedule", ...names], { cwd: folder });
  check(native.stdout.length > 0 && !!csv && csv.equals(native.stdout),
        `the saved schedule equals --schedule over the same files (${csv ? csv.length : 0} / ${native.stdout.length} bytes, first difference at ${csv ? firstDifference(csv, native.stdout) : 0})`);
  await screenshots(page, "schedule");
  await page.evaluate(() => window.bearingpad.preparePrint("schedule"));
  for (const format of ["Letter", "A4"]) {
    const out = join(pdfDir, `schedule-50-${format}.pdf`);
    await page.pdf({ path: out, format, landscape: true });
    const texts = pageTexts(out);
    // Its heading: what it is, the date and the page's version.
    const heading = texts[0].split("\n")[0];
    check(/^Bearing schedule, 50 bearings, printed .*2026.*, bearingpad \d+\.\d+/.test(heading), `the printed schedule's heading on ${format}: ${heading}`);
    texts[0] = texts[0].slice(texts[0].indexOf("\n") + 1);
    const seen = names.map((n) => texts.filter((t) => t.includes(n)).length);
    // A row cut by a page would leave its tail above the line of the next
    // page's first whole row (whose own verdict cells come before its file),
    // among the column names.
    const tops = texts.map((t) => t.slice(0, Math.max(0, t.lastIndexOf("\n", t.indexOf("case-")))).replace(/[^\x21-\x7e]|[a-z_]+/g, ""));
    // Letter needs two pages at least (A4 landscape, wider, may hold all 50).
    check(texts.length >= (format === "Letter" ? 2 : 1) && seen.every((k) => k === 1) && tops.every((t) => t === ""),
          `the schedule of 50 printed on ${format} landscape: ${texts.length} pages, every row once and whole (${tops.join("|").slice(0, 100)})`);
  }
  await page.evaluate(() => window.bearingpad.endPrint());
  // A row's report saved from its row; a row opened in the form.
  const solved = names.findIndex((f) => readFileSync(join(nativeDir, f.replace(/\.dat$/, ".out")), "latin1").startsWith("0\n"));
  await page.click(`#schedule tbody tr:nth-child(${solved + 1}) button[data-act=save]`);
  const rowReport = names[solved].replace(/\.dat$/, ".rpt");
  check((await saved(page, rowReport))?.equals(readFileSync(join(nativeDir, rowReport))) === true, "a row's Save .rpt saves its report");
  await page.click(`#schedule tbody tr:nth-child(${solved + 1}) th`);
  await page.evaluate(() => window.bearingpad.rendered());
  check(!(await page.$eval("#workbench", (e) => e.hidden)) && (await text(page, "#file-name")) === names[solved],
        "a row opens its problem in the form");
  // Files dropped on the page give the schedule too.
  await page.evaluate((files) => {
    const drop = new DataTransfer();
    for (const [name, text] of files) drop.items.add(new File([text], name));
    document.body.dispatchEvent(new DragEvent("drop", { dataTransfer: drop, bubbles: true, cancelable: true }));
  }, names.slice(0, 3).map((f) => [f, readFileSync(join(folder, f), "latin1")]));
  await page.waitForFunction(() => document.getElementById("schedule-count").textContent === "3 bearings");
  check((await page.$$("#schedule tbody tr")).length === 3, "three files dropped give three rows");
  check(problems.length === 0, "no page errors in the schedule test: " + problems.join("; "));
  await context.close();
  section("4. the schedule");
}

// ---------------------------------------------------------------------------
// 5. Printing: each example's report on Letter and on A4, exactly 5 pages,
//    each with its own PAGE n; the drawing sheet on one page; a report opened
//    as a .rpt; an impossible design and a rejected problem.
function checkPrint(pdfFile, what) {
  const footers = pageTexts(pdfFile).map((t) => (t.match(/PAGE \d/g) || []).join(","));
  const want = ["PAGE 1", "PAGE 2", "PAGE 3", "PAGE 4", "PAGE 5"];
  check(footers.length === 5 && footers.every((f, i) => f === want[i]), `${what}: ${footers.length} pages, footers ${footers.join(" | ")}`);
}
{
  const { page, context, problems } = await openPage();
  for (const f of readdirSync(examplesDir).filter((x) => x.endsWith(".dat")).sort()) {
    await page.evaluate((b, fixed) => {
      const r = window.bearingpad.run(Uint8Array.from(atob(b), (c) => c.charCodeAt(0)), new Date(...fixed));
      window.bearingpad.view(r.report);
    }, b64(readFileSync(join(examplesDir, f))), FIXED);
    for (const format of ["Letter", "A4"]) {
      const out = join(pdfDir, `${basename(f, ".dat")}-${format}.pdf`);
      await page.pdf({ path: out, format, printBackground: false });
      checkPrint(out, `${f} printed on ${format}`);
    }
  }
  const outcomeOfCase = (f) => readFileSync(join(nativeDir, f.replace(/\.dat$/, ".out")), "latin1");
  const cases = readdirSync(casesDir).filter((f) => f.startsWith("case-")).sort();
  const impossible = cases.find((f) => /design not possible/.test(outcomeOfCase(f)));
  const rejected = cases.find((f) => /rejected: NUMBER OF HOLES/.test(outcomeOfCase(f)));
  for (const [f, pagesWanted] of [[impossible, 5], [rejected, 1]]) {
    if (!check(!!f, "a generated case of " + pagesWanted + " page(s)")) continue;
    await page.evaluate((b) => window.bearingpad.view(Uint8Array.from(atob(b), (c) => c.charCodeAt(0))),
                        b64(readFileSync(join(nativeDir, f.replace(/\.dat$/, ".rpt")))));
    const out = join(pdfDir, f.replace(/\.dat$/, "-Letter.pdf"));
    await page.pdf({ path: out, format: "Letter" });
    const texts = pageTexts(out);
    const footers = texts.map((t) => (t.match(/PAGE \d/g) || []).join(","));
    const last = texts[texts.length - 1];
    check(texts.length === pagesWanted && (pagesWanted === 1 ? footers[0] === "" && /NUMBER OF HOLES/.test(last)
                                                             : footers[4] === "PAGE 5" && /DESIGN NOT POSSIBLE/.test(last)),
          `${f} printed: ${texts.length} pages, footers ${footers.join(" | ")}`);
  }
  // The generated report with the longest page on both papers.
  const pageLines = (f) => Math.max(...readFileSync(join(nativeDir, f.replace(/\.dat$/, ".rpt")), "latin1")
    .split("\f").map((p) => p.split("\n").length));
  const solved = cases.filter((f) => /^0\n.*written, (no|\d+) warning/s.test(outcomeOfCase(f)));
  const longest = solved.reduce((a, f) => (pageLines(f) > pageLines(a) ? f : a), solved[0]);
  await page.evaluate((b) => window.bearingpad.view(Uint8Array.from(atob(b), (c) => c.charCodeAt(0))),
                      b64(readFileSync(join(nativeDir, longest.replace(/\.dat$/, ".rpt")))));
  for (const format of ["Letter", "A4"]) {
    const out = join(pdfDir, longest.replace(/\.dat$/, `-${format}.pdf`));
    await page.pdf({ path: out, format });
    checkPrint(out, `${longest} (longest page, ${pageLines(longest)} lines) printed on ${format}`);
  }
  // The drawing sheet of the form's problem on one page, when the engine draws.
  await page.click("#run");
  await page.evaluate(() => window.bearingpad.rendered());
  if (await page.$eval("#pictures", (e) => !e.hidden)) {
    for (const format of ["Letter", "A4"]) {
      await page.evaluate(() => window.bearingpad.preparePrint("drawing"));
      const out = join(pdfDir, `drawing-${format}.pdf`);
      await page.pdf({ path: out, format, landscape: true });
      await page.evaluate(() => window.bearingpad.endPrint());
      const texts = pageTexts(out);
      check(texts.length === 1 && /BILL OF LAYERS/.test(texts[0]) && !/^ *PAGE \d/m.test(texts[0]),
            `the drawing sheet printed on ${format} landscape: ${texts.length} page(s)`);
    }
  } else {
    console.log("no drawing in this engine: the drawing sheet is not printed");
  }
  // The report is portrait even when the dialog asks for landscape.
  {
    const out = join(pdfDir, "report-asked-landscape-Letter.pdf");
    await page.pdf({ path: out, format: "Letter", landscape: true });
    const size = /Page size:\s+([\d.]+) x ([\d.]+)/.exec(execFileSync("pdfinfo", [out], { encoding: "latin1" }));
    check(pageTexts(out).length === 5 && Number(size[1]) < Number(size[2]),
          `the report asked for on landscape Letter prints 5 portrait pages: ${pageTexts(out).length} of ${size[1]} x ${size[2]} pt`);
  }
  // A .rpt opened with Open, for viewing and printing alone.
  await (await page.$("#open")).uploadFile(join(nativeDir, "two-plates.rpt"));
  await page.waitForFunction(() => document.getElementById("file-name").textContent === "two-plates.rpt");
  for (const format of ["Letter", "A4"]) {
    const out = join(pdfDir, `opened-two-plates-${format}.pdf`);
    await page.pdf({ path: out, format });
    checkPrint(out, `two-plates.rpt opened and printed on ${format}`);
  }
  check(problems.length === 0, "no page errors in the print test: " + problems.join("; "));
  await context.close();
  section("5. printing");
}

// ---------------------------------------------------------------------------
// 6. The verdict on the page and the trial's faults: the trial's problems
//    give no green, no "pass" and no bar, and their banners name what is not
//    physical beside the field; the refused field's banner greys whole; a
//    number being typed greys nothing; refusals give the limit first; the
//    selects are not cut; the outcome in view at the foot of the form; the
//    drawing at true scale; the schedule leads with its verdict at 1366.
const GREEN = "rgb(46, 125, 50)";
async function noGreenNoPass(page, what) {
  await page.evaluate(() => window.bearingpad.rendered());
  const seen = await page.evaluate((green) => {
    const els = [document.getElementById("outcome"), ...document.querySelectorAll("#outcome *, #checks *")];
    const greens = els.filter((e) => { const s = getComputedStyle(e); return [s.color, s.backgroundColor, s.borderLeftColor].includes(green); });
    return { greens: greens.length, bars: document.querySelectorAll("#checks .bar").length,
             pass: /\bpass/i.test(document.getElementById("outcome").innerText + document.getElementById("checks").tBodies[0].innerText),
             outcome: document.getElementById("outcome").innerText };
  }, GREEN);
  check(seen.greens === 0 && seen.bars === 0 && !seen.pass, `${what}: no green (${seen.greens}), no bar (${seen.bars}), no "pass" (${seen.pass}): ${seen.outcome.slice(0, 160)}`);
  return seen.outcome;
}
// The width in inches of the widest dark horizontal line of a PDF's page 1
// drawn at 200 dots an inch (the drawing's frame).
function frameWidth(pdfFile) {
  const pgm = execFileSync("pdftoppm", ["-r", "200", "-gray", "-f", "1", "-l", "1", pdfFile], { maxBuffer: 1 << 26 });
  const header = /^P5\s+(\d+)\s+(\d+)\s+255\s/.exec(pgm.toString("latin1", 0, 40));
  const [w, h] = [Number(header[1]), Number(header[2])];
  const data = pgm.subarray(header[0].length);
  let best = 0;
  for (let y = 0; y < h; y++) {
    let run = 0;
    for (let x = 0; x < w; x++) {
      run = data[y * w + x] < 100 ? run + 1 : 0;
      if (run > best) best = run;
    }
  }
  return best / 200;
}
{
  const { page, context, problems } = await openPage({ fixedClock: true });
  await page.click("#clear");
  const fresh = await text(page, "#outcome");
  check(/1 hole of 3\.0 in/.test(fresh) && /3\.0 in/.test(await text(page, "#note-holes")),
        "New says what a blank fills in, and the hole count's note shows the 3 in hole: " + (await text(page, "#note-holes")));
  await type(page, "number", "0001");
  let banner = await noGreenNoPass(page, "New, then only a problem number");
  check(/not evaluated: .*no load/.test(banner) && /no load/.test(await text(page, "#mark-dead")),
        "no load: the banner and the dead load's field say so: " + (await text(page, "#mark-dead")));
  await page.click("input[name=mode][value=A]");
  for (const [id, v] of [["width", "14"], ["length", "9"], ["dead", "40"], ["live", "20"]]) await type(page, id, v);
  banner = await noGreenNoPass(page, "an analysis 14 x 9 with a blank thickness");
  check(/thickness/.test(banner) && /not evaluated/.test(await text(page, "#mark-thickness")), "the thickness field is named: " + (await text(page, "#mark-thickness")));
  for (const [id, v] of [["width", "2"], ["length", "2"], ["thickness", "2"]]) await type(page, id, v);
  banner = await noGreenNoPass(page, "a 2 x 2 in pad with the default 3 in hole");
  check(/hole/.test(await text(page, "#mark-diameter")), "the hole diameter's field is named: " + (await text(page, "#mark-diameter")));
  for (const [id, v] of [["width", "14"], ["length", "9"], ["thickness", "2"], ["dead", "-40"]]) await type(page, id, v);
  await noGreenNoPass(page, "a negative dead load");
  check(/dead load is below 0/.test(await text(page, "#mark-dead")), "a negative dead load is marked: " + (await text(page, "#mark-dead")));
  await page.click("input[name=mode][value=' ']");
  for (const [id, v] of [["width", "10"], ["length", "8"], ["thickness", ""], ["dead", "900"], ["live", "300"]]) await type(page, id, v);
  banner = await noGreenNoPass(page, "a design 10 x 8 in with 900 + 300 K");
  check(/Design not possible/.test(banner) && /Last bearing tried: /.test(banner), "the impossible design names the last bearing tried: " + banner.slice(0, 160));
  // A design that holds states its answer; its checks pass in green.
  for (const [id, v] of [["width", ""], ["length", ""], ["dead", "40"], ["live", "20"], ["fixity", "100"], ["span", "80"],
                         ["camber", "1"], ["deaddefl", ".5"], ["livedefl", ".25"]]) await type(page, id, v);
  await page.evaluate(() => window.bearingpad.rendered());
  check(/^Designed: [\d.]+ x [\d.]+ x [\d.]+ in/.test(await text(page, "#outcome")) && /adequate/i.test(await text(page, "#outcome")) &&
        (await page.$$("#checks .bar")).length > 0, "a design states its answer: " + (await text(page, "#outcome")).slice(0, 160));

  // A refused field greys the whole banner (no bare text left bright); a
  // number begun with "." greys nothing; refusals give the limit first.
  await type(page, "width", "1,5");
  check(await page.$eval("#outcome", (o) => [...o.childNodes].every((n) => n.nodeType === 1) &&
        [...o.children].every((e) => e.classList.contains("stale-note") || getComputedStyle(e).opacity < 0.5)),
        "a refused field greys every part of the old banner");
  await type(page, "width", "");
  await page.keyboard.type(".");
  check(!(await page.$eval("#results-side", (e) => e.classList.contains("stale"))), "typing \".\" greys nothing");
  await page.keyboard.type("25");
  check(!(await page.$eval("#results-side", (e) => e.classList.contains("stale"))) && (await text(page, "#refused-width")) === "", "\".25\" is solved");
  await type(page, "dead", "123456.7");
  check(/^At most 99999 K: 123456\.7 does not fit F6\.3 \(cols 17-22\)/.test(await text(page, "#refused-dead")), "a refusal gives the limit first: " + (await text(page, "#refused-dead")));
  await type(page, "dead", "40");
  // Each select wide enough for its longest text.
  const cut = await page.$$eval(".field select", (ss) => ss.filter((s) => {
    const probe = document.createElement("span");
    probe.style.font = getComputedStyle(s).font;
    probe.style.position = "absolute";
    document.body.appendChild(probe);
    const widest = Math.max(...[...s.options].map((o) => { probe.textContent = o.textContent; return probe.getBoundingClientRect().width; }));
    probe.remove();
    return widest + 24 > s.clientWidth;
  }).map((s) => s.id));
  check(cut.length === 0, "no select's text cut off: " + cut.join(", "));
  // At 1366 x 768, scrolled to the beam record's foot, the outcome is whole in view.
  for (const id of ["row-dead", "row-livedefl"]) {
    await page.$eval("#" + id, (e) => e.scrollIntoView({ block: "end" }));
    await page.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
    const r = await page.$eval("#outcome", (e) => { const b = e.getBoundingClientRect(); return [b.top, b.bottom]; });
    check(r[0] >= -1 && r[1] <= 768, `scrolled to ${id}, the outcome is whole in view: ${r}`);
  }
  await screenshots(page, "outcome-at-foot");

  // The drawing at true scale: a 10.0 in frame on Letter and A4 landscape.
  await page.click("#clear");
  await (await page.$("#open")).uploadFile(join(examplesDir, "analysis.dat"));
  await page.waitForFunction(() => document.getElementById("file-name").textContent === "analysis.dat");
  await page.evaluate(() => window.bearingpad.rendered());
  for (const format of ["Letter", "A4"]) {
    await page.evaluate(() => window.bearingpad.preparePrint("drawing"));
    const out = join(pdfDir, `drawing-true-scale-${format}.pdf`);
    await page.pdf({ path: out, format, landscape: true });
    await page.evaluate(() => window.bearingpad.endPrint());
    const size = /Page size:\s+([\d.]+) x ([\d.]+)/.exec(execFileSync("pdfinfo", [out], { encoding: "latin1" }));
    const frame = frameWidth(out);
    check(pageTexts(out).length === 1 && Number(size[1]) > Number(size[2]) && Math.abs(frame - 10.0) <= 0.02,
          `the drawing on ${format} landscape: one page of ${size[1]} x ${size[2]} pt, its frame ${frame.toFixed(3)} in wide (10.0 in drawn)`);
  }

  // The schedule at 1366: the verdict, the governing check in words and its
  // ratio lead, in view without scrolling sideways.
  const trial = join(outDir, "trial");
  rmSync(trial, { recursive: true, force: true });
  mkdirSync(trial);
  writeFileSync(join(trial, "no-thickness.dat"), "    0001NO THICKNESS\n A   14.0   9.0\n    100.0   80.0  40.0 20.0    1.0  .5 .25\n", "latin1");
  copyFileSync(join(examplesDir, "analysis.dat"), join(trial, "analysis.dat"));
  await (await page.$("#open")).uploadFile(join(trial, "analysis.dat"), join(trial, "no-thickness.dat"));
  await page.waitForFunction(() => !document.getElementById("schedule-box").hidden);
  const lead = await page.evaluate(() => {
    const head = [...document.querySelectorAll("#schedule thead th")].map((th) => th.textContent);
    const rows = [...document.querySelectorAll("#schedule tbody tr")].map((tr) => [...tr.children].slice(1, 5).map((td) => td.textContent));
    const v = document.querySelector("#schedule thead th.verdict-col").getBoundingClientRect();
    return { head: head.slice(1, 5), rows, right: v.right, scroll: document.querySelector("#schedule-box .table-scroll").scrollLeft, width: window.innerWidth };
  });
  check(lead.head.join() === "verdict,governing check,ratio,file" && lead.right <= lead.width && lead.scroll === 0,
        `the schedule leads with the verdict in view at 1366: ${lead.head.join()} (right edge ${lead.right})`);
  check(lead.rows[0].join("|") === "inadequate|Internal plate, working loads|1.211|analysis.dat" &&
        lead.rows[1][0] === "not evaluated" && lead.rows[1][2] === "", "the schedule's verdicts: " + JSON.stringify(lead.rows));
  await screenshots(page, "schedule-verdict");
  check(problems.length === 0, "no page errors in the verdict test: " + problems.join("; "));
  await context.close();
  section("6. the verdict and the trial's faults");
}

// ---------------------------------------------------------------------------
// 7. A table of bearings: the bridge example opened as the schedule, a cell
//    refused in place, then mended and its row solved again as the command
//    line solves the row's .dat; a TAB table pasted; Save all as one zip.
{
  const { page, context, problems } = await openPage({ fixedClock: true });
  const folder = join(outDir, "table");
  rmSync(folder, { recursive: true, force: true });
  mkdirSync(folder);
  await (await page.$("#open")).uploadFile(join(examplesDir, "bridge.csv"));
  await page.waitForFunction(() => !document.getElementById("schedule-box").hidden);
  const verdicts = () => page.$$eval("#schedule tbody tr", (rows) => rows.map((r) => r.querySelector(".verdict").textContent));
  const before = await verdicts();
  check(before.length === 24 && before.every((v) => v === "adequate" || v === "inadequate"), "the bridge: 24 rows solved: " + before.join());
  const cell = "#schedule input[aria-label='dead_load, row 2']";
  const setCell = async (value) => {
    await page.$eval(cell, (e, v) => { e.value = v; e.dispatchEvent(new Event("change", { bubbles: true })); }, value);
  };
  await setCell("123456.7");
  const refused = await page.$eval(cell, (e) => [e.className, e.title]);
  const after = await verdicts();
  check(refused[0] === "refused" && /row 2, `dead_load` = 123456.7: at most 99999/.test(refused[1]) &&
        after[0] === "refused" && after.slice(1).join() === before.slice(1).join(),
        "a value too long is refused in its cell with its reason, the other rows as they were: " + refused.join(" | "));
  check(await page.$eval("#schedule tbody tr:nth-child(1)", (r) => getComputedStyle(r.querySelector(".verdict")).color) !== GREEN,
        "a refused row is not green");
  await setCell("95");
  check((await verdicts())[0] !== "refused" && (await page.$eval(cell, (e) => e.className)) === "",
        "the mended cell solves its row again: " + (await verdicts())[0]);
  // The row against the command line: the table as changed, through --table.
  const lines = readFileSync(join(examplesDir, "bridge.csv"), "utf8").split("\n");
  lines[1] = lines[1].replace(",52.0,28.0,", ",95,28.0,");
  writeFileSync(join(folder, "bridge.csv"), lines.join("\n"));
  const native = spawnSync(join(nativeBuild, "bearingpad"), ["-y", "--schedule", "--table", "bridge.csv"], { cwd: folder });
  spawnSync(join(nativeBuild, "native_solve"), [folder, join(folder, "A1-G1.dat")]);
  await page.click("#schedule tbody tr:nth-child(1) button[data-act=save]");
  const rpt = await saved(page, "A1-G1.rpt");
  check(!!rpt && rpt.equals(readFileSync(join(folder, "A1-G1.dat.rpt").replace(".dat.rpt", ".rpt"))) ,
        "the changed row's report equals the command line's for its .dat");
  await page.click("#save-schedule");
  const sched = await saved(page, "schedule.csv");
  check(!!sched && native.stdout.length > 0 && sched.equals(native.stdout),
        `Save schedule of the table equals --table --schedule (${sched ? sched.length : 0} / ${native.stdout.length} bytes)`);
  await page.click("#save-all");
  const zip = await saved(page, "bridge.zip");
  check(!!zip && zip.readUInt32LE(0) === 0x04034b50 && zip.includes("A1-G1.dat") && zip.includes(rpt || "none"),
        "Save all: one zip with every row's .dat and .rpt");
  // A row opened in the form, changed there: the row follows.
  await page.click("#schedule tbody tr:nth-child(3) button[data-act=open]");
  await type(page, "dead", "70");
  await page.click("#show-schedule");
  check(await page.$eval("#schedule input[aria-label='dead_load, row 4']", (e) => e.value) === "70" && (await verdicts())[2] !== "refused",
        "a row opened in the form and changed there changes in the table");
  // A TAB table pasted on the schedule.
  const tsv = "mark\ttitle\tmode\twidth\tdistance_to_fixity\tdesign_span\tdead_load\tlive_load\tquantity\n" +
              "P1\tPASTED\tdesign\t16\t130\t80\t52\t28\t2\n" +
              "P2\tPASTED\tdesign\t16\t130\t80\t52\t28\t0\n";
  await page.evaluate((text) => {
    const e = new Event("paste", { bubbles: true, cancelable: true });
    Object.defineProperty(e, "clipboardData", { value: { getData: () => text } });
    document.getElementById("schedule").dispatchEvent(e);
  }, tsv);
  const pasted = await verdicts();
  const mark = await page.$eval("#schedule tbody tr:nth-child(2) input.refused", (e) => e.title).catch(() => "");
  check(pasted.length === 2 && (pasted[0] === "adequate" || pasted[0] === "inadequate") && pasted[1] === "refused" &&
        /`quantity` = 0/.test(mark), "a pasted TAB table becomes the schedule, its refused cell marked: " + pasted.join() + " " + mark);
  check(problems.length === 0, "no page errors in the table test: " + problems.join("; "));
  await context.close();
  section("7. the table of bearings");
}

// ---------------------------------------------------------------------------
// 8. Under the shipped laminated criteria set and the shipped standard pads,
//    then under the plain set alone: every case of OWNER_CASES against
//    native_solve --criteria [--catalog]
//    (report, status, console line, failure, JSON, schedule row and the
//    chosen pad's records); a refused set or catalog keeps what was taken.
const LAMINATED = "criteria-laminated-pads.toml";
const PLAIN = "criteria-plain-pads.toml";
const CATALOG = "standard-pads.csv";
{
  const { page, context, problems } = await openPage();
  const taken = await page.evaluate((toml, csv, names) => {
    const enc = new TextEncoder();
    const bad = window.bearingpad.criteria(enc.encode("name = \"x\"\ndocument = \"d\"\nedition = \"e\"\n[limits]\nmax_stres_psi = { value = 800, unit = \"psi\", article = \"a\" }\n"), "typo.toml");
    return [window.bearingpad.criteria(enc.encode(toml), names[0]), window.bearingpad.catalog(enc.encode(csv), names[1]), bad,
            window.bearingpad.catalog(enc.encode("mark,width\nX,abc\n"), "bad.csv"), document.getElementById("criteria").value,
            document.getElementById("catalog").value];
  }, readFileSync(join(examplesDir, LAMINATED), "utf8"), readFileSync(join(examplesDir, CATALOG), "utf8"), [LAMINATED, CATALOG]);
  check(taken[0] === "" && taken[1] === "", "the shipped set and catalog are taken: " + taken.slice(0, 2).join(" | "));
  check(taken[2] === "line 5: `max_stres_psi` is not a criterion; did you mean `max_stress_psi`?" && taken[3] !== "" &&
        taken[4] === "file:" + LAMINATED && taken[5] === "file:" + CATALOG,
        "a refused set and a refused catalog say why and keep what was taken: " + taken.slice(2).join(" | "));
  const files = readdirSync(ownerCases).filter((f) => f.endsWith(".dat")).sort();
  // Under the laminated set with the catalog, then under the plain set alone.
  for (const [rules, nativeOut] of [[LAMINATED + " and " + CATALOG, ownerNative], [PLAIN, ownerNative + "-plain"]]) {
    if (nativeOut !== ownerNative) {
      const retaken = await page.evaluate((toml, name) => [window.bearingpad.criteria(new TextEncoder().encode(toml), name),
                                                          window.bearingpad.catalog(new Uint8Array(0))],
                                          readFileSync(join(examplesDir, PLAIN), "utf8"), PLAIN);
      check(retaken.join("|") === "|", "the plain set taken and the catalog taken away: " + retaken.join(" | "));
    }
    let mismatches = 0;
    let chosen = 0;
    let owners = 0;
    for (let start = 0; start < files.length; start += 50) {
      const batch = files.slice(start, start + 50);
      const results = await page.evaluate((inputs, fixed) => {
        const fromB64 = (s) => Uint8Array.from(atob(s), (c) => c.charCodeAt(0));
        const toB64 = (b) => { let s = ""; for (const x of b) s += String.fromCharCode(x); return btoa(s); };
        return inputs.map((i) => {
          const r = window.bearingpad.run(fromB64(i), new Date(...fixed));
          return { status: r.status, report: toB64(r.report), console: r.console, failure: r.failure, standard: toB64(r.standard),
                   standardName: r.standardName, result: JSON.stringify(r.result), scheduleRow: r.scheduleRow };
        });
      }, batch.map((f) => b64(readFileSync(join(ownerCases, f)))), FIXED);
      batch.forEach((f, k) => {
        const name = basename(f, ".dat");
        const r = results[k];
        const out = readFileSync(join(nativeOut, name + ".out"), "latin1");
        const want = { status: Number(out.slice(0, out.indexOf("\n"))), console: out.slice(out.indexOf("\n") + 1, out.indexOf("\r\n") + 2),
                       failure: out.slice(out.indexOf("\r\n") + 2) };
        const std = readFileSync(join(nativeOut, name + ".std"));
        if (std.length) chosen++;
        if (/"owner":true/.test(r.result)) owners++;
        const same = r.status === want.status && r.console === want.console && r.failure === want.failure &&
          Buffer.from(r.report, "base64").equals(readFileSync(join(nativeOut, name + ".rpt"))) &&
          Buffer.from(r.standard, "base64").equals(std) && r.standardName === (std.length ? "input.standard.dat" : "") &&
          r.result === JSON.stringify(JSON.parse(readFileSync(join(nativeOut, name + ".json"), "utf8"))) &&
          r.scheduleRow === readFileSync(join(nativeOut, name + ".csv"), "utf8");
        if (!check(same, f + ": under " + rules + ", page and native program differ") && ++mismatches <= 5) {
          console.log(`  status ${r.status} / ${want.status}; console ${JSON.stringify(r.console)} / ${JSON.stringify(want.console)}`);
        }
      });
    }
    // With the catalog a pad is chosen for most cases; without, none.
    check(nativeOut === ownerNative ? chosen > files.length / 2 : chosen === 0,
          `under ${rules}: a standard pad chosen for ${chosen} of ${files.length} cases`);
    check(owners > files.length / 2, `under ${rules}: the owner's checks in ${owners} of ${files.length} results`);
    console.log(`compared ${files.length} inputs under ${rules} with the native program`);
  }
  check(problems.length === 0, "no page errors in the owner's comparison: " + problems.join("; "));
  await context.close();
  section("8. the owner's criteria and standard pads");
}

// ---------------------------------------------------------------------------
// 9. The choices on the page: each built-in set gives the owner's heading
//    in the checks and the rules with the verdict; a refused .toml opened
//    shows its line; a failed check shows its remedy; Design from this pad;
//    the catalog's type in the schedule and Save .standard.dat.
{
  const { page, context, problems } = await openPage({ fixedClock: true });
  await (await page.$("#open")).uploadFile(join(examplesDir, "analysis.dat"));
  await page.waitForFunction(() => document.getElementById("file-name").textContent === "analysis.dat");
  check((await page.$$("#checks tr.owner-head")).length === 0 && /AASHTO 1992 Art\. 14\.4\.1 Method A\./.test(await text(page, "#outcome .rules")),
        "AASHTO only: no owner's heading, the rules say AASHTO alone: " + (await text(page, "#outcome .rules")));
  // The failed check's remedy, as the native JSON gives it.
  const native = JSON.parse(readFileSync(join(nativeDir, "analysis.json"), "utf8"));
  const failing = native.checks.filter((c) => c.verdict === "fails");
  const remedies = await page.$$eval("#checks tr.fail", (rows) => rows.map((r) => [r.dataset.key, (r.querySelector(".remedy") || {}).textContent]));
  check(failing.length > 0 && remedies.length === failing.length &&
        failing.every((c) => remedies.some(([k, t]) => k === c.key && t === "What to change: " + c.remedy)),
        "each failed check shows its remedy: " + JSON.stringify(remedies));
  for (const [file, name] of [[PLAIN, "Example: plain pad sheet"], [LAMINATED, "Example: laminated pad manual"]]) {
    await page.select("#criteria", file);
    const head = await text(page, "#checks tr.owner-head");
    const rules = await text(page, "#outcome .rules");
    const ownerRows = await page.$$eval("#checks tr.owner-head ~ tr", (rows) => rows.map((r) => r.querySelector("th").textContent));
    check(head.startsWith("The owner's criteria: " + name + " (") && rules.includes(" and " + name + " (") &&
          (await text(page, "#rules-status")).includes(name) && ownerRows.length > 0 && ownerRows.every((t) => t.startsWith("Owner: ")),
          `${file}: the owner's heading, its checks and the rules: ${head} | ${rules} | ${ownerRows.length} rows`);
  }
  // Design from this pad, under the laminated set: the design's answer as
  // the native program gives it for the same records in design mode.
  await page.click("#design-from-pad");
  await page.waitForFunction(() => !document.getElementById("design-box").hidden);
  // The form holds the file's values: the records are the form's.
  const records = (await recordsShown(page)).split("\n");
  records[1] = records[1][0] + " " + records[1].slice(2);
  const designDir = join(outDir, "design-from-pad");
  mkdirSync(designDir, { recursive: true });
  writeFileSync(join(designDir, "design.dat"), records.join("\n"), "latin1");
  execFileSync(join(nativeBuild, "native_solve"), ["--criteria", join(examplesDir, LAMINATED), designDir, join(designDir, "design.dat")]);
  const design = JSON.parse(readFileSync(join(designDir, "design.json"), "utf8"));
  const shownDesign = await text(page, "#design-outcome");
  check(!!design.answer && shownDesign.startsWith(design.answer + ". " + design.verdict.text.charAt(0).toUpperCase()) &&
        shownDesign.includes(design.verdict.rules) && (await page.$$("#design-checks tbody tr")).length === design.checks.length &&
        !(await page.$eval("#outcome", (e) => e.hidden)) && (await text(page, "#file-name")) === "analysis.dat",
        "Design from this pad shows the design's answer and checks beside the analysis: " + shownDesign.slice(0, 120));
  await screenshots(page, "design-from-pad");
  // A criteria file refused: its line, and the set taken stays.
  const typo = join(outDir, "typo.toml");
  writeFileSync(typo, readFileSync(join(examplesDir, PLAIN), "utf8").replace("max_stress_plain_psi", "max_stres_plain_psi"));
  await (await page.$("#open-criteria")).uploadFile(typo);
  await page.waitForFunction(() => /typo\.toml/.test(document.getElementById("message").textContent));
  check(/^typo\.toml: not taken: line \d+: `max_stres_plain_psi` is not a criterion; did you mean `max_stress_plain_psi`\?/.test(await text(page, "#message")) &&
        (await page.$eval("#criteria", (e) => e.value)) === LAMINATED,
        "a refused .toml shows its line and keeps the set: " + (await text(page, "#message")));
  // The catalog: the type chosen in the results and the schedule, its records saved.
  await page.select("#catalog", CATALOG);
  const padOf = (f) => {
    const line = readFileSync(join(ownerNative, f.replace(/\.dat$/, ".out")), "latin1").split("\n")[1];
    const m = /; standard pad (.*?); input\.standard\.dat|no standard pad passes: (.*?) has the lowest/.exec(line);
    return m ? m[1] || m[2] : "";
  };
  check((await text(page, "#outcome .rules")).includes("Standard pad: " + padOf("analysis.dat")), "the outcome names the standard pad: " + (await text(page, "#outcome .rules")));
  // The form holds the file's values: its records are the form's.
  writeFileSync(join(designDir, "form.dat"), await recordsShown(page), "latin1");
  execFileSync(join(nativeBuild, "native_solve"), ["--criteria", join(examplesDir, LAMINATED), "--catalog", join(examplesDir, CATALOG),
                                                   designDir, join(designDir, "form.dat")]);
  await page.click("#save-standard");
  const standard = readFileSync(join(designDir, "form.std"));
  check(standard.length > 0 && (await saved(page, "analysis.standard.dat"))?.equals(standard) === true,
        "Save .standard.dat saves the chosen pad's records as native_solve --catalog writes them");
  // Design from this pad with the catalog open: the chosen pad's records in
  // design mode, solved without the catalog (which would analyse its pads).
  const stdRecords = standard.toString("latin1").split("\n");
  stdRecords[1] = stdRecords[1][0] + " " + stdRecords[1].slice(2);
  writeFileSync(join(designDir, "std-design.dat"), stdRecords.join("\n"), "latin1");
  execFileSync(join(nativeBuild, "native_solve"), ["--criteria", join(examplesDir, LAMINATED), designDir, join(designDir, "std-design.dat")]);
  const stdDesign = JSON.parse(readFileSync(join(designDir, "std-design.json"), "utf8"));
  await page.click("#design-from-pad");
  await page.waitForFunction(() => !document.getElementById("design-box").hidden);
  const shownStd = await text(page, "#design-outcome");
  check(!!stdDesign.answer && shownStd.startsWith(stdDesign.answer + ". "),
        "Design from this pad with a catalog designs from the chosen pad: " + shownStd.slice(0, 120));
  await (await page.$("#open")).uploadFile(join(examplesDir, "analysis.dat"), join(examplesDir, "design.dat"));
  await page.waitForFunction(() => !document.getElementById("schedule-box").hidden);
  const lead = await page.evaluate(() => ({
    head: [...document.querySelectorAll("#schedule thead th")].slice(1, 5).map((th) => th.textContent),
    pads: [...document.querySelectorAll("#schedule tbody tr")].map((tr) => tr.querySelector(".pad").textContent) }));
  check(lead.head.join() === "verdict,governing check,ratio,standard pad" && lead.pads.join() === [padOf("analysis.dat"), padOf("design.dat")].join() &&
        lead.pads.every((p) => p !== "") && /laminated pad manual.*standard pads from standard-pads\.csv/.test(await text(page, "#schedule-rules")),
        "the schedule leads with the standard pad: " + JSON.stringify(lead));
  await screenshots(page, "schedule-standard-pads");
  check(problems.length === 0, "no page errors in the owner's choices: " + problems.join("; "));
  await context.close();
  section("9. the owner's choices on the page");
}

await browser.close();
if (profile) rmSync(profile, { recursive: true, force: true });
console.log(`${browserName}: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);

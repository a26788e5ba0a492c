// The page's speed in headless Chromium and Firefox, printed, never judged:
// a keystroke in the form to the outcome, checks and drawing handled (the
// input event's work with its layout) and painted (the frame after it), and
// to the report's pages painted, which follow a frame later (median and 95th
// percentile); page load to the first result, 200 input files opened at once
// to a complete schedule, and the page's size. Uses tests/web's puppeteer-core
// (npm ci there first).
//
//     node benchmarks/page_benchmark.mjs build-web/bearingpad.html [chromium|firefox ...]
import { execFileSync } from "node:child_process";
import { mkdtempSync, readdirSync, rmSync, statSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const puppeteer = createRequire(join(here, "../tests/web/package.json"))("puppeteer-core");
const [pageArg, ...browsers] = process.argv.slice(2);
if (!pageArg) {
  console.error("usage: node benchmarks/page_benchmark.mjs PAGE [chromium|firefox ...]");
  process.exit(2);
}
const pagePath = resolve(pageArg);
const url = pathToFileURL(pagePath).href;
const cases = mkdtempSync(join(tmpdir(), "bearingpad-bench-"));
execFileSync("node", [join(here, "../tests/web/gen_cases.mjs"), cases, "200", "7"]);
const files = readdirSync(cases).filter((f) => f.endsWith(".dat")).sort().map((f) => join(cases, f));
const size = statSync(pagePath).size;
console.log(`page size: ${size} bytes (${(size / 1024).toFixed(0)} KB; aim: under 500 KB)`);

const pct = (xs, p) => xs[Math.min(xs.length - 1, Math.floor((xs.length - 1) * p))];
for (const name of browsers.length ? browsers : ["chromium", "firefox"]) {
  const profile = name === "firefox" ? mkdtempSync(join(tmpdir(), "bearingpad-bench-firefox-")) : null;
  const browser = await puppeteer.launch(name === "firefox"
    ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true, userDataDir: profile }
    : { executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox", "--disable-gpu"] });
  console.log(`== ${name} ${await browser.version()}`);

  // Page load to the first result, in new tabs of the running browser.
  const loads = [];
  for (let i = 0; i < 7; i++) {
    const page = await browser.newPage();
    await page.goto(url, { waitUntil: "load" });
    await page.evaluate(() => window.bearingpad.ready.then((b) => b.rendered()));
    loads.push((await page.evaluate(() => window.bearingpad.timing)).firstReport);
    await page.close();
  }
  loads.sort((a, b) => a - b);
  console.log(`page load to first result: median ${pct(loads, 0.5).toFixed(0)} ms, best ${loads[0].toFixed(0)} ms (of 7)`);

  const page = await browser.newPage();
  await page.setViewport({ width: 1366, height: 768 });
  await page.goto(url, { waitUntil: "load" });
  await page.evaluate(() => window.bearingpad.ready);
  // A keystroke: the dead load changed, the input event handled (solve,
  // outcome, checks, drawing, marks) and laid out, then painted: the time
  // at which a task queued by the next animation frame runs, after that
  // frame's paint. The report's pages follow in the frame after, painted.
  for (const [what, mode] of [["analysis", "A"], ["design", " "]]) {
    const times = await page.evaluate(async (mode) => {
      document.querySelector(`input[name=mode][value="${mode}"]`).click();
      await window.bearingpad.rendered();
      const afterPaint = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
      const dead = document.getElementById("f-dead");
      const handled = [];
      const painted = [];
      const report = [];
      const drawing = [];
      const pages = [];
      for (let i = 0; i < 220; i++) {
        await afterPaint();
        dead.value = String(40 + (i % 20));
        const t0 = performance.now();
        dead.dispatchEvent(new Event("input", { bubbles: true }));
        void document.body.offsetHeight;
        handled.push(performance.now() - t0);
        await afterPaint();
        painted.push(performance.now() - t0);
        await window.bearingpad.rendered();
        await afterPaint();
        report.push(performance.now() - t0);
        drawing.push(window.bearingpad.timing.drawWork);
        pages.push(window.bearingpad.timing.renderWork);
      }
      const sort = (xs) => xs.slice(20).sort((a, b) => a - b);
      return { handled: sort(handled), painted: sort(painted), report: sort(report), drawing: sort(drawing), pages: sort(pages) };
    }, mode);
    const figure = (xs) => (xs.some((x) => typeof x !== "number") ? "not measured"
                                                                   : `median ${pct(xs, 0.5).toFixed(1)} ms, p95 ${pct(xs, 0.95).toFixed(1)} ms`);
    console.log(`keystroke (${what}), ${times.handled.length} keystrokes at 1366 x 768 (aim: within one frame, 16 ms):\n` +
                `  outcome, checks and drawing handled and laid out: ${figure(times.handled)} (the drawing alone ${figure(times.drawing)})\n` +
                `  outcome, checks and drawing painted: ${figure(times.painted)}\n` +
                `  report's pages painted (a frame later): ${figure(times.report)} (the pages alone ${figure(times.pages)})`);
  }
  // 200 input files opened at once to the complete schedule.
  const runs = [];
  for (let i = 0; i < 3; i++) {
    await page.evaluate(() => document.getElementById("hide-schedule").click());
    await (await page.$("#open")).uploadFile(...files);
    await page.waitForFunction((n) => !document.getElementById("schedule-box").hidden &&
      document.querySelectorAll("#schedule tbody tr").length === n && window.bearingpad.timing.schedule > window.bearingpad.timing.open,
    {}, files.length);
    runs.push(await page.evaluate(() => { void document.body.offsetHeight; const t = window.bearingpad.timing; return performance.now() - t.open; }));
  }
  runs.sort((a, b) => a - b);
  console.log(`${files.length} files opened to the complete schedule: median ${pct(runs, 0.5).toFixed(0)} ms (of 3)`);
  await browser.close();
  if (profile) rmSync(profile, { recursive: true, force: true });
}
rmSync(cases, { recursive: true, force: true });

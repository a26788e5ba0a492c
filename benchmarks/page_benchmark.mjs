// The page's speed in headless Chromium and Firefox, printed, never judged:
// a keystroke in the form to the updated outcome and checks (the input
// event's handling with its layout) and to the drawing and report's pages,
// drawn in the next frame (median and 95th percentile), page load to the first result, 200 input files opened at once to
// a complete schedule, and the page's size. Uses tests/web's puppeteer-core
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
    await page.evaluate(() => window.bearingpad.ready);
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
  // outcome, checks, marks) and laid out; then the drawing and the report's
  // pages, drawn in the next frame, on the page.
  for (const [what, mode] of [["analysis", "A"], ["design", " "]]) {
    const times = await page.evaluate(async (mode) => {
      document.querySelector(`input[name=mode][value="${mode}"]`).click();
      await window.bearingpad.rendered();
      const dead = document.getElementById("f-dead");
      const handled = [];
      const drawn = [];
      const work = [];
      for (let i = 0; i < 220; i++) {
        dead.value = String(40 + (i % 20));
        const t0 = performance.now();
        dead.dispatchEvent(new Event("input", { bubbles: true }));
        void document.body.offsetHeight;
        handled.push(performance.now() - t0);
        await window.bearingpad.rendered();
        void document.body.offsetHeight;
        drawn.push(performance.now() - t0);
        work.push(window.bearingpad.timing.renderWork);
      }
      const sort = (xs) => xs.slice(20).sort((a, b) => a - b);
      return { handled: sort(handled), drawn: sort(drawn), work: sort(work) };
    }, mode);
    const figure = (xs) => `median ${pct(xs, 0.5).toFixed(1)} ms, 95th percentile ${pct(xs, 0.95).toFixed(1)} ms`;
    console.log(`keystroke (${what}) to updated outcome and checks: ${figure(times.handled)}; ` +
                `to the drawing and report on the page, in the next frame: ${figure(times.drawn)}, ` +
                `of which drawing them ${figure(times.work)} (${times.handled.length} keystrokes; aim: 16 ms)`);
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

import puppeteer from "puppeteer-core";
import { mkdtempSync } from "node:fs";
const which = process.argv[2] || "chrome";
const browser = which === "firefox"
  ? await puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true, userDataDir: mkdtempSync("/tmp/pg/ff-") })
  : await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox", "--disable-gpu"] });
const page = await browser.newPage();
page.on("pageerror", (e) => console.log("pageerror", e.message));
await page.evaluateOnNewDocument(() => { window.__pre = 1; });
await page.setViewport({ width: 1366, height: 768 });
await page.goto("file:///work/wt-page/build-web/bearingpad.html", { waitUntil: "load" });
await page.evaluate(() => window.bearingpad.ready);
console.log("pre", await page.evaluate(() => window.__pre));
const input = await page.$("#open");
await input.uploadFile("/work/wt-page/examples/analysis.dat", "/work/wt-page/examples/design.dat", "/work/wt-page/examples/plain-pad.dat");
await page.waitForFunction(() => !document.getElementById("schedule-box").hidden, { timeout: 5000 }).catch((e) => console.log("no schedule", e.message));
console.log(await page.$$eval("#schedule tbody tr", (r) => r.length));
await page.screenshot({ path: `/tmp/pg/${which}-sched.png` });
await page.pdf({ path: `/tmp/pg/${which}-sched.pdf`, format: "Letter", landscape: true });
for (let i = 0; i < 3; i++) await page.keyboard.press("Tab");
console.log("focus", await page.evaluate(() => document.activeElement.id || document.activeElement.tagName));
await browser.close();

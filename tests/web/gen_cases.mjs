// Writes seeded variations of input files for the page's comparison with the
// native program: both modes, both dimension bases, both beams, every count
// character (valid and rejected), values typed with and without their
// decimal point (the implied-decimal slip), blanks for the defaults, values
// too wide for the report's fields, stray characters (message 64), missing
// records (message 24 and the short reports), CR LF line ends, a byte order
// mark and notes after the records.
//
//     node gen_cases.mjs OUTDIR COUNT [SEED]
import { mkdirSync, writeFileSync } from "node:fs";

const [outdir, countText, seedText] = process.argv.slice(2);
if (!outdir || !countText) {
  console.error("usage: node gen_cases.mjs OUTDIR COUNT [SEED]");
  process.exit(2);
}
let seed = Number(seedText || 18) >>> 0;
function random() {  // mulberry32
  seed = (seed + 0x6d2b79f5) >>> 0;
  let t = seed;
  t = Math.imul(t ^ (t >>> 15), t | 1);
  t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (xs) => xs[Math.floor(random() * xs.length)];
const chance = (p) => random() < p;
const between = (lo, hi) => lo + random() * (hi - lo);

// A real field of w columns with d implied decimals, as an engineer might type it.
function real(w, d, lo, hi) {
  if (chance(0.12)) return " ".repeat(w);
  const v = between(lo, hi);
  let text;
  const style = random();
  if (style < 0.6) {
    text = v.toFixed(pick([0, 1, 2, 3, 4]));          // point typed
    if (text.startsWith("0.") && chance(0.5)) text = text.slice(1);
    if (!text.includes(".")) text += ".";
  } else if (style < 0.8) {
    text = String(Math.round(v * 10 ** d));           // implied decimals, as in the terse style
  } else if (style < 0.9) {
    text = String(Math.round(v));                     // the slip: a whole number without its point
  } else if (style < 0.95) {
    text = (-v).toFixed(2);                           // negative
  } else {
    text = "0.";                                      // zero typed: the default applies
  }
  if (text.length > w) text = text.slice(0, w);
  return chance(0.8) ? text.padStart(w) : text.padEnd(w);
}

function put(rec, col, text) {
  while (rec.length < col - 1 + text.length) rec.push(" ");
  for (let i = 0; i < text.length; i++) rec[col - 1 + i] = text[i];
}

function problem() {
  const title = [], pad = [], beam = [];
  put(title, 5, String(Math.floor(random() * 10000)).padStart(4, "0"));
  put(title, 9, pick(["ROUTE 9 OVER MILL CREEK", "PIER 3 - EXPANSION", "GENERATED CASE", "A TITLE OF SEVENTY-TWO COLUMNS ".repeat(3).slice(0, 72)]));
  put(pad, 2, pick(["A", "A", " ", " ", "a", "D"]));
  put(pad, 3, pick(["B", " ", " ", "b"]));
  put(pad, 4, real(6, 4, 6, 32));
  put(pad, 10, real(6, 4, 4, 26));
  put(pad, 16, real(6, 4, 0.5, 5));
  put(pad, 24, chance(0.08) ? pick(["5", "x", "-"]) : pick([" ", "0", "0", "1", "2", "3", "4"]));
  put(pad, 25, real(5, 4, 0.5, 3));
  put(pad, 30, real(5, 4, 0.1, 0.5));
  put(pad, 35, real(5, 4, 0.1, 0.5));
  put(pad, 44, chance(0.05) ? pick(["3", "L"]) : pick([" ", "0", "1", "2", "2", "2"]));
  put(pad, 45, real(5, 4, 0.1, 0.5));
  put(pad, 56, pick([" ", "0", "1", "2", "3", "5", "9"]));
  put(pad, 59, real(5, 4, 0.03, 0.15));
  put(beam, 2, pick([" ", "C", "S", "S", "s"]));
  put(beam, 3, real(7, 4, 5, 200));
  put(beam, 10, real(7, 4, 20, 200));
  put(beam, 17, real(6, 3, 10, 400));
  put(beam, 24, real(6, 3, 5, 200));
  put(beam, 30, real(5, 3, 0, 3));
  put(beam, 35, real(4, 3, 0, 2));
  put(beam, 39, real(4, 3, 0, 1.5));
  const records = [title, pad, beam].map((r) => r.join(""));

  // The failures and edge cases of the file itself.
  const f = random();
  if (f < 0.04) {                       // a stray character in a numeric field: message 64
    const r = pick([1, 2]);
    const col = r === 1 ? pick([5, 12, 18, 27, 31, 37, 46, 61]) : pick([4, 12, 19, 26, 32, 36, 40]);
    const chars = records[r].padEnd(col).split("");
    chars[col - 1] = pick([",", "O", "x", "#"]);
    records[r] = chars.join("");
  } else if (f < 0.06) {
    records.length = 2;                 // no beam record: message 24 (or rejected first)
  } else if (f < 0.07) {
    records.length = 1;                 // a title alone: banner and title only
  } else if (f < 0.075) {
    records.length = 0;                 // an empty file: an empty report
  }
  let end = chance(0.15) ? "\r\n" : "\n";
  let text = records.map((r) => (chance(0.1) ? r.replace(/ +$/, "") : r)).join(end);
  if (records.length) text += chance(0.9) ? end : "";
  if (chance(0.05)) text = "\xef\xbb\xbf" + text;
  if (chance(0.1)) text += "NOTES AFTER THE RECORDS ARE NEVER READ" + end + "12345678901234567890" + end;
  return Buffer.from(text, "latin1");
}

mkdirSync(outdir, { recursive: true });
const count = Number(countText);
for (let i = 0; i < count; i++) {
  writeFileSync(`${outdir}/case-${String(i).padStart(4, "0")}.dat`, problem());
}
console.log(`${count} cases written to ${outdir}`);

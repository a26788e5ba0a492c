// The records the form writes: each field in its columns, the decimal
// point always written, and what does not fit refused.

// ---------------------------------------------------------------------
// Writing a field: the form always writes the decimal point, right-
// justified in the field's columns, and refuses what does not fit.
const NUMBER = /^([+-]?)(\d*)(?:\.(\d*))?$/;

function writeReal(f, typed) {
  const t = typed.trim();
  if (t === "") return { text: " ".repeat(f.w) };
  const m = NUMBER.exec(t);
  if (!m || (m[2] === "" && (m[3] === undefined || m[3] === ""))) {
    return { refused: "\"" + t + "\" is not a number: type digits with an optional decimal point " +
                      "(no comma, letter, blank or exponent)." };
  }
  const integer = m[2].replace(/^0+/, "");
  const fraction = (m[3] || "").replace(/0+$/, "");
  const zero = integer === "" && fraction === "";
  const sign = m[1] === "-" && !zero ? "-" : "";
  let text = sign + integer + "." + fraction;
  if (text.length > f.w) {
    // The engineering limit first, then the columns.
    const room = f.w - 1 - sign.length;  // digits beside the point
    const limit = integer.length > room
      ? (sign ? "at least -" + "9".repeat(Math.max(f.w - 2, 0)) : "at most " + "9".repeat(f.w - 1)) + (f.unit ? " " + f.unit : "")
      : "at most " + (room - integer.length) + (room - integer.length === 1 ? " decimal" : " decimals") + " at this size";
    return { refused: capital(limit) + ": " + t + " does not fit " + form_of(f) + " (" + cols(f) + "): it needs " + text.length +
                      " columns with its point, the field has " + f.w + "." };
  }
  if (integer === "" && text.length < f.w) text = sign + "0." + fraction;
  return { text: text.padStart(f.w, " ") };
}

function writeText(f, typed) {
  if (/[^\x20-\x7e]/.test(typed)) {
    return { refused: "Only plain ASCII characters: the file has one byte a column, and " +
                      JSON.stringify(typed.match(/[^\x20-\x7e]/)[0]) + " is not one of them." };
  }
  if (typed.length > f.w) {
    return { refused: "The " + f.label.toLowerCase() + " has " + f.w + " columns (" + cols(f) + "); this one has " +
                      typed.length + " characters." };
  }
  return { text: typed.padEnd(f.w, " ") };
}

function writeField(f, value) {
  if (f.kind === "real") return writeReal(f, value);
  if (f.kind === "text") return writeText(f, value);
  return { text: value || " " };
}

// The three records from the form's values; refusals by field.
function buildRecords(values) {
  const recs = [[], [], []].map(() => Array(80).fill(" "));
  const refused = {};
  const texts = {};
  for (const f of FIELDS) {
    const r = writeField(f, values[f.id] || "");
    if (r.refused) { refused[f.id] = r.refused; continue; }
    texts[f.id] = r.text;
    for (let i = 0; i < f.w; i++) recs[f.rec][f.col - 1 + i] = r.text[i];
  }
  const records = recs.map((r) => r.join("").replace(/ +$/, ""));
  return { records, refused, texts };
}



function ruler(width) {
  let tens = "", units = "";
  for (let c = 1; c <= width; c++) {
    tens += c % 10 === 0 ? String((c / 10) % 10) : " ";
    units += String(c % 10);
  }
  return tens + "\n" + units;
}

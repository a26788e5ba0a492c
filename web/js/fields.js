// The fields of the three records and where each stands in its record, as
// the engine lays them out.

// ---------------------------------------------------------------------
// The fields of the three records as the form shows them: id, the name of
// the engine's field, how the form writes it, label and help. Where each
// stands comes from the engine's layout (applyLayout): rec (0 title, 1 pad,
// 2 beam), col (first column), w (width), d (decimals of a real field
// Fw.d), unit, and zero (what a real field that reads 0 becomes).
const DEFAULTS_NOTE = {
  width: (mode) => mode === "A" ? "used as entered (0 when blank)"
                                : "below 0.1: the design starts at 1.0 and finds the width",
  length: (mode) => mode === "A" ? "used as entered (0 when blank)"
                                 : "below 0.1: the design starts at 1.0 and finds the length",
  thickness: (mode) => mode === "A" ? "used as entered (0 when blank)"
                                    : "below 0.1: the design starts at 0.5",
};
const FIELDS = [
  { id: "number", name: "problem_number", kind: "text", label: "Problem number",
    help: "Any 4 characters, printed as typed in the banner." },
  { id: "title", name: "title", kind: "text", label: "Title",
    help: "Free text, printed as typed under the banner." },

  { id: "mode", name: "run_mode", kind: "choice", label: "Mode",
    choices: [[" ", "design: the program sizes the pad"], ["A", "analysis: check the pad as entered"]],
    help: "A = analysis; anything else (blank) = design." },
  { id: "basis", name: "dimension_basis", kind: "choice", label: "Bearing properties from",
    choices: [[" ", "plate dimensions"], ["B", "bearing dimensions"]],
    help: "B = properties from the bearing dimensions; otherwise from the plate dimensions when the pad has load plates." },
  { id: "width", name: "width", kind: "real", label: "Width W",
    help: "Bearing width; blank in a design: the search finds it." },
  { id: "length", name: "length", kind: "real", label: "Length L",
    help: "Bearing length; blank in a design: the search finds it." },
  { id: "thickness", name: "thickness", kind: "real", label: "Total thickness",
    help: "Total bearing thickness; blank in a design: the search starts at 0.5 in." },
  { id: "holes", name: "hole_count_character", kind: "choice", label: "Number of holes",
    choices: [[" ", "blank: 1 hole"], ["0", "0"], ["1", "1"], ["2", "2"], ["3", "3"], ["4", "4"]],
    help: "Blank = 1 hole, or 0 to 4." },
  { id: "diameter", name: "diameter_of_hole", kind: "real", label: "Hole diameter",
    help: "Diameter of the hole(s); blank or 0 = 3.0 in." },
  { id: "cover", name: "cover_thickness", kind: "real", label: "Top and bottom cover",
    help: "Top and bottom cover layers; blank or 0 = 0.25 in." },
  { id: "side", name: "side_cover", kind: "real", label: "Side cover",
    help: "Side cover; blank or 0 = 0.25 in." },
  { id: "loadplates", name: "load_plate_count_character", kind: "choice", label: "Number of load plates",
    choices: [[" ", "0 (blank): none"], ["1", "1"], ["2", "2"]],
    help: "Load plates: blank or 0 = none, 1 or 2." },
  { id: "loadthick", name: "load_plate_thickness", kind: "real", label: "Load plate thickness",
    help: "Thickness of each load plate; blank or 0 = 0.1875 in." },
  { id: "internal", name: "internal_plate_count", kind: "choice", label: "Number of internal plates",
    choices: [[" ", "0 (blank)"], ["1", "1"], ["2", "2"], ["3", "3"], ["4", "4"], ["5", "5"],
              ["6", "6"], ["7", "7"], ["8", "8"], ["9", "9"]],
    help: "Internal plates 0 to 9, only with two load plates (a design sets them to 0 otherwise)." },
  { id: "internalthick", name: "internal_plate_thickness", kind: "real", label: "Internal plate thickness",
    help: "Thickness of each internal plate; blank or 0 = 0.0747 in (14 gage)." },

  { id: "beam", name: "beam_type_character", kind: "choice", label: "Beam",
    choices: [[" ", "concrete (70 degrees, .000006 per degree)"], ["S", "steel (120 degrees, .0000065 per degree)"]],
    help: "S = steel beam; anything else (blank) = concrete." },
  { id: "fixity", name: "distance_to_fixity", kind: "real", label: "Distance to fixity",
    help: "Distance from the bearing to the point of fixity." },
  { id: "span", name: "design_span", kind: "real", label: "Design span",
    help: "Design span of the beam." },
  { id: "dead", name: "dead_load", kind: "real", label: "Dead load reaction",
    help: "Dead load reaction." },
  { id: "live", name: "live_load", kind: "real", label: "Live load reaction",
    help: "Live load reaction without impact." },
  { id: "camber", name: "camber", kind: "real", label: "Camber",
    help: "Camber of the beam." },
  { id: "deaddefl", name: "dead_load_deflection", kind: "real", label: "Dead load deflection",
    help: "Dead load deflection of the beam." },
  { id: "livedefl", name: "live_load_deflection", kind: "real", label: "Live load deflection",
    help: "Live load deflection of the beam." },
];
const RECORD_NAMES = ["Title record", "Pad record", "Beam record"];
// The columns each record ends at as the program reads it (applyLayout).
const RECORD_END = [0, 0, 0];

// Fills the fields' places from the engine's layout of the records (the
// JSON of bp_input_fields). Returns what does not match, empty when all do.
function applyLayout(json) {
  let layout;
  try { layout = JSON.parse(json); } catch (e) { return ["the engine's layout is not JSON (" + e.message + ")"]; }
  if (!Array.isArray(layout)) return ["the engine's layout is not a list of fields"];
  const byName = new Map(layout.map((x) => [x.name, x]));
  const problems = [];
  for (const f of FIELDS) {
    const x = byName.get(f.name);
    if (!x) { problems.push("the form's field " + f.id + " (" + f.name + ") is not one of the engine's"); continue; }
    if ((f.kind === "real") !== (x.form === "real")) {
      problems.push("the form writes " + f.id + " as " + f.kind + ", the engine reads " + f.name + " as " + x.form);
      continue;
    }
    f.rec = x.record - 1;
    f.col = x.first;
    f.w = x.width;
    f.d = x.decimals;
    f.unit = x.unit;
    if (x.rule === "zero") {
      const z = String(x.default);
      f.zero = /[.e]/.test(z) ? z : z + ".0";
    }
    RECORD_END[f.rec] = Math.max(RECORD_END[f.rec], f.col + f.w - 1);
  }
  for (const x of layout) {
    if (!FIELDS.some((f) => f.name === x.name)) problems.push("the engine's field " + x.name + " is not in the form");
  }
  return problems;
}

// The starting form: examples/analysis.dat.
const START = {
  number: "0101", title: "ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS", mode: "A", basis: " ",
  width: "12.0", length: "9.0", thickness: "2.0", holes: "1", diameter: "1.0", cover: ".25",
  side: ".25", loadplates: "2", loadthick: ".25", internal: "1", internalthick: ".0747",
  beam: " ", fixity: "100.0", span: "80.0", dead: "40.0", live: "20.0", camber: "1.0",
  deaddefl: ".5", livedefl: ".25",
};


const cols = (f) => f.w === 1 ? "col " + f.col : "cols " + f.col + "-" + (f.col + f.w - 1);
const form_of = (f) => f.kind === "real" ? "F" + f.w + "." + f.d : f.kind === "text" ? "A" + f.w : "A1";

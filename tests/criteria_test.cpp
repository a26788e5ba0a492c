// The owner's criteria: every key of the vocabulary with a bearing at its
// limit, one unit over and one under; every refusal of a criteria file with
// its line; the report the same with and without a set. And the remedies:
// for the failed checks of generated analyses, the remedy named is the
// first change the design search makes from that pad.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>

#include "check_fixtures.h"
#include "checks/checks.h"
#include "checks/design_search.h"
#include "checks/input_fields.h"
#include "checks/result.h"
#include "driver/criteria_file.h"
#include "memory_files.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using check_fixtures::f;
using check_fixtures::w;
using test_support::Outcome;
using test_support::run_command_line_in_process;

std::string set_text(const std::string& limits) {
    return "name = \"Test\"\ndocument = \"Manual\"\nedition = \"2020\"\n[limits]\n" + limits;
}

// A laminated pad: two 0.25 in load plates, one 0.0747 in internal plate,
// 2 in thick, 12 x 9 in, 0.25 in side cover; or a plain pad.
CheckResults pad(bool laminated) {
    CheckResults r;
    check_fixtures::fill_reference_analysis(r);
    if (!laminated) r.load_plate_count = 0;
    r.internal_layer_thickness = 0.5f;
    r.cover_layer_thickness = 0.25f;
    return r;
}

void thickness(CheckResults& r, float v) {
    r.thickness = f(w(v) + w(kThicknessAllowance));
}

struct KeyRow {
    const char* limit;  // the [limits] lines
    float value;        // the limit
    float unit;         // one unit of it
    bool laminated;
    void (*demand)(CheckResults&, float);
};

const KeyRow kKeyRows[] = {
    {"max_stress_psi = { value = 800, unit = \"psi\", article = \"a\" }", 800, 1, false,
     [](CheckResults& r, float v) { r.compressive_stress = v; }},
    {"max_stress_plain_psi = { value = 800, unit = \"psi\", article = \"a\" }", 800, 1, false,
     [](CheckResults& r, float v) { r.compressive_stress = v; }},
    {"max_stress_laminated_psi = { value = 1200, unit = \"psi\", article = \"a\" }", 1200, 1, true,
     [](CheckResults& r, float v) { r.compressive_stress = v; }},
    {"min_thickness_in = { value = 1, unit = \"in\", article = \"a\" }", 1, 0.125f, false,
     thickness},
    {"max_thickness_in = { value = 5, unit = \"in\", article = \"a\" }", 5, 0.125f, false,
     thickness},
    {"max_elastomer_in = { value = 5, unit = \"in\", article = \"a\" }", 5, 0.125f, true,
     [](CheckResults& r, float v) { r.elastomer_thickness = v; }},
    {"max_plan_area_in2 = { value = 1000, unit = \"in2\", article = \"a\" }", 1000, 1, true,
     [](CheckResults& r, float v) {
         r.width = v;
         r.length = 1;
     }},
    {"max_load_k = { value = 800, unit = \"K\", article = \"a\" }", 800, 1, true,
     [](CheckResults& r, float v) { r.total_load = v; }},
    {"min_side_cover_in = { value = 0.25, unit = \"in\", article = \"a\" }", 0.25f, 0.0625f, true,
     [](CheckResults& r, float v) { r.side_cover = v; }},
    // 6 in tall: the cover of a tall pad.
    {"min_side_cover_tall_in = { value = 0.5, unit = \"in\", article = \"a\" }\n"
     "side_cover_tall_from_in = { value = 5, unit = \"in\", article = \"b\" }",
     0.5f, 0.0625f, true,
     [](CheckResults& r, float v) {
         r.side_cover = v;
         thickness(r, 6);
     }},
    {"max_cover_ratio = { value = 0.7, unit = \"\", article = \"a\" }", 0.7f, 0.05f, true,
     [](CheckResults& r, float v) { r.cover_layer_thickness = f(w(v) * 0.5); }},
    {"min_plate_in = { value = 0.0747, unit = \"in\", article = \"a\" }", 0.0747f, 0.01f, true,
     [](CheckResults& r, float v) { r.internal_plate_thickness = v; }},
    {"max_plate_in = { value = 0.125, unit = \"in\", article = \"a\" }", 0.125f, 0.0625f, true,
     [](CheckResults& r, float v) { r.load_plate_thickness = v; }},
    {"plan_step_in = { value = 0.5, unit = \"in\", article = \"a\" }", 0.5f, 0.125f, true,
     [](CheckResults& r, float v) { r.width = f(12 + w(v)); }},
    {"thickness_step_in = { value = 0.125, unit = \"in\", article = \"a\" }", 0.125f, 0.0625f, true,
     [](CheckResults& r, float v) { thickness(r, f(2 + w(v))); }},
};

TEST(Criteria, EveryKeyAtItsLimitOneUnitOverAndUnder) {
    std::set<std::string> keys;
    for (const KeyRow& row : kKeyRows) {
        std::string error;
        const std::optional<CriteriaSet> set = read_criteria(set_text(row.limit), error);
        ASSERT_TRUE(set) << row.limit << ": " << error;
        const CriterionDefinition& d = criterion_definition(set->limits.front().id);
        for (const OwnerLimit& l : set->limits) keys.insert(criterion_definition(l.id).key);
        // A greatest value holds at and under its limit, a least value at and
        // over it, a step only on it.
        const CheckVerdict P = CheckVerdict::passes, F = CheckVerdict::fails;
        const CheckVerdict want[3][3] = {{P, F, P}, {P, P, F}, {P, F, F}};
        const int kind = d.kind == CriterionKind::at_most    ? 0
                         : d.kind == CriterionKind::at_least ? 1
                                                             : 2;
        const float demands[3] = {row.value, f(w(row.value) + w(row.unit)),
                                  f(w(row.value) - w(row.unit))};
        for (int i = 0; i < 3; ++i) {
            CheckResults r = pad(row.laminated);
            row.demand(r, demands[i]);
            const std::vector<OwnerCheckOutcome> checks = owner_checks(*set, r);
            ASSERT_EQ(checks.size(), 1u) << row.limit;
            EXPECT_TRUE(checks[0].applies) << row.limit;
            EXPECT_EQ(checks[0].verdict, want[kind][i]) << d.key << " at " << demands[i];
            EXPECT_EQ(checks[0].article, "a");
        }
    }
    EXPECT_EQ(keys.size(), kCriteria.size());  // every key of the vocabulary
}

TEST(Criteria, WhereAKeyDoesNotApply) {
    std::string error;
    const auto set =
        read_criteria(set_text("max_stress_plain_psi = { value = 800, article = \"a\" }\n"
                               "max_stress_laminated_psi = { value = 1200, article = \"a\" }\n"
                               "min_side_cover_in = { value = 0.25, article = \"a\" }\n"
                               "min_side_cover_tall_in = { value = 0.5, article = \"a\" }\n"
                               "side_cover_tall_from_in = { value = 5, article = \"a\" }\n"),
                      error);
    ASSERT_TRUE(set) << error;
    const std::vector<OwnerCheckOutcome> plain = owner_checks(*set, pad(false));
    const std::vector<OwnerCheckOutcome> laminated = owner_checks(*set, pad(true));  // 2 in tall
    const bool plain_applies[] = {true, false, false, false};
    const bool laminated_applies[] = {false, true, true, false};
    ASSERT_EQ(plain.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(plain[i].applies, plain_applies[i]) << i;
        EXPECT_EQ(laminated[i].applies, laminated_applies[i]) << i;
    }
}

TEST(Criteria, EveryRefusalNamesItsLine) {
    const struct {
        std::string limits;
        std::string error;
    } rows[] = {
        {"max_stress_psi = { value = 800, article = \"a\" }\n"
         "max_stres_psi = { value = 800, article = \"a\" }\n",
         "line 6: `max_stres_psi` is not a criterion; did you mean `max_stress_psi`?"},
        {"colour = 3\n", "line 5: `colour` is not a criterion"},
        {"max_stress_psi = { value = 1.2, unit = \"ksi\", article = \"a\" }\n",
         "line 5: `max_stress_psi` is in psi, not `ksi`"},
        {"max_load_k = { value = 80000, article = \"a\" }\n",
         "line 5: `max_load_k` = 80000 is out of range (1 to 10000 K)"},
        {"max_cover_ratio = { value = 0, article = \"a\" }\n",
         "line 5: `max_cover_ratio` = 0 is out of range (0.1 to 2)"},
        {"min_plate_in = { value = 0.25, article = \"a\" }\n"
         "max_plate_in = { value = 0.125, article = \"a\" }\n",
         "line 6: `min_plate_in` (0.25) is above `max_plate_in` (0.125)"},
        {"max_thickness_in = { value = 1, article = \"a\" }\n"
         "min_thickness_in = { value = 2, article = \"a\" }\n",
         "line 6: `min_thickness_in` (2) is above `max_thickness_in` (1)"},
        {"min_side_cover_tall_in = { value = 0.5, article = \"a\" }\n",
         "line 5: `min_side_cover_tall_in` needs `side_cover_tall_from_in` too"},
        {"max_stress_psi = 800\n",
         "line 5: `max_stress_psi` needs its value and article: { value = ..., unit = \"psi\", "
         "article = \"...\" }"},
        {"max_stress_psi = { value = 800 }\n",
         "line 5: `max_stress_psi` has no article: the owner's article or page it is taken from"},
        {"max_stress_psi = { value = \"800\", article = \"a\" }\n",
         "line 5: `max_stress_psi` has no number as its value"},
        {"max_stress_psi = { value = 800, artcle = \"a\" }\n",
         "line 5: `artcle` is not a field of a limit; did you mean `article`?"},
        {"max_stress_psi = { value = 800, article = \"a\"\n", "line 5: "},  // TOML syntax
        {"[limits]\n", "line 5: "},                                         // a table twice
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(read_criteria(set_text(row.limits), error)) << row.limits;
        EXPECT_EQ(error.substr(0, row.error.size()), row.error) << row.limits;
    }
    std::string error;
    EXPECT_FALSE(read_criteria("nmae = \"x\"\n", error));
    EXPECT_EQ(error, "line 1: `nmae` is not a field of a criteria set; did you mean `name`?");
    EXPECT_FALSE(read_criteria("name = \"x\"\n[limits]\n", error));
    EXPECT_EQ(error.substr(0, 20), "`document` is missin");
}

TEST(Criteria, TheShippedExamplesAreRead) {
    int read = 0;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(BEARINGPAD_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".toml") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        std::string error;
        const std::optional<CriteriaSet> set = read_criteria(text, error);
        ASSERT_TRUE(set) << entry.path() << ": " << error;
        for (const OwnerLimit& l : set->limits) EXPECT_FALSE(l.article.empty());
        ++read;
    }
    EXPECT_GE(read, 2);
}

// Every example and every input of the fuzzer's corpus: the report under
// each shipped set is byte for byte the report without one.
TEST(Criteria, TheReportIsTheSameUnderEveryShippedSet) {
    const std::filesystem::path source(BEARINGPAD_SOURCE_DIR);
    std::vector<std::string> sets;
    std::vector<std::filesystem::path> inputs;
    for (const char* folder : {"examples", "fuzz/corpus"}) {
        for (const auto& entry : std::filesystem::directory_iterator(source / folder)) {
            if (entry.path().extension() == ".toml") {
                sets.push_back(test_support::read_file(entry.path()));
            } else if (entry.path().extension() == ".dat" || *folder == 'f') {
                inputs.push_back(entry.path());
            }
        }
    }
    ASSERT_GE(sets.size(), 2u);
    ASSERT_GE(inputs.size(), 30u);
    for (const std::filesystem::path& input : inputs) {
        MemoryFileAccess fs;
        fs.files["/work/a.dat"] = test_support::read_file(input);
        run_command_line_in_process(fs, {"-y", "a.dat"});
        const std::string report = fs.files["/work/a.rpt"];
        for (std::size_t k = 0; k < sets.size(); ++k) {
            fs.files["/work/c.toml"] = sets[k];
            const Outcome r =
                run_command_line_in_process(fs, {"-y", "--criteria", "c.toml", "a.dat"});
            EXPECT_EQ(fs.files["/work/a.rpt"], report) << input << " under set " << k;
            // A verdict on the bearing names the set it was taken under.
            if (r.out.find(" - not evaluated") != std::string::npos ||
                r.out.find("adequate") != std::string::npos) {
                EXPECT_NE(r.out.find("(under Example: "), std::string::npos) << input << r.out;
            }
        }
    }
}

const std::string kAnalysis =
    "    0101ROUTE 9\n"
    " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
    "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";

TEST(Criteria, CommandLineRefusesBeforeWritingAndKeepsTheReport) {
    MemoryFileAccess fs;
    fs.files["/work/a.dat"] = kAnalysis;
    fs.files["/work/bad.toml"] = set_text("max_stres_psi = { value = 800, article = \"a\" }\n");
    Outcome r = run_command_line_in_process(fs, {"--criteria", "bad.toml", "--json", "a.dat"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "bearingpad: bad.toml: line 5: `max_stres_psi` is not a criterion; did you mean "
              "`max_stress_psi`?\r\n");
    EXPECT_EQ(fs.files.count("/work/a.rpt"), 0u);

    r = run_command_line_in_process(fs, {"a.dat"});
    const std::string plain_report = fs.files["/work/a.rpt"];
    fs.files["/work/c.toml"] = set_text("max_stress_psi = { value = 100, article = \"Sec. 9\" }\n");
    r = run_command_line_in_process(fs, {"-y", "--json", "--criteria=c.toml", "a.dat"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs.files["/work/a.rpt"], plain_report);
    const std::string& json = fs.files["/work/a.json"];
    EXPECT_NE(json.find("\"key\":\"max_stress_psi\",\"name\":\"Owner: compressive stress\","
                        "\"article\":\"Sec. 9\""),
              std::string::npos);
    EXPECT_NE(json.find("\"owner\":true,\"source\":\"Test (Manual, 2020), Sec. 9\""),
              std::string::npos);
    EXPECT_NE(json.find("\"rules\":\"AASHTO 1992 Art. 14.4.1 Method A and Test (Manual, 2020)\""),
              std::string::npos);
    EXPECT_NE(r.out.find("inadequate (under Test): 3 checks fail"), std::string::npos) << r.out;
}

// The bearing's sizes the search changes.
struct Sizes {
    float thickness, width, length;
    std::int32_t load_plates, internal_plates;
    bool operator==(const Sizes&) const = default;
};
Sizes sizes_of(const CheckResults& r) {
    return {r.thickness, r.width, r.length, r.load_plate_count, r.internal_plate_count};
}

// The first change of the bearing in a design search, and the step that
// was entered last before it was seen.
struct FirstChange {
    Sizes start{};
    std::optional<Sizes> changed;
    DesignStep before = DesignStep::start;
    DesignStep last = DesignStep::start;
    bool started = false;
};

Remedy remedy_seen(const Sizes& a, const Sizes& b) {
    if (b.load_plates != a.load_plates) return Remedy::another_load_plate;
    if (b.internal_plates != a.internal_plates) return Remedy::another_internal_plate;
    if (b.width != a.width) return Remedy::wider;
    if (b.length != a.length) return Remedy::longer;
    if (b.thickness > a.thickness) return Remedy::thicker;
    return Remedy::none;
}

TEST(Remedies, TheFirstChangeOfTheDesignFromTheAnalysedPad) {
    std::mt19937 rng(30);
    auto uniform = [&](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(rng);
    };
    // The checks in the order the search meets them.
    const CheckId order[] = {CheckId::compressive_stress, CheckId::elastomer_thickness,
                             CheckId::stability_width,    CheckId::stability_length,
                             CheckId::rotation_dead,      CheckId::rotation_total,
                             CheckId::load_plate_fatigue, CheckId::internal_plate_fatigue,
                             CheckId::load_plate_working, CheckId::internal_plate_working,
                             CheckId::anchorage};
    std::map<Remedy, int> seen;
    for (int n = 0; n < 3000; ++n) {
        CheckResults input;
        check_fixtures::fill_reference_analysis(input);
        input.width = std::round(uniform(6, 30));
        input.length = std::round(uniform(4, 20));
        input.thickness = f(std::round(w(uniform(0.5f, 5)) * 8) / 8 + w(kThicknessAllowance));
        input.load_plate_count = static_cast<std::int32_t>(rng() % 3);
        input.internal_plate_count = static_cast<std::int32_t>(rng() % 4);
        input.number_of_holes = static_cast<std::int32_t>(rng() % 2);
        input.load_plate_thickness = uniform(0.02f, 0.25f);
        input.internal_plate_thickness = uniform(0.02f, 0.12f);
        input.dead_load = uniform(10, 300);
        input.live_load = uniform(0, 150);
        input.total_load = f(w(input.live_load) + w(input.dead_load));
        input.distance_to_fixity = uniform(0, 150);
        input.rotation_y_dead = uniform(0, 2);
        input.rotation_y_total = f(w(input.rotation_y_dead) + w(uniform(0, 1)));
        input.design_dimension = rng() % 2 == 0 ? 0 : 2;
        CheckResults analysed = input;
        analysis(analysed);
        if (analysed.thickness > 4.25f) continue;  // the search's own limit, no check
        // The first failed check the search acts on, and the remedy named.
        std::optional<Remedy> named;
        for (const CheckId id : order) {
            if (!fails(analysed, id)) continue;
            const Remedy remedy = remedy_for(id, analysed);
            if (remedy != Remedy::none) {
                named = remedy;
                break;
            }
        }
        if (!named) continue;

        FirstChange change;
        CheckResults designed = input;
        DesignObserver observer{
            [](void* context, DesignStep step, const CheckResults& r) {
                auto& c = *static_cast<FirstChange*>(context);
                if (!c.started && step == DesignStep::pass) {
                    c.start = sizes_of(r);
                    c.started = true;
                } else if (c.started && !c.changed && !(sizes_of(r) == c.start)) {
                    c.changed = sizes_of(r);
                    c.before = c.last;
                }
                c.last = step;
            },
            &change};
        design_search(designed, observer);
        // Steps 5 and 6 thicken a pad whose layers are too thin: no check's remedy.
        if (change.before == DesignStep::thin_internal_layers ||
            change.before == DesignStep::no_effective_layer) {
            continue;
        }
        if (*named == Remedy::ends_search) {
            EXPECT_TRUE(designed.design_flags.is_set(load_plate_fatigue_failed) ||
                        designed.design_flags.is_set(internal_plate_fatigue_failed))
                << n;
            EXPECT_FALSE(change.changed) << n;
        } else {
            ASSERT_TRUE(change.changed) << n;
            EXPECT_EQ(remedy_seen(change.start, *change.changed), *named) << n;
        }
        ++seen[*named];
    }
    // Every remedy that changes the bearing was met (a fatigue failure that
    // the search meets first needs a hole almost as wide as the plan).
    for (const RemedyDefinition& d : kRemedies) {
        if (d.id != Remedy::none && d.id != Remedy::ends_search) {
            EXPECT_GT(seen[d.id], 0) << d.text;
        }
    }
}

}  // namespace
}  // namespace bearingpad

namespace bearingpad {
namespace {

const std::string kCatalog =
    "mark,mode,width,length,thickness,number_of_holes,cover_thickness,side_cover,"
    "load_plate_count,load_plate_thickness,internal_plate_count,internal_plate_thickness\n"
    "SMALL,analysis,8,6,1,0,0.25,0.25,2,0.25,0,\n"
    "MID,analysis,12,9,2,0,0.25,0.25,2,0.25,1,0.0747\n"
    "LARGE,analysis,18,12,2.5,0,0.25,0.25,2,0.25,2,0.1046\n";

// The verdict of one catalog pad alone: its row as an input file.
std::string alone(MemoryFileAccess& fs, const std::string& pad_record) {
    const std::size_t pad = kAnalysis.find('\n') + 1;
    const std::size_t beam = kAnalysis.find('\n', pad) + 1;
    fs.files["/work/alone.dat"] =
        kAnalysis.substr(0, pad) + pad_record + "\n" + kAnalysis.substr(beam);
    return test_support::run_command_line_in_process(fs, {"-y", "alone.dat"}).out;
}

TEST(Catalog, TheFirstAdequatePadItsReportAndItsRecords) {
    MemoryFileAccess fs;
    fs.files["/work/a.dat"] = kAnalysis;
    fs.files["/work/pads.csv"] = kCatalog;
    const Outcome r = run_command_line_in_process(fs, {"--catalog", "pads.csv", "a.dat"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("adequate: every applying check passes; Compressive stress governs at "
                         "0.894; standard pad MID; a.standard.dat"),
              std::string::npos)
        << r.out;
    // The report is that of the records written beside it.
    const std::string report = fs.files["/work/a.rpt"];
    fs.files["/work/b.dat"] = fs.files["/work/a.standard.dat"];
    run_command_line_in_process(fs, {"b.dat"});
    EXPECT_EQ(fs.files["/work/b.rpt"], report);
    // SMALL alone is not adequate, MID is.
    const std::string records = fs.files["/work/a.standard.dat"];
    EXPECT_NE(alone(fs, " A    8.0   6.0   1.0  0      .25  .25    2  .25").find("inadequate"),
              std::string::npos);
    EXPECT_NE(alone(fs, records.substr(
                            records.find('\n') + 1,
                            records.find('\n', records.find('\n') + 1) - records.find('\n') - 1))
                  .find("- adequate"),
              std::string::npos);
}

TEST(Catalog, NoStandardPadPasses) {
    MemoryFileAccess fs;
    fs.files["/work/a.dat"] = kAnalysis;
    fs.files["/work/pads.csv"] = kCatalog.substr(0, kCatalog.find("MID"));
    fs.files["/work/c.toml"] = set_text("max_load_k = { value = 10, article = \"a\" }\n");
    const Outcome r =
        run_command_line_in_process(fs, {"--catalog=pads.csv", "--criteria", "c.toml", "a.dat"});
    EXPECT_NE(
        r.out.find("; no standard pad passes: SMALL has the lowest governing ratio, failing "),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Owner: bearing load"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace bearingpad

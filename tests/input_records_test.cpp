// Reading, decoding and validating the three input records.
#include "driver/input_records.h"

#include <gtest/gtest.h>

#include <deque>

namespace bearingpad {
namespace {

class LinesFile : public InputFile {
  public:
    explicit LinesFile(std::deque<std::string> lines) : lines_(std::move(lines)) {}
    std::optional<std::string> read_record() override {
        if (lines_.empty()) return std::nullopt;
        std::string r = lines_.front();
        lines_.pop_front();
        return r;
    }

  private:
    std::deque<std::string> lines_;
};

// A pad record built column by column: col 2 mode, 3 code, 4-9 width,
// 10-15 length, 16-21 thickness, 24 holes, 25-29 diameter, 30-34 cover,
// 35-39 side cover, 44 load plates, 45-49 plate thickness, 56 internal
// plates, 59-63 internal plate thickness.
std::string pad_record(char mode, const char* width, const char* length, const char* thickness,
                       char holes, const char* diameter, char plates, char internal) {
    std::string r(63, ' ');
    auto put = [&r](std::size_t offset, std::string_view text) {
        r.replace(offset, text.size(), text);
    };
    r[1] = mode;
    put(3, width);
    put(9, length);
    put(15, thickness);
    r[23] = holes;
    put(24, diameter);
    r[43] = plates;
    r[55] = internal;
    return r;
}

ProblemRecord read_pad(const std::string& record) {
    LinesFile file({record});
    InputRecords in(file, "/w/in.dat");
    ProblemRecord p;
    EXPECT_EQ(read_pad_record(in, p), ReadResult::done);
    return p;
}

TEST(PadRecord, OnlyTheModeCharacterGivesTheDesignDefaults) {
    ProblemRecord p = read_pad(" ");
    DesignFlags flags;
    ASSERT_EQ(prepare_pad_data(p, run_mode_of(p), flags), PadData::accepted);
    EXPECT_EQ(run_mode_of(p), RunMode::design);
    EXPECT_EQ(p.number_of_holes, 1);
    EXPECT_EQ(p.diameter_of_hole, 3.0f);
    EXPECT_EQ(p.cover_thickness, 0.25f);
    EXPECT_EQ(p.side_cover, 0.25f);
    EXPECT_EQ(p.load_plate_count, 0);
    EXPECT_EQ(p.load_plate_thickness, 0.1875f);
    EXPECT_EQ(p.internal_plate_thickness, 0.0747f);
    EXPECT_EQ(p.width, 1.0f);
    EXPECT_EQ(p.length, 1.0f);
    EXPECT_EQ(p.design_dimension, 1);
    EXPECT_EQ(p.thickness, 0.50001f);
    EXPECT_EQ(p.internal_plate_count, 0);
    EXPECT_EQ(flags.slots, (std::array<std::int32_t, 9>{}));
}

TEST(PadRecord, AnalysisGivesNoDimensionDefaults) {
    ProblemRecord p = read_pad(" A");
    DesignFlags flags;
    ASSERT_EQ(prepare_pad_data(p, run_mode_of(p), flags), PadData::accepted);
    EXPECT_EQ(p.width, 0.0f);
    EXPECT_EQ(p.length, 0.0f);
    EXPECT_EQ(p.thickness, 0.00001f);
}

TEST(PadRecord, ColumnsAndImpliedDecimals) {
    std::string r(63, ' ');
    auto put = [&r](int column, std::string_view text) {
        r.replace(static_cast<std::size_t>(column - 1), text.size(), text);
    };
    put(2, "AB");
    put(4, "120000");  // no point: the last four digits are decimals
    put(10, "   9.0");
    put(16, "  2.0 ");
    put(24, "3");
    put(25, " 1.00");
    put(30, " .250");
    put(35, " .500");
    put(44, "2");
    put(45, "  .25");
    put(56, "4");
    put(59, ".0747");
    const ProblemRecord p = read_pad(r);
    EXPECT_EQ(p.run_mode, 'A');
    EXPECT_EQ(p.dimension_basis, (Text4{'B', ' ', ' ', ' '}));
    EXPECT_EQ(p.width, 12.0f);
    EXPECT_EQ(p.length, 9.0f);
    EXPECT_EQ(p.thickness, 2.0f);
    EXPECT_EQ(p.hole_count_character, '3');
    EXPECT_EQ(p.diameter_of_hole, 1.0f);
    EXPECT_EQ(p.cover_thickness, 0.25f);
    EXPECT_EQ(p.side_cover, 0.5f);
    EXPECT_EQ(p.load_plate_count_character, '2');
    EXPECT_EQ(p.load_plate_thickness, 0.25f);
    EXPECT_EQ(p.internal_plate_count, 4);
    EXPECT_EQ(p.internal_plate_thickness, 0.0747f);
}

struct ValidationCase {
    const char* name;
    char mode;
    char holes;
    char plates;
    char internal;
    PadData result;
    int slot;  // 0: none
    std::int32_t internal_after;
};

TEST(PadRecord, DecodingAndValidation) {
    const ValidationCase cases[] = {
        {"design, one load plate drops internal plates", ' ', ' ', '1', '3', PadData::accepted, 0,
         0},
        {"analysis, one load plate with internal plates", 'A', ' ', '1', '3', PadData::rejected, 4,
         3},
        {"analysis, two load plates keep internal plates", 'A', ' ', '2', '3', PadData::accepted, 0,
         3},
        {"design, two load plates keep internal plates", ' ', ' ', '2', '3', PadData::accepted, 0,
         3},
        {"hole digit 5 is checked before a bad plate count", 'A', '5', '9', ' ', PadData::rejected,
         7, 0},
        {"load plate digit 3", 'A', '4', '3', ' ', PadData::rejected, 8, 0},
        {"hole letter", ' ', 'a', ' ', ' ', PadData::rejected, 7, 0},
        {"hole sign", ' ', '-', ' ', ' ', PadData::rejected, 7, 0},
        {"load plate letter", ' ', '0', 'x', ' ', PadData::rejected, 8, 0},
        {"lower-case a is design mode", 'a', '2', '1', '3', PadData::accepted, 0, 0},
    };
    for (const ValidationCase& c : cases) {
        ProblemRecord p = read_pad(pad_record(c.mode, "120000", "090000", "020000", c.holes,
                                              "     ", c.plates, c.internal));
        DesignFlags flags;
        EXPECT_EQ(prepare_pad_data(p, run_mode_of(p), flags), c.result) << c.name;
        for (int slot = 1; slot <= 9; ++slot) {
            EXPECT_EQ(flags[slot], slot == c.slot ? 1 : 0) << c.name << " slot " << slot;
        }
        EXPECT_EQ(p.internal_plate_count, c.internal_after) << c.name;
    }
}

TEST(PadRecord, HoleAndPlateCounts) {
    const std::pair<char, int> holes[] = {{' ', 1}, {'0', 0}, {'1', 1},
                                          {'2', 2}, {'3', 3}, {'4', 4}};
    for (auto [c, n] : holes) {
        ProblemRecord p = read_pad(pad_record('A', "", "", "", c, "", ' ', ' '));
        DesignFlags flags;
        ASSERT_EQ(prepare_pad_data(p, RunMode::analysis, flags), PadData::accepted);
        EXPECT_EQ(p.number_of_holes, n) << c;
    }
    const std::pair<char, int> plates[] = {{' ', 0}, {'0', 0}, {'1', 1}, {'2', 2}};
    for (auto [c, n] : plates) {
        ProblemRecord p = read_pad(pad_record('A', "", "", "", ' ', "", c, ' '));
        DesignFlags flags;
        ASSERT_EQ(prepare_pad_data(p, RunMode::analysis, flags), PadData::accepted);
        EXPECT_EQ(p.load_plate_count, n) << c;
    }
}

TEST(PadRecord, DefaultsReplaceZeroOnly) {
    struct Case {
        const char* diameter;
        float expected;
    } cases[] = {{"     ", 3.0f}, {"  0.0", 3.0f}, {"-1.0 ", -1.0f}, {" 1.25", 1.25f}};
    for (const Case& c : cases) {
        ProblemRecord p = read_pad(pad_record(' ', "", "", "", ' ', c.diameter, ' ', ' '));
        DesignFlags flags;
        prepare_pad_data(p, RunMode::design, flags);
        EXPECT_EQ(p.diameter_of_hole, c.expected) << c.diameter;
    }
}

TEST(PadRecord, DesignStartingDimensions) {
    struct Case {
        const char *width, *length, *thickness;
        float w, l, t;
        std::int32_t design_dimension;
    } cases[] = {
        {"   0.1", "  10.0", "   2.0", 0.1f, 10.0f, 2.00001f, 0},  // 0.1 is not below 0.1
        {"  0.09", "  10.0", "   2.0", 1.0f, 10.0f, 2.00001f, 1},
        {"  12.0", "      ", "   2.0", 12.0f, 1.0f, 2.00001f, 2},
        {"      ", "      ", "      ", 1.0f, 1.0f, 0.50001f, 1},
        {"  12.0", "  10.0", "  0.09", 12.0f, 10.0f, 0.50001f, 0},
        {"  12.0", "  10.0", "   0.1", 12.0f, 10.0f, 0.10001f, 0},
    };
    for (const Case& c : cases) {
        ProblemRecord p =
            read_pad(pad_record(' ', c.width, c.length, c.thickness, ' ', "", ' ', ' '));
        DesignFlags flags;
        ASSERT_EQ(prepare_pad_data(p, RunMode::design, flags), PadData::accepted);
        EXPECT_EQ(p.width, c.w) << c.width;
        EXPECT_EQ(p.length, c.l) << c.length;
        EXPECT_EQ(p.thickness, c.t) << c.thickness;
        EXPECT_EQ(p.design_dimension, c.design_dimension) << c.width << "/" << c.length;
    }
}

TEST(TitleRecord, ProblemNumberAndTitleAsTyped) {
    LinesFile file({"    01 ROUTE 9", ""});
    InputRecords in(file, "/w/in.dat");
    ProblemRecord p;
    ASSERT_EQ(read_title_record(in, p), ReadResult::done);
    EXPECT_EQ(p.problem_number, "01 R");
    EXPECT_EQ(p.title, "OUTE 9" + std::string(66, ' '));
    ASSERT_EQ(read_title_record(in, p), ReadResult::done);
    EXPECT_EQ(p.problem_number, "    ");
    EXPECT_EQ(read_title_record(in, p), ReadResult::end_of_input);
}

TEST(BeamRecord, ColumnsBeamTypeAndDerivedValues) {
    std::string r(42, ' ');
    auto put = [&r](int column, std::string_view text) {
        r.replace(static_cast<std::size_t>(column - 1), text.size(), text);
    };
    put(2, "S");
    put(3, "1000000");  // 7.4 without a point: 100.0000
    put(10, "  80.0 ");
    put(17, " 40.0 ");
    put(24, " 20.0 ");
    put(30, " 1.0 ");
    put(35, " .5 ");
    put(39, " .25");
    LinesFile file({r});
    InputRecords in(file, "/w/in.dat");
    ProblemRecord p;
    read_beam_record(in, p);
    EXPECT_EQ(p.beam_type, 0);
    EXPECT_EQ(p.distance_to_fixity, 100.0f);
    EXPECT_EQ(p.design_span, 80.0f);
    EXPECT_EQ(p.dead_load, 40.0f);
    EXPECT_EQ(p.live_load, 20.0f);
    EXPECT_EQ(p.camber, 1.0f);
    EXPECT_EQ(p.dead_load_deflection, 0.5f);
    EXPECT_EQ(p.live_load_deflection, 0.25f);
    derive_beam_values(p);
    EXPECT_EQ(p.rotation_y_dead, 1.5f);
    EXPECT_EQ(p.rotation_y_total, 1.75f);
    EXPECT_EQ(p.total_load, 60.0f);

    for (const char* type : {" C", "  ", " s"}) {
        LinesFile f({type});
        InputRecords r(f, "/w/in.dat");
        read_beam_record(r, p);
        EXPECT_EQ(p.beam_type, 1) << type;
    }
}

TEST(BeamRecord, MissingRecordOrBadFieldIsARunTimeFailure) {
    struct Case {
        std::deque<std::string> lines;
        int number;
    } cases[] = {{{}, 24}, {{" C   10x.0"}, 64}, {{"          80.0   40,0"}, 64}};
    for (const Case& c : cases) {
        LinesFile file(c.lines);
        InputRecords in(file, "/w/in.dat");
        ProblemRecord p;
        try {
            read_beam_record(in, p);
            ADD_FAILURE() << "no failure";
        } catch (const RunTimeFailure& f) {
            EXPECT_EQ(f.number, c.number);
            EXPECT_EQ(f.unit, 5);
            EXPECT_EQ(f.file_name, "/w/in.dat");
        }
    }
}

TEST(PadRecord, BadNumericFieldIsConversionFailure) {
    LinesFile file({" A  12.0   9.0   2.O"});
    InputRecords in(file, "/w/in.dat");
    ProblemRecord p;
    try {
        read_pad_record(in, p);
        ADD_FAILURE() << "no failure";
    } catch (const RunTimeFailure& f) {
        EXPECT_EQ(f.number, 64);
        EXPECT_EQ(p.length, 9.0f);  // fields before the bad one were read
    }
}

}  // namespace
}  // namespace bearingpad

// Field editing, record building and carriage control of the report file.
#include "report/formatted.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "memory_files.h"
#include "report/failure.h"
#include "report/report_file.h"

namespace bearingpad {
namespace {

struct RealCase {
    float value;
    int w, d;
    const char* text;
};

TEST(RealFieldOutput, EditsExactBinaryValueWithTiesToEven) {
    const float inf = std::numeric_limits<float>::infinity();
    const RealCase cases[] = {
        {937.5f, 5, 0, " 938."},
        {612.5f, 5, 0, " 612."},
        {612.5f, 6, 0, "  612."},
        {6.25f, 4, 1, " 6.2"},
        {6.75f, 4, 1, " 6.8"},
        {1000.0f, 5, 0, "1000."},
        {0.25f, 5, 4, ".2500"},
        {0.25f, 6, 4, "0.2500"},
        {-0.25f, 6, 4, "-.2500"},
        {-0.25f, 7, 4, "-0.2500"},
        {-0.25f, 5, 4, "*****"},
        {0.000001234f, 10, 9, ".000001234"},
        {-0.0001f, 6, 3, " 0.000"},
        {-0.0006f, 6, 3, "-0.001"},
        {123456.0f, 5, 0, "*****"},
        {100.0f, 4, 1, "****"},
        // 0.1 is held as 0.100000001490116...
        {0.1f, 6, 4, "0.1000"},
        {-0.0f, 5, 4, ".0000"},
        {-0.0f, 6, 4, "0.0000"},
        {0.0f, 4, 1, " 0.0"},
        {0.0f, 6, 0, "    0."},
        {0.5f, 5, 0, "   0."},
        {1.5f, 5, 0, "   2."},
        {2.5f, 5, 0, "   2."},
        {0.4627f, 6, 4, "0.4627"},
        {0.0058f, 5, 4, ".0058"},
        {3.5e-6f, 10, 9, ".000003500"},
        {1.0f, 10, 9, "**********"},
        {12.0f, 7, 4, "12.0000"},
        {1000.0f, 7, 3, "*******"},
        // Infinity and NaN fill the field or turn to asterisks.
        {inf, 8, 3, "Infinity"},
        {inf, 10, 3, "  Infinity"},
        {inf, 7, 3, "    Inf"},
        {inf, 2, 0, "**"},
        {-inf, 9, 3, "-Infinity"},
        {-inf, 8, 3, "    -Inf"},
        {-inf, 3, 0, "***"},
        {std::numeric_limits<float>::quiet_NaN(), 5, 0, "  NaN"},
        {std::numeric_limits<float>::quiet_NaN(), 2, 0, "**"},
        {std::numeric_limits<float>::max(), 10, 9, "**********"},
    };
    for (const RealCase& c : cases) {
        EXPECT_EQ(edit_real(c.value, c.w, c.d), c.text) << c.value << " in F" << c.w << "." << c.d;
    }
}

TEST(IntegerFieldOutput, RightJustifiesOrFillsWithAsterisks) {
    EXPECT_EQ(edit_integer(0, 2), " 0");
    EXPECT_EQ(edit_integer(-5, 2), "-5");
    EXPECT_EQ(edit_integer(100, 2), "**");
    EXPECT_EQ(edit_integer(-1, 1), "*");
    EXPECT_EQ(edit_integer(9, 1), "9");
    EXPECT_EQ(edit_integer(std::numeric_limits<std::int32_t>::min(), 11), "-2147483648");
}

TEST(CharacterFieldOutput, PadsOnTheLeftOrCuts) {
    EXPECT_EQ(edit_text("AB", 4), "  AB");
    EXPECT_EQ(edit_text("ABCD", 4), "ABCD");
    EXPECT_EQ(edit_text("ABCD", 3), "ABC");
}

struct ReadCase {
    const char* field;
    int d;
    float value;
};

TEST(RealFieldInput, ImpliedDecimalsBlanksAndExponents) {
    const ReadCase cases[] = {
        {"   125", 4, 0.0125f},
        {"  1.25", 4, 1.25f},
        {"1 2 5", 2, 1.25f},
        {"  12345", 4, 1.2345f},
        {"   25", 3, 0.025f},
        {"  2.5", 3, 2.5f},
        {"      ", 4, 0.0f},
        {"120000", 4, 12.0f},
        {"  .0747", 4, 0.0747f},
        {"-1.0 ", 4, -1.0f},
        {"+2.0", 4, 2.0f},
        {"1.5E2", 4, 150.0f},
        {"15e1", 1, 15.0f},
        {"1.5D-1", 4, 0.15f},
        {"1.5Q+1", 4, 15.0f},
        {"1.5+2", 4, 150.0f},
        {"1.5-1", 4, 0.15f},
        {"25E-1", 3, 0.0025f},  // no point: the d decimals apply before the exponent
        {"0.1", 4, 0.1f},
        {"1E99", 0, std::numeric_limits<float>::infinity()},
        {"1E-99", 0, 0.0f},
        {"-", 4, -0.0f},
        {".", 4, 0.0f},
    };
    for (const ReadCase& c : cases) {
        const std::optional<float> v = read_real_field(c.field, c.d);
        ASSERT_TRUE(v.has_value()) << '"' << c.field << '"';
        EXPECT_EQ(*v, c.value) << '"' << c.field << '"';
    }
}

TEST(RealFieldInput, RejectsOtherCharacters) {
    for (const char* field :
         {"1.2.3", "A", "1,5", "12a", "1E", "1E+", "E5", "1\t2", "--1", "1E5X", "0x10", "1e2.5"}) {
        EXPECT_FALSE(read_real_field(field, 4).has_value()) << '"' << field << '"';
    }
}

TEST(IntegerFieldInput, BlanksSignAndDigits) {
    EXPECT_EQ(read_integer_field(" "), 0);
    EXPECT_EQ(read_integer_field("3"), 3);
    EXPECT_EQ(read_integer_field(" -12 "), -12);
    EXPECT_FALSE(read_integer_field("x").has_value());
    EXPECT_FALSE(read_integer_field("1.").has_value());
    EXPECT_FALSE(read_integer_field("99999999999").has_value());
}

TEST(RecordColumns, ShortRecordsArePaddedWithBlanks) {
    EXPECT_EQ(record_columns("abcdef", 2, 3), "bcd");
    EXPECT_EQ(record_columns("abcdef", 5, 4), "ef  ");
    EXPECT_EQ(record_columns("abc", 10, 2), "  ");
}

TEST(RecordBuilding, LengthIsTheRightmostColumnWritten) {
    EXPECT_EQ(Record().text(3, "AB").chars(), "  AB");
    EXPECT_EQ(Record().text(5, "X").text(2, "Y").chars(), " Y  X");
    EXPECT_EQ(Record().text(2, "MINIMUM").chars(), " MINIMUM");  // a trailing skip adds nothing
    EXPECT_EQ(Record().text(2, "END ").chars(), " END ");        // literal blanks are kept
    EXPECT_EQ(Record().control('1').chars(), "1");
    EXPECT_TRUE(Record().empty());
    EXPECT_EQ(Record().real(3, 0.25f, 5, 4).integer(8, 7, 2).chars(), "  .2500 7");
}

std::string rendered(std::initializer_list<Record> records, bool close = true) {
    StringSink sink;
    ReportFile report(sink);
    for (const Record& r : records) report.write(r);
    if (close) report.close();
    return sink.data;
}

TEST(CarriageControl, ByteSequencesOfTheReportFile) {
    struct Case {
        std::vector<Record> records;
        const char* bytes;
    } cases[] = {
        {{}, ""},
        {{Record().text(2, "A")}, "A\r\n"},
        {{Record().control('0').text(2, "A")}, "\nA\r\n"},
        {{Record().text(2, "A"), Record().control('0').text(2, "B")}, "A\r\n\nB\r\n"},
        {{Record().text(2, "A"), Record().control('1'), Record().text(2, "B")}, "A\r\f\r\nB\r\n"},
        {{Record().control('1').text(2, "P")}, "\fP\r\n"},
        {{Record().text(2, "A"), Record().control('+').text(2, "_")}, "A\r_\r\n"},
        {{Record().text(2, "A"), Record()}, "A\r\n\r\n"},
        {{Record().text(2, "A"), Record(), Record().text(38, "PAGE 1")},
         "A\r\n\r\n                                    PAGE 1\r\n"},
        {{Record()}, "\r\n"},
        {{Record().control('X').text(2, "A")}, "A\r\n"},
    };
    for (const Case& c : cases) {
        StringSink sink;
        ReportFile report(sink);
        for (const Record& r : c.records) report.write(r);
        report.close();
        EXPECT_EQ(sink.data, c.bytes);
    }
}

TEST(CarriageControl, PendingLineFeedIsOwedUntilClose) {
    EXPECT_EQ(rendered({Record().text(2, "A")}, false), "A\r");
    EXPECT_EQ(rendered({Record().text(2, "A"), Record()}, false), "A\r\n\r");
}

TEST(FailureLine, NumberTextUnitAndName) {
    EXPECT_EQ(
        failure_line({29, 5, "/w/in.dat"}),
        std::string(kSeverityTag) + ": severe (29): file not found, unit 5, file /w/in.dat\r\n");
    EXPECT_EQ(failure_text({64, 5, "/a"}), "input conversion error, unit 5, file /a");
    EXPECT_EQ(failure_text({10, 6, "/b"}), "cannot overwrite existing file, unit 6, file /b");
    EXPECT_EQ(failure_text({24, 4, "CON"}), "end-of-file during read, unit 4, file CON");
    EXPECT_EQ(failure_text({38, 6, "/c"}), "error during write, unit 6, file /c");
    EXPECT_EQ(failure_text({9, 5, "/d"}), "permission to access file denied, unit 5, file /d");
    EXPECT_EQ(failure_text({30, 6, "/e"}), "open failure, unit 6, file /e");
    EXPECT_EQ(failure_text({43, 5, "/f"}), "file name specification error, unit 5, file /f");
    EXPECT_EQ(failure_text({39, 5, "/g"}), "error during read, unit 5, file /g");
}

}  // namespace
}  // namespace bearingpad

#include "files/TableImport.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>
#include <vector>

namespace velutra {
namespace {

// A table in the DOS layout, written out line by line so that tests can bend any line.
struct Table {
    std::string evapCountLine = "     3        NUMBER OF DATA POINTS ALONG EVAPORATING TEMPERATURE AXIS";
    std::string condCountLine;
    std::string unitsLine = "     1        UNITS";
    std::string evapLine = "   -20   -10   0";
    std::vector<std::string> capacityRows;
    std::vector<std::string> powerRows;
    std::string tail;

    // Rows of three values whose digits say where they come from: 1TC0 capacity, 2TC0 power.
    explicit Table(const std::vector<std::string>& condTemps) {
        for (const std::string& t : condTemps) {
            std::string capacity = t, power = t;
            for (int c = 0; c < 3; ++c) {
                capacity += " 1" + t + std::to_string(c) + ".5";
                power += " 2" + t + std::to_string(c);
            }
            capacityRows.push_back(capacity);
            powerRows.push_back(power);
        }
        condCountLine = "     " + std::to_string(condTemps.size()) + "        NUMBER OF DATAPOINTS";
    }

    std::string Text() const {
        std::string text = "Acme X1\n\n   0.0   MASS FLOW\n" + evapCountLine + "\n" + condCountLine
            + "\n     1        COMPRESSOR TYPE\n" + unitsLine
            + "\n(units)\nWATTS\n\n  CAPACITY\n\nCOND TEMP\n" + evapLine + "\n";
        for (const std::string& row : capacityRows)
            text += row + "\n";
        text += "\n\n  POWER\n\nCOND TEMP\n" + evapLine + "\n";
        for (const std::string& row : powerRows)
            text += row + "\n";
        return text + tail;
    }
};

CompressorRecord Import(const std::string& text) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.refrigerantIndex = 4;
    std::istringstream in(text);
    ImportTable(in, record, "test.tab");
    return record;
}

TEST(TableImport, RowsAtOrBelowTheThresholdAreDroppedAndExtraRowsCapped) {
    struct Case {
        std::string units;
        std::vector<std::string> condTemps;
        std::string tail;
        int unitsSI;
        int count;
        std::string first;
        std::string last;
    };
    // English keeps rows from 90 F; SI keeps integer parts above 33 C; units code 3 keeps the
    // English threshold; blank trailing lines add no rows and rows beyond six are not read.
    const Case cases[] = {
        { "1", { "70", "80", "90", "100", "110", "120", "130" }, "", 0, 5, "90", "130" },
        { "  2  UNITS", { "30", "33.9", "35", "40" }, "", 1, 2, "35", "40" },
        { "3", { "35", "45", "95" }, "", 1, 1, "95", "95" },
        { "1", { "90", "100", "110", "120", "130", "140", "150", "160" }, "\n\n   \r\n\t\n", 0, 6, "90",
            "140" },
    };
    for (const Case& c : cases) {
        Table table(c.condTemps);
        table.unitsLine = c.units;
        table.tail = c.tail;
        const CompressorRecord record = Import(table.Text());
        SCOPED_TRACE(c.condTemps.front());
        EXPECT_EQ(record.unitsSI, c.unitsSI);
        ASSERT_EQ(record.condCount, c.count);
        EXPECT_EQ(record.condTempText[0][0], c.first);
        EXPECT_EQ(record.condTempText[c.count - 1][1], c.last);
        EXPECT_TRUE(c.count == kMaxCond || record.condTempText[c.count][0].empty());
        EXPECT_EQ(record.evapCount, 3);
        EXPECT_EQ(record.evapTempText[2], "0");
        EXPECT_EQ(record.capacityText[0][2], "1" + c.first + "2.5");
        EXPECT_EQ(record.capacityText[0][3], "");
        EXPECT_EQ(record.powerText[c.count - 1][0], "2" + c.last + "0");
    }
}

TEST(TableImport, LongLinesAreReadInPiecesOf199Characters) {
    // A 250-character first line is read as two lines, so the file may lack line 3.
    const std::string text = Table({ "90" }).Text();
    const size_t line3 = text.find("   0.0");
    std::string shifted = std::string(250, 'x') + text.substr(text.find('\n'), line3 - text.find('\n'));
    shifted += text.substr(text.find('\n', line3) + 1);
    const CompressorRecord record = Import(shifted);
    EXPECT_EQ(record.condCount, 1);
    EXPECT_EQ(record.capacityText[0][2], "1902.5");

    // A first line of 198 characters and its line end is one line.
    const CompressorRecord fits = Import(std::string(198, 'y') + text.substr(text.find('\n')));
    EXPECT_EQ(fits.condCount, 1);
}

// Serves a text, then fails as a disk would.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string text)
        : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("device error"); }

private:
    std::string text_;
};

TEST(TableImport, ReadAndOpenErrorsLeaveTheRecordUnchanged) {
    FailingBuffer buffer(Table({ "90", "100" }).Text());
    std::istream in(&buffer);
    CompressorRecord record;
    record.ApplyNewDefaults();
    const CompressorRecord before = record;
    const auto readError = test::Thrown<TableFileError>([&] { ImportTable(in, record, "disk.tab"); });
    ASSERT_TRUE(readError) << "a failed read was accepted";
    EXPECT_EQ(readError->reason(), TableFileError::Reason::CannotRead);
    EXPECT_TRUE(record.PersistentFieldsEqual(before));
    EXPECT_EQ(record.reloadFormsFromRecord, 0);

    test::TempDir dir;
    const auto openError = test::Thrown<TableFileError>([&] { ImportTable(dir.File("absent.tab"), record); });
    ASSERT_TRUE(openError);
    EXPECT_EQ(openError->reason(), TableFileError::Reason::CannotOpen);
    EXPECT_TRUE(test::Mentions(*openError, dir.File("absent.tab"))) << openError->what();
}

TEST(TableImport, MalformedTablesAreRefusedNamingFileAndLine) {
    const Table good({ "90", "100" });
    const auto with = [&](auto change) {
        Table table = good;
        change(table);
        return table.Text();
    };
    struct Case {
        std::string text;
        std::string where;
    };
    const std::string longToken(20, '7');
    std::vector<Case> cases = {
        { "one\ntwo\nthree\n", "line 4" }, { "one\ntwo\nthree\n   6\n", "line 5" },
        { "one\ntwo\nthree\n   6\n  2\nsix\n", "line 7" },
        { with([](Table& t) { t.unitsLine = "  English"; }), "line 7" },
        { with([&](Table& t) { t.evapLine += " " + longToken; }), "" }, // beyond n: never read
        { with([&](Table& t) { t.evapLine = longToken + " 1 2"; }), "line 14" },
        { with([&](Table& t) { t.capacityRows[1] = "100 1 " + longToken + " 3"; }), "line 16" },
        { with([&](Table& t) { t.powerRows[0] = longToken; }), "line 23" },
        { with([&](Table& t) { t.tail = "12 " + longToken + "\n"; }), "" }, // row below 89: skipped
    };
    for (const std::string count : { "NUMBER OF DATA POINTS", "", "  0", "  9", "  -3" })
        cases.push_back({ with([&](Table& t) { t.evapCountLine = count; }), "line 4" });
    for (const std::string count : { "  x2", "  -1", "  0", "  2147483648", "  99999999999999999999999" })
        cases.push_back({ with([&](Table& t) { t.condCountLine = count; }), "line 5" });
    for (const Case& c : cases) {
        CompressorRecord record;
        record.ApplyNewDefaults();
        record.reloadFormsFromRecord = 0;
        const CompressorRecord before = record;
        std::istringstream in(c.text);
        const auto error = test::Thrown<TableFileError>([&] { ImportTable(in, record, "/maps/bad.tab"); });
        if (c.where.empty()) {
            EXPECT_FALSE(error) << error->what();
            continue;
        }
        ASSERT_TRUE(error) << "accepted, expected a refusal at " << c.where << ":\n" << c.text;
        EXPECT_EQ(error->reason(), TableFileError::Reason::Malformed);
        EXPECT_TRUE(test::Mentions(*error, "\"/maps/bad.tab\"")) << error->what();
        EXPECT_TRUE(test::Mentions(*error, c.where)) << error->what();
        EXPECT_TRUE(record.PersistentFieldsEqual(before)) << error->what();
        EXPECT_EQ(record.reloadFormsFromRecord, 0);
    }
}

// A row that ends early leaves its last cells empty: blank when both blocks end there.
TEST(TableImport, RowsEndingEarlyGiveBlankCellsOrAreRefused) {
    Table table({ "90", "100" });
    table.capacityRows[1] = "100 11000.5";
    table.powerRows[1] = "100 21000";
    const CompressorRecord record = Import(table.Text());
    EXPECT_EQ(record.capacityText[1][0], "11000.5");
    EXPECT_EQ(record.capacityText[1][1], "");
    EXPECT_EQ(record.powerText[1][2], "");

    const struct {
        std::string capacityRow;
        std::string powerRow;
        std::string expected;
    } bad[] = {
        { "100 11000.5", "100 21000 21001",
            "at 100 F condensing, -10 F evaporating has a power but no capacity" },
        { "100 11000.5 0 3", "100 21000 21001 21002",
            "at 100 F condensing, -10 F evaporating has a capacity of zero" },
        { "100 11000.5 -4 3", "100 21000 21001 21002", "has a negative capacity" },
        { "100 11000.5 abc 3", "100 21000 21001 21002", "\"abc\", which is not a number" },
        { "100 11000.5 4 3", "100 21000 1e999 21002", "\"1e999\", which is not finite" },
    };
    for (const auto& rows : bad) {
        Table broken({ "90", "100" });
        broken.capacityRows[1] = rows.capacityRow;
        broken.powerRows[1] = rows.powerRow;
        CompressorRecord record;
        record.ApplyNewDefaults();
        const CompressorRecord before = record;
        std::istringstream in(broken.Text());
        const auto error = test::Thrown<TableFileError>([&] { ImportTable(in, record, "/maps/cells.tab"); });
        ASSERT_TRUE(error) << rows.capacityRow;
        EXPECT_EQ(error->reason(), TableFileError::Reason::Malformed);
        EXPECT_TRUE(test::Mentions(*error, "\"/maps/cells.tab\"")) << error->what();
        EXPECT_TRUE(test::Mentions(*error, rows.expected)) << error->what();
        EXPECT_TRUE(record.PersistentFieldsEqual(before));
    }
}

TEST(TableImport, TextsThatAreNotUtf8AreReadAsWindows1252) {
    Table table({ "90" });
    table.capacityRows[0] = "90 12\xB0 3 4";
    EXPECT_EQ(Import(table.Text()).capacityText[0][0], "12\xC2\xB0");
}

} // namespace
} // namespace velutra

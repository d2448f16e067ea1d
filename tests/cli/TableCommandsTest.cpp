#include "CliRunner.h"
#include "TempDir.h"
#include "files/CompressorFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velutra {
namespace {

using test::RunCli;

// An SI table in the DOS layout with CR LF line ends: rows 30 (dropped), 35 and 45 C.
const std::string kSiTable
    = "Maker, Model\r\n\r\n   0.0\r\n     2   EVAP\r\n     3   COND\r\n     1\r\n     2   UNITS\r\n"
      "\r\n\r\n\r\n  CAPACITY\r\n\r\nCOND TEMP, C\r\n   -30   -20\r\n"
      "30  80.5  120.5\r\n35  70.25  110.0\r\n45  60.0  95.75\r\n"
      "\r\n\r\n  POWER\r\n\r\nCOND TEMP, C\r\n   -30   -20\r\n"
      "30  40  45\r\n35  42  47\r\n45  44  50\r\n";

TEST(CliTableCommands, ImportSavesTheTableAsACompressorFile) {
    test::TempDir dir;
    const std::string table = dir.File("si.tab");
    const std::string out = dir.File("si.cmp");
    test::WriteBytes(table, kSiTable);

    const auto imported = RunCli({ "import", table, out, "--refrigerant", "R600a", "--model", "XV7" });
    ASSERT_EQ(imported.status, 0) << imported.err;
    CompressorRecord record;
    ReadCompressorFile(out, record);
    EXPECT_EQ(record.refrigerantIndex, 5);
    EXPECT_EQ(record.manufacturer, "Manufacturer");
    EXPECT_EQ(record.model, "XV7");
    EXPECT_EQ(record.unitsSI, 1);
    EXPECT_EQ(record.condCount, 2);
    EXPECT_EQ(record.evapCount, 2);
    EXPECT_EQ(record.condTempText[0][1], "35");
    EXPECT_EQ(record.evapTempText[1], "-20");
    EXPECT_EQ(record.capacityText[1][1], "95.75");
    EXPECT_EQ(record.powerText[0][0], "42");
}

TEST(CliTableCommands, ExportWritesTheMapOfACompressorFile) {
    test::TempDir dir;
    const std::string cmp = dir.File("map.cmp");
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.condCount = 1;
    record.evapCount = 2;
    record.condTempText[0] = { "90.0", "90.0" };
    record.evapTempText[0] = "-10.7";
    record.evapTempText[1] = "abc";
    record.capacityText[0][0] = "5234.56";
    record.capacityText[0][1] = "  812.04xyz";
    record.powerText[0][0] = "201";
    record.powerText[0][1] = "";
    WriteCompressorFile(cmp, record);

    const std::string tab = dir.File("map.tab");
    const auto exported = RunCli({ "export-tab", cmp, tab });
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string text = test::ReadBytes(tab);
    EXPECT_NE(text.find("\r\n" + std::string(9 + 9, ' ')
                  + "-10           0\r\n"
                    "        90      5234.6       812.0\r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n        90       201.0         0.0\r\n"), std::string::npos) << text;
}

TEST(CliTableCommands, ExportOfASmoothedMapWritesTheRebuiltValues) {
    // The example R134a map is not on the fitted curves, so smoothing changes its values; the
    // rebuilt table must still read back with the same axes and counts.
    test::TempDir dir;
    const std::string example = std::string(VELUTRA_SOURCE_DIR) + "/Maps/Example-R134a.cmp";
    const std::string entered = dir.File("entered.tab");
    const std::string smoothed = dir.File("smoothed.tab");
    ASSERT_EQ(RunCli({ "export-tab", example, entered }).status, 0);
    const auto result = RunCli({ "export-tab", example, smoothed, "--smoothing", "quadratic", "--per-row" });
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(test::ReadBytes(smoothed), test::ReadBytes(entered));

    CompressorRecord original;
    CompressorRecord rebuilt;
    ReadCompressorFile(example, original);
    ASSERT_EQ(RunCli({ "import", smoothed, dir.File("rebuilt.cmp") }).status, 0);
    ReadCompressorFile(dir.File("rebuilt.cmp"), rebuilt);
    EXPECT_EQ(rebuilt.condCount, original.condCount);
    EXPECT_EQ(rebuilt.evapCount, original.evapCount);
    EXPECT_EQ(rebuilt.evapTempText[0], "-40");
    EXPECT_NE(rebuilt.capacityText[0][0], "");

    EXPECT_EQ(RunCli({ "export-tab", example, smoothed, "--smoothing", "cubic" }).status, 2);
}

TEST(CliTableCommands, ExampleTablesPassImportAndExportUnchanged) {
    // The example tables were written by a separate converter from published maps (SI with eight
    // columns and decimals, English with whole numbers); import and export must reproduce them.
    test::TempDir dir;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VELUTRA_SOURCE_DIR) + "/Maps")) {
        if (entry.path().extension() != ".tab")
            continue;
        const std::string out = dir.File("again.tab");
        const auto exported = RunCli({ "export-tab", entry.path().string(), out });
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(entry.path().string())) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

TEST(CliTableCommands, RefusedInputsNameTheFileAndWriteNothing) {
    test::TempDir dir;
    const std::string table = dir.File("bad.tab");
    std::string bad = kSiTable;
    bad.replace(bad.find("     2   EVAP"), 13, "     9   EVAP");
    test::WriteBytes(table, bad);
    const std::string out = dir.File("bad.cmp");

    const auto imported = RunCli({ "import", table, out });
    EXPECT_EQ(imported.status, 1);
    EXPECT_NE(imported.err.find(table + "\", line 4"), std::string::npos) << imported.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const auto exported = RunCli({ "export-tab", table, dir.File("bad-out.tab") });
    EXPECT_EQ(exported.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad-out.tab")));

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> { { "import", table },
             { "import", table, out, "--refrigerant", "R22" }, { "import", table, out, "--model" },
             { "export-tab", table } }) {
        const auto result = RunCli(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_NE(result.err.find("Usage"), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace velutra

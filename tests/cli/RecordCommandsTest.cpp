#include "CliRunner.h"
#include "TempDir.h"
#include "files/CompressorFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velutra {
namespace {

using test::RunCli;

TEST(CliRecordCommands, JsonCarriesEveryStoredFieldWithUtf8Texts) {
    test::TempDir dir;
    const std::string path = dir.File("r404a.cmp");
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.manufacturer = "K\xC3\xA4ltetechnik \xE2\x82\xAC";
    record.refrigerantIndex = 3;
    record.capacityText[5][7] = "1234.5";
    record.capacityText[0][1] = "2100";
    record.powerText[0][1] = "210";
    WriteCompressorFile(path, record);

    const auto shown = RunCli({ "show", "--json", path });
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json.size(), 17u);
    EXPECT_EQ(json["ratingConditions"], "ashrae");
    EXPECT_TRUE(json["displacementCm3"].is_null());
    EXPECT_EQ(json["manufacturer"], "K\xC3\xA4ltetechnik \xE2\x82\xAC");
    EXPECT_EQ(json["refrigerantIndex"], 3);
    EXPECT_EQ(json["condTempText"][1][1], "100.0");
    EXPECT_EQ(json["capacityText"][5][7], "1234.5");
    EXPECT_EQ(json["powerText"][0][1], "210");
}

TEST(CliRecordCommands, NewWritesARecordThatShowPrintsAndUnreadableFilesFailNamingTheFile) {
    test::TempDir dir;
    const std::string path = dir.File("new.cmp");
    const auto created = RunCli({ "new", path });
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(test::ReadBytes(path).size(), 262u);
    const auto shown = RunCli({ "show", path });
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("manufacturer        \"Manufacturer\"\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("condTempText[5]     \"140.0\" \"140.0\"\n"), std::string::npos) << shown.out;
    EXPECT_TRUE(shown.err.empty());

    const std::string truncated = dir.File("cut.cmp");
    test::WriteBytes(truncated, test::ReadBytes(path).substr(0, 100));
    const std::string missing = dir.File("missing.cmp");

    for (const std::string& path : { truncated, missing }) {
        for (const bool json : { false, true }) {
            const auto shown = json ? RunCli({ "show", path, "--json" }) : RunCli({ "show", path });
            EXPECT_NE(shown.status, 0);
            EXPECT_TRUE(shown.out.empty()) << shown.out;
            EXPECT_NE(shown.err.find(path), std::string::npos) << shown.err;
        }
    }
    const auto unwritable = RunCli({ "new", dir.File("no/folder/x.cmp") });
    EXPECT_NE(unwritable.status, 0);
    EXPECT_NE(unwritable.err.find(dir.File("no/folder/x.cmp")), std::string::npos) << unwritable.err;
}

TEST(CliCommands, BadArgumentsGiveUsage) {
    for (const std::vector<std::string>& args :
        std::vector<std::vector<std::string>> { {}, { "frobnicate" }, { "show" },
            { "show", "a.cmp", "b.cmp" }, { "new" }, { "show", "--xml", "a.cmp" }, { "analyze" },
            { "analyze", "a.csv", "--smoothing", "cubic" }, { "import", "a.tab" },
            { "import", "a.tab", "b.cmp", "--refrigerant", "R12" }, { "import", "a.tab", "b.cmp", "--model" },
            { "export-tab", "a.cmp" }, { "export-tab", "a.cmp", "b.tab", "--smoothing", "cubic" } }) {
        const auto result = RunCli(args);
        EXPECT_EQ(result.status, 2) << args.size();
        EXPECT_NE(result.err.find("Usage"), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace velutra

#include "record/RatingConditionsText.h"

#include <gtest/gtest.h>
#include <string>

namespace velutra {
namespace {

using Rating = RatingConditions;

Rating Parsed(const std::string& written) {
    const ParsedRatingConditions parsed = ParseRatingConditions(written);
    EXPECT_TRUE(parsed.ok()) << written << ": " << parsed.error;
    return parsed.value;
}

TEST(RatingConditionsText, NamedSetsHoldTheirConditions) {
    // The default value the analysis always used, to the bit.
    EXPECT_EQ(Parsed("ashrae"), Rating {});
    EXPECT_EQ(Parsed("gas=90F,liquid=90F"), Rating {});
    EXPECT_EQ(Parsed("ashrae").suctionValue, 305.37222222222226);

    const Rating cecomaf = Parsed("cecomaf");
    EXPECT_EQ(cecomaf.suction, Rating::Suction::GasTemperature);
    EXPECT_NEAR(cecomaf.suctionValue, 305.15, 1e-12);
    EXPECT_EQ(cecomaf.liquid, Rating::Liquid::Subcooling);
    EXPECT_EQ(cecomaf.liquidValue, 0.0);
    EXPECT_EQ(cecomaf.basis, Rating::Basis::Dew);
    EXPECT_EQ(cecomaf, Parsed("gas=32C,subcooling=0K"));

    const Rating en = Parsed("en12900");
    EXPECT_EQ(en.suction, Rating::Suction::Superheat);
    EXPECT_EQ(en.suctionValue, 10.0);
    EXPECT_EQ(en.liquid, Rating::Liquid::Subcooling);
    EXPECT_EQ(en.liquidValue, 0.0);
}

TEST(RatingConditionsText, ItemsConvertTheirUnitsAndOverrideANamedSet) {
    const Rating r = Parsed("superheat=20F,subcooling=15F");
    EXPECT_NEAR(r.suctionValue, 20.0 / 1.8, 1e-12) << "F of a difference is a Fahrenheit degree, not 20 F";
    EXPECT_NEAR(r.liquidValue, 15.0 / 1.8, 1e-12);

    const Rating gas = Parsed(" gas=18.3C , subcooling=0K ");
    EXPECT_NEAR(gas.suctionValue, 291.45, 1e-12);
    EXPECT_NEAR(Parsed("gas=65F,liquid=305.15K").suctionValue, 291.483333333333, 1e-9);

    const Rating mid = Parsed("en12900,basis=midpoint");
    EXPECT_EQ(mid.basis, Rating::Basis::MidPoint);
    EXPECT_EQ(mid.suctionValue, 10.0);
    const Rating over = Parsed("cecomaf,superheat=20K");
    EXPECT_EQ(over.suction, Rating::Suction::Superheat);
    EXPECT_EQ(over.suctionValue, 20.0);
    EXPECT_EQ(over.liquid, Rating::Liquid::Subcooling);
}

TEST(RatingConditionsText, BadItemsAreRefusedByName) {
    const struct {
        const char* written;
        const char* named; // what the message must quote
    } cases[] = {
        { "superheat=-3K", "superheat=-3K" },
        { "cecomaf,gas=32", "gas=32" },
        { "bogus", "bogus" },
        { "gas=32C,gas=30C,subcooling=0K", "gas=30C" },
        { "gas=32C,superheat=10K,subcooling=0K", "superheat=10K" },
        { "gas=32C,subcooling=0C", "subcooling=0C" },
        { "en12900,basis=bubble", "basis=bubble" },
        { "gas=abcC,liquid=90F", "gas=abcC" },
        { "gas=32C,cecomaf", "cecomaf" },
        { "gas=-300C,liquid=90F", "gas=-300C" },
        { "gas=32C", "no liquid state" },
        { "subcooling=0K", "no suction state" },
    };
    for (const auto& c : cases) {
        const ParsedRatingConditions parsed = ParseRatingConditions(c.written);
        EXPECT_FALSE(parsed.ok()) << c.written;
        EXPECT_NE(parsed.error.find(c.named), std::string::npos) << c.written << ": " << parsed.error;
    }
    EXPECT_FALSE(ParseRatingConditions("").ok());
    EXPECT_FALSE(ParseRatingConditions("cecomaf,").ok());
}

TEST(RatingConditionsText, WrittenFormIsShortAndReadsBackExactly) {
    EXPECT_EQ(FormatRatingConditions(Rating {}), "ashrae");
    EXPECT_EQ(FormatRatingConditions(Parsed("gas=32C,subcooling=0K")), "cecomaf");
    EXPECT_EQ(FormatRatingConditions(Parsed("superheat=10K,subcooling=0K,basis=midpoint")),
        "en12900,basis=midpoint");
    EXPECT_EQ(FormatRatingConditions(Parsed("gas=18.3C,subcooling=0K")), "cecomaf,gas=18.3C");
    EXPECT_EQ(FormatRatingConditions(Parsed("superheat=20F,subcooling=15F")), "superheat=20F,subcooling=15F");

    // Values typed in any unit, and ones computed in K, come back as the same doubles.
    Rating odd;
    odd.suction = Rating::Suction::Superheat;
    odd.suctionValue = 7.123456789012345;
    odd.liquidValue = 300.0 + 1.0 / 3.0;
    odd.basis = Rating::Basis::MidPoint;
    for (const Rating& r : { odd, Parsed("gas=65F,liquid=20.05C"), Parsed("en12900,superheat=11.1F") }) {
        const std::string text = FormatRatingConditions(r);
        EXPECT_EQ(Parsed(text), r) << text;
    }
}

} // namespace
} // namespace velutra

// The euro-zone window, opened modal from the main window and driven
// through its keys; checks run inside its modal loop.
#include "ProgramTest.h"

namespace program_tests {
namespace {

using Texts = std::vector<std::string>;

class ZoneEuro : public ProgramTest {
protected:
    void SetUp() override {
        Start();
        Queue({"Alt+Z"});
    }

    zone::frmZoneEuro& Zone() { return program_->ZoneEuro(); }
    Texts Displays() { return ProgramTest::Displays(Zone(), zone::frmZoneEuro::kFields); }
    // Moves the currency row from the French franc's (4) to `row`, with
    // field 0 active.
    void ChooseRow(int row) {
        for (int i = 4; i < row; ++i)
            Queue({"Right"});
        for (int i = 4; i > row; --i)
            Queue({"Left"});
    }
    void ExpectActive(int field) { ExpectActiveField(Zone(), zone::frmZoneEuro::kFields, field); }
};

// The legal rates, fixed on 31 December 1998, each row checked both ways on
// a million: units to euros and euros to units, to the cent. The rows come
// in the alphabetical order of their names.
TEST_F(ZoneEuro, ConvertsAMillionAtEachLegalRate) {
    static const struct {
        const char* currency;
        const char* millionUnitsInEuros;
        const char* millionEurosInUnits;
    } kLegalRates[] = {
        {"Drachme grecque", "2934,70", "340750000,00"},      // 340,750
        {"Escudo portugais", "4987,98", "200482000,00"},     // 200,482
        {"Florin néerlandais", "453780,22", "2203710,00"},   // 2,20371
        {"Franc belge", "24789,35", "40339900,00"},          // 40,3399
        {"Franc français", "152449,02", "6559570,00"},       // 6,55957
        {"Franc luxembourg.", "24789,35", "40339900,00"},    // 40,3399
        {"Lire italienne", "516,46", "1936270000,00"},       // 1936,27
        {"Mark allemand", "511291,88", "1955830,00"},        // 1,95583
        {"Mark finlandais", "168187,93", "5945730,00"},      // 5,94573
        {"Peseta espagnole", "6010,12", "166386000,00"},     // 166,386
        {"Punt irlandais", "1269738,08", "787564,00"},       // 0,787564
        {"Shilling autrichien", "72672,83", "13760300,00"},  // 13,7603
    };
    ChooseRow(0);
    for (const auto& rate : kLegalRates) {
        Then([&] { ASSERT_EQ(Zone().DisplayText(0), rate.currency); });
        // Up from the name to the euros, then to the units, then the name.
        Queue({"Up"});
        QueueTyping("1000000");
        Queue({"Enter", "Up"});
        Then([&] { EXPECT_EQ(Zone().DisplayText(1), rate.millionEurosInUnits) << rate.currency; });
        QueueTyping("1000000");
        Queue({"Enter", "Up"});
        Then([&] { EXPECT_EQ(Zone().DisplayText(2), rate.millionUnitsInEuros) << rate.currency; });
        Queue({"Right"});
    }
    Run();
}

TEST_F(ZoneEuro, ArrowsWrapRoundTheTableOnlyOnTheCurrencyName) {
    // Right at opening shows zero in the new currency.
    Queue({"Right"});
    Then([&] { EXPECT_EQ(Displays(), (Texts{"Franc luxembourg.", "0,00", "0"})); });
    Queue({"Left"});
    ChooseRow(0);
    Queue({"Left"});
    Then([&] { EXPECT_EQ(Zone().DisplayText(0), "Shilling autrichien"); });
    Queue({"Right"});
    Then([&] { EXPECT_EQ(Zone().DisplayText(0), "Drachme grecque"); });
    Queue({"Tab", "Right", "Left", "Tab", "Left"});
    Then([&] {
        EXPECT_EQ(Zone().CurrencyIndex(), 0);
        EXPECT_EQ(Zone().DisplayText(0), "Drachme grecque");
    });
    Run();
}

// The fields cycle through all three; the currency name is never typed
// into, and the amounts follow the entry rules.
TEST_F(ZoneEuro, FieldsCycleThroughAllThreeAndOnlyTheAmountsTakeTyping) {
    Queue({"5", "Num5", "Comma", "Decimal", "Backspace", "Enter"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc français", "0", "0"}));
        EXPECT_FALSE(Zone().EntryInProgress());
    });
    const std::pair<const char*, int> steps[] = {
        {"Tab", 1}, {"Tab", 2}, {"Tab", 0}, {"Down", 1}, {"Up", 0}, {"Up", 2}, {"Shift+Tab", 1}};
    for (const auto& [key, field] : steps) {
        Queue({key});
        Then([&, expected = field] { ExpectActive(expected); });
    }
    // From the units up to the name, then to the euros.
    Queue({"Up", "Up", "1", "Comma", "5", "0", "Enter", "Up"});
    Then([&] {
        ASSERT_EQ(Displays(), (Texts{"Franc français", "9,84", "1,50"}));
        ExpectActive(1);
    });
    // A new entry clears the other amount; the entry rules are the main
    // window's, tested there.
    Queue({"1", "2", "Comma"});
    Then([&] { EXPECT_EQ(Displays(), (Texts{"Franc français", "12,", "0"})); });
    Queue({"Escape"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc français", "9,84", "1,50"}));
        EXPECT_FALSE(Zone().EntryInProgress());
    });
    Run();
}

TEST_F(ZoneEuro, UndoBringsBackTheCurrencyWithTheDisplays) {
    // Right after opening, arrow changes are undone too.
    Queue({"Right", "Right", "Escape"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc français", "0", "0"}));
        EXPECT_EQ(Zone().CurrencyIndex(), 4);
    });
    // After a finished entry: back to before it began, currency included.
    Queue({"Left", "Up", "2", "Enter", "Tab", "Left"});
    Then([&] { ASSERT_EQ(Zone().DisplayText(0), "Florin néerlandais"); });
    Queue({"Escape"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc belge", "0,00", "0"}));
        EXPECT_EQ(Zone().CurrencyIndex(), 3);
        ExpectActive(0);
    });
    Run();
}

// Each visit opens modal over the main window on the French franc; closing
// ends it, and the main window's entry goes on.
TEST_F(ZoneEuro, OpensFreshOverTheMainWindowAndClosingReturnsToItsEntry) {
    End();  // this one starts typing on the main window first
    Start();
    const auto opensFresh = [&] {
        Then([&] {
            ASSERT_TRUE(Zone().Loaded());
            const platform::Bounds placement = Zone().Window().Placement();
            EXPECT_FALSE(System().TakesInput(Main().Window()));
            EXPECT_EQ(Zone().Window().Caption(), "Convalis");
            EXPECT_EQ(placement.width, Zone().Window().Dpi().ScaleToTwips(199));
            EXPECT_EQ(placement.left, Main().Window().Placement().left);
            EXPECT_EQ(placement.top, Main().Window().Placement().top);
            EXPECT_EQ(Displays(), (Texts{"Franc français", "0", "0"}));
            EXPECT_EQ(Zone().CurrencyIndex(), 4);
            EXPECT_FALSE(Zone().EntryInProgress());
            ExpectActive(0);
        });
    };
    Type("12");
    Queue({"Alt+Z"});
    opensFresh();
    Queue({"Right", "Up", "7", "Comma"});
    QueueClick("Fermer Alt+F4");
    Run();
    EXPECT_FALSE(Zone().Loaded());
    EXPECT_TRUE(System().TakesInput(Main().Window()));
    Type("3");
    EXPECT_EQ(Main().DisplayText(0), "123");
    EXPECT_TRUE(Main().EntryInProgress());

    // The next visit is at the French franc's rate again.
    Queue({"Alt+Z"});
    opensFresh();
    Queue({"Up", "1", "0", "Enter"});
    Then([&] { EXPECT_EQ(Displays(), (Texts{"Franc français", "65,60", "10"})); });
    Run();
}

}  // namespace
}  // namespace program_tests

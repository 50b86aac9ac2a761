// Finding a chip by typing part of its name across both data files.
#include <gtest/gtest.h>

#include <cctype>

#include "catalogue/DataFileNames.h"
#include "catalogue/DeviceSearch.h"
#include "catalogue/SelectionModel.h"
#include "support/CatalogueFixture.h"

namespace karvo::test {
namespace {

std::vector<DeviceRecord> Named(char family, std::initializer_list<const char*> names) {
    std::vector<DeviceRecord> records;
    for (const char* name : names) records.push_back(DeviceBuilder(family, 0x7FFF, name));
    return records;
}

DeviceSearch TwoFiles() {
    DeviceSearch search;
    search.Add(kEpromFileName, SelectionModel::kEEprom,
               DeviceDataFile::Parse(DeviceDataFile::Build(
                   {{"AMD", Named('E', {"Am27C64", "Am27C256"})},
                    {"Atmel", Named('E', {"AT27C256R", "AT28C256", "AT28C64B"})},
                    {"ST", Named('E', {"M27C256B", "M27C4001"})}})));
    search.Add(kMicroFileName, SelectionModel::kMicro,
               DeviceDataFile::Parse(DeviceDataFile::Build(
                   {{"Atmel", Named('M', {"AT89C51", "ATmega328P", "ATmega32"})},
                    {"Microchip", Named('C', {"PIC16F84A", "PIC16F628A", "PIC18F4550"})},
                    {"Winbond", Named('M', {"W78E052"})}})));
    return search;
}

std::vector<std::string> Names(const std::vector<const CatalogueEntry*>& found) {
    std::vector<std::string> names;
    for (const CatalogueEntry* e : found) names.push_back(e->Name());
    return names;
}

struct FindCase {
    const char* typed;
    std::vector<std::string> expected;  // in order
};

class FindTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTest, ListsTheMatchesBestFirst) {
    const DeviceSearch search = TwoFiles();
    EXPECT_EQ(Names(search.Find(GetParam().typed)), GetParam().expected) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Typed, FindTest,
    ::testing::Values(
        // Without the maker's letters the number itself ranks first, whoever
        // made it; then numbers that start so; catalogue order within each.
        FindCase{"27c256", {"Am27C256", "AT27C256R", "M27C256B"}},
        FindCase{"27C256", {"Am27C256", "AT27C256R", "M27C256B"}}, FindCase{"328", {"ATmega328P"}},
        FindCase{"f84", {"PIC16F84A"}},
        // Blanks and punctuation are no part of a name.
        FindCase{"pic 16f84-a", {"PIC16F84A"}},
        // The whole name with its letters is the best match of all.
        FindCase{"atmega32", {"ATmega32", "ATmega328P"}},
        // A name that starts so beats one that merely contains the text.
        FindCase{"at", {"AT27C256R", "AT28C256", "AT28C64B", "AT89C51", "ATmega328P", "ATmega32"}},
        FindCase{"64", {"Am27C64", "AT28C64B"}}, FindCase{"4550", {"PIC18F4550"}},
        // Letters the catalogue does not use still find the number, after
        // the names that hold the text as typed.
        FindCase{"at27c256", {"AT27C256R", "Am27C256", "M27C256B"}}, FindCase{"W27E052", {}},
        FindCase{"sst78e052", {"W78E052"}}, FindCase{"zz80", {}}, FindCase{"", {}},
        FindCase{" - ", {}}),
    [](const ::testing::TestParamInfo<FindCase>& row) {
        std::string name = "typed_";
        for (const char c : std::string(row.param.typed)) name += std::isalnum(c) ? c : '_';
        return name + "_" + std::to_string(row.index);
    });

TEST(DeviceSearchTest, EntriesSayWhereTheDialogFindsThem) {
    const DeviceSearch search = TwoFiles();
    ASSERT_EQ(search.Entries().size(), 14u);
    const auto found = search.Find("16f628");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->fileName, kMicroFileName);
    EXPECT_EQ(found[0]->family, SelectionModel::kMicro);
    EXPECT_EQ(found[0]->manufacturer, "Microchip");
    EXPECT_EQ(found[0]->manufIndex, 1);
    EXPECT_EQ(found[0]->deviceIndex, 1);
    EXPECT_EQ(found[0]->record.Family(), Family::Pic);
}

TEST(DeviceSearchTest, KeysAndPrefixes) {
    EXPECT_EQ(DeviceSearch::Key("PIC16F84A"), "pic16f84a");
    EXPECT_EQ(DeviceSearch::Key(" 27C256-12 / DIP"), "27c25612dip");
    EXPECT_EQ(DeviceSearch::WithoutPrefix("am27c256"), "27c256");
    EXPECT_EQ(DeviceSearch::WithoutPrefix("27c256"), "27c256");
    EXPECT_EQ(DeviceSearch::WithoutPrefix("gal"), "gal");
}

TEST(DeviceSearchTest, MissingFilesFindNothing) {
    ScratchProgramDir empty;
    EXPECT_TRUE(DeviceSearch::FromProgramDirectory().Entries().empty());
    empty.Write(kMicroFileName, {{"Microchip", Named('C', {"PIC16F84A"})}});
    EXPECT_EQ(Names(DeviceSearch::FromProgramDirectory().Find("84")),
              std::vector<std::string>{"PIC16F84A"});
}

}  // namespace
}  // namespace karvo::test

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "catalogue/CatalogueAlgorithms.h"
#include "catalogue/CatalogueValidator.h"
#include "catalogue/DeviceDataFile.h"

namespace karvo {
namespace {

DeviceDataFile Shipped(const std::string& name) {
    auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/" + name);
    EXPECT_TRUE(file) << name;
    return file ? *file : DeviceDataFile::Parse({});
}

std::vector<DeviceDataFile::Entry> Entries(const DeviceDataFile& file) {
    std::vector<DeviceDataFile::Entry> entries;
    for (std::size_t m = 0; m < file.Manufacturers().size(); ++m) {
        entries.push_back({file.Manufacturers()[m].name, {}});
        for (std::size_t d = 0; d < file.Manufacturers()[m].deviceCount; ++d) {
            entries.back().devices.push_back(*file.Record(m, d));
        }
    }
    return entries;
}

// Every record of a generated file, checked again as the program will read it.
void SelfCheck(const std::string& name) {
    const DeviceDataFile file = Shipped(name);
    ASSERT_FALSE(file.Truncated());
    const auto entries = Entries(file);
    ASSERT_FALSE(entries.empty());
    for (const CatalogueFinding& f : ValidateCatalogue(entries)) {
        ADD_FAILURE() << name << ": " << entries[f.manufIndex].manufacturer << ": "
                      << (f.deviceIndex ? entries[f.manufIndex].devices[*f.deviceIndex].DevName()
                                        : std::string("-"))
                      << ": [" << f.problem.rule << "] " << f.problem.message;
    }
}

TEST(ShippedCatalogue, EveryEpromFileRecordIsGood) {
    SelfCheck("KARVO_e.usb");
}
TEST(ShippedCatalogue, EveryMicroFileRecordIsGood) {
    SelfCheck("KARVO_m.usb");
}

// The virtual programmer learns chip types from both files at once.
TEST(ShippedCatalogue, NoTwoChipTypesShareAParameterBlock) {
    auto entries = Entries(Shipped("KARVO_e.usb"));
    for (auto& e : Entries(Shipped("KARVO_m.usb"))) entries.push_back(std::move(e));
    for (const CatalogueFinding& f : ValidateChipTypes(entries)) {
        ADD_FAILURE() << entries[f.manufIndex].devices[*f.deviceIndex].DevName() << ": "
                      << f.problem.message;
    }
}

TEST(ShippedCatalogue, EpromFileCoversItsFamilies) {
    std::map<char, int> perFamily;
    std::set<std::uint16_t> serialWidths;
    bool dataProtection = false;
    int total = 0;
    for (const auto& e : Entries(Shipped("KARVO_e.usb"))) {
        for (const DeviceRecord& r : e.devices) {
            ++perFamily[Letter(r.Family())];
            ++total;
            if (r.Family() == Family::Serial) serialWidths.insert(r.BusWidth());
            dataProtection = dataProtection || r.ConfigType() == 130;
        }
    }
    EXPECT_GE(total, 90);
    for (char f : std::string("EOYRSFLP")) EXPECT_GT(perFamily[f], 0) << f;
    EXPECT_EQ(perFamily['C'] + perFamily['M'], 0);
    EXPECT_EQ(serialWidths, (std::set<std::uint16_t>{8, 16}));
    EXPECT_TRUE(dataProtection);
}

TEST(ShippedCatalogue, ThirtyTwoKibCmosEpromsUseTheReferenceAlgorithm) {
    int found = 0;
    for (const auto& e : Entries(Shipped("KARVO_e.usb"))) {
        for (const DeviceRecord& r : e.devices) {
            if (r.Family() != Family::Eprom || r.DevName().find("27C256") == std::string::npos)
                continue;
            ++found;
            EXPECT_EQ(r.LastAddr(), 0x7FFF) << r.DevName();
            EXPECT_EQ(r.Algorithm(), algorithm::kEpromCmosQuickPulse) << r.DevName();
            EXPECT_EQ(r.Algorithm(), 3);
        }
    }
    EXPECT_GE(found, 3);
}

}  // namespace
}  // namespace karvo

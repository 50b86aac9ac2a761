// PIC-type chips in the virtual socket, shaped from the part really selected:
// which areas they have, how big, what survives an erase, which buffer
// address names which cell, and what the firmware refuses.
#include <gtest/gtest.h>

#include "catalogue/ChipFacts.h"
#include "link/THid.h"
#include "operations/JobProtocol.h"
#include "support/CatalogueFixture.h"
#include "virtual/ChipModel.h"
#include "virtual/VirtualProgrammer.h"

namespace karvo {
namespace {

using test::ShippedMicro;

struct Shape {
    const char* name;
    std::size_t code, data, id, config;  // 0: the chip has no such area
    bool clearOnly;
};

TEST(PicChip, AreasAreThoseOfThePartReallySelected) {
    for (const Shape& s :
         {Shape{"16F84A", 0x800, 128, 8, 2, false}, Shape{"16C54", 0x400, 0, 8, 2, true},
          Shape{"17C44", 0x4000, 0, 0, 2, true}, Shape{"16F1938", 0x8000, 512, 8, 4, false},
          Shape{"18F452", 0x8000, 256, 8, 14, false}}) {
        SCOPED_TRACE(s.name);
        const auto part = ShippedMicro(s.name);
        ASSERT_TRUE(part);
        auto chip = ShapeChip(BuildParameterBlock(*part).data(), part);
        ASSERT_TRUE(chip);
        for (const auto& [letter, size] :
             {std::pair{'c', s.code}, {'d', s.data}, {'i', s.id}, {'k', s.config}}) {
            const ChipArea* area = chip->Area(letter);
            EXPECT_EQ(area ? area->bytes.size() : 0u, size) << "area " << letter;
        }
        EXPECT_EQ(chip->Area('c')->rule == WriteRule::ClearBitsOnly, s.clearOnly);
        // Buffer addresses name the cells where the buffer keeps each area,
        // and nothing in the gaps between them.
        const PicAreas areas = PicAreasFor(*part);
        if (s.id != 0) {
            const auto id = chip->At(areas.idOffset + 7);
            ASSERT_TRUE(id);
            EXPECT_EQ(id->area, 'i');
            EXPECT_EQ(id->offset, 7u);
            EXPECT_FALSE(chip->At(areas.idOffset + 8) && chip->At(areas.idOffset + 8)->area == 'i');
        }
        const auto config = chip->At(areas.configOffset + 1);
        ASSERT_TRUE(config);
        EXPECT_EQ(config->area, 'k');
        if (s.data != 0) {
            EXPECT_EQ(chip->At(*areas.dataOffset + 5)->area, 'd');
        }
        EXPECT_EQ(chip->At(static_cast<std::uint32_t>(part->LastAddr()))->area, 'c');
    }
}

TEST(PicChip, TheCalibrationWordSurvivesEraseAndProgramming) {
    for (const char* name : {"12F675", "12F508"}) {
        SCOPED_TRACE(name);
        const auto part = ShippedMicro(name);
        ASSERT_TRUE(part);
        auto chip = ShapeChip(BuildParameterBlock(*part).data(), part);
        ASSERT_TRUE(chip);
        std::vector<std::uint8_t>& code = chip->Area('c')->bytes;
        const std::vector<std::uint8_t> word(code.end() - 2, code.end());
        EXPECT_NE(word[0], part->BlankValue()) << "a calibration value, not blank";
        const std::vector<std::uint8_t> zeros(code.size(), 0x00);
        chip->Program('c', 0, zeros.data(), zeros.size());
        EXPECT_EQ(code[0], 0x00);
        chip->Erase();
        EXPECT_EQ(code[0], part->BlankValue());
        EXPECT_EQ(std::vector<std::uint8_t>(code.end() - 2, code.end()), word);
    }
}

struct Bench {
    explicit Bench(const char* name) : programmer({}, clock), usb(programmer), link(usb) {
        EXPECT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
        const auto part = ShippedMicro(name);
        EXPECT_TRUE(part);
        programmer.ChipSelected(*part);
        const ParameterBlock block = BuildParameterBlock(*part);
        link.SendBytes(block.data(), block.size());
        link.ReceiveText4();
    }
    std::string Ask(const char* command) {
        link.SendText(command);
        return link.ReceiveText4().substr(0, 2);
    }
    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    THid link;
};

TEST(PicFirmware, RefusesAreasTheChipLacksAndErasingAnOtpPart) {
    Bench otp("16C54");
    EXPECT_EQ(otp.Ask("pd"), "NO");
    EXPECT_EQ(otp.Ask("pD"), "NO");
    EXPECT_EQ(otp.Ask("pz"), "NO");
    EXPECT_EQ(otp.Ask("pE"), "NO");
    EXPECT_EQ(otp.Ask("pi"), "Gi") << "still answering";

    Bench flash("16F84A");
    flash.programmer.WithSocket([](std::optional<ChipModel>& c) {
        c->Area('c')->bytes[4] = 0x00;
        return 0;
    });
    EXPECT_EQ(flash.Ask("pE"), "GE");
    EXPECT_EQ(flash.link.ReceiveText4().substr(0, 4), "Done");
    EXPECT_EQ(flash.programmer.WithSocket(
                  [](std::optional<ChipModel>& c) { return c->Area('c')->bytes[4]; }),
              0x3F);
}

}  // namespace
}  // namespace karvo

// Word files that gpasm assembles load into the areas of the buffer layout,
// srec_cat reads our saves of them into the bytes gpasm wrote, and our saves
// load back into the same buffer. Skipped where gpasm or srec_cat is missing.
#include <fmt/format.h>

#include "catalogue/ChipFacts.h"
#include "support/PicParts.h"
#include "support/ToolTestSupport.h"

namespace karvo::test {
namespace {

using namespace pic_parts;

struct GpasmPart {
    DeviceRecord part;
    const char* processor;
    const char* source;  // after the processor line
    const char* hexFormat;
    bool inx16;  // gpasm writes INX16 for it too
    // What lands in each area, as words (data: one EEPROM byte each).
    std::vector<std::uint16_t> code, id, config;
    std::vector<std::uint8_t> data;
};

const char* const kPic18Source = R"(
    __config 0x300000, 0x01
    __config 0x300001, 0x02
    __config 0x300002, 0x03
    __config 0x300003, 0x04
    __config 0x300004, 0x05
    __config 0x300005, 0x06
    __config 0x300006, 0x07
    __config 0x300007, 0x08
    __config 0x300008, 0x09
    __config 0x300009, 0x0A
    __config 0x30000A, 0x0B
    __config 0x30000B, 0x0C
    __config 0x30000C, 0x0D
    __config 0x30000D, 0x0E
    __idlocs 0x200000, 0x11
    __idlocs 0x200001, 0x12
    __idlocs 0x200002, 0x13
    __idlocs 0x200003, 0x14
    __idlocs 0x200004, 0x15
    __idlocs 0x200005, 0x16
    __idlocs 0x200006, 0x17
    __idlocs 0x200007, 0x18
    org 0
    movlw 0x55
    org 0xF00000
    de 1, 2, 3
)";

std::vector<GpasmPart> Parts() {
    return {
        {Pic16F84A(),
         "16f84a",
         "__config 0x3FF1\n __idlocs 0x1234\n org 0\n movlw 0x55\n goto 0\n org 0x2100\n"
         " de 1, 2, 3, 0xAB\n",
         "inhx8m",
         true,
         {0x3055, 0x2800},
         {1, 2, 3, 4},
         {0x3FF1},
         {1, 2, 3, 0xAB}},
        {Pic12F508(),
         "12f508",
         "__config 0x0FEA\n __idlocs 0x1234\n org 0\n movlw 0x55\n",
         "inhx8m",
         true,
         {0x0C55},
         {1, 2, 3, 4},
         {0x0FEA},
         {}},
        {Pic16F628A(),
         "16f628a",
         "__config 0x3F30\n __idlocs 0x5678\n org 0\n movlw 0x55\n org 0x2100\n de 9, 8, 7\n",
         "inhx8m",
         true,
         {0x3055},
         {5, 6, 7, 8},
         {0x3F30},
         {9, 8, 7}},
        {Pic16F877A(),
         "16f877a",
         "__config 0x3F39\n __idlocs 0x9ABC\n org 0\n movlw 0x55\n org 0x1FFF\n movlw 0x66\n"
         " org 0x2100\n de 9, 8, 7\n",
         "inhx8m",
         true,
         {0x3055},
         {9, 10, 11, 12},
         {0x3F39},
         {9, 8, 7}},
        {Pic16F1938(),
         "16f1938",
         "__config 0x8007, 0x3FE4\n __config 0x8008, 0x3EFF\n __idlocs 0x1234\n org 0\n"
         " movlw 0x55\n org 0xF000\n de 1, 2, 3\n",
         "inhx32",
         false,
         {0x3055},
         {1, 2, 3, 4},
         {0x3FE4, 0x3EFF},
         {1, 2, 3}},
        // gpasm writes PIC18 files as INHX32: INH8M with address records.
        {Pic18F452(),
         "18f452",
         kPic18Source,
         "inhx32",
         false,
         {0x0E55},
         {0x1211, 0x1413, 0x1615, 0x1817},
         {0x0201, 0x0403, 0x0605, 0x0807, 0x0A09, 0x0C0B, 0x0E0D},
         {1, 2, 3}},
        {Pic17C44(),
         "17c44",
         "__config 0xFFF5\n org 0\n movlw 0x55\n",
         "inhx32",
         false,
         {0xB055},
         {},
         {0xFFF5},
         {}},
    };
}

std::vector<std::uint8_t> BigEndian(const std::vector<std::uint16_t>& words) {
    std::vector<std::uint8_t> bytes;
    for (const std::uint16_t w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
        bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
    }
    return bytes;
}

void ExpectAt(const LoadRun& run, std::uint32_t offset, const std::vector<std::uint8_t>& bytes,
              const char* area) {
    EXPECT_EQ(run.Bytes(offset, static_cast<std::uint32_t>(bytes.size())), bytes)
        << area << " at " << std::hex << offset;
}

bool SameBuffer(const MemoryBuffer& a, const MemoryBuffer& b) {
    return a.Allocated == b.Allocated && std::equal(a.Data(), a.Data() + a.Allocated, b.Data());
}

// srec_cat's image of `ours` at the addresses gpasm's file holds, against
// srec_cat's image of gpasm's file: INX16 words read as INH8M bytes.
void ExpectSrecCatSees(const ScratchDir& dir, const std::string& ours, const char* reader) {
    const std::string gpasm = dir.Path("gpasm.hex");
    ASSERT_TRUE(Shell(fmt::format("srec_cat {} -intel -o {} -intel", gpasm, dir.Path("a.norm"))));
    ASSERT_TRUE(Shell(fmt::format("srec_cat {} {} -crop -within {} -intel -o {} -intel", ours,
                                  reader, gpasm, dir.Path("b.norm"))));
    // Line by line: a whole image in the message would bury the difference.
    const Lines want = SplitLines(dir.Read("a.norm"), "\n");
    const Lines got = SplitLines(dir.Read("b.norm"), "\n");
    EXPECT_EQ(got.size(), want.size()) << reader;
    for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i) {
        EXPECT_EQ(got[i], want[i]) << reader << " line " << i;
    }
}

TEST(GpasmInterop, ItsWordFilesLandInTheAreasAndOurSavesMatchThem) {
    REQUIRE_TOOL("gpasm");
    REQUIRE_TOOL("srec_cat");
    for (const GpasmPart& p : Parts()) {
        SCOPED_TRACE(p.processor);
        ScratchDir dir;
        const std::string source = dir.Write(
            "p.asm", fmt::format("    processor {}\n    {}\n    end\n", p.processor, p.source));
        ASSERT_TRUE(
            Shell(fmt::format("gpasm -a {} -o {} {}", p.hexFormat, dir.Path("gpasm.hex"), source)));
        const auto run = LoadText(p.part, dir.Read("gpasm.hex"), Format(FileFormat::FormatInh8m));
        EXPECT_EQ(run->host.lines, (Lines{"", " File /files/test.hex Loaded"}));

        const PicAreas areas = PicAreasFor(p.part);
        ExpectAt(*run, 0, BigEndian(p.code), "code");
        if (!p.id.empty()) ExpectAt(*run, areas.idOffset, BigEndian(p.id), "ID");
        ExpectAt(*run, areas.configOffset, BigEndian(p.config), "configuration");
        if (!p.data.empty()) {
            std::vector<std::uint8_t> data;
            for (const std::uint8_t b : p.data) {
                if (areas.dataAsWords) data.push_back(0);
                data.push_back(b);
            }
            ExpectAt(*run, *areas.dataOffset, data, "data");
        }
        if (p.inx16) {
            ASSERT_TRUE(
                Shell(fmt::format("gpasm -a inhx16 -o {} {}", dir.Path("gpasm16.hex"), source)));
            const auto words =
                LoadText(p.part, dir.Read("gpasm16.hex"), Format(FileFormat::FormatInx16));
            EXPECT_EQ(words->host.lines, run->host.lines);
            EXPECT_TRUE(SameBuffer(words->buffer, run->buffer));
        }

        for (const FileFormat format : {FileFormat::FormatInh8m, FileFormat::FormatInx16}) {
            if (format == FileFormat::FormatInx16 && PicCoreOf(p.part) == PicCore::Pic18) continue;
            SCOPED_TRACE(FormatCaption(format));
            const auto last = static_cast<std::uint32_t>(p.part.LastAddr());
            const std::string text = WriteText(format, run->buffer, p.part, 0, last);
            const std::string ours = dir.Write("ours.hex", text);
            ExpectSrecCatSees(dir, ours,
                              format == FileFormat::FormatInh8m ? "-intel" : "-INtel_HeX_16");
            const auto again = LoadText(p.part, text, Format(format));
            EXPECT_EQ(again->host.lines, run->host.lines);
            EXPECT_TRUE(SameBuffer(again->buffer, run->buffer));
        }
    }
}

}  // namespace
}  // namespace karvo::test

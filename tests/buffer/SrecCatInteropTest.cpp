// Files written by srec_cat load into the same bytes as srec_cat's own binary
// output, and srec_cat reads the files this program writes into the same
// bytes as the buffer. Skipped where srec_cat is not installed.
#include <fmt/format.h>

#include "support/ToolTestSupport.h"

namespace karvo::test {
namespace {

#define REQUIRE_SREC_CAT() REQUIRE_TOOL("srec_cat")

struct Variant {
    const char* name;
    const char* filters;  // srec_cat's options between input and output
    const char* options;  // srec_cat's output options
    FileFormat format;
    std::size_t size;
};

TEST(SrecCatInterop, ItsFilesLoadIntoTheBytesOfItsBinaryOutput) {
    REQUIRE_SREC_CAT();
    ScratchDir dir;
    const DeviceRecord part = DeviceBuilder('E', 0x3FFFF);
    const Variant variants[] = {
        {"segment-16", "", "-intel --address-length=3 -obs=16", FileFormat::FormatIntelHex,
         0x30000},
        {"segment-32", "", "-intel --address-length=3 -obs=32", FileFormat::FormatIntelHex,
         0x30000},
        {"linear-16", "", "-intel -obs=16", FileFormat::FormatIntelHex, 0x30000},
        {"linear-32", "", "-intel -obs=32", FileFormat::FormatIntelHex, 0x30000},
        // Long records, as srec_cat and objcopy may write them.
        {"linear-255", "", "-intel -obs=255", FileFormat::FormatIntelHex, 0x30000},
        // Start address records (types 03 and 05) are passed over.
        {"linear-start", "-execution-start-address=0x1234", "-intel -obs=32",
         FileFormat::FormatIntelHex, 0x30000},
        {"segment-start", "-execution-start-address=0", "-intel --address-length=3",
         FileFormat::FormatIntelHex, 0x30000},
        // With a start address srec_cat ends the file with S9, S8 or S7.
        {"S1", "-execution-start-address=0", "-motorola --address-length=2",
         FileFormat::FormatMotorola, 0x10000},
        {"S2", "-execution-start-address=0", "-motorola --address-length=3",
         FileFormat::FormatMotorola, 0x30000},
        {"S3", "-execution-start-address=0", "-motorola --address-length=4",
         FileFormat::FormatMotorola, 0x30000},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        const std::string bin =
            dir.Write(std::string(v.name) + ".bin", RandomBytes(v.size, v.size));
        const std::string text = dir.Path(std::string(v.name) + ".txt");
        const std::string back = dir.Path(std::string(v.name) + ".back");
        const char* reader = v.format == FileFormat::FormatIntelHex ? "-intel" : "-motorola";
        ASSERT_TRUE(
            Shell(fmt::format("srec_cat {} -binary {} -o {} {}", bin, v.filters, text, v.options)));
        ASSERT_TRUE(Shell(fmt::format("srec_cat {} {} -o {} -binary", text, reader, back)));
        const std::string expected = ScratchDir::ReadWhole(back);
        ASSERT_EQ(expected.size(), v.size);

        const auto run = LoadText(part, ScratchDir::ReadWhole(text), Format(v.format));
        ASSERT_TRUE(run->outcome.Loaded()) << (run->host.lines.empty() ? "" : run->host.lines[0]);
        EXPECT_EQ(run->host.lines[2], fmt::format(" Highest Load Address : {:X}", v.size - 1));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(run->buffer.Data()), v.size), expected);
    }
}

TEST(SrecCatInterop, ItsFilesAtAnAddressLandThere) {
    REQUIRE_SREC_CAT();
    ScratchDir dir;
    const DeviceRecord part = DeviceBuilder('E', 0x3FFFF);
    const std::string bin = dir.Write("in.bin", RandomBytes(0x12345, 7));
    ASSERT_TRUE(
        Shell(fmt::format("srec_cat {} -binary -offset 0x1FFF3 -o {} -intel --address-length=3",
                          bin, dir.Path("in.hex"))));
    const auto run = LoadText(part, dir.Read("in.hex"), Format(FileFormat::FormatIntelHex));
    ASSERT_TRUE(run->outcome.Loaded());
    EXPECT_EQ(run->host.lines[2], " Highest Load Address : 32337");
    EXPECT_EQ(run->host.lines[3], " Lowest Load Address  : 1FFF3");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(run->buffer.Data() + 0x1FFF3), 0x12345),
              dir.Read("in.bin"));
}

// Without an execution start address srec_cat ends an S-record file with its
// count record (S5, or S6 past 65,535 records): complete by its own count.
TEST(SrecCatInterop, ItsSRecordsEndingWithTheCountRecordLoad) {
    REQUIRE_SREC_CAT();
    ScratchDir dir;
    for (const std::size_t size : {std::size_t{0x1000}, std::size_t{0x40000}}) {
        SCOPED_TRACE(size);
        const std::string bin = dir.Write("in.bin", RandomBytes(size, 3));
        // Two bytes a record: 0x20000 records need the 24-bit count.
        ASSERT_TRUE(Shell(
            fmt::format("srec_cat {} -binary -o {} -motorola -obs=2", bin, dir.Path("in.s19"))));
        const auto run = LoadText(DeviceBuilder('E', 0x3FFFF), dir.Read("in.s19"),
                                  Format(FileFormat::FormatMotorola));
        EXPECT_TRUE(run->outcome.Loaded()) << (run->host.lines.empty() ? "" : run->host.lines[0]);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(run->buffer.Data()), size),
                  dir.Read("in.bin"));
    }
}

TEST(SrecCatInterop, ItReadsOurFilesIntoTheBufferBytes) {
    REQUIRE_SREC_CAT();
    ScratchDir dir;
    const DeviceRecord part = DeviceBuilder('E', 0x1FFFFF);
    const MemoryBuffer buffer = PatternBuffer(part);
    const std::pair<std::uint32_t, std::uint32_t> ranges[] = {
        {0, 0x1FFFFF},     {5, 0x10014},         {0x100, 0x2010F},     {0x12345, 0x3FFFF},
        {0xFFF0, 0x1000F}, {0x100000, 0x10FFFF}, {0x1FFFF0, 0x1FFFFF}, {0x7FF, 0x7FF},
    };
    for (const FileFormat format : {FileFormat::FormatIntelHex, FileFormat::FormatMotorola}) {
        const char* reader = format == FileFormat::FormatIntelHex ? "-intel" : "-motorola";
        for (const auto& [start, end] : ranges) {
            SCOPED_TRACE(fmt::format("{} {:X}..{:X}", reader, start, end));
            const std::string ours = dir.Write("ours", WriteText(format, buffer, part, start, end));
            const std::string back = dir.Path("back.bin");
            ASSERT_TRUE(
                Shell(fmt::format("srec_cat {} {} -crop {:#x} {:#x} -offset -{:#x} -o {} -binary",
                                  ours, reader, start, end + 1, start, back)));
            const std::string bytes = ScratchDir::ReadWhole(back);
            ASSERT_EQ(bytes.size(), end - start + 1);
            EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(buffer.Data() + start),
                                         end - start + 1));
            // Nothing outside the range either.
            ASSERT_TRUE(Shell(fmt::format("srec_cat {} {} -o {} -binary", ours, reader, back)));
            EXPECT_EQ(ScratchDir::ReadWhole(back).size(), end + 1);
        }
    }
}

}  // namespace
}  // namespace karvo::test

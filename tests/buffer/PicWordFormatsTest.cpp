// INH8M and INX16: where each record lands in a word-organised part's
// buffer, what the writers produce, and that every part's save loads back.
#include <fmt/format.h>

#include "buffer/formats/PicFileMap.h"
#include "catalogue/ChipFacts.h"
#include "support/FileTestSupport.h"
#include "support/PicParts.h"

namespace karvo::test {
namespace {

using namespace pic_parts;
using Bytes = std::vector<std::uint8_t>;
constexpr FileFormat kInh8m = FileFormat::FormatInh8m;
constexpr FileFormat kInx16 = FileFormat::FormatInx16;
constexpr const char* kEnd = ":00000001FF\n";

// A record from its hex text without the colon and the checksum.
std::string Rec(const std::string& body) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
        sum = static_cast<std::uint8_t>(sum + std::stoi(body.substr(i, 2), nullptr, 16));
    }
    return fmt::format(":{}{:02X}\n", body, static_cast<std::uint8_t>(-sum));
}

Lines LoadedWith(Lines warnings) {
    Lines lines{"", " File /files/test.hex Loaded"};
    for (const std::string& w : warnings) lines.push_back(" WARNING not present in file : " + w);
    return lines;
}

struct LoadCase {
    const char* name;
    DeviceRecord part;
    FileFormat format;
    std::string file;
    Lines lines;
    std::vector<std::pair<std::uint32_t, Bytes>> bytes;
};

TEST(PicWordReaders, RecordsLandInTheirAreas) {
    const std::string f84aAll =  // gpasm -a inhx8m: ID, configuration and data
        ":084000000100020003000400AE\n:02400E00F13F80\n:08420000010002000300AB0005\n";
    const LoadCase cases[] = {
        {"configuration word",
         Pic16F84A(),
         kInh8m,
         ":02400E00F43F7D\n" + std::string(kEnd),
         LoadedWith({"DATA", "ID"}),
         {{0x400E, {0x3F, 0xF4}}}},
        {"every area",
         Pic16F84A(),
         kInh8m,
         f84aAll + kEnd,
         LoadedWith({}),
         {{0x4000, {0, 1, 0, 2, 0, 3, 0, 4}}, {0x400E, {0x3F, 0xF1}}, {0x4200, {0, 1, 0, 2}}}},
        {"PIC18 code above 64 KiB",
         Pic18F452(),
         kInh8m,
         ":020000040001F9\n" + Rec("0400000011223344") + kEnd,
         LoadedWith({"DATA", "CONFIG", "ID"}),
         {{0x10000, {0x22, 0x11, 0x44, 0x33}}}},
        {"PIC18 configuration",
         Pic18F452(),
         kInh8m,
         ":020000040030CA\n" + Rec("0E0000000102030405060708090A0B0C0D0E") + kEnd,
         LoadedWith({"DATA", "ID"}),
         {{0xF0010, {2, 1, 4, 3, 6, 5, 8, 7, 10, 9, 12, 11, 14, 13}}}},
        {"PIC18 configuration from an odd address",
         Pic18F452(),
         kInh8m,
         ":020000040030CA\n:03000100220F0EBD\n" + std::string(kEnd),
         LoadedWith({"DATA", "ID"}),
         {{0xF0010, {0x22}}, {0xF0012, {0x0E, 0x0F}}}},
        {"PIC18 data byte for byte",
         Pic18F452(),
         kInh8m,
         ":0200000400F00A\n:03000000010203F7\n" + std::string(kEnd),
         LoadedWith({"CONFIG", "ID"}),
         {{0xF0200, {1, 2, 3}}}},
        {"baseline",
         Pic12F508(),
         kInh8m,
         ":02000000550C9D\n:080400000100020003000400EA\n:021FFE00EA0FE8\n" + std::string(kEnd),
         LoadedWith({}),
         {{0, {0x0C, 0x55}}, {0x4000, {0, 1, 0, 2}}, {0x400E, {0x0F, 0xEA}}}},
        {"enhanced",
         Pic16F1938(),
         kInh8m,
         ":020000040001F9\n:080000000100020003000400EE\n:02000E00E43FCD\n:02001000FF3EB1\n"
         ":06E0000001000200030014\n" +
             std::string(kEnd),
         LoadedWith({}),
         {{0x10000, {0, 1, 0, 2}}, {0x1000E, {0x3F, 0xE4, 0x3E, 0xFF}}, {0x10200, {0, 1, 0, 2}}}},
        {"PIC17 configuration",
         Pic17C44(),
         kInh8m,
         ":020000040001F9\n:02FC0000F5FF0E\n" + std::string(kEnd),
         LoadedWith({}),
         {{0x400E, {0xFF, 0xF5}}}},
        {"PIC17 configuration at its older address",
         Pic17C44(),
         kInh8m,
         Rec("02FE0000F5FF") + kEnd,
         LoadedWith({}),
         {{0x400E, {0xFF, 0xF5}}}},
        {"no area inside program memory",
         WithLastAddr(Pic17C44(), 0xFFFF),
         kInh8m,
         Rec("02FE0000F5FF") + kEnd,
         LoadedWith({"CONFIG"}),
         {{0xFE00, {0xFF, 0xF5}}, {0x400E, {0xFF, 0xFF}}}},
        {"an empty data record goes on",
         Pic16F84A(),
         kInh8m,
         ":0000000000\n:02000000AABB99\n" + std::string(kEnd),
         LoadedWith({"DATA", "CONFIG", "ID"}),
         {{0, {0xBB, 0xAA}}}},
        {"start address records passed over",
         Pic16F84A(),
         kInh8m,
         ":0400000500000000F7\n:02000000AABB99\n" + std::string(kEnd),
         LoadedWith({"DATA", "CONFIG", "ID"}),
         {{0, {0xBB, 0xAA}}}},
        {"INX16 configuration word",
         Pic16F84A(),
         kInx16,
         ":012007003FF4A5\n" + std::string(kEnd),
         LoadedWith({"DATA", "ID"}),
         {{0x400E, {0x3F, 0xF4}}}},
        {"INX16 every area",
         Pic16F84A(),
         kInx16,
         ":020000003055280051\n:042000000001000200030004D2\n:012007003FF1A8\n"
         ":0421000000010002000300AB2A\n" +
             std::string(kEnd),
         LoadedWith({}),
         {{0, {0x30, 0x55, 0x28, 0x00}},
          {0x4000, {0, 1, 0, 2, 0, 3, 0, 4}},
          {0x400E, {0x3F, 0xF1}},
          {0x4200, {0, 1, 0, 2, 0, 3, 0, 0xAB}}}},
        {"INX16 configuration at its older address",
         Pic16F882(),
         kInx16,
         Rec("020FFF002FE43FFF") + kEnd,
         LoadedWith({"DATA", "ID"}),
         {{0x400E, {0x2F, 0xE4, 0x3F, 0xFF}}}},
        {"INX16 address record heading the file is not data",
         Pic16F84A(),
         kInx16,
         ":010000040000FB\n" + Rec("010008001234") + kEnd,
         LoadedWith({"DATA", "CONFIG", "ID"}),
         {{0, {0x3F, 0xFF}}, {0x10, {0x12, 0x34}}}},
        {"INX16 segment value low byte first",
         Pic16F84A(),
         kInx16,
         ":010000021000ED\n" + Rec("010000001234") + kEnd,
         LoadedWith({"DATA", "CONFIG", "ID"}),
         {{0x200, {0x12, 0x34}}}},
        {"INX16 linear value low byte first",
         DeviceBuilder('C', 0x3FFFF).Algorithm(4),
         kInx16,
         ":010000040100FA\n" + Rec("010000001234") + kEnd,
         LoadedWith({"CONFIG", "ID"}),
         {{0x20000, {0x12, 0x34}}}},
        {"unknown record type", Pic16F84A(), kInh8m, Rec("00000006"), {" Not INH8M format"}, {}},
        {"INX16 unknown record type",
         Pic16F84A(),
         kInx16,
         Rec("00000006"),
         {" Not INX16 format"},
         {}},
        {"address record checksum",
         Pic16F84A(),
         kInh8m,
         ":020000040001F8\n" + std::string(kEnd),
         {" Checksum Error "},
         {}},
        {"byte beyond the buffer",
         Pic16F84A(),
         kInh8m,
         ":020000040002F8\n:02000000AABB99\n" + std::string(kEnd),
         {" File doesn't fit in allocated buffer"},
         {}},
        {"no end record",
         Pic16F84A(),
         kInh8m,
         ":02000000AABB99\n",
         {" Not INH8M format"},
         {{0, {0xBB, 0xAA}}}},
        {"end record cut short", Pic16F84A(), kInx16, ":00000001", {" Not INX16 format"}, {}},
        {"not a hex file",
         Pic16F84A(),
         kInh8m,
         " :00000001FF",
         {" ", " File isn't a hex file"},
         {}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = LoadText(c.part, c.file, Format(c.format));
        EXPECT_EQ(run->host.lines, c.lines);
        for (const auto& [offset, bytes] : c.bytes) {
            EXPECT_EQ(run->Bytes(offset, static_cast<std::uint32_t>(bytes.size())), bytes)
                << std::hex << offset;
        }
    }
}

TEST(PicWordReaders, NoOffsetAndNoLoadExtent) {
    const auto run = LoadText(Pic16F84A(), ":02001000AABB89\n:00000001FF\n",
                              Format(kInh8m, FillChoice::DeviceDefault, 0x100));
    EXPECT_TRUE(run->outcome.Loaded());
    EXPECT_EQ(run->Bytes(0x10, 2), (Bytes{0xBB, 0xAA}));
    EXPECT_EQ(run->buffer.HighestLoaded, 0u);
    EXPECT_EQ(run->buffer.LowestLoaded, 0u);
}

TEST(PicFileMap, AreasOnlyBeyondProgramMemory) {
    struct Case {
        DeviceRecord part;
        std::int64_t address, offset;
        bool bytewise;
    } cases[] = {
        {Pic16F1938(), 0x7FFF, 0x7FFF, false},
        {Pic16F1938(), 0x10007, 0x10007, false},
        {Pic16F1938(), 0x10011, 0x10011, false},
        {Pic16F1938(), 0x10012, 0x10012, false},
        {Pic16F1938(), 0x1E1FF, 0x103FF, false},
        {Pic16F1938(), 0x1E200, 0x1E200, false},
        {Pic18F452(), 0xF000FF, 0xF02FF, true},
        {Pic18F452(), 0xF00100, 0xF00100, false},
        {Pic18F452(), 0x30000D, 0xF001D, false},
        {Pic18F452(), 0x30000E, 0x30000E, false},
        {Pic18F452(), 0x200008, 0x200008, false},
        {Pic17C44(), 0x4000, 0x4000, false},
        {Pic17C44(), 0xFE01, 0x400F, false},
        {WithLastAddr(Pic17C44(), 0xFFFF), 0xFE01, 0xFE01, false},
    };
    for (const Case& c : cases) {
        AreaExpectations areas;
        const PicFileMap::Place place = PicFileMap(c.part).Locate(c.address, areas);
        EXPECT_EQ(place.offset, c.offset) << std::hex << c.address;
        EXPECT_EQ(place.bytewise, c.bytewise) << std::hex << c.address;
    }
}

// The buffer of a part just selected: blank everywhere.
MemoryBuffer Filled(const DeviceRecord& part) {
    MemoryBuffer buffer;
    buffer.AllocateForDevice(part);
    buffer.FillWithBlank(part);
    return buffer;
}

TEST(PicWordWriters, Inh8mOfAMidrangePart) {
    MemoryBuffer buffer = Filled(Pic16F84A());
    buffer[0] = 0x30, buffer[1] = 0x55, buffer[0x4201] = 0xAB, buffer[0x400F] = 0xF1;
    const std::string text = WriteText(kInh8m, buffer, Pic16F84A(), 0, 0x7FF);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const Lines lines = SplitLines(text, "\n");
    ASSERT_EQ(lines.size(), 128u + 8 + 3);
    const std::string blank = "FF3FFF3FFF3FFF3FFF3FFF3FFF3F";  // 7 blank words
    EXPECT_EQ(lines[0] + "\n", Rec("100000005530" + blank));
    for (std::uint32_t i = 1; i < 128; ++i) {
        EXPECT_EQ(lines[i] + "\n", Rec(fmt::format("10{:04X}00FF3F{}", i * 16, blank)));
    }
    EXPECT_EQ(lines[128] + "\n", Rec("10420000AB3FFF3FFF3FFF3FFF3FFF3FFF3FFF3F"));
    EXPECT_EQ(lines[135].substr(0, 9), ":10427000");
    EXPECT_EQ(lines[136] + "\n", Rec("08400000FF3FFF3FFF3FFF3F"));
    EXPECT_EQ(lines[137] + "\n", Rec("02400E00F13F"));
    EXPECT_EQ(lines[138] + "\n", kEnd);
}

TEST(PicWordWriters, Inx16OfAMidrangePart) {
    MemoryBuffer buffer = Filled(Pic16F84A());
    buffer[0x4201] = 0xAB, buffer[0x400F] = 0xF1;
    const Lines lines = SplitLines(WriteText(kInx16, buffer, Pic16F84A(), 0, 0x7FF), "\n");
    ASSERT_EQ(lines.size(), 128u + 8 + 3);
    for (std::uint32_t i = 0; i < 128; ++i) {
        EXPECT_EQ(lines[i].substr(0, 9), fmt::format(":08{:04X}00", i * 8));
    }
    EXPECT_EQ(lines[128] + "\n", Rec("082100003FAB3FFF3FFF3FFF3FFF3FFF3FFF3FFF"));
    EXPECT_EQ(lines[135].substr(0, 9), ":08213800");
    EXPECT_EQ(lines[136] + "\n", Rec("042000003FFF3FFF3FFF3FFF"));
    EXPECT_EQ(lines[137] + "\n", Rec("012007003FF1"));
    EXPECT_EQ(lines[138] + "\n", kEnd);
}

// A file's outline: each address or end record whole ("\r" and all), each
// data record by its head (length, address, type), and a run of data records
// that follow each other as the first head and " xN".
Lines Outline(const std::string& text) {
    Lines outline;
    std::uint32_t runStart = 0, runLength = 0, runCount = 0;
    for (const std::string& line : SplitLines(text, "\n")) {
        if (line.size() < 9 || line.substr(7, 2) != "00") {
            outline.push_back(line);
            runCount = 0;
            continue;
        }
        const auto length = static_cast<std::uint32_t>(std::stoul(line.substr(1, 2), nullptr, 16));
        const auto address = static_cast<std::uint32_t>(std::stoul(line.substr(3, 4), nullptr, 16));
        if (runCount != 0 && length == runLength && address == runStart + runCount * length) {
            outline.back() = fmt::format("{} x{}", outline.back().substr(0, 9), ++runCount);
            continue;
        }
        outline.push_back(line.substr(0, 9));
        runStart = address, runLength = length, runCount = 1;
    }
    return outline;
}

TEST(PicWordWriters, AddressRecordsAndAreaLengths) {
    const struct {
        const char* name;
        DeviceRecord part;
        FileFormat format;
        Lines outline;
    } cases[] = {
        {"PIC18",
         Pic18F452(),
         kInh8m,
         {":10000000 x2048", ":0200000400F00A\r", ":10000000 x16", ":020000040020DA\r", ":08000000",
          ":020000040030CA\r", ":0E000000", ":00000001FF"}},
        {"PIC18, code past 64 KiB",
         Pic18F4685(),
         kInh8m,
         {":10000000 x4096", ":020000040001F9\r", ":10000000 x2048", ":0200000400F00A\r",
          ":10000000 x16", ":020000040020DA\r", ":08000000", ":020000040030CA\r", ":0E000000",
          ":00000001FF"}},
        {"PIC18, odd EEPROM size",
         DeviceBuilder(Pic18F452()).Eeprom(0x7E),
         kInh8m,
         {":10000000 x2048", ":0200000400F00A\r", ":10000000 x8", ":020000040020DA\r", ":08000000",
          ":020000040030CA\r", ":0E000000", ":00000001FF"}},
        {"enhanced",
         Pic16F1938(),
         kInh8m,
         {":10000000 x2048", ":020000040001F9\r", ":10E00000 x32", ":020000040001F9\r", ":08000000",
          ":020000040001F9\r", ":04000E00", ":00000001FF"}},
        {"odd configuration count",
         DeviceBuilder(Pic16F84A()).ConfigMask({1, 2, 3}),
         kInh8m,
         {":10000000 x128", ":10420000 x8", ":08400000", ":04400E00", ":00000001FF"}},
        {"areas below code past 64 KiB",
         DeviceBuilder('C', 0x1FFFF).Algorithm(4).Eeprom(7),
         kInh8m,
         {":10000000 x4096", ":020000040001F9\r", ":10000000 x4096", ":020000040000FA\r",
          ":10420000", ":08400000", ":00000001FF"}},
        {"PIC17", Pic17C44(), kInx16, {":08000000 x1024", ":01FE0000", ":00000001FF"}},
        {"baseline",
         Pic12F508(),
         kInx16,
         {":08000000 x64", ":04020000", ":010FFF00", ":00000001FF"}},
        {"enhanced INX16",
         Pic16F1938(),
         kInx16,
         {":08000000 x2048", ":08F00000 x32", ":04800000", ":02800700", ":00000001FF"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Outline(WriteText(c.format, Filled(c.part), c.part, 0, 0)), c.outline);
    }
}

std::vector<std::uint8_t> Area(const MemoryBuffer& buffer, const PicFileSection& s) {
    return {buffer.Data() + s.buffer, buffer.Data() + s.buffer + s.bytes};
}

TEST(PicWordFormats, EveryPartLoadsItsSavesBackWithNothingMissing) {
    const DeviceRecord parts[] = {Pic16F84A(),  Pic16F628A(),
                                  Pic16F877A(), Pic16F882(),
                                  Pic12F508(),  Pic16F1938(),
                                  Pic18F452(),  Pic18F4685(),
                                  Pic17C44(),   DeviceBuilder(Pic16F84A()).ConfigMask({1, 2, 3})};
    for (const DeviceRecord& part : parts) {
        for (const FileFormat format : {kInh8m, kInx16}) {
            if (format == kInx16 && IsExtendedPicLayout(part)) continue;
            SCOPED_TRACE(part.DevName() + " " + FormatCaption(format));
            const MemoryBuffer buffer = PatternBuffer(part);
            const auto run = LoadText(part, WriteText(format, buffer, part, 0, 0), Format(format));
            EXPECT_EQ(run->host.lines, LoadedWith({}));
            const PicFileMap map(part);
            for (const PicFileSection& section : map.Sections()) {
                EXPECT_EQ(Area(run->buffer, section), Area(buffer, section)) << section.file;
            }
        }
    }
}

TEST(PicWordFormats, RefusedPartsTouchNeitherBufferNorFile) {
    const std::string inx16 = "INX16 files cannot hold PIC18 devices; use INH8M.";
    const std::string others = "INH8M and INX16 files hold PIC microcontrollers only.";
    const DeviceRecord eprom = DeviceBuilder('E', 0x7FF);
    const std::tuple<DeviceRecord, FileFormat, std::string> cases[] = {
        {Pic18F452(), kInx16, inx16}, {eprom, kInh8m, others}, {eprom, kInx16, others}};
    for (const auto& [part, format, text] : cases) {
        SCOPED_TRACE(text);
        const auto run = LoadText(part, kEnd, Format(format));
        EXPECT_EQ(run->outcome.end, LoadEnd::Refused);
        EXPECT_EQ(run->host.refusals, Lines{text});
        EXPECT_EQ(run->buffer.Allocated, 0u);
        EXPECT_EQ(run->progress.opens, 0);

        ScratchDir dir;
        const MemoryBuffer buffer = Filled(part);
        RecordingHost host;
        RecordingProgress progress;
        EXPECT_EQ(SaveFile(dir.Path("a.hex"), {format, 0, 0x7FF}, buffer, part, progress, host),
                  SaveEnd::Refused);
        EXPECT_EQ(host.refusals, Lines{text});
        EXPECT_TRUE(dir.Names().empty());
        StringSink sink;
        EXPECT_FALSE(WriteFileFormat(sink, {format, 0, 0x7FF}, buffer, part, progress, host));
        EXPECT_TRUE(sink.text.empty());
    }
}

}  // namespace
}  // namespace karvo::test

// JEDEC fuse files: what a load tells for each kind of file, the rows a save
// writes, and that every programmable-logic part of the catalogue saves and
// loads back exactly; jedecparse (xc3sprog) reads our saves.
#include <cstdlib>
#include <random>

#include <fmt/format.h>

#include "buffer/formats/JedecFuseMap.h"
#include "support/CatalogueFixture.h"
#include "support/FileTestSupport.h"
#include "support/ToolTestSupport.h"

namespace karvo::test {
namespace {

constexpr FileFormat kJedec = FileFormat::FormatJedec;

DeviceRecord Gal16v8() {
    DeviceBuilder b('P', 2194, "GAL16V8");
    b.Algorithm(1).U8(DeviceRecord::kBlankValue, '1').U8(DeviceRecord::kPinCount, 20);
    return b;
}

// The JEDEC fuse checksum of a '0'/'1' map.
std::uint16_t FuseSum(const std::string& fuses) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < fuses.size(); ++i) {
        if (fuses[i] == '1') sum += 1u << (i % 8);
    }
    return static_cast<std::uint16_t>(sum);
}

// A file giving `fuses` from fuse 0 in rows of 32, with the fields around.
std::string JedecFile(const std::string& fuses, const std::string& head, const std::string& tail) {
    std::string file = "\x02Test design\r\n" + head;
    for (std::size_t i = 0; i < fuses.size(); i += 32) {
        file += fmt::format("*L{:05d} {}\r\n", i, fuses.substr(i, 32));
    }
    return file + tail + "*\r\n\x03" + "0000";
}

std::string Alternating(std::size_t count) {
    std::string fuses(count, '0');
    for (std::size_t i = 0; i < count; i += 3) fuses[i] = '1';
    return fuses;
}

TEST(JedecReader, EachKindOfFileEndsInItsLines) {
    const std::string all = Alternating(2194);
    const std::string sum = fmt::format("*C{:04X}\r\n", FuseSum(all));
    const std::string loaded = " File /files/test.hex Loaded";
    struct Case {
        const char* name;
        std::string file;
        Lines lines;
        LoadResult result;
    };
    const Case cases[] = {
        {"complete",
         JedecFile(all, "*QP20*QF2194*\r\n", sum),
         {"", loaded},
         LoadResult::ResultNone},
        {"another pin count",
         JedecFile(all, "*QP24*QF2194*\r\n", sum),
         {" File NOT for Selected Device !!"},
         LoadResult::ResultJedecFailure},
        {"fuses missing",
         JedecFile(all.substr(0, 2000), "*QF2194*\r\n", ""),
         {" File Error , Aborted"},
         LoadResult::ResultJedecFailure},
        {"checksum off",
         JedecFile(all, "*QF2194*\r\n", "*C0000\r\n"),
         {"", loaded},
         LoadResult::ResultNone},
        {"wrong checksum",
         JedecFile(all, "*QF2194*\r\n", "*C1234\r\n"),
         {fmt::format(" Checksum given 1234 calculated {:04X}", FuseSum(all)), " Checksum Error "},
         LoadResult::ResultChecksum},
        {"a fuse that is no 0 or 1",
         JedecFile(all.substr(0, 100) + "2" + all.substr(101), "*QF2194*\r\n", sum),
         {" File Error , Aborted"},
         LoadResult::ResultJedecFailure},
        // Mended: no fields at all was a blank map that "loaded".
        {"no JEDEC file",
         ":00000001FF\r\n",
         {" File Error , Aborted"},
         LoadResult::ResultJedecFailure},
        {"empty file", "", {" File Error , Aborted"}, LoadResult::ResultJedecFailure},
        // Mended: a smaller map loaded into a larger part.
        {"another part's map",
         JedecFile(all.substr(0, 2048), "*QF2048*\r\n", ""),
         {" File NOT for Selected Device !!"},
         LoadResult::ResultJedecFailure},
        // Mended: an address too long for its number wrapped into the map.
        {"overflowing address",
         JedecFile(all, "*QF2194*\r\n*L4294967296 1*\r\n", sum),
         {" File Error , Aborted"},
         LoadResult::ResultJedecFailure},
        {"a fuse beyond the buffer",
         JedecFile(all, "*QF2194*\r\n*L16777215 1*\r\n", sum),
         {" File Error , Aborted"},
         LoadResult::ResultJedecFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = LoadText(Gal16v8(), c.file, Format(kJedec));
        EXPECT_EQ(run->host.lines, c.lines);
        EXPECT_EQ(run->outcome.result, c.result);
    }
}

TEST(JedecReader, FieldsInAnyOrderAndTheFusesTheyGive) {
    const std::string all = Alternating(2194);
    // The rows backwards, N and QV fields, a G field and lower-case hex.
    std::string file = "\x02\r\n*N note*QV0*G1*QP20*QF2194*\r\n";
    for (std::size_t i = 2176; i + 1 != 0; i -= 32) {
        file += fmt::format("*L{} {}\r\n", i, all.substr(i, 32));
        if (i == 0) break;
    }
    file += fmt::format("*C{:04x}*\r\n", FuseSum(all));
    const auto run = LoadText(Gal16v8(), file, Format(kJedec));
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNone)
        << testing::PrintToString(run->host.lines);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(run->buffer.Data()), 2194), all);
    // Fuses a file leaves out read as the part's blank, whatever fill was asked.
    const auto some = LoadText(Gal16v8(), "*L0 0*", Format(kJedec, FillChoice::Zero));
    EXPECT_EQ(some->At(0), '0');
    EXPECT_EQ(some->At(1), '1');
}

TEST(JedecWriter, RowsUesPesAndChecksumOfAGal16v8) {
    const DeviceRecord gal = Gal16v8();
    MemoryBuffer blank;
    blank.AllocateForDevice(gal);
    std::fill(blank.Data(), blank.Data() + blank.Allocated, '1');
    const Lines lines = SplitLines(WriteText(kJedec, blank, gal, 0, 2194), "\r\n");
    ASSERT_EQ(lines.size(), 2u + 6 + 64 + 6);
    EXPECT_EQ(lines[0], "\x02");
    EXPECT_EQ(lines[1], "Jedec File for GAL16V8");
    EXPECT_EQ(Lines(lines.begin() + 2, lines.begin() + 8),
              (Lines{"*QP20", "*QF2194", "*QV0", "*F0", "*G0", "*X0"}));
    for (int r = 0; r < 64; ++r) {
        EXPECT_EQ(lines[8 + r], fmt::format("*L{:05d} ", 32 * r) + std::string(32, '1'));
    }
    EXPECT_EQ(lines[72], "*L02048 11111111");
    EXPECT_EQ(lines[73], "*N UES FF  FF  FF  FF  FF  FF  FF  FF ");
    EXPECT_EQ(lines[74], "*L02056 " + std::string(64, '1'));
    EXPECT_EQ(lines[75], "*L02120 " + std::string(74, '1'));
    EXPECT_EQ(lines[76], "*N PES 00 00 00 00 00 00 00 00");
    EXPECT_EQ(lines[77], "*C10F1");
}

TEST(JedecWriter, UesTextAndOneRuleForFusesAndChecksum) {
    const DeviceRecord gal = Gal16v8();
    MemoryBuffer b;
    b.AllocateForDevice(gal);
    std::fill(b.Data(), b.Data() + b.Allocated, '0');
    const auto ues = [&](std::initializer_list<std::uint8_t> bytes) {
        std::uint32_t j = 0;
        for (const std::uint8_t v : bytes) {
            for (std::uint32_t k = 0; k < 8; ++k) b[2056 + 8 * j + k] = (v >> k) & 1 ? '1' : '0';
            ++j;
        }
        return SplitLines(WriteText(kJedec, b, gal, 0, 2194), "\r\n")[73];
    };
    EXPECT_EQ(ues({0x41, 0x42, 0x00}), "*N UES \"AB\" 00  00  00  00  00  00 ");
    // "*" would end the field and '"' the text: both in hexadecimal.
    EXPECT_EQ(ues({'a', '*', '"', 'b'}), "*N UES \"a\" 2A  22  \"b\" 00  00  00  00 ");

    // Mended: a byte other than '0' or '1' (an editor fill) was written 0
    // though the checksum counted it.
    std::fill(b.Data(), b.Data() + b.Allocated, 0xFF);
    const std::string text = WriteText(kJedec, b, gal, 0, 2194);
    EXPECT_NE(text.find("*L00000 " + std::string(32, '1')), std::string::npos);
    EXPECT_NE(text.find("*C10F1"), std::string::npos);
}

TEST(JedecFiles, PartsWithoutAFuseMapAreRefusedBothWays) {
    DeviceBuilder b('P', 100, "NOMAP");
    b.Algorithm(14);
    const DeviceRecord none = b;
    const auto run = LoadText(none, "*QF100*", Format(kJedec));
    EXPECT_EQ(run->outcome.end, LoadEnd::Refused);
    EXPECT_EQ(run->host.refusals.size(), 1u);
    MemoryBuffer buffer;
    buffer.AllocateForDevice(none);
    StringSink sink;
    RecordingHost host;
    RecordingProgress progress;
    EXPECT_FALSE(WriteFileFormat(sink, {kJedec, 0, 100}, buffer, none, progress, host));
    EXPECT_TRUE(sink.text.empty());
}

// Every programmable-logic part of the catalogue: a map of random fuses
// saves, loads back exactly and passes its own checksum; jedecparse reads
// the same fuse count and checksum.
TEST(JedecFiles, EveryCataloguePartRoundTripsAndJedecparseAgrees) {
    const bool jedecparse = HaveTool("jedecparse");
    ScratchDir dir;
    std::mt19937 random(7);
    int parts = 0;
    for (const DeviceRecord& part : ShippedRecords("KARVO_e.usb")) {
        if (part.Family() != Family::Logic) continue;
        SCOPED_TRACE(part.DevName());
        const auto map = JedecFuseMapFor(part);
        ASSERT_TRUE(map);
        MemoryBuffer b;
        b.AllocateForDevice(part);
        for (std::uint32_t i = 0; i < map->fuses; ++i) b[i] = random() % 2 ? '1' : '0';
        const std::string text = WriteText(kJedec, b, part, 0, map->fuses);
        const auto back = LoadText(part, text, Format(kJedec));
        EXPECT_EQ(back->outcome.result, LoadResult::ResultNone)
            << testing::PrintToString(back->host.lines);
        EXPECT_TRUE(std::equal(b.Data(), b.Data() + map->fuses, back->buffer.Data()));
        if (jedecparse) {
            const std::string path = dir.Write("part.jed", text);
            const std::string report = dir.Path("report.txt");
            ASSERT_EQ(std::system(("jedecparse " + path + " >" + report + " 2>&1").c_str()), 0);
            const std::string said = ScratchDir::ReadWhole(report);
            const std::uint32_t sum = FuseChecksum(b.Data(), map->fuses) & 0xFFFF;
            EXPECT_NE(said.find(fmt::format("Device : {} Fuses", map->fuses)), std::string::npos)
                << said;
            EXPECT_NE(said.find(fmt::format(
                          "Checksum calculated: 0x{:04x},Checksum from file 0x{:04x}", sum, sum)),
                      std::string::npos)
                << said;
        }
        ++parts;
    }
    EXPECT_GT(parts, 10);
}

}  // namespace
}  // namespace karvo::test

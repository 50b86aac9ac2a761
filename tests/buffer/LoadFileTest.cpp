// The load frame: opening, re-allocation and fill, the storing rule of each
// family, completion lines and progress; binary files.
#include <cstring>
#include <thread>

#include <fmt/format.h>
#include <sys/stat.h>

#include "support/FileTestSupport.h"

namespace karvo::test {
namespace {

constexpr auto kBinary = FileFormat::FormatBinary;
constexpr auto kIntel = FileFormat::FormatIntelHex;

const DeviceRecord kEprom2K = DeviceBuilder('E', 0x7FF);
const DeviceRecord kEprom8K = DeviceBuilder('E', 0x1FFF);

std::string Bytes(std::size_t count, std::uint8_t first = 0) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(first + i);
    return bytes;
}

Lines Loaded(const std::string& path, const std::string& highest, const std::string& lowest) {
    return {"", " File " + path + " Loaded", " Highest Load Address : " + highest,
            " Lowest Load Address  : " + lowest};
}

TEST(BinaryReader, EveryByteInOrderFromTheOffset) {
    const auto run = LoadText(kEprom2K, Bytes(0x300, 1), Format(kBinary, FillChoice::Zero, 0x10),
                              "/files/a.bin");
    EXPECT_EQ(run->host.lines, Loaded("/files/a.bin", "30F", "10"));
    EXPECT_EQ(run->At(0x0F), 0x00);
    EXPECT_EQ(run->At(0x10), 0x01);
    EXPECT_EQ(run->At(0x30F), 0x00);  // byte 0x2FF of the file: 0x300 wraps to 0
    EXPECT_EQ(run->At(0x310), 0x00);
}

TEST(BinaryReader, EmptyFileLoadsNothing) {
    const auto run = LoadText(kEprom2K, "", Format(kBinary), "/files/a.bin");
    EXPECT_EQ(run->host.lines, Loaded("/files/a.bin", "0", "0"));
}

TEST(BinaryReader, LongerThanTheBufferDoesNotFit) {
    // A 2 KB part loads into 128 KiB.
    const auto run = LoadText(kEprom2K, std::string(0x20001, '\x5A'), Format(kBinary));
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNoFit);
    EXPECT_EQ(run->host.lines, (Lines{" File doesn't fit in allocated buffer"}));
    EXPECT_EQ(run->host.errorSounds, 1);
    EXPECT_EQ(run->At(0x1FFFF), 0x5A);
    EXPECT_EQ(run->buffer.HighestLoaded, 0x1FFFFu);
}

TEST(BinaryReader, SubtractedOffsetDoesNotFit) {
    const auto run = LoadText(kEprom2K, Bytes(16), Format(kBinary, FillChoice::Zero, -1));
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNoFit);
    EXPECT_EQ(run->host.lines, (Lines{" File doesn't fit in allocated buffer"}));
}

TEST(StoringRule, NineKilobytesForAnEightKilobytePartAreBigger) {
    const auto run = LoadText(kEprom8K, Bytes(9 * 1024), Format(kBinary), "/files/a.bin");
    EXPECT_TRUE(run->outcome.Loaded());
    Lines want = Loaded("/files/a.bin", "23FF", "0");
    want.push_back(" File bigger than selected device");
    EXPECT_EQ(run->host.lines, want);
}

TEST(StoringRule, ExactlyTheDeviceIsNotBigger) {
    const auto run = LoadText(kEprom8K, Bytes(8 * 1024), Format(kBinary), "/files/a.bin");
    EXPECT_EQ(run->host.lines, Loaded("/files/a.bin", "1FFF", "0"));
}

TEST(StoringRule, ThirtyTwoBytesAfterTheCodeCountAsInsideForAlgorithm35) {
    const DeviceRecord avr = DeviceBuilder('M', 0x7FF).Algorithm(35).ConfigType(0xD1).Eeprom(0x80);
    const auto inside = LoadText(avr, Bytes(0x820), Format(kBinary), "/files/a.bin");
    EXPECT_EQ(inside->host.lines, Loaded("/files/a.bin", "81F", "0"));
    const auto beyond = LoadText(avr, Bytes(0x821), Format(kBinary), "/files/a.bin");
    EXPECT_EQ(beyond->host.lines.back(), " File bigger than selected device");
}

TEST(StoringRule, FamilyRStopsAtTheDevice) {
    const DeviceRecord part = DeviceBuilder('R', 0x3FF);
    const auto run = LoadText(part, Bytes(0x401), Format(kBinary));
    EXPECT_EQ(run->buffer.Available, 0x400u);
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNoFit);
}

TEST(StoringRule, WordPartsGetNoAddressesButTheirMissingAreas) {
    const DeviceRecord pic =
        DeviceBuilder('C', 0x7FF).Algorithm(5).Blank(0x3F).ConfigMask({0x3F, 0xFF}).Eeprom(0x3F);
    // Beyond the part's program memory, which for other families is bigger.
    const auto run =
        LoadText(pic, ":02100000AABB89\r\n:00000001FF\r\n", Format(kIntel, FillChoice::FF));
    EXPECT_TRUE(run->outcome.Loaded());
    EXPECT_EQ(
        run->host.lines,
        (Lines{"", " File /files/test.hex Loaded", " WARNING not present in file : DATA",
               " WARNING not present in file : CONFIG", " WARNING not present in file : ID"}));
    // Fill with 0xFF gives words 0x00FF in a word-organised part.
    EXPECT_EQ(run->Bytes(0, 4), (std::vector<std::uint8_t>{0x00, 0xFF, 0x00, 0xFF}));
}

TEST(StoringRule, PartsWithoutIdLocationsExpectOnlyTheirConfiguration) {
    const DeviceRecord pic = DeviceBuilder('C', 0x3FF).Algorithm(3).Blank(0x0F);
    const auto run = LoadText(pic, ":00000001FF", Format(kIntel));
    EXPECT_EQ(run->host.lines,
              (Lines{"", " File /files/test.hex Loaded", " WARNING not present in file : CONFIG"}));
}

TEST(LoadFill, EachChoiceOutsideTheFileData) {
    const DeviceRecord eprom = DeviceBuilder('E', 0x7FF).Blank(0xFF);
    const DeviceRecord pic = DeviceBuilder('C', 0x7FF).Algorithm(5).Blank(0x3F);
    struct Case {
        const DeviceRecord& device;
        FillChoice fill;
        std::vector<std::uint8_t> want;
    } cases[] = {
        {eprom, FillChoice::DeviceDefault, {0xFF, 0xFF}},
        {eprom, FillChoice::Zero, {0x00, 0x00}},
        {eprom, FillChoice::FF, {0xFF, 0xFF}},
        // Disable writes nothing into a fresh allocation, which is all zeros.
        {eprom, FillChoice::Disable, {0x00, 0x00}},
        {pic, FillChoice::DeviceDefault, {0x3F, 0xFF}},
        {pic, FillChoice::Zero, {0x00, 0x00}},
        {pic, FillChoice::FF, {0x00, 0xFF}},
        {pic, FillChoice::Disable, {0x00, 0x00}},
    };
    for (const Case& c : cases) {
        const auto run = LoadText(c.device, ":00000001FF", Format(kIntel, c.fill));
        EXPECT_EQ(run->Bytes(0x100, 2), c.want) << c.device.Family() << static_cast<int>(c.fill);
        EXPECT_EQ(run->Bytes(run->buffer.Available - 2, 2), c.want);
    }
}

TEST(LoadFill, TheLoadReplacesThePreviousImageWhateverTheOutcome) {
    MemoryBuffer buffer;
    buffer.AllocateForDevice(kEprom2K);
    buffer[0x10] = 0x77;
    RecordingHost host;
    RecordingProgress progress;
    const std::string text = " not a hex file";
    MemorySource source({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    LoadFromSource(source, "x", Format(kIntel), buffer, kEprom2K, progress, host);
    EXPECT_EQ(buffer[0x10], 0xFF);
    EXPECT_EQ(buffer.Allocated, 0x20000u);
}

TEST(LoadProgress, OpensMovesOnlyOnNewPercentagesAndCloses) {
    const auto run = LoadText(kEprom8K, Bytes(8 * 1024), Format(kBinary));
    EXPECT_EQ(run->progress.captions, (std::vector<std::string>{" Loading File......."}));
    EXPECT_EQ(run->progress.closes, 1);
    ASSERT_FALSE(run->progress.positions.empty());
    EXPECT_EQ(run->progress.positions.back(), 100);
    for (std::size_t i = 1; i < run->progress.positions.size(); ++i) {
        EXPECT_NE(run->progress.positions[i], run->progress.positions[i - 1]);
    }

    // Byte by byte through a hex file: every percentage once, in order.
    std::string text;
    for (std::uint32_t a = 0; a < 0x2000; a += 16) {
        std::string record = fmt::format(":10{:04X}00", a);
        std::uint8_t sum = static_cast<std::uint8_t>(0x10 + (a >> 8) + (a & 0xFF));
        for (int i = 0; i < 16; ++i) record += "00";
        text += record + fmt::format("{:02X}\r\n", static_cast<std::uint8_t>(-sum));
    }
    const auto hex = LoadText(kEprom8K, text + ":00000001FF\r\n", Format(kIntel));
    ASSERT_TRUE(hex->outcome.Loaded());
    std::vector<int> every;
    for (int p = 1; p <= 100; ++p) every.push_back(p);
    EXPECT_EQ(hex->progress.positions, every);
}

TEST(LoadFile, AFileThatCannotBeOpenedLeavesTheBufferAlone) {
    ScratchDir dir;
    MemoryBuffer buffer;
    buffer.AllocateForDevice(kEprom2K);
    buffer[0] = 0x42;
    RecordingHost host;
    RecordingProgress progress;
    for (const std::string& path : {dir.Path("missing.hex"), dir.Dir()}) {
        const LoadOutcome outcome =
            LoadFile(path, Format(kIntel), buffer, kEprom2K, progress, host);
        EXPECT_EQ(outcome.end, LoadEnd::NotOpened);
    }
    EXPECT_EQ(host.fileErrors, 2);
    EXPECT_TRUE(host.lines.empty());
    EXPECT_EQ(progress.opens, 0);
    EXPECT_EQ(buffer[0], 0x42);
    EXPECT_EQ(buffer.Allocated, 0x10000u);
}

TEST(LoadFile, ReadsARealFile) {
    ScratchDir dir;
    const std::string path = dir.Write("a.hex", ":02001000AABB89\r\n:00000001FF\r\n");
    MemoryBuffer buffer;
    RecordingHost host;
    RecordingProgress progress;
    const LoadOutcome outcome = LoadFile(path, Format(kIntel), buffer, kEprom2K, progress, host);
    EXPECT_TRUE(outcome.Loaded());
    EXPECT_EQ(host.lines, Loaded(path, "11", "10"));
    EXPECT_EQ(buffer[0x11], 0xBB);
}

// A pipe has no size: its bytes are read to the end of the stream.
TEST(LoadFile, ABinaryFileFromAPipeLoadsEveryByte) {
    ScratchDir dir;
    const std::string fifo = dir.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string image = Bytes(0x1234, 3);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << image; });
    MemoryBuffer buffer;
    RecordingHost host;
    RecordingProgress progress;
    const LoadOutcome outcome =
        LoadFile(fifo, Format(kBinary, FillChoice::Zero), buffer, kEprom8K, progress, host);
    writer.join();
    EXPECT_TRUE(outcome.Loaded());
    EXPECT_EQ(host.lines, Loaded(fifo, "1233", "0"));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), buffer.Data(), [](char a, std::uint8_t b) {
        return static_cast<std::uint8_t>(a) == b;
    }));
}

// A fuse file cannot hold a byte-wide memory: said in a box, nothing touched.
TEST(LoadFile, AFormatThatCannotHoldThePartTouchesNothing) {
    const auto run = LoadText(kEprom2K, ":00000001FF", Format(FileFormat::FormatJedec));
    EXPECT_EQ(run->outcome.end, LoadEnd::Refused);
    EXPECT_EQ(run->host.refusals.size(), 1u);
    EXPECT_EQ(run->buffer.Allocated, 0u);
    EXPECT_EQ(run->progress.opens, 0);
}

// A medium that fails after some bytes.
struct FailingSource final : ByteSource {
    explicit FailingSource(std::string bytes) : text(std::move(bytes)) {}
    std::uint64_t Size() const override { return text.size() + 100; }
    std::size_t ReadSome(std::uint8_t* into, std::size_t capacity) override {
        if (given == text.size()) throw FileReadError();
        const std::size_t n = std::min(capacity, text.size() - given);
        std::memcpy(into, text.data() + given, n);
        given += n;
        return n;
    }
    std::string text;
    std::size_t given = 0;
};

TEST(LoadFile, AMediumFailingMidwayShowsFileErrorAndTheSound) {
    for (const FileFormat format : {kIntel, FileFormat::FormatMotorola, kBinary}) {
        FailingSource source(format == FileFormat::FormatMotorola ? "S1070000010203" : ":1000");
        MemoryBuffer buffer;
        RecordingHost host;
        RecordingProgress progress;
        const LoadOutcome outcome =
            LoadFromSource(source, "x", Format(format), buffer, kEprom2K, progress, host);
        EXPECT_EQ(outcome.result, LoadResult::ResultReadFailure);
        EXPECT_EQ(host.fileErrors, 1);
        EXPECT_EQ(host.errorSounds, 1);
        EXPECT_TRUE(host.lines.empty());
        EXPECT_EQ(progress.closes, 1);
    }
}

TEST(LoadResultLines, TheTableOfMessages) {
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultChecksum), " Checksum Error ");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultNotIntelHex), " Not Intel Hex Format");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultNotMotorola), " Not Motorola S-record format");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultNotInh8m), " Not INH8M format");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultNotInx16), " Not INX16 format");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultNoFit), " File doesn't fit in allocated buffer");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultReadFailure), "");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultJedecFailure), "");
    EXPECT_STREQ(LoadResultLine(LoadResult::ResultNone), "");
}

}  // namespace
}  // namespace karvo::test

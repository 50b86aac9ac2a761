#pragma once
// The common body of the reader fuzzers: the first bytes of an input choose
// the part, the fill and the offset, the rest is the file. Whatever the file,
// a load must end in one of its results without touching memory outside the
// buffer, and what a load stored must come back unchanged from a save of it
// in the same format. The word formats save their parts' fixed areas: every
// area must come back unchanged, and none may be reported missing.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "buffer/LoadFile.h"
#include "buffer/SaveFile.h"
#include "buffer/formats/PicFileMap.h"
#include "support/Devices.h"
#include "support/PicParts.h"

namespace karvo::fuzz {

struct QuietHost final : LoadSaveHost {
    int warnings = 0;  // missing-area lines
    void LogLine(const std::string& line) override {
        if (line.rfind(" WARNING", 0) == 0) ++warnings;
    }
    void ShowFileError() override {}
    void ShowRefusal(const std::string&) override {}
    void PlayError() override {}
    std::uint32_t UpdateChecksum() override { return 0; }
};

// Mostly parts with small load buffers, which keep the fuzzer fast; the
// 128 KiB layouts of the other families now and then.
inline const DeviceRecord& PartFor(std::uint8_t choice) {
    static const DeviceRecord parts[] = {
        test::DeviceBuilder('M', 0x7FF).Algorithm(35).ConfigType(0xD1).Eeprom(0x80),
        test::DeviceBuilder('M', 0x3FF).ConfigType(0xCB).Eeprom(0x100),
        test::DeviceBuilder('M', 0xFFF).ConfigType(0xD2).Eeprom(0x40),
        test::DeviceBuilder('M', 0x1FF).ConfigType(0xCD),
        test::DeviceBuilder('M', 0xFFF),
        test::DeviceBuilder('E', 0x7FF),
        test::DeviceBuilder('R', 0x3FF),
        test::DeviceBuilder('C', 0x7FF).Algorithm(5).Blank(0x3F).Eeprom(0x3F),
    };
    return parts[choice % (sizeof parts / sizeof parts[0])];
}

inline LoadOutcome Load(FileFormat format, const std::uint8_t* file, std::size_t size,
                        const DeviceRecord& part, FillChoice fill, std::int64_t offset,
                        MemoryBuffer& buffer, QuietHost& host) {
    MemorySource source({file, size});
    NoFileProgress progress;
    return LoadFromSource(source, "fuzz", {format, fill, offset}, buffer, part, progress, host);
}

inline LoadOutcome Load(FileFormat format, const std::uint8_t* file, std::size_t size,
                        const DeviceRecord& part, FillChoice fill, std::int64_t offset,
                        MemoryBuffer& buffer) {
    QuietHost host;
    return Load(format, file, size, part, fill, offset, buffer, host);
}

inline int FuzzReader(FileFormat format, const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const DeviceRecord& part = PartFor(data[0]);
    const auto fill = static_cast<FillChoice>(data[1] & 3);
    // Small offsets either way, so that both sides of the buffer are reached.
    const std::int64_t offset = static_cast<std::int8_t>(data[2]) * 16;
    MemoryBuffer buffer;
    const LoadOutcome outcome = Load(format, data + 3, size - 3, part, fill, offset, buffer);
    if (buffer.HighestLoaded >= buffer.Allocated || buffer.LowestLoaded > buffer.HighestLoaded) {
        std::abort();
    }
    if (!outcome.Loaded() || buffer.HighestLoaded == 0) return 0;

    // Save what was stored and load it again: the same bytes must come back.
    StringSink sink;
    NoFileProgress progress;
    QuietHost host;
    const SaveRequest range{format, buffer.LowestLoaded, buffer.HighestLoaded};
    if (!WriteFileFormat(sink, range, buffer, part, progress, host)) std::abort();
    MemoryBuffer again;
    const auto* text = reinterpret_cast<const std::uint8_t*>(sink.text.data());
    const std::int64_t start = format == FileFormat::FormatBinary ? buffer.LowestLoaded : 0;
    const LoadOutcome reloaded = Load(format, text, sink.text.size(), part, fill, start, again);
    if (!reloaded.Loaded()) std::abort();
    for (std::uint32_t i = buffer.LowestLoaded; i <= buffer.HighestLoaded; ++i) {
        if (again[i] != buffer[i]) std::abort();
    }
    return 0;
}

// One part of each word-organised layout; the PIC18 one (a 1 MiB buffer)
// once in eight.
inline const DeviceRecord& PicPartFor(std::uint8_t choice) {
    using namespace test::pic_parts;
    static const DeviceRecord parts[] = {
        Pic16F84A(),
        Pic12F508(),
        Pic16F1938(),
        Pic17C44(),
        Pic16F882(),
        Pic16F628A(),
        WithLastAddr(Pic16F84A(), 0x7F9),
        Pic18F452(),
    };
    return parts[choice % (sizeof parts / sizeof parts[0])];
}

inline int FuzzWordReader(FileFormat format, const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const DeviceRecord& part = PicPartFor(data[0]);
    const auto fill = static_cast<FillChoice>(data[1] & 3);
    MemoryBuffer buffer;
    const LoadOutcome outcome = Load(format, data + 2, size - 2, part, fill, 0, buffer);
    // Word files report no load addresses.
    if (buffer.HighestLoaded != 0 || buffer.LowestLoaded != 0) std::abort();
    if (!outcome.Loaded()) return 0;

    StringSink sink;
    NoFileProgress progress;
    QuietHost host;
    const SaveRequest range{format, 0, static_cast<std::uint32_t>(part.LastAddr())};
    if (!WriteFileFormat(sink, range, buffer, part, progress, host)) std::abort();
    MemoryBuffer again;
    QuietHost told;
    const auto* text = reinterpret_cast<const std::uint8_t*>(sink.text.data());
    const LoadOutcome reloaded = Load(format, text, sink.text.size(), part, fill, 0, again, told);
    if (!reloaded.Loaded() || told.warnings != 0) std::abort();
    const PicFileMap map(part);
    for (const PicFileSection& s : map.Sections()) {
        for (std::uint32_t i = s.buffer; i < s.buffer + s.bytes; ++i) {
            if (again[i] != buffer[i]) std::abort();
        }
    }
    return 0;
}

// One programmable-logic part of each fuse-map shape.
inline const DeviceRecord& LogicPartFor(std::uint8_t choice) {
    static const DeviceRecord parts[] = {
        test::DeviceBuilder('P', 2194).Algorithm(1).Blank('1').U8(DeviceRecord::kPinCount, 20),
        test::DeviceBuilder('P', 5892).Algorithm(6).Blank('1').U8(DeviceRecord::kPinCount, 24),
        test::DeviceBuilder('P', 8294).Algorithm(8).Blank('1').U8(DeviceRecord::kPinCount, 24),
        test::DeviceBuilder('P', 2048).Algorithm(20).Blank('0').U8(DeviceRecord::kPinCount, 20),
    };
    return parts[choice % (sizeof parts / sizeof parts[0])];
}

inline int FuzzJedecReader(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const DeviceRecord& part = LogicPartFor(data[0]);
    constexpr FileFormat kJedec = FileFormat::FormatJedec;
    MemoryBuffer buffer;
    const LoadOutcome outcome = Load(kJedec, data + 1, size - 1, part, FillChoice::Zero, 0, buffer);
    if (!outcome.Loaded()) return 0;

    // A map that loaded saves and loads back fuse for fuse.
    const auto fuses = static_cast<std::uint32_t>(part.LastAddr());
    StringSink sink;
    NoFileProgress progress;
    QuietHost host;
    if (!WriteFileFormat(sink, {kJedec, 0, fuses}, buffer, part, progress, host)) std::abort();
    MemoryBuffer again;
    const auto* text = reinterpret_cast<const std::uint8_t*>(sink.text.data());
    if (!Load(kJedec, text, sink.text.size(), part, FillChoice::Zero, 0, again).Loaded()) {
        std::abort();
    }
    for (std::uint32_t i = 0; i < fuses; ++i) {
        if ((again[i] != '0') != (buffer[i] != '0')) std::abort();
    }
    return 0;
}

}  // namespace karvo::fuzz

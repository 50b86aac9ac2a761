#include "catalogue/AdapterNotes.h"

#include "catalogue/ChipFacts.h"

#include <utility>

#include <fmt/format.h>
#include <fmt/printf.h>

namespace karvo {

namespace {
struct AdapterText {
    std::uint8_t code;
    bool onAdapterLabel;  // else the comment label
    const char* text;
};

constexpr AdapterText kAdapters[] = {
    {1, true, "PLCC68 51GB"},
    {2, true, "PLCC44"},
    {3, true, "PLCC32 -> DIP28"},
    {4, true, "PLCC32 -> DIP32"},
    {5, true, "PLCC68 87C55x"},
    {6, true, "PLCC52 DS87C530"},
    {7, true, "PIC17C75x / 16C92x"},
    {8, false, "100R from ZIF pin40 - pin34"},
    {9, false, "100R from ZIF pin1 - pin15"},
    {10, false, "100R from ZIF pin25 - device pin25"},
    {11, false, "PIC12Cxxx 4-GANG"},
    {12, true, "SOIC08 208mil"},
    {13, true, "SOIC28 300mil"},
    {14, false, "see READ_SST.TXT"},
    {15, true, "SOIC08 150mil"},
    {16, false, "Data @4200"},
    {20, true, "PLCC20"},
    {22, true, "DS2250"},
    {30, true, "TSOP40"},
    {31, true, "TSOP48"},
    {32, true, "TSOP32 -> DIP40"},
    {44, true, "PLCC44/1"},
    {45, true, "PLCC44/2"},
    {46, true, "PLCC44/3"},
    {47, true, "PLCC44/4"},
    {50, true, "universal SOIC"},
    {51, true, "SOIC4440"},
    {60, true, "QFP44"},
};
}  // namespace

AdapterNotes NotesFor(const DeviceRecord& d) {
    AdapterNotes notes;
    for (const AdapterText& a : kAdapters) {
        if (a.code != d.Adapter()) continue;
        (a.onAdapterLabel ? notes.adapter : notes.comment) = a.text;
    }
    if (d.Family() == Family::Micro) {
        switch (d.EncryptInfo() >> 4) {
            case 0:
                break;
            case 2:
                notes.comment = "Encryption @ addr 0x10000, 32 bytes";
                break;
            case 4:
                notes.comment = "Encryption @ addr 0x10000, 64 bytes";
                break;
            default:
                notes.comment = "Encryption @ addr 0x10000";
                break;
        }
        if (d.EepromSize() != 0) {
            notes.comment =
                fmt::format("E2prom @ 0x{:05X}  size = {} bytes",
                            static_cast<std::uint32_t>(d.LastAddr()) + 1, d.EepromSize());
        }
        if (IsSstDualBlock(d)) {
            notes.comment = "Block0 @ 0 - 0xFFFF , Block1 @ 0x10000 - 0x11FFF";
        }
    }
    if (d.Family() == Family::Pic && HasDataEeprom(d)) {
        // Where the data EEPROM sits in the buffer, as the layout has it.
        notes.comment = fmt::format("E2prom @ 0x{:X}  size = {} bytes", *PicAreasFor(d).dataOffset,
                                    d.EepromSize() + 1);
    }
    return notes;
}

std::string FormatId(std::uint8_t id) {
    return fmt::format("0x{:02X}", id);
}

std::string FormatSize(std::int32_t lastAddr) {
    return fmt::format("0x{:X}", static_cast<std::uint32_t>(lastAddr) + 1);
}

std::string FormatVoltage(float volts) {
    return fmt::sprintf("%5.2fV", volts);
}

}  // namespace karvo

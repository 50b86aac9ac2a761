#pragma once
#include <string>

#include "buffer/MemoryBuffer.h"
#include "editor/HexEditorModel.h"
#include "editor/Utf8.h"
#include "support/Devices.h"

namespace karvo::test {

// Sums the buffer as the session would, and counts how often it was asked.
struct CountingChecksum final : ChecksumUpdater {
    CountingChecksum(MemoryBuffer& b, const DeviceRecord& d) : buffer(b), device(d) {}
    std::uint32_t UpdateChecksum() override {
        ++calls;
        return buffer.ComputeChecksum(device);
    }
    MemoryBuffer& buffer;
    const DeviceRecord& device;
    int calls = 0;
};

// An editor opened on a blank buffer of the device.
struct EditorRig {
    explicit EditorRig(const DeviceRecord& d) : device(d), checksum(buffer, device) {
        buffer.AllocateForDevice(device);
        buffer.FillWithBlank(device);
        buffer.ComputeChecksum(device);
        editor.Open();
    }
    // An EPROM with exactly `available` bytes in the editor.
    static DeviceRecord Eprom(std::uint32_t available) { return DeviceBuilder('E', available - 1); }

    // Every character of text typed into the hex or ASCII block; the text of
    // the first box, or "" when none came.
    std::string TypeHex(const std::string& text) {
        for (const char32_t c : CharactersOf(text)) {
            if (const auto box = editor.TypeHex(c)) return box->text;
        }
        return {};
    }
    std::string TypeAscii(const std::string& text) {
        for (const char32_t c : CharactersOf(text)) {
            if (const auto box = editor.TypeAscii(c)) return box->text;
        }
        return {};
    }
    void TypeAddress(const std::string& text, int caret = 0) {
        editor.SetAddressCaret(caret);
        for (const char32_t c : CharactersOf(text)) editor.TypeAddress(c);
    }
    void Put(std::uint32_t offset, std::initializer_list<std::uint8_t> bytes) {
        for (const std::uint8_t b : bytes) buffer[offset++] = b;
    }
    std::vector<std::uint8_t> Bytes(std::uint32_t offset, std::uint32_t count) const {
        return {buffer.Data() + offset, buffer.Data() + offset + count};
    }

    DeviceRecord device;
    MemoryBuffer buffer;
    CountingChecksum checksum;
    HexEditorModel editor{buffer, device, checksum};
};

}  // namespace karvo::test

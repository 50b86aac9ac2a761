#include "operations/ChipDifferences.h"

#include <algorithm>
#include <memory>

#include <fmt/format.h>

#include "operations/OperationEngine.h"

namespace karvo {

std::vector<ComparedArea> VerifiedAreas(const DeviceRecord& device, std::uint8_t progBits) {
    if (device.Family() == Family::Pic) return PicVerifiedAreas(device, progBits);
    // Byte-wide chips and the 8051/AVR parts verify their code area only.
    return {{0, static_cast<std::uint32_t>(device.LastAddr()) + 1, false}};
}

Differences CompareAreas(const MemoryBuffer& buffer, const MemoryBuffer& chip,
                         const DeviceRecord& device, const std::vector<ComparedArea>& areas) {
    Differences found;
    const std::uint32_t end = std::min(buffer.Allocated, chip.Allocated);
    DifferenceRange* open = nullptr;
    for (const ComparedArea& area : areas) {
        for (std::uint32_t i = 0; i < area.length; ++i) {
            const std::uint32_t at = area.offset + i;
            if (at >= end) break;
            const std::uint8_t mask = area.configMasked ? device.ConfigMask(i) : 0xFF;
            const std::uint8_t ours = buffer[at] & mask;
            const std::uint8_t theirs = chip[at] & mask;
            if (ours == theirs) {
                open = nullptr;
                continue;
            }
            ++found.bytes;
            if (open == nullptr || open->first + open->count != at) {
                ++found.rangeCount;
                if (found.ranges.size() < Differences::kMaxRanges) {
                    found.ranges.push_back({at, 0, {}, {}});
                    open = &found.ranges.back();
                } else {
                    open = nullptr;
                }
            }
            if (open == nullptr) continue;
            if (open->buffer.size() < DifferenceRange::kShownBytes) {
                open->buffer.push_back(ours);
                open->chip.push_back(theirs);
            }
            ++open->count;
        }
        open = nullptr;  // areas apart in the buffer never make one range
    }
    return found;
}

namespace {
std::string Bytes(const std::vector<std::uint8_t>& bytes, std::uint32_t count) {
    std::string text;
    for (const std::uint8_t b : bytes) text += fmt::format("{}{:02X}", text.empty() ? "" : " ", b);
    if (count > bytes.size()) text += " ...";
    return text;
}
}  // namespace

std::vector<std::string> DifferenceLines(const Differences& differences,
                                         const std::string& devName) {
    std::vector<std::string> lines;
    for (const DifferenceRange& r : differences.ranges) {
        const std::string where =
            r.count == 1 ? fmt::format("0x{:05X}", r.first)
                         : fmt::format("0x{:05X} - 0x{:05X}", r.first, r.first + r.count - 1);
        lines.push_back(fmt::format(" {}  Ram = {}  {} = {}", where, Bytes(r.buffer, r.count),
                                    devName, Bytes(r.chip, r.count)));
    }
    if (differences.bytes == 0) {
        lines.emplace_back(" No differences: the chip now reads as the buffer");
        return lines;
    }
    std::string total =
        fmt::format(" {} byte{} differ{} in {} range{}", differences.bytes,
                    differences.bytes == 1 ? "" : "s", differences.bytes == 1 ? "s" : "",
                    differences.rangeCount, differences.rangeCount == 1 ? "" : "s");
    if (differences.rangeCount > differences.ranges.size()) {
        total += fmt::format("; the first {} are listed", differences.ranges.size());
    }
    lines.push_back(total);
    return lines;
}

bool DifferencesCommand::Run(DifferencesViewPort& view) {
    const DeviceRecord& device = session_.Device();
    // The chip's bytes come from a Read, so the device must offer one.
    if ((device.ButtonCaps() & 0x20) == 0) {
        session_.LogLine(" Differences: " + device.DevName() + " cannot be read");
        return false;
    }
    auto chip = std::make_shared<MemoryBuffer>();
    // Bytes the Read does not reach stay equal to the buffer's.
    chip->CopyFrom(session_.Buffer());
    session_.LogLine(" Reading the chip to list the differences; the buffer stays as it is");
    engine_.Run('R', chip);
    if (!session_.State().RunFlag || session_.State().ErrorCount != 0) {
        session_.LogLine(" Differences: the chip could not be read");
        return false;
    }
    const Differences found = CompareAreas(session_.Buffer(), *chip, device,
                                           VerifiedAreas(device, session_.Options().ProgBits));
    view.Show(device.DevName(), DifferenceLines(found, device.DevName()));
    return true;
}

}  // namespace karvo

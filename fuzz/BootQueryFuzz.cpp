// libFuzzer target for the bootloader's query and extended replies: the first
// 64 bytes are the query reply, the next 64 the extended one. A layout that
// is accepted must be one the update can write, and every address the image
// could name must translate to a place inside its region's buffer.
#include "FirmwareFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace karvo;
    if (size < 64) return 0;
    Device device;
    LoadRegions(fuzz::ReplyFrom(data, size, BootCommand::Query), device);
    if (device.regions.ranges.size() > kRegionSlots) std::abort();
    if (device.extended.supported && size >= 128) {
        LoadExtendedInfo(fuzz::ReplyFrom(data + 64, size - 64, BootCommand::QueryExtendedInfo),
                         device);
    }
    if (!CheckLayout(device).empty()) return 0;
    fuzz::CheckAccepted(device);
    if (fuzz::TotalBytes(device) > fuzz::kMostFuzzBytes) return 0;
    AllocateRegions(device);
    const DeviceData image = PrepareImageRegions(device);
    for (const MemoryRange& range : image.ranges) {
        const auto width = static_cast<unsigned>(device.BytesPerAddress(range.type));
        // The first and last bytes of the region, and the bytes just outside.
        const std::uint64_t first = std::uint64_t{range.start} * width;
        const std::uint64_t end = std::uint64_t{range.end} * width;
        for (const std::uint64_t address : {first, end - 1, end, first - 1}) {
            if (range.end == range.start && (address == first || address == end - 1)) continue;
            const auto where = TranslateAddress(address, device, image);
            if (!where || !where->position) continue;
            if (*where->position >= image.ranges[where->region].buffer.size()) std::abort();
        }
    }
    return 0;
}

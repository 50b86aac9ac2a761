// libFuzzer target for the firmware image import: the first 64 bytes are the
// bootloader's query reply, the rest the image's text, line by line. Whatever
// the text, the import ends in one of its results, every stored byte inside
// a region's buffer, and the bytes it counts add up.
#include <string>
#include <vector>

#include "FirmwareFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace karvo;
    if (size < 64) return 0;
    Device device;
    LoadRegions(fuzz::ReplyFrom(data, size, BootCommand::Query), device);
    if (!CheckLayout(device).empty() || fuzz::TotalBytes(device) > fuzz::kMostFuzzBytes) return 0;
    fuzz::CheckAccepted(device);
    AllocateRegions(device);

    std::vector<std::string> stored;
    std::string line;
    for (std::size_t i = 64; i < size; ++i) {
        if (data[i] == '\n') {
            stored.push_back(line);
            line.clear();
        } else {
            // Stored lines are complemented; the fuzzer's text is the record.
            line.push_back(static_cast<char>(~data[i]));
        }
    }
    stored.push_back(line);

    DeviceData image = PrepareImageRegions(device);
    ImportStats stats;
    const int result = ImportImage(stored, device, image, &stats);
    if (result != kImported && result != kNothingInRange && result != kMalformedRecord &&
        result != kNoBufferPosition) {
        std::abort();
    }
    if ((result == kImported) != (stats.stored > 0) && result != kMalformedRecord &&
        result != kNoBufferPosition) {
        std::abort();
    }
    if (stats.storedInProgram > stats.stored) std::abort();
    for (std::size_t i = 0; i < image.ranges.size(); ++i) {
        if (image.ranges[i].buffer.size() != device.regions.ranges[i].bufferLength) std::abort();
    }
    return 0;
}

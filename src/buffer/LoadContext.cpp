#include "buffer/LoadContext.h"

#include <algorithm>
#include <cstring>

#include "catalogue/ChipFacts.h"

namespace karvo {

LoadContext::LoadContext(FileInput& input, MemoryBuffer& buffer, const DeviceRecord& record,
                         std::int64_t addressOffset, ProgressGauge& progress,
                         LoadSaveHost& loadHost)
    : in(input),
      device(record),
      host(loadHost),
      offset(addressOffset),
      buffer_(buffer),
      data_(buffer.Data()),
      available_(std::min(buffer.Available, buffer.Allocated)),
      capacity_(Capacity(record)),
      progress_(progress) {}

std::int64_t LoadContext::Capacity(const DeviceRecord& device) {
    const std::int64_t last = static_cast<std::uint32_t>(device.LastAddr());
    return CarriesUserRow(device) ? last + micro::kUserRowBytes : last;
}

AreaExpectations LoadContext::ExpectedAreas(const DeviceRecord& device) {
    AreaExpectations areas;
    if (device.Family() != Family::Pic) return areas;
    areas.config = true;
    areas.id = HasIdLocations(device);
    areas.data = HasDataEeprom(device);
    return areas;
}

bool LoadContext::StoreRun(const std::uint8_t* bytes, std::size_t count) {
    if (count == 0) return true;
    const std::int64_t first = LoadPointer;
    const auto n = static_cast<std::int64_t>(count);
    // Bytes are tried in order up to the first that does not fit, which is
    // tried too (and may set bigger-than-device) before the load stops.
    const std::int64_t fitting = first < 0 ? 0 : std::clamp<std::int64_t>(available_ - first, 0, n);
    const std::int64_t lastTried = first + std::min(fitting, n - 1);
    if (lastTried > capacity_) biggerThanDevice = true;
    if (fitting != 0) {
        std::memcpy(data_ + first, bytes, static_cast<std::size_t>(fitting));
        highest_ = std::max(highest_, first + fitting - 1);
        lowest_ = std::min(lowest_, first);
        LoadPointer = first + fitting;
        progress_.Update(LoadPointer);
    }
    return fitting == n;
}

bool LoadContext::FindRecordMark(char mark, const char* wrongFormatLine) {
    for (;;) {
        const int c = in.Get();
        if (c == FileInput::kEnd) return false;
        if (c == mark) return true;
        if (firstRecordPending) {
            SetWrongFormat(wrongFormatLine);
            return true;
        }
    }
}

void LoadContext::FillAvailable(std::uint8_t value) {
    if (available_ > 0) std::memset(data_, value, static_cast<std::size_t>(available_));
}

void LoadContext::Commit() {
    buffer_.LoadPointer = LoadPointer < 0 ? 0 : static_cast<std::uint32_t>(LoadPointer);
    if (!recordsExtent) return;
    buffer_.HighestLoaded = static_cast<std::uint32_t>(HighestLoaded());
    buffer_.LowestLoaded = static_cast<std::uint32_t>(LowestLoaded());
}

}  // namespace karvo

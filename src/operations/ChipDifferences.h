#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"
#include "operations/FamilyJobs.h"

namespace karvo {

class OperationEngine;
class Session;

// Consecutive addresses where the chip differs from the buffer.
struct DifferenceRange {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    // The first kShownBytes of each side, as the Verify compares them.
    std::vector<std::uint8_t> buffer;
    std::vector<std::uint8_t> chip;
    static constexpr std::size_t kShownBytes = 8;
};

struct Differences {
    std::vector<DifferenceRange> ranges;  // the first kMaxRanges, in address order
    std::uint64_t bytes = 0;              // every differing byte
    std::uint64_t rangeCount = 0;         // every range, listed or not
    // Enough to see a pattern (a stuck line, a shifted block) without
    // scrolling through a whole wrong chip.
    static constexpr std::size_t kMaxRanges = 100;
};

// The areas a Verify of this device compares.
std::vector<ComparedArea> VerifiedAreas(const DeviceRecord& device, std::uint8_t progBits);

// Every byte of those areas where `chip` differs from `buffer`, in ranges.
Differences CompareAreas(const MemoryBuffer& buffer, const MemoryBuffer& chip,
                         const DeviceRecord& device, const std::vector<ComparedArea>& areas);

// The list as lines: " 0x00100 - 0x00102  Ram = FF FF FF  27C256 = 7F 7F 7F"
// per range, then the total.
std::vector<std::string> DifferenceLines(const Differences& differences,
                                         const std::string& devName);

// Where the list goes: a window, or standard output.
class DifferencesViewPort {
  public:
    virtual ~DifferencesViewPort() = default;
    virtual void Show(const std::string& devName, const std::vector<std::string>& lines) = 0;
};

// The Differences command after a failed Verify: reads the chip into a
// scratch copy of the buffer, so the user's image is never touched, then
// shows where the two differ. False when the chip could not be read (refused,
// aborted, not offered for the device); the log says why.
class DifferencesCommand {
  public:
    DifferencesCommand(Session& session, OperationEngine& engine)
        : session_(session), engine_(engine) {}
    bool Run(DifferencesViewPort& view);

  private:
    Session& session_;
    OperationEngine& engine_;
};

}  // namespace karvo

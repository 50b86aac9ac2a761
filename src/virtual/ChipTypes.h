#pragma once
#include <optional>
#include <string>
#include <vector>

#include "catalogue/DeviceRecord.h"

namespace karvo {

// What the programmer's firmware knows about chip types: from a parameter
// block (family, algorithm, the low 16 bits of the size and, for family 'C',
// the data-area length, the algorithm parameter and the configuration type)
// it finds the full geometry. The virtual programmer learns it from the
// device data files, and reads blocks with its own decoder: were it to use
// the program's block builder, a fault there would be mirrored, not caught.
class ChipTypes {
  public:
    static ChipTypes FromDataFiles(const std::vector<std::string>& paths);
    void Add(const DeviceRecord& record) { records_.push_back(record); }
    // The first chip type the block names.
    std::optional<DeviceRecord> Find(const std::uint8_t* block) const;
    // Whether the block is what a programmer expects for this chip.
    static bool Fits(const DeviceRecord& chip, const std::uint8_t* block);

    // Pairs of chip types that send the same parameter block but differ in
    // size: a firmware could not tell them apart and would stream the wrong
    // number of reports for one of them. A sound catalogue has none.
    std::vector<std::pair<std::string, std::string>> Ambiguities() const;

  private:
    std::vector<DeviceRecord> records_;
};

}  // namespace karvo

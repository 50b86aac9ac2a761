#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DeviceDataFile.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

// One rule a catalogue entry breaks. `rule` names the group of rules (stable,
// for tests and scripts), `message` says what exactly is wrong.
struct CatalogueProblem {
    std::string rule;
    std::string message;
};

// A problem located in a catalogue: the manufacturer, and the device unless
// the problem is the manufacturer's own.
struct CatalogueFinding {
    std::size_t manufIndex = 0;
    std::optional<std::size_t> deviceIndex;
    CatalogueProblem problem;
};

// Every rule a record must keep to be shipped: sizes that fit the buffer of
// its family, capabilities the family can honour, signatures, voltages,
// adapter codes and untouched reserved bytes. Empty when the record is good.
std::vector<CatalogueProblem> ValidateDevice(const DeviceRecord& record);

// The rules the program's own integrity rests on when a record becomes the
// active device: a known family, sizes that fit the buffer, areas that do not
// overlap. A record from another data directory or a damaged installation
// may break the catalogue's style rules and still be used; one that breaks
// these never is.
std::vector<CatalogueProblem> ValidateForUse(const DeviceRecord& record);

// Name rules on the text as written, before it is cut to its field.
std::vector<CatalogueProblem> ValidateDeviceName(std::string_view name);
std::vector<CatalogueProblem> ValidateManufacturerName(std::string_view name);

// The whole file: counts that fit their fields, unique names, every record.
std::vector<CatalogueFinding> ValidateCatalogue(const std::vector<DeviceDataFile::Entry>& entries);

// Devices that send the programmer the same parameter block must have the
// same geometry, or a firmware could not know how much to stream. Call it on
// both data files together: the virtual programmer learns from both.
std::vector<CatalogueFinding> ValidateChipTypes(const std::vector<DeviceDataFile::Entry>& entries);

// Bytes of the main area: `LastAddr` + 1, twice that for a 16-bit 'S' part,
// whose `LastAddr` counts words. Negative sizes give 0.
std::uint64_t MainAreaBytes(const DeviceRecord& record);

// Adapter codes the selection dialog has a text for.
bool IsKnownAdapter(std::uint8_t adapter);

}  // namespace karvo

#pragma once
#include <string>
#include <vector>

#include "CatalogueFields.h"
#include "catalogue/DeviceDataFile.h"

namespace karvo::source {

// A record in the readable form: required fields always, the others only
// when they hold something, in the order of Fields().
Json DeviceJson(const DeviceRecord& record);

// The canonical text of one manufacturer's file: one key per line, byte
// lists on one line, two-space indents, a newline at the end.
std::string ManufacturerText(const std::string& manufacturer, const std::vector<Json>& devices);

// "NN-Name.json" for the manufacturer at index (NN counts from 01); characters
// that do not belong in a file name become '_'.
std::string SourceFileName(std::size_t index, const std::string& manufacturer);

// A data file turned back into source files (name, text). A record holding
// bytes the readable form cannot carry is a problem, not a silent loss.
struct DecodedFolder {
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> problems;
};
DecodedFolder DecodeDataFile(const DeviceDataFile& file);

}  // namespace karvo::source
